#include "common/DigitClock.h"

#include <QPainter>

// Resources of a static library must be registered by name, outside any namespace.
static void registerClockResources() { Q_INIT_RESOURCE(resources); }

namespace zelvane {

TQVDIGIT::TQVDIGIT(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    resize(105, 105);
}

QList<QPixmap> TQVDIGIT::glyphsFromStrip(const QPixmap &strip, int glyphWidth)
{
    QList<QPixmap> glyphs;
    for (int x = 0; glyphWidth > 0 && x + glyphWidth <= strip.width(); x += glyphWidth)
        glyphs << strip.copy(x, 0, glyphWidth, strip.height());
    return glyphs;
}

QList<QPixmap> TQVDIGIT::defaultGlyphs()
{
    registerClockResources();
    return glyphsFromStrip(QPixmap(QStringLiteral(":/zelvane/images/digits.png")), 9);
}

int TQVDIGIT::glyphIndex(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c == QLatin1Char('.'))
        return 11;
    if (c == QLatin1Char(','))
        return 12;
    if (c == QLatin1Char(':'))
        return 13;
    return -1;
}

void TQVDIGIT::setImages(const QList<QPixmap> &images)
{
    m_images = images;
    if (!m_images.isEmpty())
        resize(int(m_images.size()) * m_images.first().width(), m_images.first().height());
    m_drawn.clear();
    update();
}

void TQVDIGIT::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    resizeToText();
    update();
}

void TQVDIGIT::setColor(const QColor &color)
{
    m_color = color;
    update();
}

QSize TQVDIGIT::sizeHint() const
{
    if (m_images.isEmpty())
        return {105, 105};
    return {int(qMax<qsizetype>(1, m_text.size())) * m_images.first().width(), m_images.first().height()};
}

void TQVDIGIT::resizeToText()
{
    if (m_images.isEmpty())
        return;
    const QSize size(int(m_text.size()) * m_images.first().width(), m_images.first().height());
    if (size == this->size())
        return;
    const int right = geometry().right();
    setFixedSize(size);
    if (m_right && !parentWidget()->layout())
        move(right - size.width() + 1, y());
    updateGeometry();
}

void TQVDIGIT::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A text of another length leaves no stale cell: the whole control is cleared first.
    if (m_text.size() != m_drawn.size() || m_images.isEmpty())
        painter.fillRect(rect(), m_color);
    if (!m_images.isEmpty()) {
        const int w = m_images.first().width();
        for (int i = 0; i < m_text.size(); ++i) {
            const QRect cell(i * w, 0, w, height());
            painter.fillRect(cell, m_color);
            const int glyph = glyphIndex(m_text.at(i));
            if (glyph >= 0 && glyph < m_images.size())
                painter.drawPixmap(cell.topLeft(), m_images.at(glyph));
        }
    }
    m_drawn = m_text;
}

} // namespace zelvane
