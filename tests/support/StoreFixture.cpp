#include "StoreFixture.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

void run(QSqlQuery &query)
{
    QVERIFY2(query.exec(), qPrintable(query.lastQuery() + QStringLiteral(": ") + query.lastError().text()));
}

} // namespace

StoreFixture::StoreFixture(const QSqlDatabase &db)
    : m_db(db)
{
}

StoreFixture &StoreFixture::noArticles()
{
    for (const char *sql : {"delete from stock", "delete from articles"}) {
        QSqlQuery query(m_db);
        query.prepare(QString::fromLatin1(sql));
        run(query);
    }
    return *this;
}

StoreFixture &StoreFixture::article(qint32 code, const QString &designation, double pu, double qt31dec,
                                    std::optional<double> pu31dec, qint64 supplier)
{
    QSqlQuery query(m_db);
    query.prepare(
        QStringLiteral("insert into articles (code_art, designation, pu, code_four, qt31dec, pu31dec, val31dec)"
                       " values (?, ?, ?, ?, ?, ?, 0)"));
    query.addBindValue(code);
    query.addBindValue(designation);
    query.addBindValue(pu);
    query.addBindValue(supplier);
    query.addBindValue(qt31dec);
    query.addBindValue(pu31dec ? QVariant(*pu31dec) : QVariant());
    run(query);
    return *this;
}

StoreFixture &StoreFixture::supplier(qint64 code, const QString &name)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("insert into fournisseur (code_four, nom_prenom) values (?, ?)"));
    query.addBindValue(code);
    query.addBindValue(name);
    run(query);
    return *this;
}

StoreFixture &StoreFixture::usualSuppliers()
{
    return supplier(1, QStringLiteral("SARL EL BARAKA")).supplier(2, QStringLiteral("ETS BENALI"));
}

StoreFixture &StoreFixture::movement(qint64 number, qint32 article, int nature, const QString &day, double quantite,
                                     double pu, qint64 supplier)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu, code_four)"
                                 " values (?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant &v : {QVariant(number), QVariant(article), QVariant(nature), QVariant(day), QVariant(quantite),
                              QVariant(pu), QVariant(supplier)})
        query.addBindValue(v);
    run(query);
    return *this;
}

void HandWorkedYear(StoreFixture &f)
{
    f.noArticles()
        .article(1, QStringLiteral("SUCRE"), 90, 10, 85, 1)
        .article(2, QStringLiteral("HUILE"), 130)
        .article(3, QStringLiteral("RIZ"), 120, 5, std::nullopt)
        .article(4, QStringLiteral("SUCRE GLACE"), 200)
        .article(5, QStringLiteral("CASSONADE"), 150)
        .usualSuppliers()
        .movement(1, 1, 10, QStringLiteral("2009-03-09"), 20, 90)
        .movement(2, 1, 22, QStringLiteral("2009-03-09"), 4, 85)
        .movement(3, 1, 10, QStringLiteral("2009-03-10"), 10, 100)
        .movement(4, 1, 10, QStringLiteral("2009-03-10"), 1, 120)
        .movement(5, 1, 21, QStringLiteral("2009-03-10"), 3, 90)
        .movement(6, 1, 24, QStringLiteral("2009-03-10"), 2, 85)
        .movement(7, 1, 10, QStringLiteral("2009-03-11"), 50, 90)
        .movement(8, 1, 15, QStringLiteral("2009-03-10"), 7, 90)
        .movement(9, 3, 20, QStringLiteral("2009-03-10"), 2, 120)
        .movement(10, 99, 10, QStringLiteral("2009-03-10"), 5, 10);
}
