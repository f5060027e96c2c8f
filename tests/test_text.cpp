#include "common/Dates.h"
#include "common/Format.h"
#include "common/MontantEnLettres.h"
#include "common/Prompter.h"
#include "common/Text.h"

#include <QtTest>

using namespace zelvane;

class TestText : public QObject
{
    Q_OBJECT

private slots:
    // The brackets show the spaces, which invoices print as they are.
    void amountsInWords_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("words");
        QTest::newRow("zero") << 0.0 << "[ZERO DA, 00 CTS]";
        QTest::newRow("centimes only") << 0.5 << "[ZERO DA, 50 CTS]";
        QTest::newRow("one") << 1.0 << "[  UN DA, 00 CTS]";
        QTest::newRow("no ET") << 21.5 << "[  VINGT UN DA, 50 CTS]";
        QTest::newRow("seventy-one") << 71.0 << "[  SOIXANTE ONZE DA, 00 CTS]";
        QTest::newRow("eighty") << 80.0 << "[  QUATRE-VINGTS DA, 00 CTS]";
        QTest::newRow("ninety-one") << 91.0 << "[  QUATRE-VINGTS ONZE DA, 00 CTS]";
        QTest::newRow("hundred") << 100.0 << "[  CENT DA, 00 CTS]";
        QTest::newRow("hundreds take S") << 200.0 << "[ DEUX CENTS DA, 00 CTS]";
        QTest::newRow("also before more words") << 201.0 << "[ DEUX CENTS UN DA, 00 CTS]";
        QTest::newRow("thousand") << 1000.0 << "[ MILLE  DA, 00 CTS]";
        QTest::newRow("thousands") << 1234.56 << "[ MILLE DEUX CENTS TRENTE QUATRE DA, 56 CTS]";
        QTest::newRow("two thousand") << 2000.0 << "[  DEUX MILLE  DA, 00 CTS]";
        QTest::newRow("million") << 1000000.0 << "[  UN MILLION  DA, 00 CTS]";
        QTest::newRow("million and thousand") << 1001000.0 << "[  UN MILLION MILLE  DA, 00 CTS]";
        QTest::newRow("no plural on million") << 2000000.0 << "[  DEUX MILLION  DA, 00 CTS]";
        QTest::newRow("rounded to centimes") << 12.345 << "[  DOUZE DA, 35 CTS]";
        QTest::newRow("largest")
            << 999999999999.99
            << "[ NEUF CENTS QUATRE-VINGTS DIX-NEUF MILLIARD NEUF CENTS QUATRE-VINGTS DIX-NEUF MILLION NEUF CENTS "
               "QUATRE-VINGTS DIX-NEUF MILLE NEUF CENTS QUATRE-VINGTS DIX-NEUF DA, 99 CTS]";
        QTest::newRow("negative") << -1.0 << "[]";
        QTest::newRow("beyond the scales") << 1e12 << "[]";
    }
    void amountsInWords()
    {
        QFETCH(double, amount);
        QFETCH(QString, words);
        QCOMPARE(QLatin1Char('[') + MontantEnLettres(QStringLiteral("FR"), amount) + QLatin1Char(']'), words);
    }

    void amounts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("montant");
        QTest::addColumn<QString>("saisie");
        QTest::newRow("zero") << 0.0 << "    0.00"
                              << "0.00";
        QTest::newRow("small") << 12.5 << "    12.50"
                               << "12.50";
        QTest::newRow("thousands") << 1234.5 << "   1 234.50"
                                   << "1234.50";
        QTest::newRow("millions rounded") << 1234567.891 << "  1 234 567.89"
                                          << "1234567.89";
        // The minus stands against its figure, not at the far end of the picture's blanks.
        QTest::newRow("negative") << -1234.5 << "   -1 234.50"
                                  << "-1234.50";
        QTest::newRow("negative below a hundred") << -20.0 << "    -20.00"
                                                  << "-20.00";
        QTest::newRow("half cent rounds up") << 0.125 << "    0.13"
                                             << "0.13";
        QTest::newRow("tiny negative is zero") << -0.001 << "    0.00"
                                               << "0.00";
        QTest::newRow("beyond the picture") << 1e18 << "1000000 000 000 000 000.00"
                                            << "1000000000000000000.00";
    }
    void amounts()
    {
        QFETCH(double, value);
        QFETCH(QString, montant);
        QFETCH(QString, saisie);
        QCOMPARE(FormatMontant(value), montant);
        QCOMPARE(FormatMontantSaisie(value), saisie);
        // An amount rounded to the cent prints as the amount itself: a total of rounded lines adds what is
        // printed.
        QCOMPARE(FormatMontant(RoundToCents(value)), montant);
    }

    void fieldFormats()
    {
        QCOMPARE(FormatPattern(1234.5, QString::fromLatin1(kPatternFieldDisplay)), QStringLiteral("  1 234.50"));
        QCOMPARE(FormatPattern(1234.5, QString::fromLatin1(kPatternFieldEdit)), QStringLiteral("1234.50"));
    }

    void padding_data()
    {
        QTest::addColumn<QString>("s");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("pad");
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("expected");
        QTest::newRow("left zeros") << "7" << 3 << "0" << true << "007";
        QTest::newRow("cut to n") << "12345" << 3 << "0" << true << "123";
        QTest::newRow("trimmed, blank pad") << " 42 " << 4 << "" << true << "  42";
        QTest::newRow("right") << "AB" << 4 << "0" << false << "AB00";
    }
    void padding()
    {
        QFETCH(QString, s);
        QFETCH(int, n);
        QFETCH(QString, pad);
        QFETCH(bool, left);
        QFETCH(QString, expected);
        QCOMPARE(left ? PadLeft(s, n, pad) : PadRight(s, n, pad), expected);
    }

    void repeatAndSpaces()
    {
        QCOMPARE(RepeatText(QStringLiteral("ab"), 3), QStringLiteral("ababab"));
        QCOMPARE(RepeatText(QStringLiteral("ab"), 0), QString());
        QCOMPARE(Spaces(3), QStringLiteral("   "));
    }

    void tokens()
    {
        QString s = QStringLiteral("001;NOM; X");
        QCOMPARE(NextToken(s, QLatin1Char(';')), QStringLiteral("001"));
        QCOMPARE(NextToken(s, QLatin1Char(';')), QStringLiteral("NOM"));
        QCOMPARE(NextToken(s, QLatin1Char(';')), QStringLiteral("X"));
        QVERIFY(s.isEmpty());
    }

    void replaceAndQuote()
    {
        // Text brought in by the replacement is not scanned again.
        QCOMPARE(ReplaceAll(QStringLiteral("aaa"), QStringLiteral("a"), QStringLiteral("aa")),
                 QStringLiteral("aaaaaa"));
        QCOMPARE(ReplaceAll(QStringLiteral("abc"), QString(), QStringLiteral("x")), QStringLiteral("abc"));
        QCOMPARE(QuotedSQL(QStringLiteral("l'eau")), QStringLiteral("'l''eau'"));
        QCOMPARE(QuotedSQL(QString()), QStringLiteral("''"));
    }

    void scramble()
    {
        QCOMPARE(ScrambleText(QString()), QString());
        // Each character moves by its position in the 74-character alphabet.
        QCOMPARE(ScrambleText(QStringLiteral("Q")), QStringLiteral("7"));
        QCOMPARE(ScrambleText(QStringLiteral("QQ")), QStringLiteral("7W"));
        QCOMPARE(UnscrambleText(QStringLiteral("7W")), QStringLiteral("QQ"));
        // The last character of the alphabet wraps to the first.
        QCOMPARE(ScrambleText(QStringLiteral("m")), QStringLiteral("Q"));
        QCOMPARE(UnscrambleText(QStringLiteral("Q")), QStringLiteral("m"));
        const QString code = QStringLiteral("ZELV2009");
        QCOMPARE(UnscrambleText(ScrambleText(code)), code);
        // Far beyond the routines' range: no crash, same length.
        QCOMPARE(ScrambleText(QString(200, QLatin1Char('A'))).size(), 200);
    }

    void lastDayOfMonth_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<QDate>("last");
        QTest::newRow("leap year") << QDate(2008, 2, 10) << QDate(2008, 2, 29);
        QTest::newRow("common year") << QDate(2009, 2, 10) << QDate(2009, 2, 28);
        QTest::newRow("thirty days") << QDate(2009, 4, 3) << QDate(2009, 4, 30);
        QTest::newRow("century, not leap") << QDate(1900, 2, 1) << QDate(1900, 2, 28);
        QTest::newRow("century, not leap either") << QDate(2100, 2, 14) << QDate(2100, 2, 28);
        QTest::newRow("fourth century, leap") << QDate(2000, 2, 3) << QDate(2000, 2, 29);
        QTest::newRow("invalid date") << QDate(2009, 13, 40) << QDate();
    }

    void lastDayOfMonth()
    {
        QFETCH(QDate, day);
        QFETCH(QDate, last);
        QCOMPARE(LastDayOfMonth(day), last);
    }

    void dates()
    {
        QCOMPARE(FirstDayOfMonth(QDate(2009, 4, 30)), QDate(2009, 4, 1));
        QCOMPARE(WeekStart(QDate(2010, 3, 7)), QDate(2010, 3, 7));
        QCOMPARE(WeekStart(QDate(2010, 3, 6)), QDate(2010, 2, 28));
        QCOMPARE(WeekEnd(QDate(2010, 3, 6)), QDate(2010, 3, 6));
        QCOMPARE(WeekStart(QDate(2010, 3, 8)), QDate(2010, 3, 7));
    }

    void dateCondition()
    {
        QCOMPARE(DateCondition(QStringLiteral("="), QStringLiteral("date_op"), QDate(2010, 1, 7)),
                 QStringLiteral("(year(date_op)=2010) and (month(date_op)=1) and (day(date_op)=7)"));
        QCOMPARE(DateCondition(QStringLiteral(">="), QStringLiteral("s.date_op"), QDate(2009, 3, 5)),
                 QStringLiteral("( (year(s.date_op)>2009)or  ((year(s.date_op)=2009)and(month(s.date_op)>3))or"
                                "  ((year(s.date_op)=2009)and(month(s.date_op)=3)and(day(s.date_op)>=5))  )"));
        QCOMPARE(DateCondition(QStringLiteral("<"), QStringLiteral("d"), QDate(2009, 12, 31)),
                 QStringLiteral("( (year(d)<2009)or  ((year(d)=2009)and(month(d)<12))or"
                                "  ((year(d)=2009)and(month(d)=12)and(day(d)<31))  )"));
        QCOMPARE(DateCondition(QStringLiteral("<>"), QStringLiteral("date_op"), QDate(2009, 3, 5)), QString());
    }

    void parsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isDay");
        QTest::addColumn<QDate>("day");
        QTest::newRow("day") << "10/03/2009" << true << QDate(2009, 3, 10);
        QTest::newRow("short parts") << "1/2/2009" << true << QDate(2009, 2, 1);
        QTest::newRow("no such day") << "30/02/2009" << false << QDate();
        QTest::newRow("two-digit year") << "10/03/09" << false << QDate();
        QTest::newRow("words") << "demain" << false << QDate();
    }
    // The extension a save dialog adds to a name typed without one: its own filter's, never another type's.
    void saveDialogSuffixes_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("pdf") << "Documents PDF (*.pdf *.PDF);;Tous les Fichiers (*)"
                             << "pdf";
        QTest::newRow("spreadsheet") << "Classeur (*.xlsx)"
                                     << "xlsx";
        QTest::newRow("csv") << "CSV (*.csv)"
                             << "csv";
        QTest::newRow("referential") << "*.ref (*.ref);;*.* (*)"
                                     << "ref";
        QTest::newRow("saved preview") << "Fichiers QuickRep (*.QRP *.qrp);;Tous les Fichiers (*)"
                                       << "QRP";
        QTest::newRow("management file") << "MDB (*.mdb *.MDB);;Tous les fichiers (*)"
                                         << "mdb";
        QTest::newRow("any file") << "Tous les fichiers (*)"
                                  << "";
    }
    void saveDialogSuffixes()
    {
        QFETCH(QString, filter);
        QTEST(FilterSuffix(filter), "suffix");
    }

    // What a date box says of a text it cannot take; nothing for a day or an empty box.
    void dateRefusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("day") << "10/03/2009"
                             << "";
        QTest::newRow("empty") << "  "
                               << "";
        QTest::newRow("no such day") << "31/02/1970"
                                     << "Né(e) le : le 31/02/1970 n'existe pas.";
        QTest::newRow("month 13") << "01/13/2009"
                                  << "Né(e) le : le 01/13/2009 n'existe pas.";
        QTest::newRow("a number") << "7"
                                  << "Né(e) le : « 7 » n'est pas une date (jj/mm/aaaa).";
        QTest::newRow("two-digit year") << "10/03/09"
                                        << "Né(e) le : « 10/03/09 » n'est pas une date (jj/mm/aaaa).";
    }
    void dateRefusals()
    {
        QFETCH(QString, text);
        QFETCH(QString, refusal);
        QCOMPARE(DateRefusal(QStringLiteral("Né(e) le"), text), refusal);
    }

    void parsing()
    {
        QFETCH(QString, text);
        QFETCH(bool, isDay);
        QFETCH(QDate, day);
        const auto parsed = ParseDate(text);
        QCOMPARE(parsed.has_value(), isDay);
        if (isDay)
            QCOMPARE(*parsed, day);
    }

    void numbers()
    {
        QCOMPARE(ParseNumber(QStringLiteral("12.5")).value_or(-1), 12.5);
        QCOMPARE(ParseNumber(QStringLiteral(" 1 234,5 ")).value_or(-1), 1234.5);
        QVERIFY(!ParseNumber(QStringLiteral("12a")));
        QVERIFY(!ParseNumber(QString()));
        QCOMPARE(DateText(QDate(2009, 3, 10)), QStringLiteral("10/03/2009"));
        QCOMPARE(SqlDate(QDate(2009, 3, 10)), QStringLiteral("'2009-03-10'"));
        QCOMPARE(MoisFR(8), QStringLiteral("Août"));
        QCOMPARE(MoisAR(1), QStringLiteral("جـانفي"));
        QCOMPARE(MoisFR(13), QString());
    }

    // Access keys of menus and tabs: word initials first, never a key taken before or by another title.
    void mnemonics_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QStringList>("marked");
        QTest::addColumn<QString>("keys");
        QTest::newRow("menu bar") << QStringList{"Bases de Données", "Mises à Jours", "Affichage",
                                                 "Editions",         "Divers",        "?"}
                                  << "" << QStringList{"&Bases de Données", "&Mises à Jours", "&Affichage",
                                                       "&Editions",         "&Divers",        "&?"}
                                  << "BMAED?";
        QTest::newRow("tabs after the menus")
            << QStringList{"Mouvements de la Journée", "Menu du Jour", "Historique du Magasin",
                           "Fournisseurs && Factures", "Archive (BDD)"}
            << "BMAED?"
            << QStringList{"Mouvements de la &Journée", "Me&nu du Jour", "&Historique du Magasin",
                           "&Fournisseurs && Factures", "A&rchive (BDD)"}
            << "BMAED?JNHFR";
        QTest::newRow("an escaped ampersand is not a key") << QStringList{"&& A"} << "" << QStringList{"&& &A"} << "A";
        QTest::newRow("nothing left") << QStringList{"AB"} << "ab" << QStringList{"AB"} << "AB";
    }
    void mnemonics()
    {
        QFETCH(QStringList, titles);
        QFETCH(QString, taken);
        QFETCH(QStringList, marked);
        QFETCH(QString, keys);
        QCOMPARE(WithMnemonics(titles, taken), marked);
        QCOMPARE(taken, keys);
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
