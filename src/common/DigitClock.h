#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QWidget>

namespace zelvane {

// A short text (the time) drawn with digit pictures instead of a font: each character takes one cell as
// wide as a picture. Pictures 0-9 are the digits, 11 ".", 12 ",", 13 ":"; other characters draw nothing.
class TQVDIGIT : public QWidget
{
    Q_OBJECT

public:
    explicit TQVDIGIT(QWidget *parent = nullptr);

    // Cuts a strip of equally wide glyphs into the image list.
    static QList<QPixmap> glyphsFromStrip(const QPixmap &strip, int glyphWidth);
    // The glyphs the program ships: 9 x 19 pixels.
    static QList<QPixmap> defaultGlyphs();

    void setImages(const QList<QPixmap> &images);
    const QList<QPixmap> &images() const { return m_images; }
    void setText(const QString &text);
    QString text() const { return m_text; }
    void setColor(const QColor &color);
    QColor color() const { return m_color; }
    // Right-justified: the control grows and shrinks to the left.
    void setRightJustified(bool on) { m_right = on; }

    static int glyphIndex(QChar c);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void resizeToText();

    QList<QPixmap> m_images;
    QString m_text;
    QString m_drawn; // the text drawn last
    QColor m_color = Qt::black;
    bool m_right = false;
};

} // namespace zelvane
