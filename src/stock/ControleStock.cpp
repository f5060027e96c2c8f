#include "stock/ControleStock.h"

#include "common/Format.h"
#include "db/Columns.h"
#include "db/DataModule.h"
#include "db/Natures.h"
#include "stock/ListeDenrees.h"
#include "stock/Movements.h"
#include "stock/StockModule.h"

namespace zelvane {

TControleStock::TControleStock(Tfdb &db, qint32 code, const QDate &day, qint64 excluded)
{
    load(db, code, day, excluded);
}

TControleStock TControleStock::forCurrentMovement(StockModule &stock)
{
    TControleStock lots;
    const qint32 code = qint32(stock.db_ARTICLES->intValue(col::articles::CodeArt));
    const QDate day = stock.ListeDenrees() ? stock.DateJour() : stock.db().ValidateDate(QDate::currentDate());
    qint64 excluded = -1;
    if (stock.db_STOCK->state() == Dataset::State::Edit && !stock.db_STOCK->isNull(col::stock::NumMvt))
        excluded = stock.db_STOCK->intValue(col::stock::NumMvt);
    lots.load(stock.db(), code, day, excluded);
    return lots;
}

QString TControleStock::lotStatement(qint32 code, const QDate &day, qint64 excluded)
{
    // "$YYMMJJ" is the movement's day and "#YYMMJJ" the selected one, as ISO texts.
    const QString article = QString::number(code);
    QString inner = QStringLiteral(" select pu, sum(iif($YYMMJJ<#YYMMJJ,iif(%1,quantite,-quantite),0)) AS qt_stock,"
                                   " sum(iif($YYMMJJ=#YYMMJJ,iif(%1,quantite,0),0)) AS qt_entree,"
                                   " sum(iif($YYMMJJ=#YYMMJJ,iif(%2,quantite,0),0)) AS qt_sortie"
                                   " from stock where code_art=")
                        .arg(NotExitSql(), ExitSql())
                    + article + QStringLiteral(" and $YYMMJJ<=#YYMMJJ");
    if (excluded >= 0)
        inner += QStringLiteral(" and num_mvt<>") + QString::number(excluded);
    // union all: a movement lot equal to the opening lot must add to it, not vanish as a duplicate row.
    inner += QStringLiteral(
                 " group by pu union all  select pu31dec as pu,qt31dec as qt_stock,0 as qt_entree,0 as qt_sortie"
                 " from articles where code_art=")
             + article + QStringLiteral(" and pu31dec<>0 and qt31dec<>0");
    inner.replace(QStringLiteral("$YYMMJJ"), QStringLiteral("date_op"));
    inner.replace(QStringLiteral("#YYMMJJ"), SqlDate(day));
    return QStringLiteral(
               " select pu,sum(qt_stock) as xqt_stock,sum(qt_entree) as xqt_entree,sum(qt_sortie) as xqt_sortie from (")
           + inner
           + QStringLiteral(") where pu<>0 and (qt_stock<>0 or qt_entree<>0 or qt_sortie<>0) group by pu order by pu;");
}

void TControleStock::load(Tfdb &db, qint32 code, const QDate &day, qint64 excluded)
{
    m_lots.clear();
    if (auto query = db.GetQuery(lotStatement(code, day, excluded))) {
        while (query->next()) {
            TLotPrix lot;
            lot.pu = RoundStock(query->value(0).toDouble());
            lot.stock = RoundStock(query->value(1).toDouble());
            lot.entree = RoundStock(query->value(2).toDouble());
            lot.sortie = RoundStock(query->value(3).toDouble());
            lot.reste = RoundStock(lot.stock + lot.entree - lot.sortie);
            if (lot.reste != 0)
                m_lots.append(lot);
        }
    }
    m_lots.append(TLotPrix());
}

void TControleStock::ApplyMovement(Nature nature, double quantite, double pu)
{
    if (m_lastNature) {
        for (TLotPrix &lot : m_lots) {
            if (lot.pu != m_lastPu)
                continue;
            if (!IsExit(*m_lastNature))
                lot.entree -= m_lastQuantite;
            else
                lot.sortie -= m_lastQuantite;
        }
    }
    bool placed = false;
    for (int i = 0; i < m_lots.size(); ++i) {
        TLotPrix &lot = m_lots[i];
        const bool last = i == m_lots.size() - 1;
        if (lot.pu == pu || (last && !placed)) {
            if (!IsExit(nature))
                lot.entree += quantite;
            else
                lot.sortie += quantite;
            if (last)
                lot.pu = pu;
            placed = true;
        }
    }
    for (TLotPrix &lot : m_lots) {
        lot.reste = lot.stock + lot.entree - lot.sortie;
        if (lot.stock == 0 && lot.entree == 0 && lot.sortie == 0)
            lot.pu = 0;
    }
    m_lastNature = nature;
    m_lastPu = pu;
    m_lastQuantite = quantite;
}

QStringList TControleStock::lotHeader()
{
    return {QStringLiteral("Prix Unitaire"), QStringLiteral("Stock"), QStringLiteral("Entrée"),
            QStringLiteral("Sortie"), QStringLiteral("Reste")};
}

int TControleStock::lotGridRowCount() const { return std::max(int(m_lots.size()) + 1, 7); }

QStringList TControleStock::lotTexts(int lot) const
{
    if (lot < 0 || lot >= m_lots.size())
        return QStringList(5, QString());
    const TLotPrix &l = m_lots.at(lot);
    if (l.pu == 0 && l.stock == 0 && l.entree == 0 && l.sortie == 0 && l.reste == 0)
        return QStringList(5, QString());
    QStringList texts;
    for (double x : {l.pu, l.stock, l.entree, l.sortie, l.reste})
        texts << FormatMontantSaisie(x);
    return texts;
}

bool TControleStock::StockEpuise() const
{
    return std::any_of(m_lots.cbegin(), m_lots.cend(), [](const TLotPrix &l) { return l.reste < 0; });
}

std::optional<LotChoice> TControleStock::SelectLot(int lot) const
{
    if (lot < 0 || lot >= m_lots.size())
        return std::nullopt;
    const TLotPrix &l = m_lots.at(lot);
    double reste = l.reste;
    if (m_lastNature && l.pu == m_lastPu)
        reste += IsExit(*m_lastNature) ? m_lastQuantite : -m_lastQuantite;
    if (l.pu == 0 || reste == 0)
        return std::nullopt;
    return LotChoice{l.pu, reste};
}

} // namespace zelvane
