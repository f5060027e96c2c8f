#include "stock/ListeDenrees.h"

#include "common/Format.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "db/SqlFunctions.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <limits>
#include <sqlite3.h>
#include <string>
#include <tuple>
#include <vector>

namespace zelvane {

namespace {

// DATE_OP placed among the days of one year as SQLite compares it with the ISO text of a day: 2n for the
// text of the n-th day of the year, an odd number for anything between two days (1 before the first day,
// numbers included; 2 * days + 1 after the last, blobs included). Finding a day and the movements before
// it then compares integers.
class DayKeys
{
public:
    explicit DayKeys(int year)
        : m_year(year)
        , m_days(QDate(year, 12, 31).dayOfYear())
    {
        for (int month = 1; month <= 12; ++month) {
            const QDate first(year, month, 1);
            m_monthStart[month] = first.dayOfYear() - 1;
            m_monthLength[month] = first.daysInMonth();
        }
    }

    static int of(const QDate &day) { return 2 * day.dayOfYear(); }

    // The key of a value that is not NULL.
    int of(sqlite3_value *value)
    {
        switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return 1;
        case SQLITE_BLOB:
            return 2 * m_days + 1;
        default:
            break;
        }
        const char *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
        const int size = sqlite3_value_bytes(value);
        // Consecutive movements of an article mostly share their day.
        if (m_lastKey == 0 || m_lastText.compare(0, std::string::npos, text, std::size_t(size)) != 0) {
            m_lastText.assign(text, std::size_t(size));
            m_lastKey = ofText(text, size);
        }
        return m_lastKey;
    }

private:
    int ofText(const char *text, int size)
    {
        auto digits = [text](int from, int count) {
            int value = 0;
            for (int i = from; i < from + count; ++i) {
                if (text[i] < '0' || text[i] > '9')
                    return -1;
                value = value * 10 + (text[i] - '0');
            }
            return value;
        };
        if (size == 10 && text[4] == '-' && text[7] == '-') {
            const int year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
            // Fixed-width digits compare as the numbers they write.
            if (year >= 0 && month >= 0 && day >= 0) {
                if (year != m_year)
                    return year < m_year ? 1 : 2 * m_days + 1;
                if (month >= 1 && month <= 12 && day >= 1 && day <= m_monthLength[month])
                    return 2 * (m_monthStart[month] + day);
            }
        }
        // Any other text: its place among the texts of the year's days, compared byte by byte as SQLite does.
        if (m_dayTexts.isEmpty()) {
            for (QDate d(m_year, 1, 1); d.year() == m_year; d = d.addDays(1))
                m_dayTexts << IsoDate(d).toLatin1();
        }
        const QByteArray value = QByteArray::fromRawData(text, size);
        const auto place = std::lower_bound(m_dayTexts.cbegin(), m_dayTexts.cend(), value);
        const int before = int(place - m_dayTexts.cbegin());
        return place != m_dayTexts.cend() && *place == value ? 2 * (before + 1) : 2 * before + 1;
    }

    int m_year;
    int m_days;
    int m_monthStart[13] = {};
    int m_monthLength[13] = {};
    std::string m_lastText;
    int m_lastKey = 0; // of m_lastText; 0 before the first text
    QByteArrayList m_dayTexts;
};

// Which sums NAT_OP puts a movement in, as "nat_op=10" and "nat_op>=20" compare it: a text is above
// every number.
enum class Sens { Aucun, Entree, Sortie };

Sens sensOf(sqlite3_value *value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return Sens::Aucun;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
        return Sens::Sortie;
    default:
        break;
    }
    const double nature = sqlite3_value_double(value);
    return nature == kNatureEntree ? Sens::Entree : nature >= kNatureSortie ? Sens::Sortie : Sens::Aucun;
}

// One movement as the sums need it.
struct Movement
{
    qint64 code = 0;
    qint64 number = 0;
    int day = 0;
    Sens sens = Sens::Aucun;
    bool hasQuantite = false;
    bool hasPu = false;
    double quantite = 0;
    double pu = 0;

    bool operator<(const Movement &other) const
    {
        return std::tie(code, day, number) < std::tie(other.code, other.day, other.number);
    }
};

// The SQL function the movements are read through, and the type of the pointer to the reader it feeds.
constexpr auto kReaderFunction = "zelvane_movement";
constexpr auto kReaderType = "zelvane-movement-reader";

// A column read into target; NULL or unreadable leaves target as it was.
void readDouble(const QSqlQuery &query, int column, double &target)
{
    if (column < 0)
        return;
    if (const auto x = NumberFromSql(query.value(column)))
        target = *x;
}

} // namespace

void TDenree::clearValues()
{
    const qint32 code = code_art;
    *this = TDenree();
    code_art = code;
}

TListeDenrees::TListeDenrees(Tfdb &db)
    : m_db(db)
{
}

TListeDenrees::~TListeDenrees() { Clear(); }

void TListeDenrees::Clear()
{
    m_denrees.clear();
    m_index.clear();
    m_days.clear();
    m_year = 0;
}

TDenree *TListeDenrees::FindDenree(qint32 code)
{
    const auto it = m_index.constFind(code);
    return it == m_index.cend() ? nullptr : &m_denrees[*it];
}

const TDenree *TListeDenrees::FindDenree(qint32 code) const
{
    const auto it = m_index.constFind(code);
    return it == m_index.cend() ? nullptr : &m_denrees.at(*it);
}

TDenree &TListeDenrees::denreeFor(qint32 code)
{
    if (TDenree *d = FindDenree(code))
        return *d;
    TDenree d;
    d.code_art = code;
    m_index.insert(code, int(m_denrees.size()));
    m_denrees.append(d);
    m_days.append(ArticleDays());
    return m_denrees.last();
}

QString TListeDenrees::articleStatement(qint32 code) const
{
    QString sql = QStringLiteral(" select * from articles");
    if (code != -1)
        sql += QStringLiteral(" where code_art=") + QString::number(code);
    return sql + QStringLiteral(" order by code_art");
}

QString TListeDenrees::movementStatement(qint32 code) const
{
    // A scan of the index on (CODE_ART, DATE_OP, NUM_MVT, ...) gives the movements in the order the sums
    // have always been made in.
    QString sql = QStringLiteral(" select %1(?1, code_art, date_op, nat_op, quantite, pu, num_mvt) from stock")
                      .arg(QLatin1String(kReaderFunction));
    if (code != -1)
        sql += QStringLiteral(" where code_art=") + QString::number(code);
    return sql;
}

void TListeDenrees::SetDate(const QDate &day)
{
    m_dateJour = m_db.ValidateDate(day);
    if (m_year != m_dateJour.year() || fileState() != m_fileState) {
        Calculate(-1);
        return;
    }
    for (int i = 0; i < m_denrees.size(); ++i)
        applyDay(i);
    sumTotals();
}

void TListeDenrees::Calculate(qint32 code)
{
    const int year = m_db.ValidateDate(m_dateJour).year();
    if (code == -1 || year != m_year) {
        Clear();
        m_fileState = fileState();
        m_year = year;
        readArticles(-1);
        readMovements(-1);
        for (int i = 0; i < m_denrees.size(); ++i)
            applyDay(i);
    } else {
        readArticles(code);
        readMovements(code);
        if (const auto it = m_index.constFind(code); it != m_index.cend())
            applyDay(*it);
        // This connection's changes are taken to be those of this article; another connection's still
        // call for a full read.
        m_fileState.ownChanges = fileState().ownChanges;
    }
    sumTotals();
}

void TListeDenrees::readArticles(qint32 code)
{
    auto query = m_db.GetQuery(articleStatement(code));
    if (!query)
        return;
    const QSqlRecord record = query->record();
    const int codeColumn = record.indexOf(QStringLiteral("CODE_ART"));
    const int qtColumn = record.indexOf(QStringLiteral("QT31DEC"));
    const int puColumn = record.indexOf(QStringLiteral("PU31DEC"));
    while (query->next()) {
        bool ok = false;
        const qint32 articleCode = qint32(query->value(codeColumn).toLongLong(&ok));
        if (!ok)
            continue;
        TDenree &d = denreeFor(articleCode);
        d.clearValues();
        readDouble(*query, qtColumn, d.qt31dec);
        double pu31dec = 0;
        const QVariant pu = query->value(puColumn);
        bool puOk = false;
        if (!pu.isNull())
            pu31dec = pu.toDouble(&puOk);
        if (puOk)
            d.valeur31dec = d.qt31dec * pu31dec;
    }
}

// Turns an article's movements, given in (day, number) order, into its days. SQLite hands them over through
// an aggregate function called inside the scan of the index: reading every row back through sqlite3_step
// cost twice the scan itself. A movement out of that order (a file without the index) stops the scan, and
// the movements are then gathered and sorted instead.
class TListeDenrees::MovementReader
{
public:
    explicit MovementReader(TListeDenrees &liste)
        : m_liste(liste)
        , m_keys(liste.m_year)
    {
    }

    // Runs statement sql, whose ?1 is this reader; false when the movements came out of order.
    bool read(sqlite3 *db, const QByteArray &sql, bool gather)
    {
        m_gather = gather;
        m_outOfOrder = false;
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
            // The first read on a connection defines the function.
            sqlite3_create_function_v2(db, kReaderFunction, 7, SQLITE_UTF8 | SQLITE_DIRECTONLY, nullptr, nullptr, &step,
                                       &noResult, nullptr);
            if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
                prompter().showMessage(QString::fromUtf8(sqlite3_errmsg(db)));
                return true;
            }
        }
        sqlite3_bind_pointer(statement, 1, this, kReaderType, nullptr);
        int result = SQLITE_ROW;
        while (result == SQLITE_ROW)
            result = sqlite3_step(statement);
        if (result != SQLITE_DONE && !m_outOfOrder)
            prompter().showMessage(QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_finalize(statement);
        if (m_outOfOrder)
            return false;
        if (m_gather) {
            std::sort(m_gathered.begin(), m_gathered.end());
            for (const Movement &m : std::as_const(m_gathered))
                add(m);
        }
        endArticle();
        return true;
    }

private:
    static void step(sqlite3_context *context, int, sqlite3_value **argv)
    {
        auto *reader = static_cast<MovementReader *>(sqlite3_value_pointer(argv[0], kReaderType));
        // A code that is not an integer, or a NULL day, matches no article or no day.
        if (!reader || sqlite3_value_type(argv[1]) != SQLITE_INTEGER || sqlite3_value_type(argv[2]) == SQLITE_NULL)
            return;
        Movement m;
        m.sens = sensOf(argv[3]);
        if (m.sens == Sens::Aucun)
            return;
        m.code = sqlite3_value_int64(argv[1]);
        m.day = reader->m_keys.of(argv[2]);
        m.number = sqlite3_value_int64(argv[6]);
        m.hasQuantite = sqlite3_value_type(argv[4]) != SQLITE_NULL;
        m.hasPu = sqlite3_value_type(argv[5]) != SQLITE_NULL;
        if (m.hasQuantite)
            m.quantite = sqlite3_value_double(argv[4]);
        if (m.hasPu)
            m.pu = sqlite3_value_double(argv[5]);
        if (reader->m_gather) {
            reader->m_gathered.push_back(m);
        } else if (!reader->add(m)) {
            reader->m_outOfOrder = true;
            sqlite3_result_error(context, "movements out of order", -1);
        }
    }
    static void noResult(sqlite3_context *) {}

    // False when m does not come after the previous movement.
    bool add(const Movement &m)
    {
        if (m_started && m.code == m_previous.code) {
            if (m.day < m_previous.day || (m.day == m_previous.day && m.number <= m_previous.number))
                return false;
        } else {
            if (m_started && m.code < m_previous.code)
                return false;
            endArticle();
            m_started = true;
            const auto it = m.code == qint32(m.code) ? m_liste.m_index.constFind(qint32(m.code))
                                                     : m_liste.m_index.cend();
            m_position = it == m_liste.m_index.cend() ? -1 : *it;
        }
        m_previous = m;
        if (m_position >= 0)
            (m.sens == Sens::Entree ? m_entrees : m_sorties).add(m);
        return true;
    }

    void endArticle()
    {
        if (m_position >= 0) {
            m_entrees.store(m_liste.m_days[m_position].entrees);
            m_sorties.store(m_liste.m_days[m_position].sorties);
        }
        m_entrees.clear();
        m_sorties.clear();
        m_position = -1;
    }

    // The days of the current article in one direction, in one buffer kept for the whole read: growing
    // a vector per article cost more than the sums.
    struct Direction
    {
        std::vector<DaySums> days;
        DaySums running; // every movement so far

        void add(const Movement &m)
        {
            if (days.empty() || days.back().day != m.day) {
                DaySums day;
                day.day = m.day;
                day.quantiteAvant = running.quantiteAvant;
                day.valeurAvant = running.valeurAvant;
                days.push_back(day);
            }
            DaySums &day = days.back();
            // Each sum skips what SQLite's sum() skipped: NULL quantities, prices and values.
            ++day.nombre;
            if (m.hasPu)
                day.sommePu += m.pu;
            if (m.hasQuantite) {
                day.quantite += m.quantite;
                running.quantiteAvant += m.quantite;
            }
            if (m.hasQuantite && m.hasPu) {
                const double valeur = m.quantite * m.pu;
                day.valeur += valeur;
                running.valeurAvant += valeur;
            }
        }
        // Copies the days at their exact size, then the sentinel.
        void store(QVector<DaySums> &target)
        {
            if (days.empty())
                return;
            running.day = std::numeric_limits<int>::max();
            days.push_back(running);
            target = QVector<DaySums>(days.cbegin(), days.cend());
        }
        void clear()
        {
            days.clear();
            running = DaySums();
        }
    };

    TListeDenrees &m_liste;
    DayKeys m_keys;
    bool m_gather = false;
    bool m_outOfOrder = false;
    std::vector<Movement> m_gathered;
    bool m_started = false;
    Movement m_previous;
    int m_position = -1; // of the current article in m_denrees; -1 for a code without article
    Direction m_entrees;
    Direction m_sorties;
};

void TListeDenrees::readMovements(qint32 code)
{
    if (code != -1) {
        if (const auto it = m_index.constFind(code); it != m_index.cend())
            m_days[*it] = ArticleDays();
    }
    sqlite3 *const db = SqliteHandle(m_db.database());
    // Without a connection the article query has already said so.
    if (!db)
        return;
    const QByteArray sql = movementStatement(code).toUtf8();
    if (!MovementReader(*this).read(db, sql, false))
        MovementReader(*this).read(db, sql, true);
}

void TListeDenrees::applyDay(int position)
{
    TDenree &d = m_denrees[position];
    TDenree figures;
    figures.code_art = d.code_art;
    figures.qt31dec = d.qt31dec;
    figures.valeur31dec = d.valeur31dec;
    if (m_dateJour.isValid()) {
        const int key = DayKeys::of(m_dateJour);
        // The sums before the day, and the day's own when it has some. The sentinel ends every list that
        // is not empty, so that a search never reaches the end.
        auto find = [key](const QVector<DaySums> &days, double &quantiteVeille, double &valeurVeille, double &quantite,
                          double &valeur, double &pu) {
            if (days.isEmpty())
                return;
            const auto day = std::lower_bound(days.cbegin(), days.cend(), key,
                                              [](const DaySums &s, int k) { return s.day < k; });
            quantiteVeille = day->quantiteAvant;
            valeurVeille = day->valeurAvant;
            if (day->day != key)
                return;
            quantite = day->quantite;
            valeur = day->valeur;
            pu = day->sommePu / day->nombre;
        };
        const ArticleDays &days = m_days.at(position);
        find(days.entrees, figures.entree_veille_quantite, figures.entree_veille_valeur, figures.entree_jour_quantite,
             figures.entree_jour_valeur, figures.entree_jour_pu);
        find(days.sorties, figures.sortie_veille_quantite, figures.sortie_veille_valeur, figures.sortie_jour_quantite,
             figures.sortie_jour_valeur, figures.sortie_jour_pu);
    }
    d = figures;
}

void TListeDenrees::sumTotals()
{
    m_totaux = TTotaux();
    for (const TDenree &d : std::as_const(m_denrees)) {
        m_totaux.valeur31dec += d.valeur31dec;
        m_totaux.entree_veille_valeur += d.entree_veille_valeur;
        m_totaux.sortie_veille_valeur += d.sortie_veille_valeur;
        m_totaux.entree_jour_valeur += d.entree_jour_valeur;
        m_totaux.sortie_jour_valeur += d.sortie_jour_valeur;
    }
}

TListeDenrees::FileState TListeDenrees::fileState() const
{
    FileState state;
    if (sqlite3 *const db = SqliteHandle(m_db.database()))
        state.ownChanges = sqlite3_total_changes64(db);
    QSqlQuery query(m_db.database());
    if (query.exec(QStringLiteral("pragma data_version")) && query.next())
        state.otherCommits = query.value(0).toLongLong();
    return state;
}

QVector<SummaryRow> SummaryRows(const StoreFigures &f, const QString &designation, const QDate &day)
{
    const QString article = designation.isEmpty()
                                ? QStringLiteral("Quantité en Stock ")
                                : QStringLiteral("Quantité en Stock (") + designation + QLatin1Char(')');
    return {
        {article, QString()},
        {QStringLiteral("  - Magasin de la veille Quantité"), f.quantiteVeille},
        {QStringLiteral("  - Magasin de la veille + Entrées du jour Quantité"), f.quantiteVeilleEntrees},
        {QStringLiteral("  - Restes à la fin de la journée Quantité"), f.quantiteRestes},
        {QStringLiteral("Magasin au ") + DateText(day), QString()},
        {QStringLiteral("  - Valeur du magasin de la veille"), f.valeurVeille},
        {QStringLiteral("  - Valeur des Entrées de la journée"), f.valeurEntrees},
        {QStringLiteral("  - T o t a l"), f.total},
        {QStringLiteral("  - Valeur des Sorties de la journée"), f.valeurSorties},
        {QStringLiteral("  - Valeur du magasin à ce jour"), f.valeurFinJournee},
    };
}

} // namespace zelvane
