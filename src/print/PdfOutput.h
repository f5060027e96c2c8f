#pragma once

#include "print/PageStream.h"
#include "print/ReportDocument.h"

#include "common/WorkFiles.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <memory>

class QPdfWriter;

namespace zelvane {

// A PDF file written page by page, as vectors, under a work name moved into place by commit: install it
// with a PageStreamScope and the engine paints each page into it as the page is finished.
class PdfStream : public PageStream
{
public:
    explicit PdfStream(const QString &path);
    ~PdfStream() override;

    // Creates the work file; false with error when it cannot be made (the target refused, no folder).
    bool open(QString *error);
    QPainter *beginPage(const ReportDocument &document) override;
    void endPage() override;
    // Finishes the file and moves it into place; false with error when no page was painted or the file
    // could not be written (a full disk), and then nothing is left under its path.
    bool commit(QString *error);
    int pageCount() const { return m_pages; }

private:
    QString m_path;
    WorkFile m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    int m_pages = 0;
    bool m_pageOpen = false; // between beginPage and endPage of a page the writer took
    bool m_failed = false;
};

// Writes the document as a PDF file, one PDF page per page, the pages' pictures as vectors, under a work
// name moved into place once whole; false with error when the file cannot be written (the target refused,
// a full disk), and then nothing is left under path.
bool WritePdf(const ReportDocument &document, const QString &path, QString *error);

// One page drawn on white at dotsPerInch; a null image when there is no such page.
QImage RenderPage(const ReportDocument &document, int page, int dotsPerInch);

} // namespace zelvane
