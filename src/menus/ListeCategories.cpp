#include "menus/ListeCategories.h"

#include "db/DataModule.h"

namespace zelvane {

TListeCategories::TListeCategories(Tfdb &db)
{
    // Idempotent, and passed over when the labels are not the old ones (or the file is read-only).
    db.Execute(
        QStringLiteral("update categories set lib_fr='Enseignants' where code_categ=3 and lib_fr='Maitres (1)'"));
    db.Execute(QStringLiteral(
        "update categories set lib_fr='Adjoint d''éducation' where code_categ=4 and lib_fr='Maitres au pair'"));
    if (auto query = db.GetQuery(QStringLiteral("select * from categories order by code_categ"))) {
        while (query->next()) {
            TCategorie c;
            c.code_categ = qint32(query->value(QStringLiteral("code_categ")).toLongLong());
            c.index = qint32(m_categories.size());
            c.lib_fr = query->value(QStringLiteral("lib_fr")).toString();
            c.lib_ar = query->value(QStringLiteral("lib_ar")).toString();
            m_categories.append(c);
        }
    }
}

const TCategorie *TListeCategories::GetCategorie(int index) const
{
    return index >= 0 && index < m_categories.size() ? &m_categories.at(index) : nullptr;
}

const TCategorie *TListeCategories::FindCategorie(qint32 code) const
{
    for (const TCategorie &c : m_categories) {
        if (c.code_categ == code)
            return &c;
    }
    return nullptr;
}

} // namespace zelvane
