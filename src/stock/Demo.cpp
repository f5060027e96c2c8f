#include "stock/Demo.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "db/Natures.h"
#include "db/SqlFunctions.h"
#include "stock/ListeDenrees.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <cmath>
#include <deque>
#include <random>
#include <sqlite3.h>

namespace zelvane {

namespace {

const char *const kSuppliers[] = {
    "SARL EL BARAKA",     "ETS BENALI FRERES",  "EURL NOUR ALIMENTATION",  "BOULANGERIE DU CENTRE",
    "LAITERIE EL WIAM",   "BOUCHERIE MEDJDOUB", "COOPERATIVE AGRICOLE",    "SARL FRUITS ET LEGUMES",
    "ETS HAMIDI ET FILS", "EPE ONAB",           "SARL AMOUR DISTRIBUTION", "ENTREPRISE TIDJANI",
};

const char *const kTowns[] = {"BLIDA", "MEDEA", "TIPAZA", "BOUIRA"};

// Generated articles: a product and a packaging.
const char *const kProducts[] = {
    "CONSERVE TOMATE",
    "CONFITURE ABRICOT",
    "FROMAGE PORTION",
    "JUS DE FRUIT",
    "BISCUIT",
    "YAOURT",
    "THON",
    "SARDINES",
    "OLIVES",
    "PETITS POIS",
    "HARICOTS VERTS",
    "MAIS DOUX",
    "CAFE MOULU",
    "THE VERT",
    "LAIT EN POUDRE",
    "EPICES MELANGEES",
    "CANNELLE",
    "CUMIN",
    "PAPRIKA",
    "LEVURE",
    "VINAIGRE",
    "MOUTARDE",
    "MAYONNAISE",
    "KETCHUP",
};
const char *const kPackings[] = {"BOITE 400G", "BOITE 800G", "SACHET 1KG",  "CARTON",
                                 "BOCAL",      "BIDON 5L",   "PAQUET 500G", "LOT"};

struct Lot
{
    double pu;
    double quantite;
};

struct Article
{
    qint64 code = 0;
    double pu = 0;
    qint64 codeFour = 0;
    std::deque<Lot> lots; // oldest first: exits take from the front
    double stock = 0;
};

// Draws from a fixed-seed generator without the library's distributions, whose results may differ from
// one standard library to another.
class Draw
{
public:
    explicit Draw(std::uint32_t seed)
        : m_engine(seed)
    {
    }
    int between(int low, int high) { return low + int(m_engine() % std::uint32_t(high - low + 1)); }

private:
    std::mt19937 m_engine;
};

bool isSchoolDay(const QDate &d)
{
    // The week-end is Friday and Saturday; no meals in July and August.
    return d.dayOfWeek() != 5 && d.dayOfWeek() != 6 && d.month() != 7 && d.month() != 8;
}

double cents(double x) { return std::round(x * 100) / 100; }

// A prepared statement on the connection's own handle: a quarter of a million rows go in a couple of
// seconds, where binding through QSqlQuery costs several times more.
class Statement
{
public:
    Statement(const QSqlDatabase &db, const char *sql)
    {
        m_db = SqliteHandle(db);
        if (m_db && sqlite3_prepare_v2(m_db, sql, -1, &m_statement, nullptr) != SQLITE_OK)
            m_statement = nullptr;
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool ok() const { return m_statement != nullptr; }
    QString error() const
    {
        return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("no SQLite handle");
    }
    void bind(int i, qint64 v) { sqlite3_bind_int64(m_statement, i, v); }
    void bind(int i, double v) { sqlite3_bind_double(m_statement, i, v); }
    void bind(int i, const QByteArray &v)
    {
        sqlite3_bind_text(m_statement, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    void bindNull(int i) { sqlite3_bind_null(m_statement, i); }
    // Runs the statement and makes it ready for the next row; empty when it went in.
    QString step()
    {
        const int result = sqlite3_step(m_statement);
        sqlite3_reset(m_statement);
        return result == SQLITE_DONE ? QString() : error();
    }

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
};

class Filler
{
public:
    Filler(QSqlDatabase db, const DemoRequest &request, int year, int regime)
        : m_db(std::move(db))
        , m_request(request)
        , m_year(year)
        , m_regime(regime)
        , m_draw(std::uint32_t(20090726u + std::uint32_t(request.kind) * 7919u + std::uint32_t(year) * 104729u))
    {
    }

    QString run()
    {
        if (!m_db.transaction())
            return m_db.lastError().text();
        QString error = suppliers();
        if (error.isEmpty())
            error = articles();
        if (error.isEmpty())
            error = movements();
        if (error.isEmpty() && m_request.fillMore)
            error = m_request.fillMore(m_db, m_year, m_regime);
        if (!error.isEmpty()) {
            m_db.rollback();
            return error;
        }
        return m_db.commit() ? QString() : m_db.lastError().text();
    }

private:
    QString exec(QSqlQuery &query) { return query.exec() ? QString() : query.lastError().text(); }

    QString suppliers()
    {
        QSqlQuery insert(m_db);
        insert.prepare(
            QStringLiteral("insert into fournisseur (code_four, groupe, nom_prenom, adresse, ville, tel, n_regc,"
                           " codefisc, rsociale, specialite, montant_max) values (?,?,?,?,?,?,?,?,?,?,?)"));
        int code = 0;
        for (const char *name : kSuppliers) {
            ++code;
            insert.addBindValue(code);
            insert.addBindValue(QStringLiteral("A"));
            insert.addBindValue(QString::fromLatin1(name));
            insert.addBindValue(QStringLiteral("%1 RUE DES FRERES BOUADOU").arg(m_draw.between(1, 120)));
            insert.addBindValue(QString::fromLatin1(kTowns[code % 4]));
            insert.addBindValue(QStringLiteral("025 %1 %2").arg(m_draw.between(10, 99)).arg(m_draw.between(10, 99)));
            insert.addBindValue(QStringLiteral("09B%1").arg(m_draw.between(100000, 999999)));
            insert.addBindValue(QStringLiteral("0009%1").arg(m_draw.between(10000000, 99999999)));
            insert.addBindValue(QString::fromLatin1(name));
            insert.addBindValue(QStringLiteral("ALIMENTATION GENERALE"));
            insert.addBindValue(double(m_draw.between(5, 40)) * 100000);
            if (const QString error = exec(insert); !error.isEmpty())
                return error;
        }
        return {};
    }

    QString articles()
    {
        QSqlQuery read(m_db);
        if (!read.exec(QStringLiteral("select code_art, pu from articles order by code_art")))
            return read.lastError().text();
        while (read.next()) {
            Article a;
            a.code = read.value(0).toLongLong();
            a.pu = read.value(1).toDouble() > 0 ? read.value(1).toDouble() : 100;
            m_articles.push_back(a);
        }
        read.finish();
        const int wanted = m_request.articles > 0 ? m_request.articles : int(m_articles.size());
        if (wanted < int(m_articles.size())) {
            QSqlQuery cut(m_db);
            cut.prepare(QStringLiteral("delete from articles where code_art>?"));
            cut.addBindValue(m_articles.at(wanted - 1).code);
            if (const QString error = exec(cut); !error.isEmpty())
                return error;
            m_articles.resize(wanted);
        }
        QSqlQuery add(m_db);
        add.prepare(
            QStringLiteral("insert into articles (code_art, designation, pu, code_four, qt31dec, pu31dec, val31dec)"
                           " values (?,?,?,0,0,0,0)"));
        qint64 next = m_articles.empty() ? 1000 : std::max<qint64>(1000, m_articles.back().code + 1);
        const int products = int(std::size(kProducts));
        const int packings = int(std::size(kPackings));
        for (int i = int(m_articles.size()), n = 0; i < wanted; ++i, ++n) {
            Article a;
            a.code = next++;
            a.pu = double(m_draw.between(40, 2500));
            QString designation = QString::fromLatin1(kProducts[n % products]) + QLatin1Char(' ')
                                  + QString::fromLatin1(kPackings[(n / products) % packings]);
            if (n >= products * packings)
                designation += QStringLiteral(" N%1").arg(n / (products * packings) + 1);
            add.addBindValue(a.code);
            add.addBindValue(designation);
            add.addBindValue(a.pu);
            if (const QString error = exec(add); !error.isEmpty())
                return error;
            m_articles.push_back(a);
        }

        // The usual supplier, and an opening stock for about two articles out of three.
        QSqlQuery opening(m_db);
        opening.prepare(
            QStringLiteral("update articles set code_four=?, qt31dec=?, pu31dec=?, val31dec=? where code_art=?"));
        for (Article &a : m_articles) {
            a.codeFour = m_draw.between(1, int(std::size(kSuppliers)));
            double qt = 0, pu = 0;
            if (m_draw.between(0, 2) != 0) {
                qt = m_draw.between(10, 120);
                pu = cents(a.pu * 0.95);
                a.lots.push_back({pu, qt});
                a.stock = qt;
            }
            opening.addBindValue(a.codeFour);
            opening.addBindValue(qt);
            opening.addBindValue(pu);
            opening.addBindValue(qt * pu);
            opening.addBindValue(a.code);
            if (const QString error = exec(opening); !error.isEmpty())
                return error;
        }
        return {};
    }

    QString movements()
    {
        QVector<QDate> days;
        for (QDate d(m_year, 1, 1); d.year() == m_year; d = d.addDays(1)) {
            if (isSchoolDay(d))
                days << d;
        }
        if (m_articles.empty() || days.isEmpty())
            return {};
        Statement insert(m_db, "insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu, code_four,"
                               " num_bc, date_bc, num_bl, date_bl, obs) values (?,?,?,?,?,?,?,?,?,?,?,'')");
        if (!insert.ok())
            return insert.error();
        const qint64 total = std::max(0, m_request.movements);
        const qint64 dayCount = days.size();
        qint64 number = 0;
        qint64 order = 0;
        const QVector<Nature> meals = m_regime == 2 ? QVector<Nature>{Nature::PetitDejeuner, Nature::Dejeuner,
                                                                      Nature::Gouter, Nature::Diner}
                                                    : QVector<Nature>{Nature::Dejeuner, Nature::Sortie};
        for (qint64 i = 0; i < dayCount; ++i) {
            const QByteArray day = IsoDate(days.at(i)).toLatin1();
            const qint64 count = total * (i + 1) / dayCount - total * i / dayCount;
            for (qint64 k = 0; k < count; ++k) {
                Article &a = m_articles[std::size_t(m_draw.between(0, int(m_articles.size()) - 1))];
                // Deliveries come when the stock runs low, now and then earlier; an exit is a few units.
                const bool entry = a.stock < 8 || m_draw.between(0, 39) == 0;
                insert.bind(1, ++number);
                insert.bind(2, a.code);
                insert.bind(4, day);
                if (entry) {
                    static const double kPriceSteps[] = {0.95, 1.0, 1.0, 1.05, 1.1};
                    const double quantite = m_draw.between(40, 400) / 2.0;
                    const double pu = cents(a.pu * kPriceSteps[m_draw.between(0, 4)]);
                    a.lots.push_back({pu, quantite});
                    a.stock += quantite;
                    const qint64 codeFour = m_draw.between(0, 3) == 0
                                                ? qint64(m_draw.between(1, int(std::size(kSuppliers))))
                                                : a.codeFour;
                    ++order;
                    insert.bind(3, qint64(kNatureEntree));
                    insert.bind(5, quantite);
                    insert.bind(6, pu);
                    insert.bind(7, codeFour);
                    insert.bind(8, order);
                    insert.bind(9, day);
                    insert.bind(10, order);
                    insert.bind(11, day);
                } else {
                    const Nature nature = meals.at(m_draw.between(0, int(meals.size()) - 1));
                    Lot &lot = a.lots.front();
                    const double quantite = std::min(lot.quantite, m_draw.between(1, 20) / 2.0);
                    const double pu = lot.pu;
                    lot.quantite -= quantite;
                    a.stock -= quantite;
                    if (lot.quantite <= 0)
                        a.lots.pop_front();
                    insert.bind(3, qint64(StoredNature(nature)));
                    insert.bind(5, quantite);
                    insert.bind(6, pu);
                    insert.bind(7, qint64(0));
                    for (int column : {8, 9, 10, 11})
                        insert.bindNull(column);
                }
                if (const QString error = insert.step(); !error.isEmpty())
                    return error;
            }
        }
        // The last price of each article, as posting the movements would have left it.
        QSqlQuery price(m_db);
        if (!price.exec(QStringLiteral(
                "update articles set pu=coalesce((select s.pu from stock s where s.code_art=articles.code_art"
                " and s.pu<>0 order by s.num_mvt desc limit 1), pu)")))
            return price.lastError().text();
        return {};
    }

    QSqlDatabase m_db;
    const DemoRequest &m_request;
    int m_year;
    int m_regime;
    Draw m_draw;
    std::vector<Article> m_articles;
};

} // namespace

NewFileResult MakeDemoFile(const DemoRequest &request)
{
    if (request.articles < 0 || request.movements < 0)
        return {QString(), QStringLiteral("the numbers of articles and movements cannot be negative")};
    NewFileRequest fileRequest = request;
    // The year is filled in the work file, so that a demo stopped halfway leaves nothing under its name.
    fileRequest.fill = [&request](const QString &path) {
        const QString connection = QStringLiteral("zelvane-demo");
        QString error;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path);
            if (!db.open()) {
                error = db.lastError().text();
            } else {
                int regime = request.kind == 1 ? 1 : 2;
                QSqlQuery options(db);
                if (options.exec(QStringLiteral("select regime from options")) && options.next()
                    && !options.value(0).isNull())
                    regime = options.value(0).toInt();
                options.finish();
                error = Filler(db, request, request.year.trimmed().toInt(), regime).run();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
        return error;
    };
    Tfdb db;
    return CreateManagementFile(db, fileRequest);
}

} // namespace zelvane
