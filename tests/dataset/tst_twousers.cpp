#include <QtTest>

#include "EngineError.h"
#include "TestModule.h"

using namespace dataset;

// Two programs on one file: nothing typed is lost, nothing overwritten silently.
class TestTwoUsers : public QObject {
    Q_OBJECT

private slots:
    void aConflictingSaveIsRefusedOnceAndKeepsWhatWasTyped() {
        TestModule m{{"Alpha", "K1"}};
        auto other = m.secondUser();
        m.table().edit();
        m.field("KDNR").setAsString("von A");
        other->Lieferanten->edit();
        other->Lieferanten->findField("KDNR")->setAsString("von B");
        other->Lieferanten->post();

        QVERIFY(!messageOf([&] { m.table().post(); }).isEmpty());
        QCOMPARE(m.table().state(), DataSetState::Edit);
        QCOMPARE(m.field("KDNR").asString(), QStringLiteral("von A"));
        QCOMPARE(m.db.scalar("SELECT KDNR FROM Lieferanten").toString(), QStringLiteral("von B"));
        // Saving again writes the set fields over the other user's version.
        m.table().post();
        QCOMPARE(m.db.scalar("SELECT KDNR FROM Lieferanten").toString(), QStringLiteral("von A"));
    }

    void aRefusedSaveStopsTheMove() {
        TestModule m{{"Alpha", "K1"}, {"Beta"}};
        m.table().edit();
        m.field("KDNR").setAsString("von A");
        m.db.exec("UPDATE Lieferanten SET KDNR = 'anders' WHERE Firma = 'Alpha'");
        QVERIFY(!messageOf([&] { m.table().next(); }).isEmpty());
        QCOMPARE(m.table().state(), DataSetState::Edit);
        QCOMPARE(m.firma(), QStringLiteral("Alpha"));
        QCOMPARE(m.field("KDNR").asString(), QStringLiteral("von A"));
        m.table().cancel();
        QCOMPARE(m.field("KDNR").asString(), QStringLiteral("anders"));
    }

    void aRefusedNewEntryStaysPending() {
        TestModule m{{"Alpha"}};
        m.db.exec("CREATE TRIGGER nein BEFORE INSERT ON Lieferanten WHEN NEW.Firma = 'verboten' "
                  "BEGIN SELECT RAISE(ABORT, 'nein'); END");
        m.table().insert();
        m.field("Firma").setAsString("verboten");
        QVERIFY(!messageOf([&] { m.table().post(); }).isEmpty());
        QCOMPARE(m.table().state(), DataSetState::Insert);
        QCOMPARE(m.firma(), QStringLiteral("verboten"));
        m.field("Firma").setAsString("erlaubt");
        m.table().post();
        QCOMPARE(m.table().recordCount(), 2);
    }

    void deletingWhatTheOtherUserDeletedCountsAsDone() {
        TestModule m{{"Alpha"}, {"Beta"}};
        m.db.exec("DELETE FROM Lieferanten WHERE Firma = 'Alpha'");
        QCOMPARE(messageOf([&] { m.table().remove(); }), QString());
        QCOMPARE(m.table().recordCount(), 1);
        QCOMPARE(m.firma(), QStringLiteral("Beta"));
    }

    void editingWhatTheOtherUserDeletedReportsAndStaysInBrowse() {
        TestModule m{{"Alpha"}, {"Beta"}};
        m.db.exec("DELETE FROM Lieferanten WHERE Firma = 'Alpha'");
        QVERIFY(!messageOf([&] { m.table().edit(); }).isEmpty());
        QCOMPARE(m.table().state(), DataSetState::Browse);
        QCOMPARE(m.table().recordCount(), 1);
        QCOMPARE(m.firma(), QStringLiteral("Beta"));
    }

    void rowsTheOtherUserAddsAppearAfterTheNextOpen() {
        TestModule m{{"Beta"}};
        auto other = m.secondUser();
        other->Lieferanten->insert();
        other->Lieferanten->findField("Firma")->setAsString("Alpha");
        other->Lieferanten->post();
        QCOMPARE(m.table().recordCount(), 1);
        QVERIFY(!m.table().locate("Firma", "al", true, true));
        auto third = m.secondUser();
        QCOMPARE(third->Lieferanten->recordCount(), 2);
        QCOMPARE(third->Lieferanten->findField("Firma")->asString(), QStringLiteral("Alpha"));
    }
};

QTEST_GUILESS_MAIN(TestTwoUsers)
#include "tst_twousers.moc"
