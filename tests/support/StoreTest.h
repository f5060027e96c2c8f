#pragma once

#include "FileTest.h"
#include "StoreFixture.h"
#include "stock/ListeDenrees.h"

// The base of the store's tests: a prepared file of 2009 holding the year worked out by hand (see
// HandWorkedYear), its sheet of 10/03/2009 computed, messages answered by a scripted prompter.
class StoreTest : public FileTest
{
    Q_OBJECT

protected:
    const zelvane::TDenree &denree(qint32 code)
    {
        const zelvane::TDenree *d = Stock(*db).ListeDenrees()->FindDenree(code);
        if (!d)
            qFatal("no record for article %d", code);
        return *d;
    }
    // Adds a movement through the movement dataset as the entry window does; the result of SaveDataSet.
    bool post(qint32 article, int nature, double quantite, double pu)
    {
        selectArticle(article);
        Stock(*db).db_STOCK->append();
        Stock(*db).db_STOCK->setValue(QStringLiteral("NAT_OP"), nature);
        Stock(*db).db_STOCK->setValue(QStringLiteral("QUANTITE"), quantite);
        Stock(*db).db_STOCK->setValue(QStringLiteral("PU"), pu);
        return db->SaveDataSet(Stock(*db).db_STOCK, true);
    }

    // The record of article code as a fresh full calculation of the same day gives it.
    zelvane::TDenree recomputed(qint32 code)
    {
        zelvane::TListeDenrees fresh(*db);
        fresh.SetDate(Stock(*db).ListeDenrees()->DateJour());
        const zelvane::TDenree *d = fresh.FindDenree(code);
        return d ? *d : zelvane::TDenree();
    }

    static void compareDenrees(const zelvane::TDenree &a, const zelvane::TDenree &b)
    {
        QCOMPARE(a.code_art, b.code_art);
        QCOMPARE(a.qt31dec, b.qt31dec);
        QCOMPARE(a.entree_veille_quantite, b.entree_veille_quantite);
        QCOMPARE(a.sortie_veille_quantite, b.sortie_veille_quantite);
        QCOMPARE(a.entree_jour_quantite, b.entree_jour_quantite);
        QCOMPARE(a.sortie_jour_quantite, b.sortie_jour_quantite);
        QCOMPARE(a.valeur31dec, b.valeur31dec);
        QCOMPARE(a.entree_veille_valeur, b.entree_veille_valeur);
        QCOMPARE(a.sortie_veille_valeur, b.sortie_veille_valeur);
        QCOMPARE(a.entree_jour_valeur, b.entree_jour_valeur);
        QCOMPARE(a.sortie_jour_valeur, b.sortie_jour_valeur);
        QCOMPARE(a.entree_jour_pu, b.entree_jour_pu);
        QCOMPARE(a.sortie_jour_pu, b.sortie_jour_pu);
    }

private slots:
    void init()
    {
        openFile();
        StoreFixture fixture(db->database());
        HandWorkedYear(fixture);
        Stock(*db).db_ARTICLES->refresh();
        Stock(*db).db_ARTICLES->first();
        db->startSession(QDate(2009, 3, 10));
    }
    void cleanup() { closeFile(); }
};
