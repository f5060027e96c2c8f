#include "OlderFiles.h"

#include "TestHome.h"

#include <QSqlDatabase>
#include <QtTest>

void MakeDatabase(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make-database"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        // One transaction: thousands of rows in the time of one.
        db.transaction();
        for (const QString &sql : statements)
            ExecSql(db, sql);
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make-database"));
}

QString OlderFile(const QString &path, const QString &tag)
{
    QStringList pn;
    for (int meal = 1; meal <= 4; ++meal) {
        for (int category = 1; category <= 7; ++category)
            pn << QStringLiteral("PN%1%2 INTEGER").arg(meal).arg(category);
    }
    const bool june = tag == QLatin1String("ZELVANE-2009-06-06");
    QStringList tables = {
        QStringLiteral("create table version (version text)"),
        QStringLiteral("insert into version values ('%1')").arg(tag),
        QStringLiteral("create table users (username char(30) primary key, password char(8), priorite char(1))"),
        QStringLiteral("create table articles (CODE_ART INTEGER PRIMARY KEY, DESIGNATION TEXT, PU DOUBLE, "
                       "CODE_FOUR INTEGER, QT31DEC DOUBLE, %1 VAL31DEC DOUBLE)")
            .arg(june ? QStringLiteral("PU31DEC DOUBLE,") : QString()),
        QStringLiteral("create table fournisseur (code_four INTEGER PRIMARY KEY, nom_prenom TEXT, adresse TEXT)"),
        QStringLiteral("create table factures (CODE_FOUR INTEGER, NUM_FACTURE INTEGER, DATE_FACTURE DATE, "
                       "PERIODE_DU DATE, PERIODE_AU DATE, OBS TEXT)"),
        QStringLiteral("create table stock (NUM_MVT INTEGER, CODE_ART INTEGER, NAT_OP SMALLINT, DATE_OP DATE, "
                       "QUANTITE DOUBLE, PU DOUBLE, CODE_FOUR INTEGER, OBS TEXT)"),
        QStringLiteral("create table menus (date_menu DATE, menu1 TEXT, menu2 TEXT, menu3 TEXT, menu4 TEXT, %1)")
            .arg(pn.join(QStringLiteral(", "))),
        QStringLiteral("create table MENU_HOSPITALISE (date_menu DATE, num_ord INTEGER, nom TEXT, m1 INTEGER, "
                       "m2 INTEGER, m3 INTEGER)"),
    };
    if (tag != QLatin1String("ZELVANE-2008-11-01"))
        tables << QStringLiteral("create table etat_mensuel (mois SMALLINT, dep_mois DOUBLE)");
    if (tag == QLatin1String("ZELVANE-2009-05-01"))
        tables << QStringLiteral("create table options (gestion INTEGER, langue TEXT, faita TEXT)");
    if (june)
        tables << QStringLiteral("create table options (organisme INTEGER, gestion INTEGER, langue TEXT, faita TEXT)")
               << QStringLiteral("create table categories (code_categ INTEGER, lib_fr TEXT, lib_ar TEXT)")
               << QStringLiteral("create table menu_effect (date_menu DATE, code_categ INTEGER, m1 INTEGER, "
                                 "m2 INTEGER, m3 INTEGER, m4 INTEGER)")
               << QStringLiteral("create table menu_liste (date_menu DATE, code_categ INTEGER, num_ord INTEGER, "
                                 "nom TEXT, m1 INTEGER, m2 INTEGER, m3 INTEGER, m4 INTEGER)")
               << QStringLiteral("create table menu_liste_defaut (code_categ INTEGER, num_ord INTEGER, nom TEXT, "
                                 "m1 INTEGER, m2 INTEGER, m3 INTEGER, m4 INTEGER)")
               << QStringLiteral("create table menu_menu (date_menu DATE, menu1 TEXT, menu2 TEXT, menu3 TEXT, "
                                 "menu4 TEXT)");
    MakeDatabase(path, tables);
    return path;
}
