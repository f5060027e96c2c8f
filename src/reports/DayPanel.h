#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace zelvane {

class Tfdb;

// What the documents print of a day's menus and head-counts: the head-counts per category, the persons
// fed, the exits and expenses per meal, the menu texts and the hospitalised staff at the common table.
// The figures are those of the day summary of the menus, so that documents and tab agree.
struct DayPanel
{
    struct Categorie
    {
        QString lib_fr;
        double m1 = 0, m2 = 0, m4 = 0; // breakfast, lunch, dinner; the snack is not printed
    };
    struct Hospitalise
    {
        QString nom;
        QString m1, m2, m4; // the counts as integers, "--" when unreadable
    };
    QList<Categorie> categories;
    // Meals 1 to 4 (breakfast, lunch, snack, dinner); index 0 is not used.
    double effectifs[5] = {};
    double sorties[5] = {};
    double depenseRepas[5] = {};
    QString menus[5];
    qint64 personnesNourries = 0;
    double sortiesJour = 0;
    double depenseParPersonne = 0;
    QList<Hospitalise> hospitalises;
};

DayPanel ReadDayPanel(Tfdb &db, const QDate &day);

} // namespace zelvane
