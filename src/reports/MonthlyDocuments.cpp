#include "reports/MonthlyDocuments.h"

#include "common/Dates.h"
#include "common/Format.h"
#include "common/Organisation.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "db/DataModule.h"
#include "menus/ListeCategories.h"
#include "print/Report.h"
#include "reports/DepenseMensuelle.h"
#include "reports/DocumentParts.h"
#include "reports/DocumentSpec.h"
#include "reports/EtatMensuel.h"
#include "reports/ReportsModule.h"

#include <QLocale>
#include <QSqlQuery>

namespace zelvane {

namespace {

constexpr auto kArabicFont = "Amiri";

QString integer(qint64 n) { return QString::number(n); }

// The organisation's Arabic heading lines, one under another, on the right.
void addArabicHeading(ReportBand &band, const QRectF &first)
{
    QString lines[3];
    OrganisationHeading(&lines[0], &lines[1], &lines[2], QStringLiteral("AR"));
    for (int i = 0; i < 3; ++i) {
        band.add(ReportElement::label(first.translated(0, i * first.height()), lines[i])
                     .family(QString::fromLatin1(kArabicFont))
                     .size(10)
                     .bold()
                     .right());
    }
}

// The values of one line of the daily table of the monthly statement.
void dayValues(const TDepenseJour &d, const QString &jour, QHash<QString, QVariant> &values)
{
    values[QStringLiteral("jour")] = jour;
    for (int m = 0; m < kMeals; ++m)
        values[QStringLiteral("repas%1").arg(m + 1)] = d.Repas[m];
    values[QStringLiteral("moyenne")] = d.Moyenne;
    values[QStringLiteral("sorties")] = FormatMontant(d.SortiesJour);
    values[QStringLiteral("prix")] = FormatMontant(d.PrixJournee);
}

// Columns of the monthly statement's daily table, millimetres from the left margin.
struct Column
{
    qreal x;
    qreal width;
    const char *value;
};
constexpr Column kEtatColumns[] = {{0, 40, "jour"},     {40, 27, "repas1"},   {67, 27, "repas2"},   {94, 27, "repas3"},
                                   {121, 27, "repas4"}, {148, 40, "moyenne"}, {188, 47, "sorties"}, {235, 42, "prix"}};

void addDayLine(ReportBand &band, qreal height)
{
    for (const Column &c : kEtatColumns) {
        ReportElement cell = ReportElement::field({c.x, 0, c.width, height}, QString::fromLatin1(c.value)).framed();
        cell.alignment = c.x == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter;
        cell.rect.adjust(1, 0, -1, 0); // a little air inside the frame
        cell.frame = false;
        band.add(ReportElement::box({c.x, 0, c.width, height}));
        band.add(cell);
    }
}

// The box on the right of the monthly statement: its fixed text and, beside it, the month's row.
QStringList boxText()
{
    return {QStringLiteral("------------------------------------------------"),
            QStringLiteral("  Prix de revient mensuel d'après l'effectif"),
            QStringLiteral("         budgétaire des personnes"),
            QStringLiteral("Dépense total du mois"),
            QString(),
            QStringLiteral("  Total budgétaire"),
            QStringLiteral("des personnes nourries"),
            QStringLiteral("------------------------------------------------"),
            QStringLiteral("    Crédit budgétaire ouvert pour le mois"),
            QStringLiteral("Crédit mensuel autorisé  effectif budgétaire"),
            QStringLiteral("par personnes nourries   des personnes nourries"),
            QString(),
            QStringLiteral("------------------------------------------------"),
            QStringLiteral("Vérifications de la Dépense depuis le 1er JAN"),
            QStringLiteral("(Tableau à remplir à la fin de chaque Trimetres)"),
            QStringLiteral("Valeur du magasin au 31"),
            QStringLiteral("décembre précédent ............:"),
            QStringLiteral("Dépenses inscrites au sommier"),
            QStringLiteral("des dépenses...................:"),
            QStringLiteral("Créances des fournisseurs"),
            QStringLiteral("Alimentation...................:"),
            QStringLiteral("                                ----------------"),
            QStringLiteral("                  TOTAL........:"),
            QStringLiteral("------------------------------------------------"),
            QStringLiteral("A déduire : inventaire des "),
            QStringLiteral("denrées en magasin"),
            QStringLiteral("au "),
            QStringLiteral("TOTAL de la Dépense ")};
}

} // namespace

PersonnesNourriesTable PersonnesNourriesParCategorie(Tfdb &db, const TDepense_Mensuelle &month, int organisme)
{
    const TListeCategories categories(db);
    PersonnesNourriesTable table;
    qint64 total = 0;
    for (int i = 0; i < categories.Count(); ++i) {
        // The category at position i counts the month's lunches and dinners of category code i + 1.
        const QString &label = categories.GetCategorie(i)->lib_fr;
        const qint64 fed = qint64(month.TotalMois.effectif(i + 1, 2)) + month.TotalMois.effectif(i + 1, 4);
        total += fed;
        const int key = organisme * 100 + i;
        if (key == 100) {
            table.labels << Spaces(21) + RepeatText(QStringLiteral("-"), 12)
                         << PadRight(label, 21, QStringLiteral(".")) + QStringLiteral("! Droits   !");
            table.numbers << QString() << integer(fed);
        } else if (key == 101) {
            table.labels << PadRight(label, 21, QStringLiteral(".")) + QStringLiteral("! constatés!")
                         << Spaces(9) + QStringLiteral("(1 pour 2)  ") + RepeatText(QStringLiteral("-"), 12);
            table.numbers << integer(fed) << QString();
        } else {
            table.labels << PadRight(label, 35, QStringLiteral("."));
            table.numbers << integer(fed);
        }
    }
    table.labels << QString() << Spaces(13) + PadRight(QStringLiteral("TOTAUX"), 22, QStringLiteral("."));
    table.numbers << QStringLiteral("------") << integer(total);
    return table;
}

ReportDocument MakeEtatMensuel(Tfdb &db, const QDate &day)
{
    TDepense_Mensuelle month(db, day);
    const PersonnesNourriesTable fed = PersonnesNourriesParCategorie(db, month, db.organisme);
    if (QString error; !UpdateEtatMensuel(db, month, &error)) {
        prompter().showMessage(QStringLiteral("Les chiffres de %1 n'ont pas pu être enregistrés dans %2 (%3) : l'état "
                                              "mensuel n'est pas imprimé.")
                                   .arg(MoisFR(month.Mois), db.openedPath(), error),
                               QStringLiteral("Etat Mensuel"), MessageIcon::Warning);
        return {};
    }
    if (auto *reports = db.module<ReportsModule>(); reports && month.dayCount() > 0)
        EditEtatMensuel(*reports, month.Mois);
    const EtatMensuelRow row = ReadEtatMensuel(db, month.Mois).value_or(EtatMensuelRow{});

    ReportLayout layout(QStringLiteral("Etat Mensuel des Dépenses d'Alimentation"), QPageSize::A4,
                        QPageLayout::Landscape);
    const qreal width = layout.printableSize().width();
    const QString monthText = MoisFR(month.Mois).toUpper() + QStringLiteral(" - ") + integer(month.Annee);

    ReportBand &header = layout.band(BandKind::PageHeader, 30);
    AddHeadingLines(header, 0, 0, 150, 4.5, 8);
    header.add(ReportElement::label({0, 15, width, 7}, QStringLiteral("ETAT MENSUEL DES DEPENSES D'ALIMENTATION"))
                   .size(13)
                   .bold()
                   .centered());
    header.add(ReportElement::label({0, 22, width, 6}, QStringLiteral("Mois de ") + monthText).size(10).centered());

    ReportBand &columns = layout.band(BandKind::ColumnHeader, 12);
    auto heading = [&](const QRectF &r, const QString &text) { columns.add(HeadingCell(r, text, 7)); };
    heading({0, 0, 40, 12}, QStringLiteral("Jour"));
    heading({40, 0, 108, 5}, QStringLiteral("NOMBRE DE REPAS"));
    const char *meals[] = {"Petit Déj", "Déjeuner", "Gouter", "Diner"};
    for (int m = 0; m < 4; ++m)
        heading({40.0 + 27 * m, 5, 27, 7}, QString::fromUtf8(meals[m]));
    heading({148, 0, 40, 12}, QStringLiteral("Moyenne réelle des personnes nourries"));
    heading({188, 0, 47, 12}, QStringLiteral("Dépenses total de la journée"));
    heading({235, 0, 42, 12}, QStringLiteral("Prix de revient moynne de la journée"));
    // The daily table's headings stand over the days only, not over the page of the month's figures.
    columns.before([&month] { return month.Ligne < month.dayCount(); });

    addDayLine(layout.band(BandKind::Detail, 3.9), 3.9);
    month.Ligne = 0;
    layout.needData = [&month](QHash<QString, QVariant> &values) {
        const TDepenseJour *d = month.GetJour(month.Ligne + 1);
        if (!d)
            return false;
        ++month.Ligne;
        dayValues(*d, integer(d->Jour), values);
        return true;
    };

    // The three total lines: one band each, over the same columns.
    struct Total
    {
        const char *caption;
        const TDepenseJour *record;
    };
    for (const Total &t :
         {Total{"Totaux du mois", &month.TotalMois}, Total{"Report du mois précédent", &month.ReportMois},
          Total{"Totaux depuis le 1er Janvier", &month.TotalAnnee}}) {
        ReportBand &band = layout.band(BandKind::Summary, 4.5);
        QHash<QString, QVariant> values;
        dayValues(*t.record, QString(), values);
        band.add(ReportElement::label({0, 0, 40, 4.5}, QString::fromUtf8(t.caption)).size(7).bold().framed());
        for (const Column &c : kEtatColumns) {
            if (c.x == 0)
                continue;
            band.add(ReportElement::label({c.x, 0, c.width, 4.5}, values.value(QString::fromLatin1(c.value)).toString())
                         .bold()
                         .right()
                         .framed());
        }
    }

    // Persons fed by category on the left, the month's row on the right.
    const qreal line = 3.3;
    const QStringList box = boxText();
    ReportBand &summary = layout.band(BandKind::Summary, 8 + line * box.size());
    summary.add(ReportElement::label({0, 4, 150, 5}, QStringLiteral("TABLEAU DES PERSONNES NOURRIES")).bold().size(9));
    summary.add(
        ReportElement::label({0, 9, 150, 4.5}, QStringLiteral("PENDANT LE MOIS DE : ") + MoisFR(month.Mois).toUpper())
            .size(8));
    summary.add(ReportElement::label({0, 13.5, 150, 4.5}, QStringLiteral("(Effectives budgétaires)")).italic());
    ReportElement labels = ReportElement::memo({0, 20, 60, line * fed.labels.size()}, line).fixedPitch().size(7.5);
    labels.text = fed.labels.join(QLatin1Char('\n'));
    ReportElement numbers =
        ReportElement::memo({60, 20, 25, line * fed.numbers.size()}, line).fixedPitch().size(7.5).right();
    numbers.text = fed.numbers.join(QLatin1Char('\n'));
    summary.add(labels).add(numbers);

    const qreal boxLeft = width - 128;
    ReportElement fixed = ReportElement::memo({boxLeft, 6, 80, line * box.size()}, line).fixedPitch().size(6.5);
    fixed.text = box.join(QLatin1Char('\n'));
    summary.add(fixed);
    auto beside = [&](int lineIndex, const QString &text) {
        summary.add(ReportElement::label({boxLeft + 80, 6 + line * lineIndex, 48, line}, text).right().size(7.5));
    };
    summary.add(ReportElement::label({boxLeft, 6 + line * 4, 128, line},
                                     FormatMontant(row.dep_mois).trimmed() + QStringLiteral("  /  ")
                                         + integer(row.nbr_mois) + QStringLiteral("  =  ")
                                         + FormatMontant(row.prixRevient()).trimmed())
                    .size(7.5)
                    .bold()
                    .centered());
    summary.add(ReportElement::label({boxLeft, 6 + line * 11, 128, line},
                                     FormatMontant(row.credit_aut_mois).trimmed() + QStringLiteral("  x  ")
                                         + integer(row.nbr_aut_mois) + QStringLiteral("  =  ")
                                         + FormatMontant(row.creditOuvert()).trimmed())
                    .size(7.5)
                    .bold()
                    .centered());
    beside(16, FormatMontant(row.valeur_31dec));
    beside(18, FormatMontant(row.depense_enreg));
    beside(20, FormatMontant(row.creance));
    beside(22, FormatMontant(row.totalVerifications()));
    beside(27, FormatMontant(row.total_depense));
    summary.add(ReportElement::box({boxLeft - 2, 5, 130, line * box.size() + 2}));

    return layout.generate();
}

ReportDocument MakeDepensesMensuelles(Tfdb &db, const QDate &day)
{
    TDepense_Mensuelle month(db, day);
    ReportLayout layout(QStringLiteral("Etat des Dépenses Mensuelles"), QPageSize::A4);
    const qreal width = layout.printableSize().width();

    ReportBand &header = layout.band(BandKind::PageHeader, 42);
    header.add(ReportElement::label({0, 0, width, 5}, QStringLiteral("REPUBLIQUE ALGERIENNE DEMOCRATIQUE ET POPULAIRE"))
                   .bold()
                   .centered());
    AddHeadingLines(header, 0, 7, 120, 4.5, 8);
    header.add(ReportElement::label({0, 24, width, 7}, QStringLiteral("ETAT DES DEPENSES MENSUELLES"))
                   .size(13)
                   .bold()
                   .centered());
    header.add(ReportElement::label({0, 31, width, 6}, QStringLiteral("Mois de ") + MoisFR(month.Mois).toUpper()
                                                           + QStringLiteral(" - ") + integer(month.Annee))
                   .size(10)
                   .centered());

    struct Col
    {
        qreal x, width;
        const char *value;
    };
    const Col cols[] = {{0, 8, "n"},   {8, 24, "journee"}, {32, 14, "r1"}, {46, 14, "r2"}, {60, 14, "r3"},
                        {74, 22, "a"}, {96, 26, "b"},      {122, 24, "c"}, {146, 22, "d"}, {168, 22, "obs"}};
    ReportBand &columns = layout.band(BandKind::ColumnHeader, 16);
    auto heading = [&](const QRectF &r, const QString &text) { columns.add(HeadingCell(r, text, 6.5)); };
    heading({0, 0, 8, 16}, QStringLiteral("N~"));
    heading({8, 0, 24, 16}, QStringLiteral("Journées"));
    heading({32, 0, 42, 8}, QStringLiteral("Effectifs"));
    heading({32, 8, 14, 8}, QStringLiteral("1"));
    heading({46, 8, 14, 8}, QStringLiteral("2"));
    heading({60, 8, 14, 8}, QStringLiteral("3"));
    heading({74, 0, 22, 16}, QStringLiteral("Effectif Total de la Journée (A)"));
    heading({96, 0, 26, 16}, QStringLiteral("Dépenses total de la journée (B)"));
    heading({122, 0, 24, 16}, QStringLiteral("Prix de revient Journée Alimentaire (C)"));
    heading({146, 0, 22, 16}, QStringLiteral("Prix de revient du Repas (D)"));
    heading({168, 0, 22, 16}, QStringLiteral("Observation"));

    ReportBand &detail = layout.band(BandKind::Detail, 6);
    for (const Col &c : cols) {
        ReportElement cell =
            ReportElement::field({c.x, 0, c.width, 6}, QString::fromLatin1(c.value)).framed().size(7.5);
        if (c.x >= 32)
            cell.right();
        detail.add(cell);
    }
    const QLocale locale(QLocale::French, QLocale::France);
    month.Ligne = 0;
    layout.needData = [&](QHash<QString, QVariant> &values) {
        const TDepenseJour *d = month.GetJour(month.Ligne + 1);
        if (!d)
            return false;
        ++month.Ligne;
        values[QStringLiteral("n")] = integer(d->Jour);
        values[QStringLiteral("journee")] = locale.dayName(QDate(month.Annee, month.Mois, d->Jour).dayOfWeek());
        values[QStringLiteral("r1")] = integer(d->Repas[0]);
        values[QStringLiteral("r2")] = integer(d->Repas[1]);
        values[QStringLiteral("r3")] = integer(d->Repas[3]);
        values[QStringLiteral("a")] = integer(d->EffectifTotal);
        values[QStringLiteral("b")] = FormatMontant(d->SortiesJour);
        values[QStringLiteral("c")] = FormatMontant(d->PrixJournee);
        values[QStringLiteral("d")] = FormatMontant(d->PrixRepas);
        values[QStringLiteral("obs")] = QString();
        return true;
    };

    ReportBand &footer = layout.band(BandKind::PageFooter, 18);
    const char *legend[] = {"1= Petit Déjeiner       2=Déjeuner          3=Diner", "A=2+3", "B=Dépenses 1+2+3",
                            "C=B/Moyen effectifs 2 et 3", "D=B/Total des effectifs 2+3"};
    for (int i = 0; i < 5; ++i)
        footer.add(ReportElement::label({0, 1 + 3.4 * i, width, 3.4}, QString::fromUtf8(legend[i])).size(7));
    return layout.generate();
}

ReportDocument MakeFicheMensuelleAR(Tfdb &db, const QDate &day)
{
    TDepense_Mensuelle month(db, day);
    const OrganisationIdentity &identity = Organisation();
    const bool university = identity.kindCode == QLatin1String("5");
    // Narrow margins keep a whole month, its total and the signatures on one page.
    ReportLayout layout(QStringLiteral("بطاقة متابعة الوجبات الغذائية لشهر"), QPageSize::A4, QPageLayout::Landscape,
                        {10, 7, 10, 7});
    const qreal width = layout.printableSize().width();
    const QString arabic = QString::fromLatin1(kArabicFont);
    auto ar = [&](const QRectF &r, const QString &text) { return ReportElement::label(r, text).family(arabic); };

    ReportBand &header = layout.band(BandKind::PageHeader, university ? 39 : 33); // the title's box ends 1 mm above
    header.add(ar({0, 0, width, 6}, QStringLiteral("الجمهوريـــــة الجزائريــــــة الديمقراطيـــــة الشعبيـــــة"))
                   .size(12)
                   .bold()
                   .centered());
    addArabicHeading(header, {width - 150, 7, 150, 5.5});
    qreal y = 24;
    if (university) {
        header.add(ar({width - 150, y, 150, 5.5}, QStringLiteral("الديوان الوطني للخدمات الجامعية")).size(10).right());
        y += 6;
    }
    header.add(ar({0, y, width, 8}, QStringLiteral("بطاقة متابعة الوجبات الغذائية لشهر") + QLatin1Char(' ')
                                        + MoisAR(month.Mois) + QStringLiteral(" - ") + integer(month.Annee))
                   .size(14)
                   .bold()
                   .centered());

    // Columns from the right: the day, six head-counts (students and workers of three meals), then (4) to (7).
    const qreal dateX = width - 25;
    auto mealX = [&](int meal, bool workers) { return dateX - 36.0 * (meal + 1) + (workers ? 0 : 18); };
    struct Figure
    {
        qreal x, width;
        const char *value;
    };
    const Figure figures[] = {
        {dateX - 138, 30, "p4"}, {dateX - 178, 40, "p5"}, {dateX - 216, 38, "p6"}, {0, dateX - 216, "p7"}};

    ReportBand &columns = layout.band(BandKind::ColumnHeader, 20);
    auto heading = [&](const QRectF &r, const QString &text) { columns.add(HeadingCell(r, text, 8).family(arabic)); };
    heading({dateX, 0, 25, 20}, QStringLiteral("التاريـــــــخ"));
    heading({dateX - 108, 0, 108, 6}, QStringLiteral("عــــــــــدد الوجبـــــــــــــــات"));
    const char *meals[][2] = {{"ف/الصبــاح", "(1)"}, {"و/الغـــذاء", "(2)"}, {"و/العشــــاء", "(3)"}};
    for (int m = 0; m < 3; ++m) {
        const qreal x = mealX(m, true);
        heading({x, 6, 36, 8}, QString::fromUtf8(meals[m][0]) + QLatin1Char(' ') + QString::fromUtf8(meals[m][1]));
        heading({x + 18, 14, 18, 6}, QStringLiteral("طلبة"));
        heading({x, 14, 18, 6}, QStringLiteral("عمــال"));
    }
    heading({figures[0].x, 0, figures[0].width, 20}, QStringLiteral("المعـــــــــدل\n2 \\ (2)+(3) = (4)"));
    heading({figures[1].x, 0, figures[1].width, 20}, QStringLiteral("النفقــــــــــــات\n(5)"));
    heading({figures[2].x, 0, figures[2].width, 20}, QStringLiteral("كلفة اليوم الغذائي\n(6)"));
    heading({figures[3].x, 0, figures[3].width, 20}, QStringLiteral("كلفــة الوجبة\n(2) \\ (6)  = (7)"));

    // One line's cells: the date or caption, the six head-counts and the four figures.
    auto addLine = [&](ReportBand &band, qreal height, bool bold) {
        ReportElement date = ReportElement::field({dateX, 0, 25, height}, QStringLiteral("date")).centered().framed();
        date.family(arabic);
        band.add(date);
        for (int m = 0; m < 3; ++m) {
            band.add(ReportElement::field({mealX(m, false), 0, 18, height}, QStringLiteral("s%1").arg(m))
                         .centered()
                         .framed());
            band.add(ReportElement::field({mealX(m, true), 0, 18, height}, QStringLiteral("w%1").arg(m))
                         .centered()
                         .framed());
        }
        for (const Figure &f : figures)
            band.add(ReportElement::field({f.x, 0, f.width, height}, QString::fromLatin1(f.value)).right().framed());
        for (ReportElement &e : band.elements) {
            e.font.size = 7.5;
            e.font.bold = bold;
        }
    };
    auto values = [](const TDepenseJour &d, QHash<QString, QVariant> &v) {
        const int meals[] = {1, 2, 4};
        double persons = 0;
        for (int i = 0; i < 3; ++i) {
            const qint64 students = d.effectif(2, meals[i]);
            const qint64 workers = qint64(d.effectif(4, meals[i])) + d.effectif(5, meals[i]);
            v[QStringLiteral("s%1").arg(i)] = integer(students);
            v[QStringLiteral("w%1").arg(i)] = integer(workers);
            if (i > 0)
                persons += double(students + workers);
        }
        const double p4 = persons / 2;
        const double p6 = p4 != 0 ? d.SortiesJour / p4 : 0;
        v[QStringLiteral("p4")] = FormatMontantSaisie(p4);
        v[QStringLiteral("p5")] = FormatMontant(d.SortiesJour);
        v[QStringLiteral("p6")] = FormatMontant(p6);
        v[QStringLiteral("p7")] = FormatMontant(p6 / 2);
    };

    addLine(layout.band(BandKind::Detail, 3.5), 3.5, false);
    month.Ligne = 0;
    layout.needData = [&](QHash<QString, QVariant> &v) {
        const TDepenseJour *d = month.GetJour(month.Ligne + 1);
        if (!d)
            return false;
        ++month.Ligne;
        values(*d, v);
        v[QStringLiteral("date")] = DateText(QDate(month.Annee, month.Mois, d->Jour));
        return true;
    };

    // The summary line: the same figures on the month's total, its cells as fixed labels.
    ReportBand &summary = layout.band(BandKind::Summary, 5.5);
    addLine(summary, 5.5, true);
    QHash<QString, QVariant> total;
    values(month.TotalMois, total);
    total[QStringLiteral("date")] = QStringLiteral("المجمـــــــــوع");
    for (ReportElement &e : summary.elements) {
        e.kind = ReportElement::Label;
        e.text = total.value(e.text).toString();
    }

    ReportBand &signatures = layout.band(BandKind::Summary, 18);
    const QStringList who = university
                                ? QStringList{QStringLiteral("إمضــاء رئيـس مصلحــة الإطعـــام"),
                                              QStringLiteral("إمضــاء مديـــر الإقامـــة"),
                                              QStringLiteral("تأشيــــرة مديـــــر الخدمــــات الجامعيـــــــة")}
                                : QStringList{QStringLiteral("المقتصــــــــد"), QStringLiteral("المــديـــــر")};
    const qreal slot = width / who.size();
    for (int i = 0; i < who.size(); ++i) // the first signature stands on the right
        signatures.add(ar({width - slot * (i + 1), 5, slot, 7}, who[i]).size(11).bold().centered());
    return layout.generate();
}

namespace {

// A monthly document: the day typed names its month.
DocumentSpec monthly(qint32 code, const QString &name, ReportDocument (*make)(Tfdb &, const QDate &))
{
    DocumentSpec spec;
    spec.code = code;
    spec.name = name;
    spec.panel = {{ParamField::Journee}, ParamField::Journee, {}, -1};
    spec.reads = {ParamField::Journee};
    spec.print = [make](Tfdb &db, const TParametresEdition &p) { return make(db, p.Journee); };
    return spec;
}

} // namespace

DocumentSpec EtatMensuelDocument()
{
    DocumentSpec spec = monthly(doc::EtatMensuel, QStringLiteral("Etat Mensuel des Dépenses d'Alimentation"),
                                MakeEtatMensuel);
    spec.writesFile = true; // the month's figures go into its row before it prints
    return spec;
}

DocumentSpec DepensesMensuellesDocument()
{
    return monthly(doc::DepensesMensuelles, QStringLiteral("Etat des Dépenses Mensuelles"), MakeDepensesMensuelles);
}

DocumentSpec FicheMensuelleARDocument()
{
    // An Arabic title kept as the list's name: the list shows it as it is.
    return monthly(doc::FicheMensuelleAR, QStringLiteral("بطاقة متابعة الوجبات الغذائية لشهر"), MakeFicheMensuelleAR);
}

} // namespace zelvane
