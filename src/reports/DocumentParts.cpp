#include "reports/DocumentParts.h"

#include "common/Organisation.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "reports/DayPanel.h"
#include "stock/ListeDenrees.h"
#include "stock/StockModule.h"

#include <QFontMetricsF>

namespace zelvane {

void AddHeadingLines(ReportBand &band, qreal x, qreal y, qreal width, qreal lineHeight, qreal fontSize)
{
    QString lines[3];
    OrganisationHeading(&lines[0], &lines[1], &lines[2], QStringLiteral("FR"));
    for (int i = 0; i < 3; ++i)
        band.add(ReportElement::label({x, y + i * lineHeight, width, lineHeight}, lines[i]).size(fontSize).bold());
}

void AddPageNumber(ReportBand &band, const QRectF &box, qreal fontSize)
{
    const qreal numberWidth = qMin<qreal>(12, box.width() / 2);
    band.add(
        ReportElement::label(box.adjusted(0, 0, -numberWidth, 0), QStringLiteral("Page :")).right().size(fontSize));
    band.add(ReportElement::pageNumber(QRectF(box.right() - numberWidth + 1, box.top(), numberWidth - 1, box.height()))
                 .size(fontSize));
}

QString WithLeader(const QString &caption, qreal width, qreal fontSize)
{
    // Measured as the report engine draws its texts: DejaVu Sans in twentieths of a point.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(fontSize * 20));
    font.setKerning(false);
    const QFontMetricsF metrics(font);
    QString text = caption;
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    const qreal room = width * kPointsPerMillimetre * 20 * 0.97;
    while (metrics.horizontalAdvance(text + QLatin1Char('.')) <= room)
        text += QLatin1Char('.');
    return text;
}

ReportElement HeadingCell(const QRectF &box, const QString &text, qreal fontSize)
{
    ReportElement cell = ReportElement::label(box, text).centered().size(fontSize).bold().framed();
    cell.wrap = true;
    return cell;
}

void HeadCountLines(const DayPanel &panel, QStringList &names, QStringList counts[3])
{
    const auto integerText = [](double value) { return QString::number(qRound64(value)); };
    for (const DayPanel::Categorie &c : panel.categories) {
        names.append(PadRight(c.lib_fr, 19, QStringLiteral(".")));
        const double meals[] = {c.m1, c.m2, c.m4};
        for (int i = 0; i < 3; ++i)
            counts[i].append(meals[i] == 0 ? QStringLiteral("--") : integerText(meals[i]));
    }
    names << RepeatText(QStringLiteral("-"), 19) << Spaces(6) + QStringLiteral("Totaux.......");
    const double totals[] = {panel.effectifs[1], panel.effectifs[2], panel.effectifs[4]};
    for (int i = 0; i < 3; ++i)
        counts[i] << QStringLiteral("----") << integerText(totals[i]);
}

DayFigures::DayFigures(Tfdb &db, const QDate &day)
{
    const StockModule *stock = db.module<StockModule>();
    const TListeDenrees *shown = stock ? stock->ListeDenrees() : nullptr;
    if (shown && shown->DateJour() == db.ValidateDate(day)) {
        m_liste = shown;
        return;
    }
    m_own = std::make_unique<TListeDenrees>(db);
    m_own->SetDate(day);
    m_liste = m_own.get();
}

DayFigures::~DayFigures() = default;

} // namespace zelvane
