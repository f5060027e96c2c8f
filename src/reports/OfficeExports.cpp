#include "reports/OfficeExports.h"

#include "common/Format.h"
#include "common/MontantEnLettres.h"
#include "common/Organisation.h"
#include "common/Paths.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "office/TMSExcel.h"
#include "reports/DayPanel.h"
#include "reports/DocumentParts.h"
#include "reports/DocumentSpec.h"
#include "stock/ListeDenrees.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <cmath>

namespace zelvane {

namespace {

QString establishment(const QString &language)
{
    QString line3;
    OrganisationHeading(nullptr, nullptr, &line3, language);
    return line3;
}

// Opens a template of the modeles folder on its sheet; the failure says which file and why.
std::optional<ExportResult> openTemplate(TMSExcel &excel, const QString &fileName, const QString &sheet,
                                         const QString &caption)
{
    const QString path = DeliveredFile(QStringLiteral("modeles/") + fileName);
    if (path.isEmpty())
        return ExportResult::failed(QStringLiteral("Fichier modeles/%1 inexistant !").arg(fileName));
    if (!excel.OpenTemplate(path) || !excel.SelectSheet(sheet))
        return ExportResult::failed(
            QStringLiteral("Erreur durant l'ouverture du fichier %1 ! (%2)").arg(path, excel.error()));
    excel.SetCaption(caption);
    return std::nullopt;
}

// The establishment line in Arabic and in French, at the head of the canteen's sheets.
void establishmentLines(TMSExcel &excel, const QString &arabicCell, const QString &frenchCell)
{
    excel.SetCell(arabicCell, establishment(QStringLiteral("AR")));
    excel.SetCell(frenchCell, establishment(QStringLiteral("FR")));
}

ExportResult save(TMSExcel &excel, const QString &outPath, const QString &documentName)
{
    const QString path = outPath.isEmpty() ? NewDocumentPath(documentName, QStringLiteral("xlsx")) : outPath;
    if (!excel.SaveAs(path))
        return ExportResult::failed(
            QStringLiteral("Le document %1 n'a pas pu être écrit : %2").arg(path, excel.error()));
    return ExportResult::written(path);
}

// The day's exit movements, one row per movement, with the columns asked for.
std::unique_ptr<QSqlQuery> dayExits(Tfdb &db, const QString &columns, const QDate &day)
{
    return db.GetQuery(QStringLiteral(" select %1 from stock s,articles a where s.code_art=a.code_art and "
                                      "s.nat_op>=20 and year(s.date_op)=%2 and month(s.date_op)=%3 and "
                                      "day(s.date_op)=%4 order by s.code_art, s.num_mvt")
                           .arg(columns)
                           .arg(day.year())
                           .arg(day.month())
                           .arg(day.day()));
}

// Every row of a statement, read before the document is filled so that the progress knows its length.
QVector<QSqlRecord> readRows(std::unique_ptr<QSqlQuery> &query)
{
    QVector<QSqlRecord> rows;
    while (query->next())
        rows << query->record();
    Tfdb::FreeQuery(query);
    return rows;
}

QString dateName(const QDate &day) { return IsoDate(day); }

// The template's ruled rows for lines end at lastRuled: the lines beyond it get the same format.
void ruleLines(TMSExcel &excel, int lastRuled, int lastLine)
{
    for (int row = lastRuled + 1; row <= lastLine; ++row)
        excel.CopyRows(QString::number(lastRuled), row);
}

} // namespace

ExportResult ExportFeuilleConsommationA3(Tfdb &db, const TListeDenrees &liste, const DayPanel &day,
                                         const QString &outPath)
{
    const QString caption = QStringLiteral("FEUILLE CONSOMMATION JOURNALIERE");
    const bool creche = db.organisme == 3;
    TMSExcel excel;
    if (auto failure = openTemplate(excel, creche ? QStringLiteral("FC_A3_CRECHE.xlsx") : QStringLiteral("FC_A3.xlsx"),
                                    QStringLiteral("PAGE01"), caption))
        return *failure;
    const QDate date = liste.DateJour();
    excel.SetCell(QStringLiteral("A1"), establishment(QStringLiteral("FR")));
    excel.SetCell(QStringLiteral("L3"), DateText(date));

    auto articles = db.GetQuery(QStringLiteral("select * from articles order by code_art"));
    if (!articles)
        return ExportResult::failed(QStringLiteral("Les articles n'ont pas pu être lus."));
    const QVector<QSqlRecord> rows = readRows(articles);
    ruleLines(excel, 156, 6 + int(rows.size()));
    prompter().progressStart(int(rows.size()), QStringLiteral("Préparation DE LA ") + caption);
    for (int i = 0; i < rows.size(); ++i) {
        const QVariant code = rows.at(i).value(QStringLiteral("code_art"));
        if (!code.isNull())
            excel.SetCell(QStringLiteral("A7"), QString::number(code.toLongLong()), i);
        if (rows.at(i).contains(QStringLiteral("designation")))
            excel.SetCell(QStringLiteral("B7"), rows.at(i).value(QStringLiteral("designation")).toString(), i);
        if (const TDenree *d = liste.FindDenree(qint32(code.toLongLong())); d && !code.isNull()) {
            const double veille = d->veille();
            const double restes = d->restes();
            excel.SetCell(QStringLiteral("C7"), veille, i);
            excel.SetCell(QStringLiteral("D7"), veille == 0 ? 0.0 : d->valeurVeille() / veille, i);
            excel.SetCell(QStringLiteral("E7"), d->entree_jour_quantite, i);
            excel.SetCell(QStringLiteral("F7"), d->entree_jour_pu, i);
            excel.SetCell(QStringLiteral("G7"), d->sortie_jour_quantite, i);
            excel.SetCell(QStringLiteral("H7"), d->sortie_jour_valeur, i);
            excel.SetCell(QStringLiteral("I7"), restes, i);
            excel.SetCell(QStringLiteral("J7"), restes == 0 ? 0.0 : d->valeurRestes() / restes, i);
            excel.SetCell(QStringLiteral("K7"), d->valeurRestes(), i);
        }
        prompter().progressStep(1);
    }
    prompter().progressClose();

    for (int i = 0; i < day.categories.size(); ++i) {
        const auto &c = day.categories.at(i);
        excel.SetCell(QStringLiteral("M8"), c.lib_fr, i);
        excel.SetCell(QStringLiteral("N8"), c.m1, i);
        excel.SetCell(QStringLiteral("O8"), c.m2, i);
        excel.SetCell(QStringLiteral("P8"), c.m4, i);
    }
    excel.SetCell(QStringLiteral("M24"), day.menus[1]);
    excel.SetCell(QStringLiteral("M33"), day.menus[2]);
    excel.SetCell(QStringLiteral("M44"), day.menus[4]);
    if (!creche) {
        excel.SetCell(QStringLiteral("M58"), day.sorties[1]);
        excel.SetCell(QStringLiteral("M66"), day.depenseRepas[1]);
    }
    return save(excel, outPath, QStringLiteral("Feuille de consommation A3 ") + dateName(date));
}

ExportResult ExportFeuilleCantine(Tfdb &db, const QDate &day, const DayPanel &figures, const QString &outPath)
{
    const QString caption = QStringLiteral("FEUILLE JOURNALIERE DE CANTINE");
    TMSExcel excel;
    if (auto failure = openTemplate(excel, QStringLiteral("FJ_cantine.xlsx"), QStringLiteral("PAGE1"), caption))
        return *failure;
    establishmentLines(excel, QStringLiteral("A1"), QStringLiteral("A2"));
    // Four categories fit the sheet; the others are not written.
    for (int i = 0; i < std::min<qsizetype>(4, figures.categories.size()); ++i) {
        const auto &c = figures.categories.at(i);
        excel.SetCell(QStringLiteral("G8"), c.lib_fr, i);
        excel.SetCell(QStringLiteral("H8"), c.m1, i);
        excel.SetCell(QStringLiteral("I8"), c.m2, i);
        excel.SetCell(QStringLiteral("J8"), c.m4, i);
        excel.SetCell(QStringLiteral("K8"), c.m4, i);
    }
    excel.SetCell(QStringLiteral("K13"), QString::number(std::llround(double(figures.personnesNourries))));
    excel.SetCell(QStringLiteral("H20"), FormatMontant(figures.sortiesJour));
    excel.SetCell(QStringLiteral("J25"), FormatMontant(figures.depenseParPersonne));
    excel.SetCell(QStringLiteral("A8"), figures.menus[1]);
    excel.SetCell(QStringLiteral("A15"), figures.menus[2]);
    excel.SetCell(QStringLiteral("A22"), figures.menus[4]);

    auto exits = dayExits(db, QStringLiteral("s.code_art,s.quantite,s.pu,a.designation"), day);
    if (!exits)
        return ExportResult::failed(QStringLiteral("Les sorties du jour n'ont pas pu être lues."));
    excel.SetCell(QStringLiteral("J2"), DateText(day));
    const QVector<QSqlRecord> rows = readRows(exits);
    ruleLines(excel, 46, 6 + int(rows.size()));
    prompter().progressStart(int(rows.size()), QStringLiteral("Préparation DU ") + caption);
    for (int i = 0; i < rows.size(); ++i) {
        excel.SetCell(QStringLiteral("B7"), FormatMontantSaisie(rows.at(i).value(1).toDouble()), i);
        excel.SetCell(QStringLiteral("C7"), rows.at(i).value(3).toString(), i);
        excel.SetCell(QStringLiteral("D7"), FormatMontantSaisie(rows.at(i).value(2).toDouble()), i);
        prompter().progressStep(1);
    }
    prompter().progressClose();
    return save(excel, outPath, QStringLiteral("Feuille journaliere de cantine ") + dateName(day));
}

ExportResult ExportBonSortieCantine(Tfdb &db, const QDate &day, const QString &outPath)
{
    const QString caption = QStringLiteral("BON DE SORTIE CANTINE");
    TMSExcel excel;
    if (auto failure = openTemplate(excel, QStringLiteral("Bon_sortie_cantine.xlsx"), QStringLiteral("PAGE1"), caption))
        return *failure;
    establishmentLines(excel, QStringLiteral("A1"), QStringLiteral("A3"));
    auto exits = dayExits(db, QStringLiteral("s.code_art,s.quantite,a.designation"), day);
    if (!exits)
        return ExportResult::failed(QStringLiteral("Les sorties du jour n'ont pas pu être lues."));
    const QVector<QSqlRecord> rows = readRows(exits);
    // The template rules 23 lines above its foot; more lines push the foot down instead of covering it.
    const int extra = std::max(0, int(rows.size()) - 23);
    if (extra > 0) {
        excel.CopyRows(QStringLiteral("36:37"), 36 + extra);
        ruleLines(excel, 35, 35 + extra);
    }
    const QString dated = QStringLiteral("Date : ") + DateText(day);
    for (const auto *cell : {"A36", "D36", "F36"})
        excel.SetCell(QString::fromLatin1(cell), dated, extra);
    prompter().progressStart(int(rows.size()), QStringLiteral("Préparation DU ") + caption);
    for (int i = 0; i < rows.size(); ++i) {
        excel.SetCell(QStringLiteral("A13"), QString::number(rows.at(i).value(0).toLongLong()), i);
        excel.SetCell(QStringLiteral("B13"), FormatMontant(rows.at(i).value(1).toDouble()), i);
        excel.SetCell(QStringLiteral("C13"), rows.at(i).value(2).toString(), i);
        prompter().progressStep(1);
    }
    prompter().progressClose();
    return save(excel, outPath, QStringLiteral("Bon de sortie cantine ") + dateName(day));
}

namespace {

// A column of the invoice statement, null when the statement has no such column.
QVariant column(const QSqlQuery &query, const char *name)
{
    const int index = query.record().indexOf(QString::fromLatin1(name));
    return index < 0 ? QVariant() : query.value(index);
}

// "N°" number " DU " date, each part left out when null; "N°0" alone reads as nothing.
QString reference(const QVariant &number, const QVariant &date)
{
    QString text;
    if (!number.isNull())
        text = QStringLiteral("N°") + QString::number(number.toLongLong());
    if (!date.isNull())
        text += QStringLiteral(" DU ") + DateText(DateFromSql(date));
    return text == QStringLiteral("N°0") ? QString() : text;
}

QString accountText(const QSqlQuery &query, const BankNameLookup &bankName)
{
    const QVariant bank = column(query, "code_banque");
    const QVariant agency = column(query, "code_agence");
    const QVariant account = column(query, "num_compte");
    const QVariant key = column(query, "cle_controle");
    QString text;
    if (!bank.isNull() && !agency.isNull() && !account.isNull() && !key.isNull())
        text = bank.toString() + QLatin1Char('.') + agency.toString() + QLatin1Char('.') + account.toString()
               + QLatin1Char('.') + key.toString();
    if (bankName) {
        if (const QString name = bankName(bank.toString()); !name.isEmpty())
            text += QStringLiteral("  -  ") + name;
    }
    return text;
}

QString telephoneText(const QSqlQuery &query)
{
    const QVariant tel = column(query, "tel");
    const QVariant fax = column(query, "fax");
    QString text;
    if (!tel.isNull())
        text = QStringLiteral("Tél : ") + tel.toString();
    if (!fax.isNull())
        text += QStringLiteral("  Fax : ") + fax.toString();
    return text == QStringLiteral("Tél :   Fax : ") ? QString() : text;
}

} // namespace

ExportResult ExportFacture(Tfdb &db, qint32 codeFour, qint32 numFacture, const QDate &faitLe,
                           const BankNameLookup &bankName, const QString &outPath)
{
    if (codeFour == 0 || numFacture == 0)
        return ExportResult::nothing();
    auto query = db.GetQuery(QStringLiteral(" select f.*, fc.*, s.num_bc, s.date_bc, s.num_bl, s.date_bl, s.quantite, "
                                            "s.pu, a.designation from fournisseur f,factures fc,stock s,articles a "
                                            "where f.code_four=fc.code_four   and f.code_four=s.code_four   and "
                                            "s.code_art=a.code_art   and f.code_four=%1   and fc.num_facture=%2   "
                                            "and s.date_op>=fc.periode_du   and s.date_op<=fc.periode_au   and "
                                            "s.nat_op=10 order by s.date_op, s.num_mvt")
                                 .arg(codeFour)
                                 .arg(numFacture));
    if (!query)
        return ExportResult::failed(QStringLiteral("La facture n'a pas pu être lue."));
    if (!query->next())
        return ExportResult::nothing();

    const QString templatePath = DeliveredFile(QStringLiteral("modeles/facture.xlsx"));
    TMSExcel excel;
    if (templatePath.isEmpty() || !excel.OpenTemplate(templatePath) || !excel.SelectSheet(QStringLiteral("FACTURE")))
        return ExportResult::failed(
            QStringLiteral("Erreur durant l'ouverture du fichier %1 !")
                .arg(templatePath.isEmpty() ? QStringLiteral("modeles/facture.xlsx") : templatePath)
            + (excel.error().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(excel.error())));
    excel.SetCaption(QStringLiteral("Facture"));

    const double tva = NumberFromSql(column(*query, "tva")).value_or(0);
    const QVariant dateFacture = column(*query, "date_facture");
    // A date that cannot be read, NULL or an empty text, is the day the invoice is made on, as on the
    // printed model.
    const QDate invoiceDate = DateFromSql(dateFacture).isValid() ? DateFromSql(dateFacture) : faitLe;
    excel.SetCell(QStringLiteral("V8"), QStringLiteral("N°%1/%2").arg(numFacture).arg(invoiceDate.year()));
    excel.SetCell(QStringLiteral("W12"), Organisation().wilaya.toUpper().trimmed());
    excel.SetCell(QStringLiteral("W13"), QStringLiteral("LE ") + DateText(QDate::currentDate()));
    excel.SetCell(QStringLiteral("V25"), tva / 100);
    const std::pair<const char *, const char *> supplierCells[] = {
        {"H6", "nom_prenom"}, {"H7", "rsociale"}, {"H8", "n_regc"},  {"H9", "codefisc"},
        {"H10", "art_impot"}, {"H11", "nis"},     {"H13", "adresse"}};
    for (const auto &[cell, name] : supplierCells) {
        const QVariant value = column(*query, name);
        if (!value.isNull())
            excel.SetCell(QString::fromLatin1(cell), value.toString().trimmed());
    }
    excel.SetCell(QStringLiteral("H12"), accountText(*query, bankName));
    excel.SetCell(QStringLiteral("H14"), telephoneText(*query));
    excel.SetCell(QStringLiteral("E18"), establishment(QStringLiteral("FR")));

    // The columns of the lines are found once: the statement's record is built anew at every call.
    const QSqlRecord record = query->record();
    const auto lineColumn = [&record](const char *name) { return record.indexOf(QString::fromLatin1(name)); };
    const int numBc = lineColumn("num_bc"), dateBc = lineColumn("date_bc"), numBl = lineColumn("num_bl"),
              dateBl = lineColumn("date_bl"), designation = lineColumn("designation"),
              quantiteColumn = lineColumn("quantite"), puColumn = lineColumn("pu");
    const auto value = [&query](int index) { return index < 0 ? QVariant() : query->value(index); };

    // The lines, 24 to a page: a full page ends with the amount carried, the next begins with it.
    int row = 33;
    double total = 0;
    int onPage = 0;
    bool copied = true;
    do {
        ++row;
        copied = copied && excel.CopyRows(QStringLiteral("23:23"), row);
        const double quantite = NumberFromSql(value(quantiteColumn)).value_or(0);
        const double pu = NumberFromSql(value(puColumn)).value_or(0);
        excel.SetCellAt({row, 1}, reference(value(numBc), value(dateBc)));
        excel.SetCellAt({row, 4}, reference(value(numBl), value(dateBl)));
        excel.SetCellAt({row, 7}, value(designation).toString().trimmed());
        excel.SetCellAt({row, 17}, quantite);
        excel.SetCellAt({row, 20}, pu);
        // Each line rounded to the cent once; the total is the sum of the lines as printed.
        const double montant = RoundToCents(quantite * pu);
        excel.SetCellAt({row, 24}, montant);
        total += montant;
        if (++onPage == 24) {
            ++row;
            copied = copied && excel.CopyRows(QStringLiteral("20:20"), row);
            excel.SetCellAt({row, 24}, total);
            copied = copied && excel.AddPageBreak(row + 1);
            ++row;
            copied = copied && excel.CopyRows(QStringLiteral("21:21"), row);
            excel.SetCellAt({row, 24}, total);
            onPage = 0;
        }
    } while (query->next());
    Tfdb::FreeQuery(query);

    ++row;
    copied = copied && excel.CopyRows(QStringLiteral("24:33"), row);
    excel.SetCellAt({row, 24}, total);
    // The words state the T.T.C printed above them: the total plus its T.V.A rounded to the cent, as the
    // template's formulas compute them.
    excel.SetCellAt({row + 4, 2}, MontantEnLettres(QStringLiteral("FR"), total + RoundToCents(total * tva / 100)));
    copied = copied && excel.DeleteRows(QStringLiteral("23:33")) && excel.DeleteRows(QStringLiteral("20:21"));
    copied = copied && excel.SetPrintArea(QStringLiteral("$A$1:$AB$%1").arg(row - 8));
    if (!copied)
        return ExportResult::failed(QStringLiteral("La facture n'a pas pu être mise en page : %1").arg(excel.error()));
    return save(excel, outPath,
                QStringLiteral("Facture %1-%2 fournisseur %3").arg(numFacture).arg(invoiceDate.year()).arg(codeFour));
}

DocumentSpec FeuilleGlobalA3ExcelDocument()
{
    DocumentSpec spec;
    spec.code = doc::FeuilleGlobalA3Excel;
    spec.name = QStringLiteral("Feuille de Cons. Journal.Global (A3)(Excel)");
    spec.office = [](Tfdb &db, const TParametresEdition &, const QString &outPath) {
        const DayFigures figures(db, db.selectedDay());
        return ExportFeuilleConsommationA3(db, figures.liste(), ReadDayPanel(db, db.selectedDay()), outPath);
    };
    return spec;
}

DocumentSpec FeuilleCantineDocument()
{
    DocumentSpec spec;
    spec.code = doc::FeuilleCantine;
    spec.name = QStringLiteral("Feuille Journalière de Cantine (A4)(Excel)");
    spec.canteenOnly = true;
    spec.office = [](Tfdb &db, const TParametresEdition &, const QString &outPath) {
        return ExportFeuilleCantine(db, db.selectedDay(), ReadDayPanel(db, db.selectedDay()), outPath);
    };
    return spec;
}

DocumentSpec BonSortieCantineDocument()
{
    DocumentSpec spec;
    spec.code = doc::BonSortieCantine;
    spec.name = QStringLiteral("Bon de Sortie Cantine (A4)(Excel)");
    spec.canteenOnly = true;
    spec.office = [](Tfdb &db, const TParametresEdition &, const QString &outPath) {
        return ExportBonSortieCantine(db, db.selectedDay(), outPath);
    };
    return spec;
}

} // namespace zelvane
