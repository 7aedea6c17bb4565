#include <QtTest>

#include "DaoDatabase.h"
#include "SupplierSchema.h"
#include "TestModule.h"

using namespace dataset;

// Edit, insert, post, cancel, delete and the automatic save-or-discard step.
class TestEditing : public QObject {
    Q_OBJECT

    static int rows(const TestModule& m) { return m.db.scalar("SELECT count(*) FROM Lieferanten").toInt(); }

private slots:
    void editThenPostStoresOnlySetFieldsAndKeepsThePlace() {
        TestModule m{{"Alpha", "K1", "user"}, {"Beta"}};
        DaoTable& t = m.table();
        t.edit();
        QCOMPARE(t.state(), DataSetState::Edit);
        QVERIFY(!t.modified());
        m.field("Firma").setAsString("Zulu");
        QVERIFY(t.modified());
        QCOMPARE(m.db.scalar("SELECT Firma FROM Lieferanten WHERE ID = 1").toString(), QStringLiteral("Alpha"));
        t.post();
        QCOMPARE(t.state(), DataSetState::Browse);
        QCOMPARE(m.db.scalar("SELECT Firma || KDNR || Benutzername FROM Lieferanten WHERE ID = 1").toString(),
                 QStringLiteral("ZuluK1user"));
        QCOMPARE(t.recNo(), 1);  // not re-sorted
        QCOMPARE(m.firma(), QStringLiteral("Zulu"));
    }

    void clearedFieldIsStoredAsNull() {
        TestModule m{{"Alpha", "K1"}};
        m.table().edit();
        m.field("KDNR").setAsString("");
        m.table().post();
        QVERIFY(m.db.scalar("SELECT KDNR FROM Lieferanten").isNull());
        QCOMPARE(m.field("KDNR").asString(), QString());
    }

    void textsAreCutToTheFieldSize() {
        TestModule m{{"Alpha"}};
        m.table().edit();
        m.field("KDNR").setAsString(QString(60, u'7'));
        m.field("URL").setAsString(QString(300, u'u'));
        m.table().post();
        QCOMPARE(m.db.scalar("SELECT length(KDNR) || '/' || length(URL) FROM Lieferanten").toString(), QStringLiteral("50/255"));
    }

    void cancelRestoresTheStoredValues() {
        TestModule m{{"Alpha", "K1"}};
        m.table().edit();
        m.field("KDNR").setAsString("K2");
        m.table().cancel();
        QCOMPARE(m.table().state(), DataSetState::Browse);
        QCOMPARE(m.field("KDNR").asString(), QStringLiteral("K1"));
        QCOMPARE(m.db.scalar("SELECT KDNR FROM Lieferanten").toString(), QStringLiteral("K1"));
    }

    void automaticStep_data() {
        QTest::addColumn<bool>("inserting");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<int>("rowsAfter");
        QTest::addColumn<QString>("kdnrOfAlpha");
        QTest::newRow("untouched edit is dropped") << false << false << 2 << "K1";
        QTest::newRow("changed edit is saved") << false << true << 2 << "neu";
        QTest::newRow("untouched insert disappears") << true << false << 2 << "K1";
        QTest::newRow("typed insert is saved") << true << true << 3 << "K1";
    }

    void automaticStep() {
        QFETCH(bool, inserting);
        QFETCH(bool, typed);
        QFETCH(int, rowsAfter);
        QFETCH(QString, kdnrOfAlpha);
        // Each way of moving runs the step first.
        const QList<std::function<void(DaoTable&)>> moves = {
            [](DaoTable& t) { t.next(); },       [](DaoTable& t) { t.last(); },
            [](DaoTable& t) { t.setRecNo(2); },  [](DaoTable& t) { t.moveBy(1); },
            [](DaoTable& t) { QVERIFY(t.locate("Firma", "be", true, true)); },
            [](DaoTable& t) { t.insert(); t.cancel(); },
        };
        for (const auto& move : moves) {
            TestModule m{{"Alpha", "K1"}, {"Beta"}};
            DaoTable& t = m.table();
            if (inserting) {
                t.insert();
                if (typed)
                    m.field("Firma").setAsString("Neu");
            } else {
                t.edit();
                if (typed)
                    m.field("KDNR").setAsString("neu");
            }
            move(t);
            QCOMPARE(t.state(), DataSetState::Browse);
            QCOMPARE(rows(m), rowsAfter);
            QCOMPARE(m.db.scalar("SELECT KDNR FROM Lieferanten WHERE Firma = 'Alpha'").toString(), kdnrOfAlpha);
        }
    }

    void newEntryStandsAfterTheLastUntilReopened() {
        TestModule m{{"Beta"}, {"Gamma"}};
        DaoTable& t = m.table();
        t.insert();
        QCOMPARE(t.state(), DataSetState::Insert);
        QCOMPARE(m.field("ID").asString(), QString());
        m.field("Firma").setAsString("Aaa");
        t.post();
        QCOMPARE(t.recNo(), 3);
        QCOMPARE(m.firma(), QStringLiteral("Aaa"));
        QVERIFY(m.field("ID").asString().toInt() > 0);
        m.data.reset();
        TestModule::executableIn(m.db.folder());
        m.data = std::make_unique<TData>([](const std::exception&) {}, defaultEngineFactory(),
                                         TestModule::executableIn(m.db.folder()));
        QCOMPARE(m.firma(), QStringLiteral("Aaa"));
    }

    void postingAnUntouchedNewEntryStoresDefaultsOnly() {
        TestModule m{{"Beta"}};
        m.table().insert();
        m.table().post();
        QCOMPARE(rows(m), 2);
        QCOMPARE(m.db.scalar("SELECT count(*) FROM Lieferanten WHERE Firma IS NULL AND KDNR IS NULL").toInt(), 1);
        QVERIFY(m.field("ID").asString().toInt() > 0);
    }

    void insertShowsTheNewEntryAtTheCurrentPlaceAppendAtTheEnd() {
        TestModule m{{"A"}, {"B"}, {"C"}};
        DaoTable& t = m.table();
        t.setRecNo(2);
        t.insert();
        QCOMPARE(t.displayRowCount(), 4);
        QCOMPARE(t.currentDisplayRow(), 1);
        QCOMPARE(t.displayText(2, &m.field("Firma")), QStringLiteral("B"));
        t.cancel();
        QCOMPARE(m.firma(), QStringLiteral("B"));  // the entry current before the insert
        t.append();
        QCOMPARE(t.currentDisplayRow(), 3);
        QVERIFY(t.insertIsAppend());
    }

    void emptyTableTypingStartsANewEntry() {
        TestModule m;
        m.table().edit();
        QCOMPARE(m.table().state(), DataSetState::Insert);
        m.table().cancel();
        QCOMPARE(messageOf([&] { m.table().remove(); }),
                 QStringLiteral("Lieferanten: Operation bei leerer Datenmenge nicht ausführbar"));
    }

    void postOutsideEditOrInsertFails() {
        TestModule m{{"A"}};
        QCOMPARE(messageOf([&] { m.table().post(); }),
                 QStringLiteral("Lieferanten: Datenmenge weder im Editier- noch im Einfügemodus"));
        QCOMPARE(messageOf([&] { m.field("Firma").setAsString("x"); }),
                 QStringLiteral("Lieferanten: Datenmenge weder im Editier- noch im Einfügemodus"));
    }

    void deleting_data() {
        QTest::addColumn<int>("recNo");
        QTest::addColumn<QString>("currentAfter");
        QTest::newRow("middle: the following one") << 2 << "C";
        QTest::newRow("last: the new last one") << 3 << "B";
        QTest::newRow("first") << 1 << "B";
    }

    void deleting() {
        QFETCH(int, recNo);
        QFETCH(QString, currentAfter);
        TestModule m{{"A"}, {"B"}, {"C"}};
        m.table().setRecNo(recNo);
        m.table().remove();
        QCOMPARE(m.firma(), currentAfter);
        QCOMPARE(m.table().recordCount(), 2);
        QCOMPARE(rows(m), 2);
    }

    void deletingTheOnlyEntryLeavesTheTableEmpty() {
        TestModule m{{"A"}};
        m.table().remove();
        QVERIFY(m.table().isEmpty());
        QCOMPARE(m.table().recNo(), -1);
    }

    void deletingInInsertStateDropsOnlyTheNewEntry() {
        TestModule m{{"A"}, {"B"}};
        m.table().insert();
        m.field("Firma").setAsString("Neu");
        m.table().remove();
        QCOMPARE(m.table().state(), DataSetState::Browse);
        QCOMPARE(rows(m), 2);
    }

    void deletingInEditStateDeletesWithoutSaving() {
        TestModule m{{"A"}, {"B"}};
        m.table().edit();
        m.field("Firma").setAsString("geändert");
        m.table().remove();
        QCOMPARE(rows(m), 1);
        QCOMPARE(m.db.scalar("SELECT count(*) FROM Lieferanten WHERE Firma = 'geändert'").toInt(), 0);
    }

    void searchWithoutMatchLeavesThePendingEntry() {
        TestModule m{{"Alpha"}, {"Beta"}};
        m.table().edit();
        m.field("KDNR").setAsString("x");
        QVERIFY(!m.table().locate("Firma", "zz", true, true));
        QCOMPARE(m.table().state(), DataSetState::Edit);
        QCOMPARE(m.field("KDNR").asString(), QStringLiteral("x"));
        QVERIFY(m.table().locate("Firma", "ALP", true, true));  // a match, even the current entry, saves
        QCOMPARE(m.table().state(), DataSetState::Browse);
        QCOMPARE(m.db.scalar("SELECT KDNR FROM Lieferanten WHERE Firma = 'Alpha'").toString(), QStringLiteral("x"));
    }

    void aNewEntryIsNoSearchCandidate() {
        TestModule m{{"Beta"}};
        m.table().insert();
        m.field("Firma").setAsString("Alpha");
        QVERIFY(!m.table().locate("Firma", "al", true, true));
        QCOMPARE(m.table().state(), DataSetState::Insert);
    }

    void readOnlyTableRefusesChanges() {
        TestModule m{{"A"}};
        DaoDatabase database;
        database.readOnly = true;
        database.databasePassword = QString::fromLatin1(daten::databasePassword);
        database.setDatabase(m.db.path());
        database.setConnected(true);
        DaoTable t(QStringLiteral("Lieferanten"));
        t.database = &database;
        t.tableName = QStringLiteral("Lieferanten");
        t.addField(QStringLiteral("Firma"), FieldType::String, 255);
        t.open();
        QVERIFY(!t.canModify());
        const QString ro = "Lieferanten: Eine Datenmenge, die nur zum Lesen ist, kann nicht geändert werden";
        QCOMPARE(messageOf([&] { t.insert(); }), ro);
        QCOMPARE(messageOf([&] { t.edit(); }), ro);
        QCOMPARE(messageOf([&] { t.append(); }), ro);
        QCOMPARE(t.findField("Firma")->asString(), QStringLiteral("A"));
    }
};

QTEST_GUILESS_MAIN(TestEditing)
#include "tst_editing.moc"
