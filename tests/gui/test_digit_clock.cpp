#include "common/DigitClock.h"

#include <QPainter>
#include <QtTest>

using namespace zelvane;

// The clock draws each character with the picture of its glyph, one cell per character.
class TestDigitClock : public QObject
{
    Q_OBJECT

    // Glyphs 9 x 19 whose colour tells their index.
    static QList<QPixmap> numberedGlyphs()
    {
        QList<QPixmap> glyphs;
        for (int i = 0; i < 14; ++i) {
            QPixmap p(9, 19);
            p.fill(QColor(10 * i, 100, 200));
            glyphs << p;
        }
        return glyphs;
    }
    static QColor glyphColour(int i) { return QColor(10 * i, 100, 200); }

private slots:
    void glyphIndexes()
    {
        const QString text = QStringLiteral("21:25:36");
        QList<int> indexes;
        for (QChar c : text)
            indexes << TQVDIGIT::glyphIndex(c);
        QCOMPARE(indexes, (QList<int>{2, 1, 13, 2, 5, 13, 3, 6}));
        QCOMPARE(TQVDIGIT::glyphIndex(QLatin1Char('.')), 11);
        QCOMPARE(TQVDIGIT::glyphIndex(QLatin1Char(',')), 12);
        QCOMPARE(TQVDIGIT::glyphIndex(QLatin1Char('x')), -1);
    }

    void drawsEachCell()
    {
        TQVDIGIT clock;
        QCOMPARE(clock.size(), QSize(105, 105)); // until it has pictures
        clock.setImages(numberedGlyphs());
        clock.setColor(Qt::black);
        clock.setText(QStringLiteral("21:25:36"));
        QCOMPARE(clock.size(), QSize(72, 19));
        const QImage image = clock.grab().toImage();
        const int expected[] = {2, 1, 13, 2, 5, 13, 3, 6};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(image.pixelColor(i * 9 + 4, 9), glyphColour(expected[i]));

        // A shorter text clears the whole control: no stale cell remains.
        clock.setText(QStringLiteral("7x"));
        QCOMPARE(clock.size(), QSize(18, 19));
        const QImage shorter = clock.grab().toImage();
        QCOMPARE(shorter.pixelColor(4, 9), glyphColour(7));
        QCOMPARE(shorter.pixelColor(13, 9), QColor(Qt::black)); // no picture for "x"
    }

    void shippedGlyphs()
    {
        const QList<QPixmap> glyphs = TQVDIGIT::defaultGlyphs();
        QCOMPARE(glyphs.size(), 14);
        QCOMPARE(glyphs.first().size(), QSize(9, 19));
    }
};

QTEST_MAIN(TestDigitClock)
#include "test_digit_clock.moc"
