#include "print/QrpFile.h"

#include "common/WorkFiles.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <limits>
#include <new>

namespace zelvane {

namespace {

constexpr char kMagic[8] = {'\x89', 'Z', 'Q', 'R', 'P', '\r', '\n', '\x1a'};
constexpr auto kStreamVersion = QDataStream::Qt_6_0;
// Larger than any paper a printer takes (A0 is 2384 points high); anything beyond is damage.
constexpr double kLargestPaper = 14400;
// The smallest records, to refuse a count that the bytes left cannot hold before allocating for it.
constexpr qint64 kSmallestPage = 2 * sizeof(quint32);
constexpr qint64 kSmallestText = 4 * sizeof(double) + sizeof(quint32);

void writeBytes(QDataStream &out, const QByteArray &bytes)
{
    out << quint32(bytes.size());
    out.writeRawData(bytes.constData(), int(bytes.size()));
}

// Reads the fields in order; the first field that does not hold marks the whole file as damaged.
class Reader
{
public:
    explicit Reader(QBuffer &buffer)
        : m_buffer(buffer)
        , m_in(&buffer)
    {
        m_in.setVersion(kStreamVersion);
    }

    bool ok() const { return m_ok && m_in.status() == QDataStream::Ok; }
    qint64 left() const { return m_buffer.size() - m_buffer.pos(); }

    quint32 count(qint64 smallestItem)
    {
        quint32 n = 0;
        m_in >> n;
        if (qint64(n) * smallestItem > left())
            m_ok = false;
        return ok() ? n : 0;
    }

    QByteArray bytes()
    {
        const quint32 size = count(1);
        QByteArray data(size, Qt::Uninitialized);
        if (ok() && m_in.readRawData(data.data(), int(size)) != int(size))
            m_ok = false;
        return ok() ? data : QByteArray();
    }

    QString text() { return QString::fromUtf8(bytes()); }

    qint32 integer(qint32 lowest, qint32 highest)
    {
        qint32 n = 0;
        m_in >> n;
        if (n < lowest || n > highest)
            m_ok = false;
        return n;
    }

    double real(double lowest, double highest)
    {
        double x = 0;
        m_in >> x;
        if (!std::isfinite(x) || x < lowest || x > highest)
            m_ok = false;
        return x;
    }

private:
    QBuffer &m_buffer;
    QDataStream m_in;
    bool m_ok = true;
};

void writeLayout(QDataStream &out, const QPageLayout &layout)
{
    const QSizeF size = layout.pageSize().size(QPageSize::Point);
    const QMarginsF margins = layout.margins();
    out << qint32(layout.pageSize().id()) << size.width() << size.height() << qint32(layout.orientation())
        << qint32(layout.units()) << margins.left() << margins.top() << margins.right() << margins.bottom();
}

QPageLayout readLayout(Reader &in)
{
    const auto id = QPageSize::PageSizeId(in.integer(0, QPageSize::LastPageSize));
    const double width = in.real(1, kLargestPaper);
    const double height = in.real(1, kLargestPaper);
    const auto orientation = QPageLayout::Orientation(in.integer(QPageLayout::Portrait, QPageLayout::Landscape));
    const auto units = QPageLayout::Unit(in.integer(QPageLayout::Millimeter, QPageLayout::Cicero));
    QMarginsF margins;
    margins.setLeft(in.real(0, kLargestPaper));
    margins.setTop(in.real(0, kLargestPaper));
    margins.setRight(in.real(0, kLargestPaper));
    margins.setBottom(in.real(0, kLargestPaper));
    if (!in.ok())
        return {};
    const QPageSize size = id == QPageSize::Custom ? QPageSize(QSizeF(width, height), QPageSize::Point) : QPageSize(id);
    return QPageLayout(size, orientation, margins, units);
}

// Replays a page picture without drawing anything and tells whether it holds only what report pages
// hold: texts, lines, boxes and filled outlines on the paper, drawn with solid pens no wider than an inch
// and plain fills. The raster engine would spend hours on a crafted picture (a stroke miles long, a font
// of a million points), and a picture whose own bytes do not hold is refused rather than shown blank.
class PageCheck final : public QPaintEngine
{
public:
    PageCheck()
        : QPaintEngine(QPaintEngine::AllFeatures)
    {
    }

    bool sound = true;

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            m_transform = state.transform();
        if (state.state() & (DirtyPen | DirtyTransform)) {
            const QPen pen = state.pen();
            check(pen.style() == Qt::NoPen
                  || (pen.style() == Qt::SolidLine && plain(pen.brush()) && length(pen.widthF()) <= kWidestPen));
        }
        if (state.state() & DirtyBrush)
            check(plain(state.brush()));
        if (state.state() & DirtyBackground)
            check(plain(state.backgroundBrush()));
    }

    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count && sound; ++i)
            check(onPaper(lines[i].p1()) && onPaper(lines[i].p2()));
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count && sound; ++i)
            check(onPaper(rects[i].topLeft()) && onPaper(rects[i].bottomRight()));
    }
    void drawPath(const QPainterPath &path) override
    {
        check(path.elementCount() <= kLongestPath && onPaper(path.boundingRect().topLeft())
              && onPaper(path.boundingRect().bottomRight()));
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode) override
    {
        check(count <= kLongestPath);
        for (int i = 0; i < count && sound; ++i)
            check(onPaper(points[i]));
    }
    void drawPoints(const QPointF *points, int count) override { drawPolygon(points, count, PolylineMode); }
    void drawEllipse(const QRectF &rect) override { drawRects(&rect, 1); }
    void drawTextItem(const QPointF &point, const QTextItem &item) override
    {
        const QFont font = item.font();
        const qreal size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
        check(onPaper(point) && length(size) <= kLargestFont && item.text().size() <= kLongestText);
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { check(false); }
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override { check(false); }
    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override { check(false); }

private:
    static constexpr qreal kWidestPen = 72;     // points
    static constexpr qreal kLargestFont = 1000; // points
    static constexpr int kLongestPath = 200000; // elements, the outlines of a long line of text
    static constexpr int kLongestText = 100000; // characters

    void check(bool holds) { sound = sound && holds; }
    static bool plain(const QBrush &brush) { return brush.style() == Qt::NoBrush || brush.style() == Qt::SolidPattern; }
    bool onPaper(const QPointF &point) const
    {
        const QPointF p = m_transform.map(point);
        return std::abs(p.x()) <= kLargestPaper && std::abs(p.y()) <= kLargestPaper;
    }
    qreal length(qreal logical) const { return m_transform.map(QLineF(0, 0, logical, 0)).length(); }

    QTransform m_transform;
};

// The paper a page picture is replayed on for the check, in points.
class PageCheckDevice final : public QPaintDevice
{
public:
    PageCheck engine;
    QPaintEngine *paintEngine() const override { return const_cast<PageCheck *>(&engine); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return int(kLargestPaper);
        case PdmWidthMM:
        case PdmHeightMM:
            return int(kLargestPaper * 25.4 / 72);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 72;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return std::numeric_limits<int>::max();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }
};

bool playable(QPicture picture)
{
    PageCheckDevice paper;
    QPainter painter(&paper);
    try {
        return picture.play(&painter) && paper.engine.sound;
    } catch (const std::bad_alloc &) {
        // A count in the picture's bytes (of font names, of points) far beyond what they hold.
        return false;
    }
}

QString fileName(const QString &path) { return QFileInfo(path).fileName(); }

} // namespace

QByteArray QrpBytes(const ReportDocument &document)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    buffer.write(kMagic, sizeof kMagic);
    QDataStream out(&buffer);
    out.setVersion(kStreamVersion);
    out << kQrpVersion;
    writeBytes(out, document.title.toUtf8());
    writeLayout(out, document.layout);
    out << quint32(document.pages.size());
    for (const ReportPage &page : document.pages) {
        writeBytes(out, QByteArray(page.picture.data(), page.picture.size()));
        out << quint32(page.texts.size());
        for (const PlacedText &text : page.texts) {
            out << text.box.x() << text.box.y() << text.box.width() << text.box.height();
            writeBytes(out, text.text.toUtf8());
        }
    }
    return bytes;
}

QrpStatus ReadQrp(const QByteArray &bytes, ReportDocument &document)
{
    if (!bytes.startsWith(QByteArray::fromRawData(kMagic, sizeof kMagic)))
        return QrpStatus::NotQrp;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(sizeof kMagic);
    Reader in(buffer);
    const auto version = quint32(in.integer(1, std::numeric_limits<qint32>::max()));
    if (!in.ok())
        return QrpStatus::Damaged;
    if (version > kQrpVersion)
        return QrpStatus::FutureVersion;

    ReportDocument read;
    read.title = in.text();
    read.layout = readLayout(in);
    const quint32 pageCount = in.count(kSmallestPage);
    for (quint32 p = 0; p < pageCount && in.ok(); ++p) {
        ReportPage page;
        const QByteArray picture = in.bytes();
        if (!picture.isEmpty())
            page.picture.setData(picture.constData(), uint(picture.size()));
        const quint32 textCount = in.count(kSmallestText);
        for (quint32 t = 0; t < textCount && in.ok(); ++t) {
            PlacedText text;
            const double x = in.real(-kLargestPaper, kLargestPaper);
            const double y = in.real(-kLargestPaper, kLargestPaper);
            const double w = in.real(-kLargestPaper, kLargestPaper);
            const double h = in.real(-kLargestPaper, kLargestPaper);
            text.box = QRectF(x, y, w, h);
            text.text = in.text();
            page.texts.append(text);
        }
        if (in.ok() && !picture.isEmpty() && !playable(page.picture))
            return QrpStatus::Damaged;
        read.pages.append(page);
    }
    if (!in.ok() || in.left() != 0 || !read.layout.isValid())
        return QrpStatus::Damaged;
    document = read;
    return QrpStatus::Ok;
}

QString SaveQrpFile(const ReportDocument &document, const QString &path)
{
    WorkFile file(path);
    QString error;
    const QByteArray bytes = QrpBytes(document);
    if (!file.open(&error) || file.device().write(bytes) != bytes.size() || !file.commit(&error))
        return QStringLiteral("Impossible d'enregistrer le document %1 : %2").arg(path, error);
    return {};
}

QString LoadQrpFile(const QString &path, ReportDocument &document)
{
    // Only a regular file: opening a pipe would wait for a writer that never comes.
    if (!QFileInfo(path).isFile())
        return QStringLiteral("Impossible d'ouvrir le fichier %1 : ce n'est pas un fichier ordinaire.").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(path, file.errorString());
    // The magic bytes first, so that a large file of another kind is not read into memory.
    const QByteArray start = file.peek(sizeof kMagic);
    const QrpStatus status = start == QByteArray::fromRawData(kMagic, sizeof kMagic) ? ReadQrp(file.readAll(), document)
                                                                                     : QrpStatus::NotQrp;
    switch (status) {
    case QrpStatus::Ok:
        return {};
    case QrpStatus::NotQrp:
        return QStringLiteral("Le fichier %1 n'est pas un document enregistré (.QRP).").arg(fileName(path));
    case QrpStatus::Damaged:
        return QStringLiteral("Le document %1 est incomplet ou endommagé ; il n'a pas été ouvert.").arg(fileName(path));
    case QrpStatus::FutureVersion:
        return QStringLiteral("Le document %1 a été enregistré par une version plus récente du programme ; "
                              "il n'a pas été ouvert.")
            .arg(fileName(path));
    }
    return {};
}

} // namespace zelvane
