#include "StoreFixture.h"
#include "TestHome.h"
#include "db/DataModule.h"
#include "db/DatasetModel.h"

#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

using namespace zelvane;

namespace {
// What is done to the master in a test of its detail.
enum class MasterStep { Refresh, ReloadRows, FilterKeeping, FilterLeaving, Post, Next };
} // namespace
Q_DECLARE_METATYPE(MasterStep)

// The dataset layer on a real management file: articles as master, movements as detail.
class TestDataset : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<Tfdb> db;
    Dataset *articles = nullptr;
    Dataset *movements = nullptr;

    void exec(const QString &sql) { ExecSql(db->database(), sql); }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        // The layer alone: a bare data module with an article dataset and its movements, no rules.
        db = std::make_unique<Tfdb>();
        articles = db->addDataset(QStringLiteral("ARTICLES"), QStringLiteral("CODE_ART"));
        movements = db->addDataset(QStringLiteral("STOCK"), QStringLiteral("CODE_ART;NUM_MVT"));
        movements->setMaster(articles, QStringLiteral("CODE_ART"), QStringLiteral("CODE_ART"));
        QCOMPARE(db->OpenDatabaseFile(QString::fromLatin1(kAlias), home->templateCopy(), false, false,
                                      QString::fromLatin1(kSchemaTag)),
                 int(OpenOk));
        StoreFixture(db->database())
            .noArticles()
            .article(1, QStringLiteral("SUCRE"), 90, 10, 85)
            .article(2, QStringLiteral("HUILE"), 130)
            .article(3, QStringLiteral("RIZ"), 120, 5, 100)
            .movement(1, 1, 10, QStringLiteral("2009-03-10"), 50, 90)
            .movement(2, 1, 22, QStringLiteral("2009-03-10"), 5, 90)
            .movement(3, 3, 10, QStringLiteral("2009-03-11"), 20, 120);
        articles->refresh();
        articles->first();
    }
    void cleanup()
    {
        db.reset();
        home.reset();
    }

    void dateFunctions()
    {
        QSqlQuery q(db->database());
        QVERIFY(q.exec(QStringLiteral(
            "select year(date_op), month(date_op), day(date_op), year(null), year('x') from stock where num_mvt=1")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 2009);
        QCOMPARE(q.value(1).toInt(), 3);
        QCOMPARE(q.value(2).toInt(), 10);
        QVERIFY(q.value(3).isNull());
        QVERIFY(q.value(4).isNull());
        // Integers, so a bare year compares equal and a quoted one does not.
        QVERIFY(q.exec(QStringLiteral("select count(*) from stock where year(date_op)=2009")) && q.next());
        QCOMPARE(q.value(0).toInt(), 3);
    }

    void orderFieldsAndMasterDetail()
    {
        Dataset *art = articles;
        Dataset *mvt = movements;
        QCOMPARE(art->recordCount(), 3);
        QCOMPARE(art->textValue(QStringLiteral("designation")), QStringLiteral("SUCRE"));
        QCOMPARE(art->displayText(QStringLiteral("PU")), QStringLiteral("   90.00"));
        QCOMPARE(art->editText(QStringLiteral("PU")), QStringLiteral("90.00"));
        QCOMPARE(mvt->recordCount(), 2);
        QCOMPARE(mvt->dateValue(QStringLiteral("DATE_OP")), QDate(2009, 3, 10));
        QCOMPARE(mvt->displayText(QStringLiteral("DATE_OP")), QStringLiteral("10/03/2009"));
        art->next();
        QCOMPARE(art->intValue(QStringLiteral("CODE_ART")), 2);
        QCOMPARE(mvt->recordCount(), 0);
        art->next();
        QCOMPARE(mvt->recordCount(), 1);
        art->next();
        QVERIFY(art->eof());
        QVERIFY(art->locate(QStringLiteral("designation"), QStringLiteral("huile")));
        QCOMPARE(art->recNo(), 1);
        QVERIFY(!art->locate(QStringLiteral("CODE_ART"), 99));
    }

    void filters()
    {
        Dataset *mvt = movements;
        mvt->setFilter(QStringLiteral("nat_op>=20"));
        QCOMPARE(mvt->recordCount(), 2); // filter switched off
        mvt->setFiltered(true);
        QCOMPARE(mvt->recordCount(), 1);
        mvt->setFiltered(false);
        Dataset *art = articles;
        art->setRecordFilter([](const Dataset &d) { return d.doubleValue(QStringLiteral("QT31DEC")) > 0; });
        art->setFiltered(true);
        QCOMPARE(art->recordCount(), 2);
        art->setFilter(QStringLiteral("code_art>1"));
        QCOMPARE(art->recordCount(), 1);
        QCOMPARE(art->textValue(QStringLiteral("DESIGNATION")), QStringLiteral("RIZ"));
        art->setFiltered(false);
        QCOMPARE(art->recordCount(), 3);
    }

    // A master's step reads its own rows once; its detail reads again when the key it follows changes,
    // or when the master is refreshed (a movement written behind the datasets then shows), never twice.
    void detailsFollowTheMastersKey_data()
    {
        QTest::addColumn<MasterStep>("step");
        QTest::addColumn<int>("articleLoads");
        QTest::addColumn<int>("movementLoads");
        QTest::addColumn<int>("movementsShown");
        QTest::newRow("refresh") << MasterStep::Refresh << 1 << 1 << 3;
        QTest::newRow("rows alone read again") << MasterStep::ReloadRows << 1 << 0 << 2;
        QTest::newRow("filter keeping the current article") << MasterStep::FilterKeeping << 1 << 0 << 2;
        QTest::newRow("filter leaving another article") << MasterStep::FilterLeaving << 1 << 1 << 1;
        QTest::newRow("post of the current article") << MasterStep::Post << 1 << 0 << 2;
        QTest::newRow("scroll to the next article") << MasterStep::Next << 0 << 1 << 0;
    }
    void detailsFollowTheMastersKey()
    {
        QFETCH(MasterStep, step);
        QFETCH(int, articleLoads);
        QFETCH(int, movementLoads);
        QFETCH(int, movementsShown);
        QCOMPARE(movements->recordCount(), 2);
        exec(QStringLiteral("insert into stock (num_mvt, code_art, nat_op, date_op, quantite, pu) "
                            "values (4, 1, 10, '2009-03-12', 1, 90)"));
        const int articlesBefore = articles->loadCount();
        const int movementsBefore = movements->loadCount();
        switch (step) {
        case MasterStep::Refresh:
            articles->refresh();
            break;
        case MasterStep::ReloadRows:
            articles->reloadRows();
            break;
        case MasterStep::FilterKeeping:
            articles->setFilter(QStringLiteral("code_art<3"), true);
            break;
        case MasterStep::FilterLeaving:
            articles->setFilter(QStringLiteral("code_art=3"), true);
            break;
        case MasterStep::Post:
            articles->edit();
            articles->setValue(QStringLiteral("PU"), 95.0);
            articles->post();
            break;
        case MasterStep::Next:
            articles->next();
            break;
        }
        QCOMPARE(articles->loadCount() - articlesBefore, articleLoads);
        QCOMPARE(movements->loadCount() - movementsBefore, movementLoads);
        QCOMPARE(movements->recordCount(), movementsShown);
        for (int row = 0; row < movements->recordCount(); ++row)
            QCOMPARE(movements->valueAt(row, movements->fieldIndex(QStringLiteral("CODE_ART"))),
                     articles->value(QStringLiteral("CODE_ART")));
    }

    void calculatedFieldsInGrid()
    {
        auto *art = new Dataset(QStringLiteral("ARTICLES"), QStringLiteral("CODE_ART"), this);
        art->setConnectionName(db->alias());
        art->addCalculatedField(QStringLiteral("VALEUR"), FieldType::Double, [](const Dataset &d) {
            return d.doubleValue(QStringLiteral("QT31DEC")) * d.doubleValue(QStringLiteral("PU31DEC"));
        });
        art->setDisplayText(QStringLiteral("DESIGNATION"), [](const Dataset &d) {
            return QStringLiteral("%1 - %2")
                .arg(d.intValue(QStringLiteral("CODE_ART")))
                .arg(d.textValue(QStringLiteral("DESIGNATION")));
        });
        art->open();
        DatasetModel model(art, {{QStringLiteral("DESIGNATION"), QStringLiteral("Désignations")},
                                 {QStringLiteral("VALEUR"), QStringLiteral("Valeur")}});
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Désignations"));
        QCOMPARE(model.data(model.index(2, 0), Qt::DisplayRole).toString(), QStringLiteral("3 - RIZ"));
        QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("850.00"));
        QCOMPARE(art->value(QStringLiteral("VALEUR")).toDouble(), 850.0);
    }

    void insertPostCallbacks()
    {
        Dataset *mvt = movements;
        QStringList calls;
        auto numbering = mvt->newRecord.subscribe([&](Dataset &d) {
            calls << QStringLiteral("new");
            d.setValue(QStringLiteral("NUM_MVT"), 10);
            d.setValue(QStringLiteral("DATE_OP"), QDate(2009, 3, 12));
        });
        auto before = mvt->beforePost.subscribe([&](Dataset &) { calls << QStringLiteral("before"); });
        auto after = mvt->afterPost.subscribe([&](Dataset &) { calls << QStringLiteral("after"); });
        mvt->append();
        QCOMPARE(mvt->state(), Dataset::State::Insert);
        QCOMPARE(mvt->intValue(QStringLiteral("CODE_ART")), 1); // from the master
        mvt->setValue(QStringLiteral("QUANTITE"), 2.5);
        mvt->setValue(QStringLiteral("OBS"), QStringLiteral("l'été"));
        mvt->post();
        QCOMPARE(calls, (QStringList{QStringLiteral("new"), QStringLiteral("before"), QStringLiteral("after")}));
        QCOMPARE(mvt->recordCount(), 3);
        QCOMPARE(mvt->intValue(QStringLiteral("NUM_MVT")), 10);
        QSqlQuery q(db->database());
        QVERIFY(q.exec(QStringLiteral("select date_op, obs, quantite from stock where num_mvt=10")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("2009-03-12"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("l'été"));
        QCOMPARE(q.value(2).toDouble(), 2.5);
    }

    void refusedPostKeepsTheEdit()
    {
        // A bare dataset on the movements, without the program's rules that number new rows.
        auto *mvt = new Dataset(QStringLiteral("STOCK"), QStringLiteral("CODE_ART;NUM_MVT"), this);
        mvt->setConnectionName(db->alias());
        mvt->setMaster(articles, QStringLiteral("CODE_ART"), QStringLiteral("CODE_ART"));
        mvt->open();
        mvt->append();
        mvt->setValue(QStringLiteral("NUM_MVT"), 1); // already used: the key refuses it
        QVERIFY_THROWS_EXCEPTION(DatabaseError, mvt->post());
        QCOMPARE(mvt->state(), Dataset::State::Insert);
        mvt->cancel();
        QCOMPARE(mvt->recordCount(), 2);

        bool refused = false;
        auto refusal = mvt->beforePost.subscribe([&](Dataset &) {
            refused = true;
            throw DatabaseError(QStringLiteral("refused"));
        });
        mvt->edit();
        mvt->setValue(QStringLiteral("QUANTITE"), 99);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, mvt->post());
        QVERIFY(refused);
        mvt->cancel();
        QCOMPARE(mvt->doubleValue(QStringLiteral("QUANTITE")), 50.0);
        QSqlQuery q(db->database());
        QVERIFY(q.exec(QStringLiteral("select quantite from stock where num_mvt=1")) && q.next());
        QCOMPARE(q.value(0).toDouble(), 50.0);
    }

    void editDeleteAndScroll()
    {
        Dataset *art = articles;
        int scrolls = 0, deletes = 0;
        auto scrolled = art->afterScroll.subscribe([&](Dataset &) { ++scrolls; });
        auto deleted = art->afterDelete.subscribe([&](Dataset &) { ++deletes; });
        art->last();
        QCOMPARE(scrolls, 1);
        art->edit();
        art->setValue(QStringLiteral("DESIGNATION"), QStringLiteral("RIZ LONG"));
        art->first(); // moving posts the edit
        QCOMPARE(art->state(), Dataset::State::Browse);
        QVERIFY(art->locate(QStringLiteral("CODE_ART"), 3));
        QCOMPARE(art->textValue(QStringLiteral("DESIGNATION")), QStringLiteral("RIZ LONG"));
        art->remove();
        QCOMPARE(deletes, 1);
        QCOMPARE(art->recordCount(), 2);
        QCOMPARE(art->recNo(), 1);
        QVERIFY_THROWS_EXCEPTION(DatabaseError, art->setValue(QStringLiteral("PU"), 1)); // not editing
    }

    // Several modules listen to one event; each may pause or leave without silencing the others.
    void sharedListeners()
    {
        Dataset *art = articles;
        QStringList heard;
        auto stock = art->afterScroll.subscribe([&](Dataset &) { heard << QStringLiteral("stock"); });
        auto menus = art->afterScroll.subscribe([&](Dataset &) { heard << QStringLiteral("menus"); });
        art->last();
        QCOMPARE(heard, (QStringList{QStringLiteral("stock"), QStringLiteral("menus")}));
        heard.clear();
        {
            Dataset::Rule::Subscription::Pause quiet(stock);
            art->first();
            QCOMPARE(heard, QStringList{QStringLiteral("menus")});
        }
        heard.clear();
        menus.reset();
        art->last();
        QCOMPARE(heard, QStringList{QStringLiteral("stock")});
    }

    // A post writes its rules' statements and its own as one unit: when the write fails or a later rule
    // refuses, what the earlier rules wrote is undone and the typed row is kept for another try.
    void postAndDeleteAreUnitsOfWork_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("the insert fails") << QStringLiteral("insert");
        QTest::newRow("a later rule refuses") << QStringLiteral("rule");
        QTest::newRow("the delete is refused after its rules wrote") << QStringLiteral("delete");
    }
    void postAndDeleteAreUnitsOfWork()
    {
        QFETCH(QString, failure);
        auto priceOf = [this] {
            return ScalarSql(db->database(), QStringLiteral("select pu from articles where code_art=1")).toDouble();
        };
        auto repricing = [this](Dataset &) {
            QSqlQuery update(db->database());
            QVERIFY(update.exec(QStringLiteral("update articles set pu=999 where code_art=1")));
        };
        auto refuse = [](Dataset &) { throw DatabaseError(QStringLiteral("refused")); };
        Dataset *mvt = movements;
        if (failure == QLatin1String("delete")) {
            auto rule = mvt->beforeDelete.subscribe(repricing);
            auto refusal = mvt->afterDelete.subscribe(refuse);
            QVERIFY_THROWS_EXCEPTION(DatabaseError, mvt->remove());
            QCOMPARE(mvt->recordCount(), 2);
            QCOMPARE(ScalarSql(db->database(), QStringLiteral("select count(*) from stock")).toInt(), 3);
        } else {
            auto rule = mvt->beforePost.subscribe(repricing);
            Dataset::Rule::Subscription refusal;
            if (failure == QLatin1String("rule"))
                refusal = mvt->beforePost.subscribe(refuse);
            mvt->append();
            mvt->setValue(QStringLiteral("NUM_MVT"), failure == QLatin1String("insert") ? 1 : 77); // 1 is taken
            mvt->setValue(QStringLiteral("QUANTITE"), 3);
            QVERIFY_THROWS_EXCEPTION(DatabaseError, mvt->post());
            QCOMPARE(mvt->state(), Dataset::State::Insert);
            QCOMPARE(mvt->doubleValue(QStringLiteral("QUANTITE")), 3.0);
            mvt->cancel();
        }
        QCOMPARE(priceOf(), 90.0);
        QCOMPARE(ScalarSql(db->database(), QStringLiteral("select count(*) from stock")).toInt(), 3);
    }

    void saveDataSet()
    {
        ScriptedPrompter answers;
        setPrompter(&answers);
        Dataset *art = articles;
        art->edit();
        art->setValue(QStringLiteral("PU"), 1.0);
        QVERIFY(!db->SaveDataSet(art, false));
        QCOMPARE(art->doubleValue(QStringLiteral("PU")), 90.0);

        art->append();
        art->setValue(QStringLiteral("CODE_ART"), 1); // duplicate key
        QVERIFY(!db->SaveDataSet(art, true));
        QCOMPARE(answers.messages.size(), 1);
        QVERIFY(answers.messages.first().startsWith(QStringLiteral(" --- :")));
        QCOMPARE(art->state(), Dataset::State::Browse);
        QCOMPARE(art->recordCount(), 3);

        art->append();
        art->setValue(QStringLiteral("CODE_ART"), 4);
        QVERIFY(db->SaveDataSet(art, true));
        QCOMPARE(art->recordCount(), 4);
        setPrompter(nullptr);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "test_dataset.moc"
