#include "common/ProgressWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zelvane {

TFProgression::TFProgression(QWidget *parent)
    : QDialog(parent)
    , m_message(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_percent(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Patientez"));
    setModal(false);
    m_bar->setTextVisible(false);
    m_percent->setMinimumWidth(48);
    m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *row = new QHBoxLayout;
    row->addWidget(m_bar, 1);
    row->addWidget(m_percent);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addLayout(row);
    setMinimumWidth(420);
}

void TFProgression::start(int maximum, const QString &message)
{
    m_maximum = maximum;
    m_position = 0;
    m_message->setText(message);
    m_bar->setRange(0, qMax(1, maximum));
    m_bar->setValue(0);
    m_percent->setText(percentText());
    show();
    QApplication::processEvents();
}

void TFProgression::step(int n)
{
    m_position += n;
    m_bar->setValue(qMin(m_position, m_bar->maximum()));
    m_percent->setText(percentText());
    QApplication::processEvents();
}

QString TFProgression::percentText() const
{
    return QString::number(m_maximum == 0 ? 0 : m_position * 100 / m_maximum) + QLatin1Char('%');
}

} // namespace zelvane
