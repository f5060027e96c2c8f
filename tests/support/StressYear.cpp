#include "StressYear.h"

#include "TestHome.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

// A text of exactly length characters: base, then base's own letters again.
QString fullLength(const QString &base, int length)
{
    QString text = base;
    while (text.size() < length)
        text += QLatin1Char(' ') + base;
    return text.left(length).trimmed().leftJustified(length, QLatin1Char('W'));
}

void insert(const QSqlDatabase &db, const QString &sql, const QVariantList &values)
{
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    QVERIFY2(query.exec(), qPrintable(sql + QStringLiteral(": ") + query.lastError().text()));
}

} // namespace

void StressYear(const QSqlDatabase &database)
{
    QSqlDatabase db = database;
    db.transaction();
    for (const char *table : {"stock", "articles", "fournisseur", "factures", "menu_menu", "menu_effect", "menu_liste"})
        ExecSql(db, QStringLiteral("delete from %1").arg(QString::fromLatin1(table)));

    const QString day = kStressDay.toString(Qt::ISODate);
    int movement = 0;
    for (int code = 1; code <= 90; ++code) {
        const QString designation = fullLength(
            QStringLiteral("HARICOTS BLANCS SECS EN SACS %1 KG").arg(code, 2, 10, QLatin1Char('0')), 50);
        // Article 1 holds the largest stock value a column is made for; the others a plausible one.
        const double qt31dec = code == 1 ? 99999.99 : 5000 + code;
        const double pu31dec = code == 1 ? 10000.0001 : 150 + code;
        insert(db,
               QStringLiteral("insert into articles (code_art, designation, pu, code_four, qt31dec, pu31dec, val31dec)"
                              " values (?, ?, ?, 1, ?, ?, ?)"),
               {code, designation, pu31dec, qt31dec, pu31dec, code == 1 ? 999999999.99 : qt31dec * pu31dec});
        // An entry and an exit on the day; article 2 goes out beyond its stock, the others are each worth
        // 1000 times their code and 0.0065, which the cent rounds up.
        insert(db,
               QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu, code_four, num_bc,"
                              " date_bc, num_bl, date_bl) values (?, ?, 10, ?, ?, ?, 1, ?, ?, ?, ?)"),
               {++movement, code, day, 1234.567 + code, 987.654 + code, 999999990 + code % 10, "2009-03-07",
                999999990 + code % 10, day});
        insert(db,
               QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu) values (?, ?, ?, ?,"
                              " ?, ?)"),
               {++movement, code, 20 + code % 5, day, code == 2 ? 99999.0 : 0.5,
                code == 2 ? pu31dec : 2000.0 * code + 0.013});
    }
    // Every other day of March: one exit per meal, so that the month's statements have a line each day.
    for (int d = 1; d <= 31; ++d) {
        const QString other = QDate(2009, 3, d).toString(Qt::ISODate);
        if (d != kStressDay.day()) {
            for (int nature : {21, 22, 24})
                insert(db,
                       QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu) values (?,"
                                      " ?, ?, ?, ?, ?)"),
                       {++movement, 3 + d, nature, other, 12.345 * d, 321.987});
        }
        insert(db,
               QStringLiteral("insert into menu_menu (date_menu, menu1, menu2, menu3, menu4) values (?, ?, ?, ?, ?)"),
               {other, fullLength(QStringLiteral("CAFE AU LAIT PAIN BEURRE CONFITURE"), 250),
                fullLength(QStringLiteral("COUSCOUS AUX LEGUMES VIANDE DE MOUTON SALADE"), 250),
                fullLength(QStringLiteral("GATEAU JUS D'ORANGE"), 250),
                fullLength(QStringLiteral("SOUPE DE LENTILLES POULET ROTI FRITES FRUIT"), 250)});
        for (int category = 1; category <= 7; ++category)
            insert(db,
                   QStringLiteral("insert into menu_effect (date_menu, code_categ, m1, m2, m3, m4) values (?, ?, ?, ?,"
                                  " ?, ?)"),
                   {other, category, 9000 + category, 9900 + category + d, 9500 + category, 9800 + category});
    }
    for (int n = 1; n <= 30; ++n)
        insert(db,
               QStringLiteral("insert into menu_liste (date_menu, code_categ, num_ord, nom, m1, m2, m3, m4) values (?,"
                              " 6, ?, ?, 1, 1, 0, 1)"),
               {day, n, fullLength(QStringLiteral("BENABDELMOUMENE ABDELHAMID MOHAMED EL HADI"), 50)});

    insert(
        db,
        QStringLiteral("insert into fournisseur (code_four, nom_prenom, adresse, tel, fax, n_regc, codefisc, rsociale,"
                       " code_banque, code_agence, num_compte, cle_controle) values (1, ?, ?, ?, ?, ?, ?, ?, '001',"
                       " '00123', '0123456789', '12')"),
        {fullLength(QStringLiteral("ETABLISSEMENT BOUABDELLAH ET FILS DISTRIBUTION"), 50),
         fullLength(QStringLiteral("CITE 1200 LOGEMENTS BT 14 BOUMERDES"), 40), QStringLiteral("(024) 81 99 99"),
         QStringLiteral("(024) 81 99 98"), QStringLiteral("16/00-0999999B99 999"),
         QStringLiteral("099916000999999 9999"),
         fullLength(QStringLiteral("SARL ETABLISSEMENT BOUABDELLAH ET FILS"), 50)});
    for (int code = 2; code <= 41; ++code)
        insert(db,
               QStringLiteral("insert into fournisseur (code_four, nom_prenom, adresse, code_banque, code_agence,"
                              " num_compte, cle_controle) values (?, ?, ?, '001', '00123', '0123456789', '12')"),
               {code, fullLength(QStringLiteral("FOURNISSEUR %1 ALIMENTATION GENERALE").arg(code), 50),
                fullLength(QStringLiteral("RUE %1 ZONE INDUSTRIELLE").arg(code), 40)});
    insert(
        db,
        QStringLiteral("insert into factures (code_four, num_facture, date_facture, periode_du, periode_au, tva) values"
                       " (1, 1, '2009-03-31', '2009-03-01', '2009-03-31', 17)"),
        {});
    db.commit();
}
