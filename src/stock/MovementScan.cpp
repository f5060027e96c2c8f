#include "stock/MovementScan.h"

#include "common/Format.h"
#include "common/Prompter.h"
#include "db/Natures.h"

#include <QDate>
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

// Which sums NAT_OP puts a movement in, as EntrySql and ExitSql compare it in SQLite: a text is above
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
    // Compared as a double, as SQLite compares a real with the integer codes.
    const double nature = sqlite3_value_double(value);
    return nature == kNatureEntree ? Sens::Entree : nature >= StoredNature(Nature::Sortie) ? Sens::Sortie : Sens::Aucun;
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

// The type of the pointer to the reader that the SQL function feeds.
constexpr auto kReaderType = "zelvane-movement-reader";

// Turns an article's movements, given in (day, number) order, into its days. SQLite hands them over through
// an aggregate function called inside the scan of the index: reading every row back through sqlite3_step
// cost twice the scan itself. A movement out of that order (a file without the index) stops the scan, and
// the movements are then gathered and sorted instead.
class MovementReader
{
public:
    MovementReader(int year, const QHash<qint32, int> &index, QVector<ArticleDays> &days)
        : m_index(index)
        , m_days(days)
        , m_keys(year)
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
            sqlite3_create_function_v2(db, kMovementReaderFunction, 7, SQLITE_UTF8 | SQLITE_DIRECTONLY, nullptr,
                                       nullptr, &step, &noResult, nullptr);
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
            const auto it = m.code == qint32(m.code) ? m_index.constFind(qint32(m.code)) : m_index.cend();
            m_position = it == m_index.cend() ? -1 : *it;
        }
        m_previous = m;
        if (m_position >= 0)
            (m.sens == Sens::Entree ? m_entrees : m_sorties).add(m);
        return true;
    }

    void endArticle()
    {
        if (m_position >= 0) {
            m_entrees.store(m_days[m_position].entrees);
            m_sorties.store(m_days[m_position].sorties);
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

    const QHash<qint32, int> &m_index;
    QVector<ArticleDays> &m_days;
    DayKeys m_keys;
    bool m_gather = false;
    bool m_outOfOrder = false;
    std::vector<Movement> m_gathered;
    bool m_started = false;
    Movement m_previous;
    int m_position = -1; // of the current article in m_days; -1 for a code without article
    Direction m_entrees;
    Direction m_sorties;
};

} // namespace

int DayKey(const QDate &day) { return DayKeys::of(day); }

void ScanMovements(sqlite3 *db, const QByteArray &sql, int year, const QHash<qint32, int> &index,
                   QVector<ArticleDays> &days)
{
    if (!MovementReader(year, index, days).read(db, sql, false))
        MovementReader(year, index, days).read(db, sql, true);
}

} // namespace zelvane
