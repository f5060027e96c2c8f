#pragma once

#include <QString>
#include <QVector>

namespace zelvane {

class Tfdb;

// The category of the hospitalised staff, whose head-counts the day's staff list gives.
inline constexpr qint32 kHospitalisedCategory = 6;

// One consumer category of the file (pupils, teachers, staff at the shared table, guests, ...).
struct TCategorie
{
    qint32 code_categ = 0;
    qint32 index = 0; // position in the list, from 0, in code order
    QString lib_fr;
    QString lib_ar;
};

// The consumer categories of the connected file, in code order. Building it first puts right two labels
// that older files carry.
class TListeCategories
{
public:
    explicit TListeCategories(Tfdb &db);

    int Count() const { return int(m_categories.size()); }
    // nullptr when index is out of range.
    const TCategorie *GetCategorie(int index) const;
    // nullptr when no category has code.
    const TCategorie *FindCategorie(qint32 code) const;

private:
    QVector<TCategorie> m_categories;
};

} // namespace zelvane
