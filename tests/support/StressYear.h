#pragma once

#include <QDate>
#include <QSqlDatabase>

// The year every document's layout is checked on: the most a page is asked to hold. On kStressDay, 90
// articles with designations of the column's full length (50 characters) each go out once, at meals
// spread over the day (each worth a fraction of a cent that the cent rounds up), and come in from supplier 1; one
// article's stock is worth 999,999,999.99 at the day before, another goes below zero. The seven categories eat every
// day of March, 30 hospitalised persons eat at the common table on the day, the menus are 250 characters long; supplier
// 1 has the longest name, address, register and tax numbers and a full account, 40 more suppliers fill the list;
// invoice 1 of supplier 1 covers March, with order and delivery numbers of nine digits.
inline const QDate kStressDay(2009, 3, 10);
void StressYear(const QSqlDatabase &db);
