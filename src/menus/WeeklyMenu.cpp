#include "menus/WeeklyMenu.h"

#include "common/Form.h"
#include "common/Format.h"
#include "common/Organisation.h"
#include "common/Paths.h"
#include "office/TMSWinWord.h"

namespace zelvane {

namespace {

// The ministry line of the weekly menus: the heading line as entered, or, for the placeholder of the
// delivered identity, the ministry of higher education in its short form (not the headings' long one).
QString ministry(MenuLanguage language)
{
    const bool arabic = language == MenuLanguage::Arabic;
    const QString line1 = arabic ? Organisation().headingAr[0] : Organisation().headingFr[0];
    if (line1 != QLatin1String("RARAZ-AZUR"))
        return line1;
    return arabic ? QStringLiteral("وزارة التعليم العالي")
                  : QStringLiteral("Ministère de l'Enseignement Supérieur Et de la Recherche Scientifique");
}

QString establishment(MenuLanguage language)
{
    QString line3;
    OrganisationHeading(nullptr, nullptr, &line3,
                        language == MenuLanguage::Arabic ? QStringLiteral("AR") : QStringLiteral("FR"));
    return line3;
}

} // namespace

bool EditMenuHebdomadaire(MenuLanguage language, QDate &from, QDate &to, WeeklyMenuTexts &texts)
{
    WeeklyMenuForm *form = Form<WeeklyMenuForm>::current();
    return form && form->editWeeklyMenu(language, from, to, texts);
}

ExportResult WriteMenuHebdomadaire(MenuLanguage language, const QDate &from, const QDate &to,
                                   const WeeklyMenuTexts &texts, const QString &outPath)
{
    const bool arabic = language == MenuLanguage::Arabic;
    const QString name = arabic ? QStringLiteral("modeles/menuh.docx") : QStringLiteral("modeles/menuh_fr.docx");
    const QString path = DeliveredFile(name);
    if (path.isEmpty())
        return ExportResult::failed(QStringLiteral("Fichier %1 inexistant !   ").arg(name));
    TMSWinWord word;
    if (!word.Open(path))
        return ExportResult::failed(
            QStringLiteral("Erreur durant l'ouverture du fichier %1 ! (%2)").arg(path, word.error()));
    word.SetCaption(QStringLiteral("MENU HEBDOMADAIRE"));
    bool complete = word.SetTableCell(1, arabic ? 1 : 2, 1, ministry(language));
    complete = word.SetTableCell(1, arabic ? 2 : 5, 1, establishment(language)) && complete;
    complete = word.SetTableCell(2, 1, 2, DateText(from)) && complete;
    complete = word.SetTableCell(2, 1, 4, DateText(to)) && complete;
    // The grid's columns from the first: the day, then breakfast, lunch and dinner in Arabic; dinner, lunch
    // and breakfast in French (both grids are read from their right).
    for (int day = 1; day <= kWeeklyMenuDays; ++day) {
        for (int meal = 1; meal <= kWeeklyMenuMeals; ++meal) {
            const int column = arabic ? meal + 1 : 4 - meal;
            complete = word.SetTableCell(3, day + 1, column, texts[WeeklyMenuIndex(day, meal)]) && complete;
        }
    }
    if (!complete)
        return ExportResult::failed(
            QStringLiteral("Le modèle %1 n'a pas la forme attendue : %2").arg(path, word.error()));
    const QString target = outPath.isEmpty() ? NewDocumentPath(
                               QStringLiteral("Menu hebdomadaire %1 %2")
                                   .arg(arabic ? QStringLiteral("AR") : QStringLiteral("FR"), IsoDate(from)),
                               QStringLiteral("docx"))
                                             : outPath;
    if (!word.SaveAs(target))
        return ExportResult::failed(
            QStringLiteral("Le document %1 n'a pas pu être écrit : %2").arg(target, word.error()));
    return ExportResult::written(target);
}

ExportResult ExportMenuHebdomadaire(MenuLanguage language, QDate from, QDate to, const QString &outPath)
{
    WeeklyMenuTexts texts;
    if (!EditMenuHebdomadaire(language, from, to, texts))
        return ExportResult::nothing();
    return WriteMenuHebdomadaire(language, from, to, texts, outPath);
}

} // namespace zelvane
