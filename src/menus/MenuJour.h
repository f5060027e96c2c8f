#pragma once

#include "db/Natures.h"
#include "menus/ListeCategories.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <array>
#include <functional>
#include <optional>

namespace zelvane {

class Tfdb;

// Meals 1 to 4: breakfast, lunch, snack, dinner; the order of menu1..menu4 and m1..m4.
inline constexpr int kMeals = 4;
// Persons fed from the lunch and dinner head-counts: their mean when both were served, else the one
// served, truncated (121 and 80 give 100).
qint64 PersonnesNourries(double lunch, double dinner);
// The value of a day's exits at the meals as every document prints it: each article's exits of the day
// rounded to the cent, then added, as the consumption sheet's column adds its lines.
double DayExitValue(Tfdb &db, const QDate &day);
// A value per person; 0 when there is nobody to share it.
double PerPerson(double value, double persons);

using MealCounts = std::array<std::optional<double>, kMeals>;
// Reads the day's head-count row of every category the list knows, in code order, with its four counts
// (nullopt for an empty or unreadable one); rows of unknown categories are passed over. A failing query is
// reported by the data module and reads nothing.
void ReadDayHeadCounts(Tfdb &db, const TListeCategories &categories, const QDate &day,
                       const std::function<void(const TCategorie &, const MealCounts &)> &row);

// The head-counts of one category on the day.
struct TEffectifCategorie
{
    TCategorie Categorie;
    double m1 = 0;
    double m2 = 0;
    double m3 = 0;
    double m4 = 0;
    double Total = 0;
    double meal(int i) const { return i == 1 ? m1 : i == 2 ? m2 : i == 3 ? m3 : m4; }
};

// The summary of one day: its menus, its head-counts per category and meal, the value of its exits per
// meal and what a person fed cost. A snapshot, built for one display or one document; no windows.
class TMenuJour
{
public:
    TMenuJour(Tfdb &db, const TListeCategories &categories, const QDate &day);

    QDate DateMenu() const { return m_day; }
    int Count() const { return int(m_effectifs.size()); }
    // nullptr when index is out of range.
    const TEffectifCategorie *GetEffectif(int index) const;

    // Meal i from 1 to 4.
    QString Menu(int i) const { return m_menus.at(i - 1); }
    double Effectifs(int i) const { return m_effectifsRepas.at(i - 1); }
    double Sorties(int i) const { return m_sorties.at(i - 1); }
    double DepenseRepas(int i) const { return m_depenseRepas.at(i - 1); }
    double SortiesJour() const { return m_sortiesJour; }
    qint64 PersonnesNourries() const { return m_personnesNourries; }
    double DepenseParPersonne() const { return m_depenseParPersonne; }

    // The statement of the day's exit values per nature.
    static QString ExitsStatement(const QDate &day);

private:
    QDate m_day;
    std::array<QString, kMeals> m_menus;
    QVector<TEffectifCategorie> m_effectifs;
    std::array<double, kMeals> m_effectifsRepas{};
    std::array<double, kMeals> m_sorties{};
    std::array<double, kMeals> m_depenseRepas{};
    double m_sortiesJour = 0;
    qint64 m_personnesNourries = 0;
    double m_depenseParPersonne = 0;
};

} // namespace zelvane
