#include "access/JetReader.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <cmath>
#include <optional>
#include <utility>

namespace zelvane {

namespace {

constexpr auto kReaderName = "zelvane-jet-reader";

// What a damaged file may cost before the reading is given up.
constexpr int kStallMs = 30'000;        // no output at all for that long
constexpr qint64 kBaseTimeMs = 120'000; // plus a little per megabyte of file
constexpr qint64 kTimePerMegabyteMs = 5'000;
constexpr qint64 kOutputPerFileByte = 64; // the text of a file is never that many times its size
// libmdb's remarks: a few lines for a sound file, an endless stream when it goes round in circles.
constexpr qint64 kRemarksLimit = 1 << 20;

// The reader's own failures, as the user reads them.
QString readerFailureText(const QByteArray &message)
{
    if (message == "not an Access file")
        return QStringLiteral("ce n'est pas une base de données Access lisible");
    if (message == "catalogue unreadable")
        return QStringLiteral("la liste de ses tables est illisible");
    if (message == "truncated file")
        return QStringLiteral("le fichier est tronqué");
    if (message.startsWith("no table "))
        return QStringLiteral("la table %1 est absente").arg(QString::fromUtf8(message.mid(9)));
    if (message.startsWith("table ") && message.endsWith(" unreadable"))
        return QStringLiteral("la table %1 est illisible").arg(QString::fromUtf8(message.mid(6, message.size() - 17)));
    return QString::fromUtf8(message);
}

// One field of a line: the escapes undone; nullopt for NULL or a malformed escape (malformed is set).
std::optional<QByteArray> unescape(const QByteArray &field, bool &malformed)
{
    if (field == "\\N")
        return std::nullopt;
    QByteArray text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field.at(i);
        if (c != '\\') {
            text += c;
            continue;
        }
        const char next = i + 1 < field.size() ? field.at(++i) : '\0';
        switch (next) {
        case '\\':
            text += '\\';
            break;
        case 't':
            text += '\t';
            break;
        case 'n':
            text += '\n';
            break;
        case 'r':
            text += '\r';
            break;
        default:
            malformed = true;
            return std::nullopt;
        }
    }
    return text;
}

// A value as the reader wrote it, in the type of its column; nullopt when it cannot be one.
std::optional<QVariant> valueOf(JetType type, const std::optional<QByteArray> &text)
{
    if (!text)
        return QVariant();
    bool ok = true;
    switch (type) {
    case JetType::Bool:
        if (*text != "0" && *text != "1")
            return std::nullopt;
        return QVariant(*text == "1");
    case JetType::Byte:
    case JetType::Integer:
    case JetType::LongInteger:
    case JetType::Complex: {
        const qint64 n = text->toLongLong(&ok);
        return ok ? std::optional<QVariant>(QVariant(n)) : std::nullopt;
    }
    case JetType::Money:
    case JetType::Numeric:
    case JetType::Float:
    case JetType::Double: {
        const double d = text->toDouble(&ok);
        return ok ? std::optional<QVariant>(QVariant(d)) : std::nullopt;
    }
    case JetType::DateTime: {
        const double d = text->toDouble(&ok);
        return ok ? std::optional<QVariant>(QVariant(AccessDateTime(d))) : std::nullopt;
    }
    case JetType::Binary:
        return QVariant(QByteArray::fromHex(*text));
    default:
        return QVariant(QString::fromUtf8(*text));
    }
}

QList<QByteArray> fieldsOf(const QByteArray &line) { return line.split('\t'); }

// Reads the reader's records in order: the file line, then per table its header, its rows and its end.
class StreamParser
{
public:
    JetSchema schema;
    std::function<bool(const JetTable &, const QVariantList &)> onRow;
    QString error;
    bool done = false;
    bool stopped = false; // the row callback asked to stop

    // False when the line breaks the format or the callback stops; error says why (empty when stopped).
    bool parse(const QByteArray &line)
    {
        if (done)
            return fail();
        const QList<QByteArray> fields = fieldsOf(line);
        const QByteArray &kind = fields.first();
        if (kind == "ERROR") {
            bool malformed = false;
            const auto message = unescape(fields.value(1), malformed);
            error = readerFailureText(message.value_or(QByteArray()));
            return false;
        }
        if (schema.version < 0) {
            if (kind != "JET" || fields.size() != 3)
                return fail();
            bool versionOk = false, pageOk = false;
            schema.version = fields.at(1).toInt(&versionOk);
            schema.codePage = fields.at(2).toInt(&pageOk);
            return (versionOk && pageOk && schema.version >= 0) || fail();
        }
        if (kind == "TABLE") {
            bool malformed = false, countOk = false;
            const auto name = unescape(fields.value(1), malformed);
            if (m_inTable || fields.size() != 3 || !name)
                return fail();
            JetTable table;
            table.name = QString::fromUtf8(*name);
            table.catalogRows = fields.at(2).toLongLong(&countOk);
            schema.tables << table;
            m_inTable = true;
            m_rowsSeen = 0;
            return countOk || fail();
        }
        if (kind == "COLUMN") {
            bool malformed = false, typeOk = false, sizeOk = false;
            const auto name = unescape(fields.value(1), malformed);
            if (!m_inTable || m_rowsSeen > 0 || fields.size() != 4 || !name)
                return fail();
            JetColumn column;
            column.name = QString::fromUtf8(*name);
            column.type = JetType(fields.at(2).toInt(&typeOk));
            column.size = fields.at(3).toInt(&sizeOk);
            schema.tables.last().columns << column;
            return (typeOk && sizeOk) || fail();
        }
        if (kind == "ROW") {
            if (!m_inTable)
                return fail();
            const JetTable &table = schema.tables.last();
            if (fields.size() != table.columns.size() + 1)
                return fail();
            QVariantList values;
            values.reserve(table.columns.size());
            for (qsizetype i = 0; i < table.columns.size(); ++i) {
                bool malformed = false;
                const auto text = unescape(fields.at(i + 1), malformed);
                const auto value = malformed ? std::nullopt : valueOf(table.columns.at(i).type, text);
                if (!value)
                    return fail();
                values << *value;
            }
            ++m_rowsSeen;
            if (onRow && !onRow(table, values)) {
                stopped = true;
                return false;
            }
            return true;
        }
        if (kind == "END") {
            bool countOk = false;
            const qint64 count = fields.value(1).toLongLong(&countOk);
            if (!m_inTable || fields.size() != 2 || !countOk || count != m_rowsSeen)
                return fail();
            m_inTable = false;
            return true;
        }
        if (kind == "DONE" && fields.size() == 1 && !m_inTable) {
            done = true;
            return true;
        }
        return fail();
    }

private:
    bool fail()
    {
        error = QStringLiteral("la lecture a donné une réponse incohérente");
        return false;
    }

    bool m_inTable = false;
    qint64 m_rowsSeen = 0;
};

} // namespace

int JetTable::columnIndex(const QString &name) const
{
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

const JetTable *JetSchema::table(const QString &name) const
{
    for (const JetTable &t : tables) {
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

QDateTime AccessDateTime(double days)
{
    // Access itself stops at the year 9999; anything beyond is damage.
    if (!std::isfinite(days) || std::abs(days) > 3'000'000)
        return {};
    const double whole = std::trunc(days);
    QDate day = QDate(1899, 12, 30).addDays(qint64(whole));
    qint64 seconds = std::llround(std::abs(days - whole) * 86400.0);
    if (seconds >= 86400) {
        day = day.addDays(1);
        seconds -= 86400;
    }
    return QDateTime(day, QTime(0, 0).addSecs(int(seconds)), Qt::UTC);
}

JetReader::JetReader(QString path)
    : m_path(std::move(path))
{
}

QString JetReader::readerProgram()
{
    const QString chosen = qEnvironmentVariable("ZELVANE_JET_READER");
    if (!chosen.isEmpty())
        return QFileInfo(chosen).isExecutable() ? chosen : QString();
    const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(kReaderName);
    return QFileInfo(path).isExecutable() ? path : QString();
}

namespace {

// Runs the reader on path with arguments and feeds its output to parser line by line, within the limits
// above. The error is empty after a complete output or a stop asked by the parser's callback.
QString runReader(const QString &path, const QStringList &arguments, StreamParser &parser)
{
    const QString program = JetReader::readerProgram();
    if (program.isEmpty())
        return QStringLiteral("le programme de lecture %1 est introuvable à côté de l'application")
            .arg(QString::fromLatin1(kReaderName));
    const qint64 fileSize = QFileInfo(path).size();
    const qint64 outputLimit = kOutputPerFileByte * fileSize + (16 << 20);
    const qint64 timeLimit = kBaseTimeMs + kTimePerMegabyteMs * (fileSize >> 20);

    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.start(QIODevice::ReadOnly);
    if (!process.waitForStarted(30'000))
        return QStringLiteral("le programme de lecture n'a pas pu être lancé");

    QElapsedTimer clock, quiet;
    clock.start();
    quiet.start();
    QByteArray pending, diagnostics;
    qint64 total = 0, remarks = 0;
    QString failure;
    const auto stop = [&process] {
        process.kill();
        process.waitForFinished(10'000);
    };
    for (;;) {
        const bool running = process.state() != QProcess::NotRunning;
        if (running)
            process.waitForReadyRead(500);
        const QByteArray chunk = process.readAllStandardOutput();
        // libmdb reports its reads past the end of the file here and carries on with empty pages.
        const QByteArray remark = process.readAllStandardError();
        remarks += remark.size();
        if (diagnostics.size() < 65536)
            diagnostics += remark;
        if (!chunk.isEmpty())
            quiet.restart();
        total += chunk.size();
        pending += chunk;
        if (remarks > kRemarksLimit) {
            failure = QStringLiteral("le fichier est endommagé (la lecture tourne en rond)");
            break;
        }
        if (total > outputLimit) {
            failure = QStringLiteral("la lecture produit bien plus de données que le fichier n'en contient");
            break;
        }
        qsizetype start = 0;
        for (qsizetype end; (end = pending.indexOf('\n', start)) >= 0; start = end + 1) {
            if (!parser.parse(pending.mid(start, end - start))) {
                failure = parser.stopped ? QString() : parser.error;
                stop();
                return failure;
            }
        }
        pending.remove(0, start);
        if (!running)
            break;
        if (clock.elapsed() > timeLimit || quiet.elapsed() > kStallMs) {
            failure = QStringLiteral("la lecture ne se termine pas");
            break;
        }
    }
    if (!failure.isEmpty()) {
        stop();
        return failure;
    }
    if (diagnostics.contains("beyond EOF"))
        return QStringLiteral("le fichier est tronqué");
    if (process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("le fichier est endommagé (la lecture s'est interrompue)");
    if (!pending.isEmpty() || !parser.done)
        return parser.error.isEmpty() ? QStringLiteral("le fichier est endommagé (la lecture est incomplète)")
                                      : parser.error;
    if (process.exitCode() != 0)
        return QStringLiteral("le fichier est endommagé (code %1 de la lecture)").arg(process.exitCode());
    return {};
}

} // namespace

bool JetReader::readSchema(JetSchema &schema)
{
    StreamParser parser;
    m_error = runReader(m_path, {QStringLiteral("--schema"), m_path}, parser);
    if (!m_error.isEmpty())
        return false;
    schema = parser.schema;
    return true;
}

bool JetReader::readRows(const QString &table, JetTable &header, const std::function<bool(const QVariantList &)> &onRow)
{
    StreamParser parser;
    bool first = true;
    parser.onRow = [&](const JetTable &read, const QVariantList &values) {
        if (std::exchange(first, false))
            header = read;
        return onRow(values);
    };
    m_error = runReader(m_path, {QStringLiteral("--rows"), m_path, table}, parser);
    if (!parser.schema.tables.isEmpty())
        header = parser.schema.tables.first();
    return m_error.isEmpty();
}

} // namespace zelvane
