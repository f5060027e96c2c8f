#pragma once

#include "print/ReportDocument.h"

#include <QDialog>
#include <QPoint>
#include <QTimer>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace zelvane {

class PageView;

// The print preview: one page of a finished document at a time, paged, zoomed (1 to 300 %) and dragged,
// saved as ".QRP" or PDF, reopened from a saved file, and printed on a page range.
class TPrevForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPrevForm(QWidget *parent = nullptr);

    // Takes the document (a copy read back from its saved form, so that what is shown is what a saved
    // file holds) and shows the window modally.
    int ShowPrevForm(const ReportDocument &document);
    // Opens a saved document in place of the one shown; a file that is refused says why and changes
    // nothing. True when it was opened.
    bool OuvrirFichier(const QString &fileName);
    // Sizes and places the page for the zoom, and writes the status panel.
    void RepaintReport();

    const ReportDocument &document() const { return m_document; }
    int zoom() const { return m_zoom; }
    int currentPage() const { return m_currentPage; }
    void setZoom(int percent);

    // The open dialog, replaced by tests: (caption, filter) -> chosen name, empty when cancelled. The save
    // dialogs go through the prompter, in the documents folder under the document's title.
    std::function<QString(const QString &, const QString &)> chooseOpenName;

    QToolButton *B2, *B3, *BPdf, *B4, *B5, *B6, *B7, *B8, *B9, *B10;
    QComboBox *CBPage;
    QPushButton *BitBtn1;
    QLabel *StatusPanel1;
    QLabel *StatusPanel2;
    QTimer Timer1; // the zoom animation

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setDocument(const ReportDocument &document);
    void goToPage(int page);
    void B2Click();
    void B3Click();
    void exportPdfClick();
    // The save dialog in the documents folder proposing the document's title with suffix; the chosen
    // path, with suffix when typed without an extension; empty when cancelled or not to be overwritten.
    QString chooseSaveName(const QString &caption, const QString &suffix, const QString &filter);
    void B4Click(int step);
    void B6Click();
    void B7Click();
    void B8Click(int direction);
    void Timer1Timer();
    QToolButton *addButton(const QString &hint, const char *icon, const char *fallback);
    void showFailure(const QString &message);

    ReportDocument m_document;
    int m_zoom = 100;
    int m_currentPage = 1;
    QScrollArea *m_area;
    PageView *QRPreview1;
    int m_animationStep = 0;
};

// Shows document in a new preview window, captioned "Prévisualisation [" + its title + "]", and returns
// when the window is closed.
void PreviewReport(const ReportDocument &document, QWidget *parent = nullptr);

} // namespace zelvane
