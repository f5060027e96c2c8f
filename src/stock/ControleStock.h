#pragma once

#include "db/Natures.h"

#include <QDate>
#include <QStringList>
#include <QVector>
#include <optional>

namespace zelvane {

class StockModule;
class Tfdb;

// The quantity of one article held at one unit price.
struct TLotPrix
{
    double pu = 0;
    double stock = 0;  // before the selected day
    double entree = 0; // entered at this price on the day
    double sortie = 0; // taken out at this price on the day
    double reste = 0;  // stock + entree - sortie
};

// What double-clicking a lot puts into the movement.
struct LotChoice
{
    double pu = 0;
    double quantite = 0;
};

// The article's stock broken down by unit price for one day, with the movement being typed applied to
// the lot of its price. The store keeps no lot table: lots come from the movements grouped by price,
// plus the opening stock at its own price. The last lot receives a movement whose price matches none.
class TControleStock
{
public:
    // excluded: the number of the movement being modified, which must not count; -1 for none.
    TControleStock(Tfdb &db, qint32 code, const QDate &day, qint64 excluded = -1);
    // For the current movement of the data module: its article, the selected day, and the movement
    // itself left out when it is being modified.
    static TControleStock forCurrentMovement(StockModule &stock);

    static QString lotStatement(qint32 code, const QDate &day, qint64 excluded);

    void ApplyMovement(Nature nature, double quantite, double pu);
    const QVector<TLotPrix> &Lots() const { return m_lots; }

    // The lot grid: header, then one row per lot; at least 7 rows in all.
    static QStringList lotHeader();
    int lotGridRowCount() const;
    QStringList lotTexts(int lot) const; // empty cells for an all-zero lot
    // Some lot went below zero: the "STOCK EPUISE" warning (it never prevents acceptance).
    bool StockEpuise() const;
    // Lot (grid row - 1) chosen for an exit: takes out exactly what remains of it; nullopt when the lot
    // has no price or nothing left.
    std::optional<LotChoice> SelectLot(int lot) const;

private:
    TControleStock() = default;
    void load(Tfdb &db, qint32 code, const QDate &day, qint64 excluded);

    QVector<TLotPrix> m_lots;
    std::optional<Nature> m_lastNature; // of the movement applied last, none before the first
    double m_lastPu = 0;
    double m_lastQuantite = 0;
};

} // namespace zelvane
