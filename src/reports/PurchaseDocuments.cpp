#include "reports/PurchaseDocuments.h"

#include "common/Format.h"
#include "common/MontantEnLettres.h"
#include "common/Organisation.h"
#include "db/DataModule.h"
#include "print/Report.h"
#include "reports/DocumentParts.h"
#include "reports/DocumentSpec.h"
#include "reports/OfficeExports.h"
#include "reports/SupplierDocuments.h"
#include "suppliers/BankRef.h"

#include <tuple>

namespace zelvane {

namespace {

constexpr auto kArabicFont = "Amiri";

// The French heading lines on the left and the town and day on the right.
void addPageHeading(ReportBand &band, qreal width, const QDate &day)
{
    AddHeadingLines(band, 0, 0, 120, 4.5, 8);
    band.add(
        ReportElement::label({width - 70, 0, 70, 4.5}, Organisation().town + QStringLiteral(", Le ") + DateText(day))
            .right());
}

// A table's column headings.
void addHeadings(ReportBand &band, const QList<std::pair<QRectF, QString>> &headings)
{
    for (const auto &[rect, text] : headings)
        band.add(HeadingCell(rect, text, 8));
}

} // namespace

std::optional<ReportDocument> MakeFacture(Tfdb &db, qint64 code_four, qint64 num_facture, const QDate &madeOn)
{
    const std::optional<Facture> facture = LoadFacture(db, code_four, num_facture, madeOn);
    if (!facture)
        return std::nullopt;
    ReportLayout layout(QStringLiteral("Facture d'Achat"), QPageSize::A4);
    const qreal width = layout.printableSize().width();

    ReportBand &header = layout.band(BandKind::PageHeader, 78);
    header.add(ReportElement::label({0, 0, 120, 10}, facture->nom_prenom).size(16).bold());
    header.add(
        ReportElement::label({width - 70, 0, 70, 5}, QStringLiteral("Réf : Decret 05 - 465 J O N° 8 DECEMBRE 05"))
            .size(7)
            .right());
    const QString captions[] = {
        QStringLiteral("N° R/C :..............................................................."),
        QStringLiteral("N°IDEN FISCAL :................................................."),
        QStringLiteral("RIB/RIP :.............................................................."),
        QStringLiteral("ADRESSE :.........................................................."),
        QStringLiteral("TEL :....................................................................."),
    };
    const QString values[] = {facture->n_regc, facture->codefisc, facture->rib, facture->adresse, facture->tel};
    for (int i = 0; i < 5; ++i) {
        // The dotted leader stops where the value starts.
        header.add(ReportElement::label({0, 13.0 + 5.5 * i, 39.5, 5.5}, WithLeader(captions[i], 39.5, 8)).size(8));
        header.add(ReportElement::label({40, 12.5 + 5.5 * i, 75, 5}, values[i]).size(9).bold());
    }
    header.add(
        ReportElement::label({width - 60, 14, 60, 6}, QStringLiteral("Date : ") + DateText(madeOn)).size(10).right());
    header.add(ReportElement::label({0, 46, width, 9}, QStringLiteral("FACTURE N° ") + facture->numberText())
                   .size(15)
                   .bold()
                   .centered());
    QString establishment;
    OrganisationHeading(nullptr, nullptr, &establishment, QStringLiteral("FR"));
    header.add(ReportElement::label({0, 60, 15, 7}, QStringLiteral("Doit")).size(11).bold().underline());
    header.add(ReportElement::label({16, 60, width - 16, 7}, establishment).size(11).bold());

    ReportBand &columns = layout.band(BandKind::ColumnHeader, 12);
    addHeadings(columns, {{{0, 0, 60, 6}, QStringLiteral("Réf de Commande")},
                          {{0, 6, 30, 6}, QStringLiteral("N° B/C DATE")},
                          {{30, 6, 30, 6}, QStringLiteral("N° B/L DATE")},
                          {{60, 0, 60, 12}, QStringLiteral("DESIGNATIONS")},
                          {{120, 0, 18, 12}, QStringLiteral("QT")},
                          {{138, 0, 22, 12}, QStringLiteral("P.U")},
                          {{160, 0, 30, 12}, QStringLiteral("MONTANT")}});

    ReportBand &detail = layout.band(BandKind::Detail, 5.5);
    // Each number right-aligned, its date apart after it, so that the two never read as one.
    for (const auto &[x, number, date] :
         {std::tuple{0.0, "num_bc", "date_bc"}, std::tuple{30.0, "num_bl", "date_bl"}}) {
        detail.add(ReportElement::field({x, 0, 12, 5.5}, QString::fromLatin1(number)).size(7).right());
        detail.add(ReportElement::field({x + 13.5, 0, 16, 5.5}, QString::fromLatin1(date)).size(7));
    }
    detail.add(ReportElement::field({61, 0, 59, 5.5}, QStringLiteral("designation")));
    detail.add(
        ReportElement::field({120, 0, 17, 5.5}, QStringLiteral("quantite"), QString::fromLatin1(kPatternFieldEdit)));
    detail.add(ReportElement::field({138, 0, 21, 5.5}, QStringLiteral("pu"), QString::fromLatin1(kPatternFieldEdit)));
    detail.add(
        ReportElement::field({160, 0, 29, 5.5}, QStringLiteral("montant"), QString::fromLatin1(kPatternFieldDisplay)));
    detail.add(ReportElement::line(0, 5.5, width, 5.5).pen(0.1));
    int next = 0;
    layout.needData = [&](QHash<QString, QVariant> &v) {
        if (next >= facture->lines.size())
            return false;
        const FactureLine &line = facture->lines.at(next++);
        v[QStringLiteral("num_bc")] = line.num_bc;
        v[QStringLiteral("date_bc")] = DateText(line.date_bc);
        v[QStringLiteral("num_bl")] = line.num_bl;
        v[QStringLiteral("date_bl")] = DateText(line.date_bl);
        v[QStringLiteral("designation")] = line.designation;
        v[QStringLiteral("quantite")] = line.quantite;
        v[QStringLiteral("pu")] = line.pu;
        v[QStringLiteral("montant")] = line.montant();
        return true;
    };

    ReportBand &summary = layout.band(BandKind::Summary, 40);
    summary.add(ReportElement::label({60, 2, 80, 7}, QStringLiteral("T O T A L  ...................")).size(11).bold());
    summary.add(
        ReportElement::sum({140, 2, 49, 7}, QStringLiteral("montant"), QString::fromLatin1(kPatternFieldDisplay))
            .size(11)
            .bold());
    summary.add(ReportElement::label({0, 12, width, 5}, QStringLiteral(" Arrêtée la présente facture à la somme de :"))
                    .size(9));
    summary.add(ReportElement::label({0, 17, width, 10}, MontantEnLettres(QStringLiteral("FR"), facture->total()))
                    .size(9)
                    .bold()
                    .wrapped()
                    .top());
    summary.add(
        ReportElement::label({width - 60, 30, 60, 6}, QStringLiteral("Cachet , Signature Griffe")).size(9).right());
    return layout.generate();
}

ReportDocument MakeEtatDepenses(Tfdb &db, const QDate &from, const QDate &to, const QDate &madeOn)
{
    const QVector<DepenseFournisseur> lines = LoadEtatDepenses(db, from, to);
    ReportLayout layout(QStringLiteral("Etat des Dépenses"), QPageSize::A4);
    const qreal width = layout.printableSize().width();

    ReportBand &header = layout.band(BandKind::PageHeader, 34);
    addPageHeading(header, width, madeOn);
    header.add(ReportElement::label({0, 16, width, 7}, QStringLiteral("ETAT DES DEPENSES")).size(13).bold().centered());
    header.add(ReportElement::label({0, 23, width, 5}, QStringLiteral("Période du ") + DateText(from)
                                                           + QStringLiteral(" au ") + DateText(to))
                   .size(9)
                   .centered());
    AddPageNumber(header, {width - 40, 28, 40, 5}, 8);

    addHeadings(layout.band(BandKind::ColumnHeader, 8),
                {{{0, 0, 12, 8}, QStringLiteral("ORD")},
                 {{12, 0, 16, 8}, QStringLiteral("Code")},
                 {{28, 0, 122, 8}, QStringLiteral("Nom et Prénoms du Fournisseur  /  Adresses")},
                 {{150, 0, 40, 8}, QStringLiteral("Montant")}});
    ReportBand &detail = layout.band(BandKind::Detail, 5.5);
    detail.add(ReportElement::field({0, 0, 12, 5.5}, QStringLiteral("ord")).centered().framed());
    detail.add(ReportElement::field({12, 0, 16, 5.5}, QStringLiteral("code_four")).centered().framed());
    detail.add(ReportElement::field({28, 0, 122, 5.5}, QStringLiteral("nom")).framed());
    detail.add(ReportElement::box({150, 0, 40, 5.5})); // the amount keeps clear of the frame
    detail.add(
        ReportElement::field({150, 0, 39, 5.5}, QStringLiteral("montant"), QString::fromLatin1(kPatternMontant)));
    int next = 0;
    layout.needData = [&](QHash<QString, QVariant> &v) {
        if (next >= lines.size())
            return false;
        const DepenseFournisseur &line = lines.at(next++);
        v[QStringLiteral("ord")] = next;
        v[QStringLiteral("code_four")] = line.code_four;
        v[QStringLiteral("nom")] = QLatin1Char(' ') + line.nomAdresse;
        v[QStringLiteral("montant")] = line.montant;
        return true;
    };
    ReportBand &summary = layout.band(BandKind::Summary, 9);
    summary.add(ReportElement::label({28, 1, 122, 7}, QStringLiteral("T O T A L  ..................."))
                    .size(10)
                    .bold()
                    .right());
    summary.add(ReportElement::box({150, 1, 40, 7}));
    summary.add(ReportElement::sum({150, 1, 39, 7}, QStringLiteral("montant"), QString::fromLatin1(kPatternMontant))
                    .size(10)
                    .bold());
    return layout.generate();
}

ReportDocument MakeListeFournisseurs(Tfdb &db, const QDate &today)
{
    const QVector<FournisseurListLine> lines = LoadListeFournisseurs(db);
    ReportLayout layout(QStringLiteral("Liste des Fournisseurs"), QPageSize::A4);
    const qreal width = layout.printableSize().width();

    ReportBand &header = layout.band(BandKind::PageHeader, 30);
    addPageHeading(header, width, today);
    header.add(
        ReportElement::label({0, 16, width, 7}, QStringLiteral("LISTE DES FOUNISSEURS")).size(13).bold().centered());
    AddPageNumber(header, {width - 40, 24, 40, 5}, 8);

    addHeadings(layout.band(BandKind::ColumnHeader, 8),
                {{{0, 0, 16, 8}, QStringLiteral("Code")},
                 {{16, 0, 114, 8}, QStringLiteral("Nom et Prénoms du Fournisseur  / Adresses")},
                 {{130, 0, 60, 8}, QStringLiteral("Relevé d'Identité Bancaire")}});
    ReportBand &detail = layout.band(BandKind::Detail, 5.5);
    detail.add(ReportElement::field({0, 0, 16, 5.5}, QStringLiteral("code_four")).centered().framed());
    detail.add(ReportElement::field({16, 0, 114, 5.5}, QStringLiteral("nom")).framed());
    detail.add(ReportElement::field({130, 0, 60, 5.5}, QStringLiteral("rib")).centered().framed());
    int next = 0;
    layout.needData = [&](QHash<QString, QVariant> &v) {
        if (next >= lines.size())
            return false;
        const FournisseurListLine &line = lines.at(next++);
        v[QStringLiteral("code_four")] = line.code_four;
        v[QStringLiteral("nom")] = QLatin1Char(' ') + line.nomAdresse;
        v[QStringLiteral("rib")] = line.rib;
        return true;
    };
    return layout.generate();
}

std::optional<ReportDocument> MakeFicheFournisseur(Tfdb &db, qint64 code_four, const QDate &from, const QDate &to)
{
    const std::optional<FicheFournisseur> fiche = LoadFicheFournisseur(db, code_four, from, to);
    if (!fiche)
        return std::nullopt;
    ReportLayout layout(QStringLiteral("Fiche du fournisseur"), QPageSize::A4, QPageLayout::Portrait,
                        {7.5, 10, 7.5, 10});
    const qreal width = layout.printableSize().width();
    const QString arabic = QString::fromLatin1(kArabicFont);
    auto ar = [&](const QRectF &r, const QString &text) {
        return ReportElement::label(r, text).family(arabic).right();
    };

    ReportBand &header = layout.band(BandKind::PageHeader, 50);
    header.add(ReportElement::label({0, 0, width, 8}, QStringLiteral("FOURNISSEUR")).size(14).bold().centered());
    struct Line
    {
        const char *fr;
        const char *ar;
        QString value;
    };
    const Line lines[] = {{"NOM :", "الاسـم", fiche->nom_prenom},
                          {"Adresse", "العنـوان", fiche->adresse},
                          {"Téléphone  :", "الهـاتف", fiche->tel},
                          {"Reg. du Commerce :", "رقم السجل التجاري", fiche->n_regc},
                          {"C/C Postal  :", "الحساب الجاري", fiche->num_compte}};
    for (int i = 0; i < 5; ++i) {
        const qreal y = 10 + 6.0 * i;
        header.add(ReportElement::label({0, y, 35, 6}, QString::fromUtf8(lines[i].fr)).size(9).bold());
        header.add(ReportElement::label({36, y, width - 72, 6}, lines[i].value).size(10).centered());
        header.add(ar({width - 35, y, 35, 6}, QString::fromUtf8(lines[i].ar)).size(10).bold());
    }
    header.add(ReportElement::label({0, 42, width, 6},
                                    QStringLiteral("PERIODE DU %1   AU  %2").arg(DateText(from), DateText(to)))
                   .size(10)
                   .bold()
                   .centered());

    // Columns: the deliveries, three pairs of quantity and amount written by hand, then the payments.
    struct Col
    {
        qreal x, width;
        const char *fr;
        const char *ar;
    };
    const Col cols[] = {{0, 15, "Dates des Fournitures", "التاريخ"},
                        {15, 30, "DESIGNATION DES FOURNITURES", "نوع البضاعة"},
                        {45, 11, "Quan-tités", "الكمية"},
                        {56, 13, "Prix de l'Unité", "ثمن الوحدة"},
                        {69, 17, "Montant", "المبلغ"},
                        {86, 10, "", "الكمية"},
                        {96, 13, "", "المبلغ"},
                        {109, 10, "Quan-tités", ""},
                        {119, 13, "Montant", ""},
                        {132, 10, "Quan-tités", "الكمية"},
                        {142, 13, "Montant", "المبلغ"},
                        {155, 12, "Date", "التاريخ"},
                        {167, 12, "No des Mdts", "رقم الحوالة"},
                        {179, 16, "Montant", "المبلغ"}};
    ReportBand &columns = layout.band(BandKind::ColumnHeader, 26);
    auto top = [&](const QRectF &r, const QString &fr, const QString &arText) {
        columns.add(ReportElement::box(r));
        columns.add(ReportElement::label({r.x(), r.y(), r.width(), r.height() / 2}, fr).size(7).bold().centered());
        columns.add(ReportElement::label({r.x(), r.y() + r.height() / 2, r.width(), r.height() / 2}, arText)
                        .family(arabic)
                        .size(8)
                        .bold()
                        .centered());
    };
    top({0, 0, 86, 8}, QStringLiteral("RECEPTIONS"), QStringLiteral("الإستقبال"));
    for (int pair = 0; pair < 3; ++pair)
        top({86.0 + 23 * pair, 0, 23, 8}, QStringLiteral("..........."), QStringLiteral("..........."));
    top({155, 0, 40, 8}, QStringLiteral("PAIEMENTS"), QStringLiteral("المخالصة"));
    for (const Col &c : cols) {
        columns.add(ReportElement::box({c.x, 8, c.width, 18}));
        columns.add(ReportElement::label({c.x, 8, c.width, 11}, QString::fromUtf8(c.fr)).size(6).centered().wrapped());
        columns.add(
            ReportElement::label({c.x, 19, c.width, 7}, QString::fromUtf8(c.ar)).family(arabic).size(6.5).centered());
    }

    // Three lines of the designation column hold the longest designation.
    constexpr qreal row = 7.5;
    ReportBand &detail = layout.band(BandKind::Detail, row);
    const QString amount = QString::fromLatin1(kPatternFieldEdit);
    for (const Col &c : cols)
        detail.add(ReportElement::box({c.x, 0, c.width, row}));
    detail.add(ReportElement::field({0.5, 0, 14, row}, QStringLiteral("date_op")).size(6.5));
    detail.add(ReportElement::field({15.5, 0, 29, row}, QStringLiteral("designation")).size(6.5).wrapped());
    detail.add(ReportElement::field({45, 0, 10.5, row}, QStringLiteral("quantite"), amount).size(6.5));
    detail.add(ReportElement::field({56, 0, 12.5, row}, QStringLiteral("pu"), amount).size(6.5));
    detail.add(ReportElement::field({69, 0, 16.5, row}, QStringLiteral("montant"), amount).size(6.5));
    int next = 0;
    layout.needData = [&](QHash<QString, QVariant> &v) {
        if (next >= fiche->deliveries.size())
            return false;
        const FicheFournisseur::Delivery &d = fiche->deliveries.at(next++);
        v[QStringLiteral("date_op")] = DateText(d.date_op);
        v[QStringLiteral("designation")] = d.designation;
        v[QStringLiteral("quantite")] = d.quantite;
        v[QStringLiteral("pu")] = d.pu;
        v[QStringLiteral("montant")] = d.montant;
        return true;
    };
    return layout.generate();
}

DocumentSpec FactureDocument()
{
    using F = ParamField;
    DocumentSpec spec;
    spec.code = doc::Facture;
    spec.name = QStringLiteral("Facture d'Achat");
    spec.panel = {{F::CodeFour, F::NumFacture, F::FaitLe, F::Modele},
                  F::NumFacture,
                  {QStringLiteral("Facture 1er Modèle (Qr)"), QStringLiteral("Facture 2em Modèle (Excel)")},
                  -1};
    spec.reads = {F::CodeFour, F::NumFacture, F::Modele, F::PeriodeDu, F::PeriodeAu, F::FaitLe};
    spec.print = [](Tfdb &db, const TParametresEdition &p) {
        return MakeFacture(db, p.CodeFour, p.NumFacture, p.FaitLe);
    };
    spec.office = [](Tfdb &db, const TParametresEdition &p, const QString &outPath) {
        const auto bankName = [](const QString &code) {
            const TATCI_bankinf *bank = BankRef().FindBanque(code);
            return bank ? bank->Nom : QString();
        };
        return ExportFacture(db, p.CodeFour, p.NumFacture, p.FaitLe, bankName, outPath);
    };
    return spec;
}

DocumentSpec EtatDepensesDocument()
{
    using F = ParamField;
    DocumentSpec spec;
    spec.code = doc::EtatDepenses;
    spec.name = QStringLiteral("Etat des Dépenses");
    spec.panel = {{F::PeriodeDu, F::PeriodeAu, F::FaitLe}, F::PeriodeDu, {}, -1};
    spec.reads = {F::PeriodeDu, F::PeriodeAu, F::FaitLe};
    spec.print = [](Tfdb &db, const TParametresEdition &p) {
        return MakeEtatDepenses(db, p.PeriodeDu, p.PeriodeAu, p.FaitLe);
    };
    return spec;
}

DocumentSpec ListeFournisseursDocument()
{
    DocumentSpec spec;
    spec.code = doc::ListeFournisseurs;
    spec.name = QStringLiteral("Liste des Fournisseurs");
    spec.print = [](Tfdb &db, const TParametresEdition &) { return MakeListeFournisseurs(db, QDate::currentDate()); };
    return spec;
}

DocumentSpec FicheFournisseurDocument()
{
    using F = ParamField;
    DocumentSpec spec;
    spec.code = doc::FicheFournisseur;
    spec.name = QStringLiteral("FICHE DU FOURNISSEUR");
    spec.panel = {{F::CodeFour, F::PeriodeDu, F::PeriodeAu}, F::CodeFour, {}, -1};
    spec.reads = {F::CodeFour, F::NumFacture, F::Modele, F::PeriodeDu, F::PeriodeAu, F::FaitLe};
    spec.print = [](Tfdb &db, const TParametresEdition &p) {
        return MakeFicheFournisseur(db, p.CodeFour, p.PeriodeDu, p.PeriodeAu);
    };
    return spec;
}

} // namespace zelvane
