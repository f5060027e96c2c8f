#include "menus/MenusModule.h"

#include "common/Failure.h"
#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Transaction.h"
#include "menus/HeadCountGrid.h"
#include "menus/ListeCategories.h"

#include <QSqlError>
#include <QSqlQuery>

namespace zelvane {

namespace {

QString dayCondition(const QDate &day) { return QStringLiteral(" where date_menu=") + SqlDate(day); }

void checkLength(const Dataset &d, const QString &field, const QString &caption)
{
    const int size = d.fields().at(d.fieldIndex(field)).size;
    const int length = int(d.textValue(field).size());
    if (size > 0 && length > size)
        throw DatabaseError(QStringLiteral("« %1 » a %2 caractères : %3 au plus. Raccourcissez le texte.")
                                .arg(caption)
                                .arg(length)
                                .arg(size));
}

} // namespace

QStringList MenuCaptions()
{
    return {QStringLiteral("Menu : Petit Déjeuner"), QStringLiteral("Menu : Déjeuner"), QStringLiteral("Menu : Gouter"),
            QStringLiteral("Menu : Dîner")};
}

MenusModule::MenusModule(Tfdb &db)
    : Module(db)
    , db_categories(db.addDataset(QStringLiteral("categories"), QStringLiteral("code_categ")))
    , db_menu_menu(db.addDataset(QStringLiteral("menu_menu"), QStringLiteral("date_menu")))
    , db_menu_effect(db.addDataset(QStringLiteral("menu_effect"), QStringLiteral("date_menu;code_categ")))
    , db_menu_liste(db.addDataset(QStringLiteral("menu_liste"), QStringLiteral("date_menu;code_categ;num_ord")))
{
    // Opening a file reads no day; the selected one is shown once the session starts.
    for (Dataset *d : {db_menu_menu, db_menu_effect, db_menu_liste})
        d->setFilter(QStringLiteral("0=1"), true);
    attachRules();
    connect(&db, &Tfdb::daySelected, this, &MenusModule::showDay);
}

MenusModule::~MenusModule() = default;

void MenusModule::attachRules()
{
    db_menu_effect->addCalculatedField(QStringLiteral("lib"), FieldType::Text, [this](const Dataset &d) -> QVariant {
        const TCategorie *c = m_categories
                                  ? m_categories->FindCategorie(qint32(d.intValue(QStringLiteral("code_categ"))))
                                  : nullptr;
        return c ? c->lib_fr : QString();
    });
    m_rules.push_back(db_menu_menu->newRecord.subscribe([this](Dataset &d) {
        d.setValue(QStringLiteral("date_menu"), m_db.selectedDay());
        for (int i = 1; i <= kMeals; ++i)
            d.setValue(QStringLiteral("menu%1").arg(i), QString());
    }));
    m_rules.push_back(db_menu_effect->newRecord.subscribe([this](Dataset &d) {
        d.setValue(QStringLiteral("date_menu"), m_db.selectedDay());
        d.setValue(QStringLiteral("code_categ"), 1);
        for (int i = 1; i <= kMeals; ++i)
            d.setValue(QStringLiteral("m%1").arg(i), 0);
    }));
    m_rules.push_back(db_menu_liste->newRecord.subscribe([this](Dataset &d) {
        const QDate day = m_db.selectedDay();
        d.setValue(QStringLiteral("num_ord"), NextStaffNumber(day));
        d.setValue(QStringLiteral("date_menu"), day);
        d.setValue(QStringLiteral("code_categ"), kHospitalisedCategory);
        d.setValue(QStringLiteral("nom"), QString());
        for (int i = 1; i <= kMeals; ++i)
            d.setValue(QStringLiteral("m%1").arg(i), 0);
    }));
    // Whatever window or script posts them, texts fit their columns (the engine would not cut them) and
    // counts are whole numbers a canteen can have; a refusal says why and keeps what was typed.
    m_rules.push_back(db_menu_menu->beforePost.subscribe([](Dataset &d) {
        const QStringList captions = MenuCaptions();
        for (int i = 1; i <= kMeals; ++i)
            checkLength(d, QStringLiteral("menu%1").arg(i), captions.at(i - 1));
    }));
    m_rules.push_back(db_menu_liste->beforePost.subscribe([](Dataset &d) {
        const QString nom = d.textValue(QStringLiteral("nom"));
        if (nom.trimmed().isEmpty())
            throw DatabaseError(QStringLiteral("Personne refusée : le nom et les prénoms sont à saisir."));
        checkLength(d, QStringLiteral("nom"), QStringLiteral("Nom et Prénoms"));
        if (nom != nom.toUpper())
            d.setValue(QStringLiteral("nom"), nom.toUpper());
        for (int i = 1; i <= kMeals; ++i) {
            const QVariant v = d.value(QStringLiteral("m%1").arg(i));
            if (!v.isNull() && (v.toLongLong() < 0 || v.toLongLong() > kMaxHeadCount))
                throw DatabaseError(QStringLiteral("Personne refusée : le nombre de repas doit être entre 0 et %1.")
                                        .arg(kMaxHeadCount));
        }
    }));
}

void MenusModule::connected()
{
    m_categories = std::make_unique<TListeCategories>(m_db);
    IgnoreFailure("categories after their labels", [this] {
        if (db_categories->isActive())
            db_categories->refresh();
    });
    showDay();
}

void MenusModule::disconnected()
{
    m_categories.reset();
    // A disconnection must end whatever state the file is in (a table gone, say).
    IgnoreFailure("menu datasets emptied at disconnection", [this] {
        for (Dataset *d : {db_menu_menu, db_menu_effect, db_menu_liste})
            d->setFilter(QStringLiteral("0=1"), true);
    });
}

std::unique_ptr<TMenuJour> MenusModule::MenuJour(const QDate &day) const
{
    if (!m_categories)
        return nullptr;
    return std::make_unique<TMenuJour>(m_db, *m_categories, day);
}

void MenusModule::showDay()
{
    if (!m_db.hasSession())
        return;
    const QString condition = QStringLiteral("date_menu=") + SqlDate(m_db.selectedDay());
    for (Dataset *d : {db_menu_menu, db_menu_effect, db_menu_liste}) {
        if (!d->isActive() || d->isEditing())
            continue;
        // Read even when the day is the same: what another window wrote for it is shown.
        IgnoreFailure("menus of the day", [&] { d->setFilter(condition, true); });
    }
    emit menuChanged();
}

void MenusModule::refreshDayDatasets()
{
    for (Dataset *d : {db_menu_menu, db_menu_effect, db_menu_liste}) {
        if (d->isActive() && !d->isEditing())
            IgnoreFailure("menus of the day after a change", [d] { d->refresh(); });
    }
}

void MenusModule::DeleteDay(const QDate &day)
{
    const QString condition = dayCondition(day);
    // Each goes in even when another fails.
    m_db.Execute(QStringLiteral("delete from menu_menu ") + condition);
    m_db.Execute(QStringLiteral("delete from menu_effect ") + condition);
    m_db.Execute(QStringLiteral("delete from menu_liste ") + condition);
    refreshDayDatasets();
    emit menuChanged();
}

void MenusModule::SaveDefaultList(const QDate &day)
{
    m_db.Execute(QStringLiteral(" delete from menu_liste_defaut"));
    m_db.Execute(
        QStringLiteral(" insert into menu_liste_defaut select code_categ,num_ord,nom,m1,m2,m3,m4 from menu_liste")
        + dayCondition(day) + QStringLiteral(" order by code_categ,num_ord;"));
}

void MenusModule::RestoreDefaultList(const QDate &day)
{
    m_db.Execute(QStringLiteral(" delete from menu_liste") + dayCondition(day));
    m_db.Execute(QStringLiteral(" insert into menu_liste select %1 as date_menu,x.code_categ as code_categ,"
                                "x.num_ord as num_ord,x.nom as nom,x.m1 as m1,x.m2 as m2,x.m3 as m3,x.m4 as m4"
                                " from menu_liste_defaut x;")
                     .arg(SqlDate(day)));
    refreshDayDatasets();
}

bool MenusModule::CarryStaffTotals(const QDate &day)
{
    auto query = m_db.GetQuery(
        QStringLiteral(" select code_categ,sum(m1) as tm1,sum(m2) as tm2,sum(m3) as tm3,sum(m4) as tm4 from menu_liste")
        + dayCondition(day) + QStringLiteral(" group by code_categ"));
    if (!query || !query->next())
        return false;
    // The rows made here all belong to the hospitalised category: the first group is the list.
    const qint64 code = query->value(0).toLongLong();
    std::array<qint64, kMeals> sums{};
    for (int i = 0; i < kMeals; ++i)
        sums[i] = qint64(NumberFromSql(query->value(i + 1)).value_or(0));
    query.reset();
    if (code <= 0)
        return false;
    QSqlQuery write(m_db.database());
    write.prepare(QStringLiteral("insert into menu_effect (date_menu, code_categ, m1, m2, m3, m4) values (?,?,?,?,?,?)"
                                 " on conflict (date_menu, code_categ) do update set m1=excluded.m1, m2=excluded.m2,"
                                 " m3=excluded.m3, m4=excluded.m4"));
    write.addBindValue(IsoDate(day));
    write.addBindValue(code);
    for (qint64 s : sums)
        write.addBindValue(s);
    IgnoreFailure("staff totals into the head-counts", [&] {
        Transaction unit(m_db.database());
        if (!write.exec())
            throw DatabaseError(write.lastError().text());
        unit.commit();
    });
    refreshDayDatasets();
    emit menuChanged();
    return true;
}

qint64 MenusModule::NextStaffNumber(const QDate &day) const
{
    qint64 next = 1;
    if (auto query = m_db.GetQuery(QStringLiteral(" select max(num_ord) as new from menu_liste") + dayCondition(day)
                                   + QStringLiteral(" and code_categ=%1").arg(kHospitalisedCategory));
        query && query->next() && !query->value(0).isNull())
        next = query->value(0).toLongLong() + 1;
    return next;
}

} // namespace zelvane
