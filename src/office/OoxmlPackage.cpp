#include "office/OoxmlPackage.h"

#include "common/WorkFiles.h"

#include <QFile>
#include <QFileInfo>
#include <zip.h>

#include <memory>

namespace zelvane {

namespace {

// A template is a few hundred kilobytes; anything far beyond is not one of ours (or a zip bomb).
constexpr zip_uint64_t kMaxPartSize = 64u << 20;
constexpr zip_uint64_t kMaxTotalSize = 256u << 20;
constexpr zip_int64_t kMaxParts = 10000;

QString zipMessage(zip_error_t *error) { return QString::fromUtf8(zip_error_strerror(error)); }

std::optional<OoxmlPackage> readArchive(zip_t *archive, OoxmlPackage package, QString *error)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count > kMaxParts) {
        *error = QStringLiteral("too many parts (%1)").arg(count);
        return std::nullopt;
    }
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)
            || !(st.valid & ZIP_STAT_SIZE)) {
            *error = QStringLiteral("unreadable zip entry %1").arg(i);
            return std::nullopt;
        }
        const QString name = QString::fromUtf8(st.name);
        if (name.endsWith(QLatin1Char('/')))
            continue; // a folder entry
        total += st.size;
        if (st.size > kMaxPartSize || total > kMaxTotalSize) {
            *error = QStringLiteral("part %1 is too large").arg(name);
            return std::nullopt;
        }
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(archive, zip_uint64_t(i), 0),
                                                                &zip_fclose);
        if (!file) {
            *error = QStringLiteral("cannot read part %1: %2").arg(name, zipMessage(zip_get_error(archive)));
            return std::nullopt;
        }
        QByteArray data(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(file.get(), data.data(), st.size);
        if (got < 0 || zip_uint64_t(got) != st.size) {
            *error = QStringLiteral("cannot read part %1").arg(name);
            return std::nullopt;
        }
        package.setPart(name, data);
    }
    return package;
}

} // namespace

std::optional<OoxmlPackage> OoxmlPackage::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("the file does not exist");
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    if (file.size() > qint64(kMaxTotalSize)) {
        *error = QStringLiteral("the file is too large");
        return std::nullopt;
    }
    return fromBytes(file.readAll(), error);
}

std::optional<OoxmlPackage> OoxmlPackage::fromBytes(const QByteArray &bytes, QString *error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &zipError);
    if (!source) {
        *error = zipMessage(&zipError);
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    zip_t *archive = zip_open_from_source(source, ZIP_RDONLY, &zipError);
    if (!archive) {
        zip_source_free(source);
        *error = QStringLiteral("not a zip file (%1)").arg(zipMessage(&zipError));
        zip_error_fini(&zipError);
        return std::nullopt;
    }
    zip_error_fini(&zipError);
    std::optional<OoxmlPackage> package = readArchive(archive, OoxmlPackage(), error);
    zip_discard(archive); // also frees the source
    return package;
}

QByteArray OoxmlPackage::part(const QString &name) const
{
    const auto it = m_parts.find(name);
    return it == m_parts.end() ? QByteArray() : it->second;
}

void OoxmlPackage::setPart(const QString &name, const QByteArray &data) { m_parts[name] = data; }

void OoxmlPackage::removePart(const QString &name) { m_parts.erase(name); }

QStringList OoxmlPackage::partNames() const
{
    QStringList names;
    for (const auto &[name, data] : m_parts)
        names << name;
    return names;
}

bool OoxmlPackage::write(const QString &path, QString *error) const
{
    const QString work = WorkFileFor(path);
    QFile::remove(work);
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(work).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        *error = QStringLiteral("cannot create %1: %2").arg(work, zipMessage(&zipError));
        zip_error_fini(&zipError);
        return false;
    }
    // The content types part comes first, as office programs write it.
    QStringList order = partNames();
    const QString types = QStringLiteral("[Content_Types].xml");
    if (order.removeOne(types))
        order.prepend(types);
    for (const QString &name : order) {
        const QByteArray &data = m_parts.at(name);
        zip_source_t *source = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = source ? zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8)
                                         : -1;
        // The fastest deflate: the sheets of a long document are megabytes of repetitive XML, which it
        // still shrinks tenfold, in a third of the default level's time.
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) < 0) {
            if (source && index < 0)
                zip_source_free(source);
            *error = QStringLiteral("cannot add %1: %2").arg(name, zipMessage(zip_get_error(archive)));
            zip_discard(archive);
            QFile::remove(work);
            return false;
        }
    }
    if (zip_close(archive) != 0) {
        *error = QStringLiteral("cannot write %1: %2").arg(work, zipMessage(zip_get_error(archive)));
        zip_discard(archive);
        QFile::remove(work);
        return false;
    }
    return MoveWorkFileIntoPlace(work, path, error);
}

} // namespace zelvane
