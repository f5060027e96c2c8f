#pragma once

#include <QSqlDatabase>
#include <QString>
#include <optional>

// Writes the rows of a test's small year by name, so that no test depends on the order of a table's
// columns. Each call runs at once; a refused statement fails the test.
class StoreFixture
{
public:
    explicit StoreFixture(const QSqlDatabase &db);

    // Empties the prepared file's article list and its movements.
    StoreFixture &noArticles();
    // An article with its price and its opening stock (quantity and price; no price when nullopt).
    StoreFixture &article(qint32 code, const QString &designation, double pu, double qt31dec = 0,
                          std::optional<double> pu31dec = 0.0, qint64 supplier = 0);
    StoreFixture &supplier(qint64 code, const QString &name);
    // The two suppliers the entry windows offer in the tests: 1 SARL EL BARAKA and 2 ETS BENALI.
    StoreFixture &usualSuppliers();
    // A movement on day ("YYYY-MM-DD").
    StoreFixture &movement(qint64 number, qint32 article, int nature, const QString &day, double quantite, double pu,
                           qint64 supplier = 0);

private:
    QSqlDatabase m_db;
};

// The year worked out by hand that the store's tests share. On 10/03/2009:
//   SUCRE (1): opening 10 at 85; before the day +20 at 90, -4 at 85; on the day +10 at 100, +1 at 120,
//              -3 at 90, -2 at 85, a nature 15 that counts nowhere; the day after +50.
//              Veille 26, Entrées 11, Sorties 5, Restes 32; values 2310, 1120, 440, 2990.
//   RIZ (3):   opening 5 with no price; on the day an exit of nature 20, 2 at 120.
//   HUILE (2), SUCRE GLACE (4) and CASSONADE (5) have no movement; a movement of article 99, which does
//   not exist, counts nowhere. Suppliers: the usual two.
void HandWorkedYear(StoreFixture &fixture);
