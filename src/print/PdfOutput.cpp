#include "print/PdfOutput.h"

#include <QPdfWriter>
#include <QPicture>

namespace zelvane {

PdfStream::PdfStream(const QString &path)
    : m_path(path)
    , m_file(path)
{
}

PdfStream::~PdfStream()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PdfStream::open(QString *error) { return m_file.open(error); }

QPainter *PdfStream::beginPage(const ReportDocument &document)
{
    if (m_failed)
        return nullptr;
    if (!m_writer) {
        m_writer = std::make_unique<QPdfWriter>(&m_file.device());
        m_writer->setTitle(document.title);
        m_writer->setCreator(QStringLiteral("Zelvane"));
        // The pages cover the whole paper, so the writer keeps no margin of its own.
        m_writer->setPageLayout(QPageLayout(document.layout.pageSize(), document.layout.orientation(), QMarginsF()));
        // The resolution of the pages' pictures, so that pages painted here and pictures played here (which
        // rescale their fonts on a device of another resolution) come out alike.
        m_writer->setResolution(QPicture().logicalDpiX());
        m_failed = !m_painter.begin(m_writer.get());
    } else if (!m_writer->newPage()) {
        m_failed = true;
    }
    if (m_failed)
        return nullptr;
    ++m_pages;
    m_pageOpen = true;
    m_painter.save();
    // The pages are drawn in points; the writer counts in its own dots.
    const qreal scale = m_writer->logicalDpiX() / 72.0;
    m_painter.scale(scale, scale);
    return &m_painter;
}

void PdfStream::endPage()
{
    if (m_pageOpen)
        m_painter.restore();
    m_pageOpen = false;
}

bool PdfStream::commit(QString *error)
{
    if (m_painter.isActive() && !m_painter.end())
        m_failed = true;
    // A write error (a full disk) says so rather than blame the drawing.
    if (m_file.device().error() != QFileDevice::NoError) {
        m_writer.reset();
        return m_file.commit(error);
    }
    if (m_failed || m_pages == 0) {
        *error = QStringLiteral("%1 : les pages n'ont pas pu être dessinées").arg(m_path);
        return false;
    }
    m_writer.reset();
    return m_file.commit(error);
}

bool WritePdf(const ReportDocument &document, const QString &path, QString *error)
{
    PdfStream pdf(path);
    if (!pdf.open(error))
        return false;
    for (const ReportPage &page : document.pages) {
        if (QPainter *painter = pdf.beginPage(document))
            painter->drawPicture(0, 0, page.picture);
        pdf.endPage();
    }
    // A document without pages still makes a readable file: one blank page.
    if (document.pages.isEmpty()) {
        pdf.beginPage(document);
        pdf.endPage();
    }
    return pdf.commit(error);
}

QImage RenderPage(const ReportDocument &document, int page, int dotsPerInch)
{
    if (page < 0 || page >= document.pages.size())
        return {};
    const QSizeF size = document.layout.fullRectPoints().size();
    const qreal scale = dotsPerInch / 72.0;
    QImage image(qCeil(size.width() * scale), qCeil(size.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The pictures' resolution, so that playing them keeps their font sizes (the painter scales instead).
    const int pictureDpi = QPicture().logicalDpiX();
    image.setDotsPerMeterX(qRound(pictureDpi / 0.0254));
    image.setDotsPerMeterY(qRound(pictureDpi / 0.0254));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, document.pages.at(page).picture);
    return image;
}

} // namespace zelvane
