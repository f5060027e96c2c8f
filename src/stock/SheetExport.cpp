#include "stock/SheetExport.h"

#include "common/Format.h"
#include "db/DataModule.h"
#include "stock/ListeDenrees.h"
#include "stock/StockModule.h"

#include <QTextStream>

namespace zelvane {

namespace {

// Two decimals and a point, no grouping; never "-0.00".
QString csvNumber(double x) { return FormatMontantSaisie(x); }

} // namespace

QString CsvText(QString text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QHash<qint32, QString> ArticleDesignations(Tfdb &db)
{
    QHash<qint32, QString> designations;
    if (auto query = db.GetQuery(QStringLiteral("select code_art, designation from articles"))) {
        while (query->next())
            designations.insert(qint32(query->value(0).toLongLong()), query->value(1).toString());
    }
    return designations;
}

void WriteSheetCsv(const TListeDenrees &liste, const QHash<qint32, QString> &designations, QIODevice &device)
{
    QTextStream out(&device);
    out << "code;designation;veille;entrees;sorties;restes;valeur_veille;valeur_entrees;valeur_sorties;valeur_restes\n";
    for (const TDenree &d : liste.Denrees()) {
        out << d.code_art << ';' << CsvText(designations.value(d.code_art)) << ';' << csvNumber(d.veille()) << ';'
            << csvNumber(d.entree_jour_quantite) << ';' << csvNumber(d.sortie_jour_quantite) << ';'
            << csvNumber(d.restes()) << ';' << csvNumber(d.valeurVeille()) << ';' << csvNumber(d.entree_jour_valeur)
            << ';' << csvNumber(d.sortie_jour_valeur) << ';' << csvNumber(d.valeurRestes()) << '\n';
    }
}

void WriteSheetText(const TListeDenrees &liste, const QHash<qint32, QString> &designations, QIODevice &device)
{
    QTextStream out(&device);
    out << "Feuille de Consommation Journalière - Journée du " << DateText(liste.DateJour()) << '\n';
    const QStringList titles = {
        QStringLiteral("Art"),           QStringLiteral("Désignations"),   QStringLiteral("Veille"),
        QStringLiteral("Entrées"),       QStringLiteral("Sorties"),        QStringLiteral("Restes"),
        QStringLiteral("Valeur veille"), QStringLiteral("Valeur entrées"), QStringLiteral("Valeur sorties"),
        QStringLiteral("Valeur restes")};
    const int widths[] = {6, 32, 14, 14, 14, 14, 18, 18, 18, 18};
    auto line = [&](const QStringList &cells) {
        QString text;
        for (int i = 0; i < cells.size(); ++i)
            text += i == 1 ? cells.at(i).leftJustified(widths[i]) + QLatin1Char(' ')
                           : cells.at(i).rightJustified(widths[i]) + QLatin1Char(' ');
        out << text.trimmed() << '\n';
    };
    line(titles);
    for (const TDenree &d : liste.Denrees()) {
        line({QString::number(d.code_art), designations.value(d.code_art).left(widths[1]), FormatMontant(d.veille()),
              FormatMontant(d.entree_jour_quantite), FormatMontant(d.sortie_jour_quantite), FormatMontant(d.restes()),
              FormatMontant(d.valeurVeille()), FormatMontant(d.entree_jour_valeur), FormatMontant(d.sortie_jour_valeur),
              FormatMontant(d.valeurRestes())});
    }
    out << '\n';
    // The store rows of the summary tree; the quantity rows belong to the article chosen in the window.
    const TDenree *first = liste.Denrees().isEmpty() ? nullptr : &liste.Denrees().first();
    const QVector<SummaryRow> rows = SummaryRows(ComputeStoreFigures(liste, first), QString(), liste.DateJour());
    for (int i = 4; i < rows.size(); ++i) {
        if (rows.at(i).amount.isEmpty())
            out << rows.at(i).label << '\n';
        else
            out << rows.at(i).label.leftJustified(40) << rows.at(i).amount.rightJustified(22) << '\n';
    }
}

} // namespace zelvane
