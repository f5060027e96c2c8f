#include "TestHome.h"
#include "common/Format.h"
#include "common/Prompter.h"
#include "db/DataModule.h"
#include "stock/Demo.h"
#include "stock/ListeDenrees.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

// The sheet's sums kept in memory against SQLite summing the same movements, to the last bit, on every day
// of a small demo year: after the first read, after changes made through the data module, after changes
// made behind its back, and on files whose index does not give the movements in order.
class TestSheetSpeedPaths : public QObject
{
    Q_OBJECT

    static constexpr int kYear = 2009;

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    QString file;
    ScriptedPrompter prompts;

    void exec(const QString &sql) { ExecSql(db->database(), sql); }

    // The figures of every article for day as SQLite sums them, in the order of the index on
    // (CODE_ART, DATE_OP, ...): what the sheet computed when every day was a query.
    static QHash<qint32, TDenree> sqlFigures(const QSqlDatabase &connection, const QDate &day)
    {
        QSqlQuery query(connection);
        query.setForwardOnly(true);
        const bool ran = query.exec(
            QStringLiteral(
                "select a.code_art, a.qt31dec, a.pu31dec, s.* from articles a left join (select code_art as code,"
                " sum(quantite) filter (where nat_op=10 and date_op<:d),"
                " sum(quantite*pu) filter (where nat_op=10 and date_op<:d),"
                " sum(quantite) filter (where nat_op>=20 and date_op<:d),"
                " sum(quantite*pu) filter (where nat_op>=20 and date_op<:d),"
                " sum(quantite) filter (where nat_op=10 and date_op=:d),"
                " sum(quantite*pu) filter (where nat_op=10 and date_op=:d),"
                " sum(pu) filter (where nat_op=10 and date_op=:d),"
                " count(*) filter (where nat_op=10 and date_op=:d),"
                " sum(quantite) filter (where nat_op>=20 and date_op=:d),"
                " sum(quantite*pu) filter (where nat_op>=20 and date_op=:d),"
                " sum(pu) filter (where nat_op>=20 and date_op=:d),"
                " count(*) filter (where nat_op>=20 and date_op=:d)"
                " from stock group by code_art) s on s.code=a.code_art")
                .replace(QStringLiteral(":d"), SqlDate(day)));
        if (!ran)
            qFatal("reference query: %s", qPrintable(query.lastError().text()));
        QHash<qint32, TDenree> figures;
        while (query.next()) {
            TDenree d;
            d.code_art = query.value(0).toInt();
            auto number = [&query](int column) { return query.value(column).toDouble(); };
            d.qt31dec = number(1);
            if (!query.value(2).isNull())
                d.valeur31dec = d.qt31dec * number(2);
            d.entree_veille_quantite = number(4);
            d.entree_veille_valeur = number(5);
            d.sortie_veille_quantite = number(6);
            d.sortie_veille_valeur = number(7);
            d.entree_jour_quantite = number(8);
            d.entree_jour_valeur = number(9);
            if (number(11) != 0)
                d.entree_jour_pu = number(10) / number(11);
            d.sortie_jour_quantite = number(12);
            d.sortie_jour_valeur = number(13);
            if (number(15) != 0)
                d.sortie_jour_pu = number(14) / number(15);
            figures.insert(d.code_art, d);
        }
        return figures;
    }

    // The first figure of the list that differs from expected, by even one bit; empty when none does.
    static QString difference(const TListeDenrees &list, const QHash<qint32, TDenree> &expected)
    {
        if (list.Denrees().size() != expected.size())
            return QStringLiteral("%1 articles instead of %2").arg(list.Denrees().size()).arg(expected.size());
        for (const TDenree &d : list.Denrees()) {
            const TDenree e = expected.value(d.code_art);
            const std::pair<const char *, std::pair<double, double>> fields[] = {
                {"qt31dec", {d.qt31dec, e.qt31dec}},
                {"valeur31dec", {d.valeur31dec, e.valeur31dec}},
                {"entree_veille_quantite", {d.entree_veille_quantite, e.entree_veille_quantite}},
                {"entree_veille_valeur", {d.entree_veille_valeur, e.entree_veille_valeur}},
                {"sortie_veille_quantite", {d.sortie_veille_quantite, e.sortie_veille_quantite}},
                {"sortie_veille_valeur", {d.sortie_veille_valeur, e.sortie_veille_valeur}},
                {"entree_jour_quantite", {d.entree_jour_quantite, e.entree_jour_quantite}},
                {"entree_jour_valeur", {d.entree_jour_valeur, e.entree_jour_valeur}},
                {"entree_jour_pu", {d.entree_jour_pu, e.entree_jour_pu}},
                {"sortie_jour_quantite", {d.sortie_jour_quantite, e.sortie_jour_quantite}},
                {"sortie_jour_valeur", {d.sortie_jour_valeur, e.sortie_jour_valeur}},
                {"sortie_jour_pu", {d.sortie_jour_pu, e.sortie_jour_pu}},
            };
            for (const auto &[name, values] : fields) {
                if (values.first != values.second)
                    return QStringLiteral("article %1 %2: %3 instead of %4")
                        .arg(d.code_art)
                        .arg(QLatin1String(name))
                        .arg(values.first, 0, 'g', 17)
                        .arg(values.second, 0, 'g', 17);
            }
        }
        return {};
    }

    // Selects every day of the year in turn, from the end; the first day whose figures differ from SQLite's.
    static QString differenceOnSomeDay(TListeDenrees &list, const QSqlDatabase &connection)
    {
        for (QDate day(kYear, 12, 31); day.year() == kYear; day = day.addDays(-1)) {
            list.SetDate(day);
            if (const QString d = difference(list, sqlFigures(connection, day)); !d.isEmpty())
                return DateText(day) + QStringLiteral(": ") + d;
        }
        return {};
    }

    // The figures of every day as a list computes them.
    static QVector<QVector<TDenree>> everyDay(TListeDenrees &list)
    {
        QVector<QVector<TDenree>> days;
        for (QDate day(kYear, 1, 1); day.year() == kYear; day = day.addDays(1)) {
            list.SetDate(day);
            days << list.Denrees();
        }
        return days;
    }

    bool selectArticle(qint32 code) { return Stock(*db).db_ARTICLES->locate(QStringLiteral("CODE_ART"), code); }
    qint32 articleWithMovements()
    {
        return qint32(ScalarSql(db->database(), QStringLiteral("select code_art from stock where date_op='2009-03-10'"
                                                               " group by code_art order by count(*) desc limit 1"))
                          .toLongLong());
    }

private slots:
    void init()
    {
        setPrompter(&prompts);
        home = std::make_unique<TestHome>();
        DemoRequest request;
        request.folder = home->databases();
        request.kind = 2;
        request.year = QString::number(kYear);
        request.articles = 40;
        request.movements = 6000;
        const NewFileResult made = MakeDemoFile(request);
        QVERIFY2(made.ok(), qPrintable(made.error));
        file = made.path;
        db = std::make_unique<TestData>();
        QCOMPARE(db->OpenDatabaseFile(QString::fromLatin1(kAlias), file, false, false, QString::fromLatin1(kSchemaTag)),
                 int(OpenOk));
        db->LoadOptions();
    }
    void cleanup()
    {
        db.reset();
        home.reset();
        setPrompter(nullptr);
    }

    void everyDayEqualsSql()
    {
        // Movements the sums must leave out or place as SQLite compares them: a nature counted nowhere,
        // NULL quantity or price, an article that does not exist, and days that are not a day of the year
        // as 'YYYY-MM-DD' (before, after, between two days, a number, NULL).
        const qint64 first = ScalarSql(db->database(), QStringLiteral("select min(code_art) from articles"))
                                 .toLongLong();
        const qint64 last = ScalarSql(db->database(), QStringLiteral("select max(code_art) from articles"))
                                .toLongLong();
        exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                            "(90001,%1,15,'2009-03-10',7,90),(90002,%1,10,'2009-03-10',null,90),"
                            "(90003,%1,22,'2009-03-10',2,null),(90004,9999,10,'2009-03-10',5,10),"
                            "(90005,%2,10,'2008-12-31',4,10),(90006,%2,10,'2010-01-01',8,10),"
                            "(90007,%2,10,'2009-3-5',16,10),(90008,%2,22,'2009-02-30',1,10),"
                            "(90009,%2,10,20090310,32,10),(90010,%2,10,null,64,10),"
                            "(90011,%2,null,'2009-03-10',128,10),(90012,%2,'x','2009-03-11',3,10)")
                 .arg(first)
                 .arg(last));
        TListeDenrees list(*db);
        const QString d = differenceOnSomeDay(list, db->database());
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    void staysExactAfterChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("entry posted on the day") << "entry";
        QTest::newRow("exit posted on the day") << "exit";
        QTest::newRow("movement moved to an earlier day") << "earlier";
        QTest::newRow("movement deleted") << "delete";
        QTest::newRow("opening stock changed") << "opening";
        QTest::newRow("written by this connection, untold") << "untold";
        QTest::newRow("written by another connection") << "other";
    }
    void staysExactAfterChanges()
    {
        QFETCH(QString, change);
        db->startSession(QDate(kYear, 3, 10));
        TListeDenrees &list = *Stock(*db).ListeDenrees();
        const qint32 code = articleWithMovements();
        QVERIFY(selectArticle(code));
        QVERIFY(Stock(*db).db_STOCK->recordCount() > 0);
        if (change == QLatin1String("entry") || change == QLatin1String("exit")) {
            Stock(*db).db_STOCK->append();
            Stock(*db).db_STOCK->setValue(QStringLiteral("NAT_OP"),
                                          change == QLatin1String("entry") ? kNatureEntree : 22);
            Stock(*db).db_STOCK->setValue(QStringLiteral("QUANTITE"), 0.5);
            Stock(*db).db_STOCK->setValue(QStringLiteral("PU"), 101.37);
            QVERIFY(db->SaveDataSet(Stock(*db).db_STOCK, true));
        } else if (change == QLatin1String("earlier")) {
            Stock(*db).db_STOCK->edit();
            Stock(*db).db_STOCK->setValue(QStringLiteral("DATE_OP"), QDate(kYear, 2, 3));
            QVERIFY(db->SaveDataSet(Stock(*db).db_STOCK, true));
        } else if (change == QLatin1String("delete")) {
            Stock(*db).db_STOCK->remove();
        } else if (change == QLatin1String("opening")) {
            Stock(*db).db_ARTICLES->edit();
            Stock(*db).db_ARTICLES->setValue(QStringLiteral("QT31DEC"), 12.5);
            Stock(*db).db_ARTICLES->setValue(QStringLiteral("PU31DEC"), 3.3);
            QVERIFY(db->SaveDataSet(Stock(*db).db_ARTICLES, true));
        } else if (change == QLatin1String("untold")) {
            exec(QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                                "(90001,%1,10,'2009-01-05',3.5,17.1)")
                     .arg(code));
        } else {
            {
                QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
                other.setDatabaseName(file);
                QVERIFY(other.open());
                ExecSql(other, QStringLiteral("insert into stock (num_mvt,code_art,nat_op,date_op,quantite,pu) values"
                                              "(90001,%1,22,'2009-01-05',1.5,17.1)")
                                   .arg(code));
                other.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("other"));
        }
        const QString d = differenceOnSomeDay(list, db->database());
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    void sameFiguresWithoutTheIndex_data()
    {
        QTest::addColumn<QString>("index");
        QTest::newRow("article and day only") << "create index STOCK_ARTICLE_DAY on STOCK (CODE_ART, DATE_OP)";
        QTest::newRow("none") << QString();
    }
    void sameFiguresWithoutTheIndex()
    {
        QFETCH(QString, index);
        QVector<QVector<TDenree>> expected;
        {
            TListeDenrees indexed(*db);
            expected = everyDay(indexed);
        }
        exec(QStringLiteral("drop index STOCK_ARTICLE_DAY_FIGURES"));
        if (!index.isEmpty())
            exec(index);
        TListeDenrees list(*db);
        for (int i = 0; i < expected.size(); ++i) {
            QHash<qint32, TDenree> byCode;
            for (const TDenree &d : expected.at(i))
                byCode.insert(d.code_art, d);
            list.SetDate(QDate(kYear, 1, 1).addDays(i));
            const QString d = difference(list, byCode);
            QVERIFY2(d.isEmpty(), qPrintable(DateText(list.DateJour()) + QStringLiteral(": ") + d));
        }
    }
};

QTEST_GUILESS_MAIN(TestSheetSpeedPaths)
#include "test_sheet_speed_paths.moc"
