#include "print/PrevForm.h"

#include "common/CommandRegistry.h"
#include "common/Paths.h"
#include "common/Prompter.h"
#include "common/WindowHelpers.h"
#include "print/PdfOutput.h"
#include "print/PrintRangeDialog.h"
#include "print/Printing.h"
#include "print/QrpFile.h"
#include "print/ZoomDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

namespace zelvane {

namespace {

const QString kQrpFilter = QStringLiteral("Fichiers QuickRep (*.QRP *.qrp);;Tous les Fichiers (*)");
const QString kPdfFilter = QStringLiteral("Documents PDF (*.pdf *.PDF);;Tous les Fichiers (*)");
// The zoom settles on 100 % through these steps when a document comes in: the percent above 100 and the
// delay before the next step, in milliseconds.
constexpr std::array kAnimation{10, 5, 0};

QString withSuffix(const QString &name, const QString &suffix)
{
    return QFileInfo(name).suffix().isEmpty() ? name + suffix : name;
}

} // namespace

// The page at the zoom, with the white frame that the user drags to move the page. A drag scrolls by the
// distance from where it began at every move, so the page runs on, the faster the farther the mouse is.
class PageView : public QWidget
{
public:
    PageView(TPrevForm &form, QScrollArea &area)
        : m_form(form)
        , m_area(area)
    {
        setCursor(Qt::OpenHandCursor);
    }

    // Pixels of the screen for one point of the page at zoom 100.
    qreal pixelsPerPoint() const { return logicalDpiX() / 72.0; }

    QSizeF pagePoints() const { return m_form.document().layout.fullRect(QPageLayout::Point).size(); }

    void resizeToZoom()
    {
        const qreal scale = pixelsPerPoint() * m_form.zoom() / 100.0;
        setFixedSize((pagePoints() * scale).toSize());
        update();
    }

    // The document or its page changed: the image of the page is made again.
    void forget() { m_shown = {-1, -1}; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        // The page is drawn once per page and zoom into an image of the widget's resolution, as on paper.
        const std::pair<int, int> wanted{m_form.currentPage(), m_form.zoom()};
        if (wanted != m_shown) {
            m_page = RenderPage(m_form.document(), wanted.first - 1, qRound(logicalDpiX() * wanted.second / 100.0));
            m_shown = wanted;
        }
        if (!m_page.isNull())
            painter.drawImage(rect(), m_page);
        painter.setPen(Qt::white);
        painter.drawRect(rect().adjusted(2, 2, -4, -4));
        painter.setPen(Qt::darkGray);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        m_start = m_last = event->globalPosition().toPoint();
        setCursor(Qt::ClosedHandCursor);
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        const QPoint at = event->globalPosition().toPoint();
        if (at.x() != m_last.x())
            m_area.horizontalScrollBar()->setValue(m_area.horizontalScrollBar()->value() + m_start.x() - at.x());
        if (at.y() != m_last.y())
            m_area.verticalScrollBar()->setValue(m_area.verticalScrollBar()->value() + m_start.y() - at.y());
        m_last = at;
    }

    void mouseReleaseEvent(QMouseEvent *) override { setCursor(Qt::OpenHandCursor); }

private:
    TPrevForm &m_form;
    QScrollArea &m_area;
    QPoint m_start;
    QPoint m_last;
    QImage m_page;
    std::pair<int, int> m_shown{-1, -1}; // the page and zoom of m_page
};

TPrevForm::TPrevForm(QWidget *parent)
    : QDialog(parent)
    , m_area(new QScrollArea)
{
    setWindowTitle(QStringLiteral("Prévisualisation"));
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    chooseOpenName = [this](const QString &caption, const QString &filter) {
        return QFileDialog::getOpenFileName(this, caption, QString(), filter);
    };

    auto *toolbar = new QToolBar;
    toolbar->setIconSize(QSize(24, 24));
    B2 = addButton(QStringLiteral("Ouvrir"), "document-open", "open");
    B3 = addButton(QStringLiteral("Enregistrer sous"), "document-save-as", "save");
    BPdf = addButton(QStringLiteral("Exporter en PDF"), "x-office-document", "");
    B4 = addButton(QStringLiteral("Zoom in "), "zoom-in", "");
    B5 = addButton(QStringLiteral("Zoom out"), "zoom-out", "");
    B6 = addButton(QStringLiteral("Zoom"), "zoom-fit-best", "");
    B7 = addButton(QStringLiteral("Imprimer"), "document-print", "print");
    B8 = addButton(QStringLiteral("Page précédente"), "go-previous", "day-previous");
    B9 = addButton(QStringLiteral("Page suivante"), "go-next", "day-next");
    B10 = addButton(QStringLiteral("Calculatrice"), "accessories-calculator", "calculator");
    // Keys for the buttons used most, so that a document is read without the mouse.
    B3->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    B4->setShortcut(QKeySequence::ZoomIn);
    B5->setShortcut(QKeySequence::ZoomOut);
    B7->setShortcut(QKeySequence::Print);
    B8->setShortcut(Qt::Key_PageUp);
    B9->setShortcut(Qt::Key_PageDown);
    CBPage = new QComboBox;
    CBPage->setObjectName(QStringLiteral("CBPage"));
    CBPage->setMinimumWidth(110);
    QFont bold = CBPage->font();
    bold.setBold(true);
    CBPage->setFont(bold);
    BitBtn1 = new QPushButton(QStringLiteral("Fermer"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFont(bold);
    BitBtn1->setAutoDefault(false);
    for (QWidget *w : {static_cast<QWidget *>(B2), static_cast<QWidget *>(B3), static_cast<QWidget *>(BPdf)})
        toolbar->addWidget(w);
    toolbar->addSeparator();
    for (QToolButton *button : {B4, B5, B6})
        toolbar->addWidget(button);
    toolbar->addSeparator();
    toolbar->addWidget(B7);
    toolbar->addWidget(B8);
    toolbar->addWidget(CBPage);
    toolbar->addWidget(B9);
    toolbar->addSeparator();
    toolbar->addWidget(B10);
    toolbar->addSeparator();
    toolbar->addWidget(BitBtn1);

    QRPreview1 = new PageView(*this, *m_area);
    m_area->setWidget(QRPreview1);
    m_area->setAlignment(Qt::AlignCenter);
    m_area->setBackgroundRole(QPalette::Dark);

    auto *status = new QStatusBar;
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(false);
    QFont statusFont = status->font();
    statusFont.setPointSize(10);
    statusFont.setBold(true);
    StatusPanel1 = new QLabel;
    StatusPanel2 = new QLabel;
    StatusPanel1->setFixedWidth(200);
    StatusPanel2->setFixedWidth(50);
    for (QLabel *panel : {StatusPanel1, StatusPanel2}) {
        panel->setFont(statusFont);
        status->addWidget(panel);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_area, 1);
    layout->addWidget(status);

    connect(B2, &QToolButton::clicked, this, &TPrevForm::B2Click);
    connect(B3, &QToolButton::clicked, this, &TPrevForm::B3Click);
    connect(BPdf, &QToolButton::clicked, this, &TPrevForm::exportPdfClick);
    connect(B4, &QToolButton::clicked, this, [this] { B4Click(25); });
    connect(B5, &QToolButton::clicked, this, [this] { B4Click(-25); });
    connect(B6, &QToolButton::clicked, this, &TPrevForm::B6Click);
    connect(B7, &QToolButton::clicked, this, &TPrevForm::B7Click);
    connect(B8, &QToolButton::clicked, this, [this] { B8Click(-1); });
    connect(B9, &QToolButton::clicked, this, [this] { B8Click(1); });
    connect(B10, &QToolButton::clicked, this, [] { ShowCalculator(); });
    connect(CBPage, &QComboBox::activated, this, [this](int index) { goToPage(index + 1); });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(&Timer1, &QTimer::timeout, this, &TPrevForm::Timer1Timer);
    // The whole screen also where no window manager maximises windows.
    if (QScreen *where = parent ? parent->screen() : QGuiApplication::primaryScreen())
        setGeometry(where->availableGeometry());
    setWindowState(Qt::WindowMaximized);
}

QToolButton *TPrevForm::addButton(const QString &hint, const char *icon, const char *fallback)
{
    auto *button = new QToolButton;
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setText(hint.trimmed());
    const QIcon picture = QIcon::fromTheme(QString::fromLatin1(icon), CommandRegistry::bundledIcon(fallback));
    button->setIcon(picture);
    // Without a picture in the icon theme the button says what it does.
    button->setToolButtonStyle(picture.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
    return button;
}

int TPrevForm::ShowPrevForm(const ReportDocument &document)
{
    // Shown from its saved form, as a file reopened later would be: what is seen is what is kept.
    ReportDocument saved;
    if (ReadQrp(QrpBytes(document), saved) != QrpStatus::Ok)
        saved = document;
    setDocument(saved);
    return exec();
}

void TPrevForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_zoom = 100;
    goToPage(1);
    m_animationStep = 0;
    Timer1.start(100);
}

void TPrevForm::Timer1Timer()
{
    const int step = kAnimation.at(m_animationStep++);
    Timer1.setInterval(step);
    setZoom(100 + step);
    if (m_animationStep == int(kAnimation.size()))
        Timer1.stop();
}

void TPrevForm::setDocument(const ReportDocument &document)
{
    m_document = document;
    QRPreview1->forget();
    CBPage->clear();
    for (int page = 1; page <= m_document.pages.size(); ++page)
        CBPage->addItem(QStringLiteral("Page:%1").arg(page));
    goToPage(1);
}

bool TPrevForm::OuvrirFichier(const QString &fileName)
{
    ReportDocument opened;
    if (const QString failure = LoadQrpFile(fileName, opened); !failure.isEmpty()) {
        showFailure(failure);
        return false;
    }
    setDocument(opened);
    return true;
}

void TPrevForm::goToPage(int page)
{
    m_currentPage = qBound(1, page, qMax(1, int(m_document.pages.size())));
    CBPage->setCurrentIndex(m_currentPage - 1);
    RepaintReport();
}

void TPrevForm::setZoom(int percent)
{
    m_zoom = qBound(1, percent, 300);
    RepaintReport();
}

void TPrevForm::RepaintReport()
{
    QRPreview1->resizeToZoom();
    StatusPanel1->setText(QStringLiteral(" Nombre de page : %1").arg(m_document.pages.size()));
}

void TPrevForm::B2Click()
{
    const QString name = chooseOpenName(QStringLiteral("Ouvrir"), kQrpFilter);
    if (!name.isEmpty() && OuvrirFichier(name))
        m_document.title = QFileInfo(name).fileName();
    activateWindow();
}

QString TPrevForm::chooseSaveName(const QString &caption, const QString &suffix, const QString &filter)
{
    // The document's title as the name, without the characters a file name cannot hold.
    QString title = m_document.title.trimmed();
    static const QRegularExpression forbidden(QStringLiteral("[/\\\\:*?\"<>|]"));
    title.replace(forbidden, QStringLiteral("-"));
    if (title.isEmpty())
        title = QStringLiteral("document");
    const QString name = ChooseFileToWrite(caption, DocumentsDir(), withSuffix(title, suffix), filter);
    return name.isEmpty() ? name : withSuffix(name, suffix);
}

void TPrevForm::B3Click()
{
    const QString path = chooseSaveName(QStringLiteral("Enregistrer"), QStringLiteral(".QRP"), kQrpFilter);
    if (!path.isEmpty())
        showFailure(SaveQrpFile(m_document, path));
    activateWindow();
}

void TPrevForm::exportPdfClick()
{
    const QString path = chooseSaveName(QStringLiteral("Exporter en PDF"), QStringLiteral(".pdf"), kPdfFilter);
    if (path.isEmpty()) {
        activateWindow();
        return;
    }
    QString error;
    if (WritePdf(m_document, path, &error))
        prompter().showMessage(
            QStringLiteral("Le document est enregistré en PDF sous %1.").arg(QDir::toNativeSeparators(path)),
            windowTitle(), MessageIcon::Information);
    else
        showFailure(QStringLiteral("Impossible d'écrire %1 : %2").arg(path, error));
    activateWindow();
}

void TPrevForm::B4Click(int step)
{
    // The buttons keep the zoom from 1 to 300: a step that would leave it does nothing.
    const int zoom = m_zoom + step;
    if (zoom >= 1 && zoom <= 300)
        setZoom(zoom);
}

void TPrevForm::B6Click()
{
    const std::optional<ZoomChoice> choice = AskZoom(m_zoom, this);
    if (choice) {
        const QSizeF page = QRPreview1->pagePoints() * QRPreview1->pixelsPerPoint();
        const QSize room = m_area->viewport()->size();
        switch (choice->kind) {
        case ZoomChoice::Percent:
            setZoom(choice->percent);
            break;
        case ZoomChoice::PageWidth:
            setZoom(int(100 * room.width() / page.width()));
            break;
        case ZoomChoice::WholePage:
            setZoom(int(100 * qMin(room.width() / page.width(), room.height() / page.height())));
            break;
        }
    }
    activateWindow();
}

void TPrevForm::B7Click()
{
    PrintRange range{1, int(m_document.pages.size()), 1, {}};
    if (AskPrintRange(m_currentPage, range, this))
        showFailure(PrintDocument(m_document, range));
    activateWindow();
}

void TPrevForm::B8Click(int direction)
{
    const int page = m_currentPage + direction;
    if (page >= 1 && page <= m_document.pages.size())
        goToPage(page);
}

void TPrevForm::showFailure(const QString &message)
{
    if (!message.isEmpty())
        prompter().showMessage(message, windowTitle(), MessageIcon::Warning);
}

void PreviewReport(const ReportDocument &document, QWidget *parent)
{
    TPrevForm form(parent);
    form.setWindowTitle(QStringLiteral("Prévisualisation [%1]").arg(document.title));
    form.ShowPrevForm(document);
}

} // namespace zelvane
