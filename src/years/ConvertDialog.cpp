#include "years/ConvertDialog.h"

#include "common/Form.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zelvane {

TFConvertDatabase::TFConvertDatabase(QWidget *parent)
    : QDialog(parent)
    , m_path(new QLabel)
    , m_bar(new QProgressBar)
{
    setWindowTitle(QStringLiteral("Convertir"));
    auto *heading = new QLabel(QStringLiteral("Conversion de la base de données vers la version actuelle"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_path);
    layout->addWidget(new QLabel(QStringLiteral("Progression")));
    layout->addWidget(m_bar);
    setMinimumWidth(460);
    Form<ConversionWindow>::install(this);
}

TFConvertDatabase::~TFConvertDatabase() { Form<ConversionWindow>::uninstall(this); }

void TFConvertDatabase::start(const QString &path, int steps)
{
    m_path->setText(path);
    m_bar->setRange(0, steps);
    m_bar->setValue(0);
    show();
    QApplication::processEvents();
}

void TFConvertDatabase::step()
{
    m_bar->setValue(m_bar->value() + 1);
    QApplication::processEvents();
}

void TFConvertDatabase::finish() { hide(); }

} // namespace zelvane
