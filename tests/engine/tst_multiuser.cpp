#include <QtTest>
#include <atomic>
#include <thread>

#include "EngineError.h"
#include "TestDb.h"

using namespace engine;

// Two users: two connections to one file.
class TestMultiUser : public QObject {
    Q_OBJECT

    static int errorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const EngineError& e) {
            return e.number();
        }
        return 0;
    }

private slots:
    void initTestCase() {
        if (TestDb::onServer() && TestDb::serverAddress().isEmpty())
            QSKIP("no test server: LIEFERANTEN_TEST_PG is not set");
    }

    void saveOverAnotherUsersChangeIsRefusedOnce() {
        TestDb db{{"Alpha", "K1"}};
        auto userA = db.connect();
        auto userB = db.connect();
        auto a = db.sortedRecordset(*userA);
        auto b = db.sortedRecordset(*userB);
        const int kdnr = a->columnIndex("KDNR");
        a->edit();
        a->setValue(kdnr, "von A");
        b->edit();
        b->setValue(kdnr, "von B");
        b->update();
        QCOMPARE(errorOf([&] { a->update(); }), int(ErrWriteConflict));
        QCOMPARE(db.scalar("SELECT \"KDNR\" FROM \"Lieferanten\"").toString(), QStringLiteral("von B"));
        // A's values are still pending; a new edit takes B's row as its base.
        QCOMPARE(a->value(kdnr).toString(), QStringLiteral("von A"));
        a->cancelUpdate();
        a->edit();
        a->setValue(kdnr, "von A");
        a->update();
        QCOMPARE(db.scalar("SELECT \"KDNR\" FROM \"Lieferanten\"").toString(), QStringLiteral("von A"));
    }

    void memoChangeByAnotherUserIsAConflictToo() {
        TestDb db{{"Alpha", "K1", "", "", "", "", "alt"}};
        auto userA = db.connect();
        auto a = db.sortedRecordset(*userA);
        a->edit();
        a->setValue(a->columnIndex("KDNR"), "neu");
        db.exec("UPDATE \"Lieferanten\" SET \"Bemerkung\" = 'anders'");
        QCOMPARE(errorOf([&] { a->update(); }), int(ErrWriteConflict));
    }

    void rowDeletedByAnotherUser() {
        TestDb db{{"Alpha"}, {"Beta"}};
        auto userA = db.connect();
        auto a = db.sortedRecordset(*userA);
        a->edit();
        a->setValue(a->columnIndex("KDNR"), "x");
        db.exec("DELETE FROM \"Lieferanten\" WHERE \"Firma\" = 'Alpha'");
        QCOMPARE(errorOf([&] { a->update(); }), int(ErrRecordDeleted));
        a->cancelUpdate();
        QCOMPARE(errorOf([&] { a->edit(); }), int(ErrRecordDeleted));
        QCOMPARE(errorOf([&] { a->value(0); }), int(ErrRecordDeleted));
        // Deleting it again reports 3167 and drops it from the keyset.
        QCOMPARE(errorOf([&] { a->deleteCurrent(); }), int(ErrRecordDeleted));
        QCOMPARE(a->recordCount(), 1);
        QCOMPARE(a->value(a->columnIndex("Firma")).toString(), QStringLiteral("Beta"));
    }

    void changesShowAtTheNextReadRowsAddedOnlyAfterANewOpen() {
        TestDb db{{"Alpha"}, {"Beta"}};
        auto userA = db.connect();
        auto a = db.sortedRecordset(*userA);
        const int firma = a->columnIndex("Firma");
        QCOMPARE(a->value(firma).toString(), QStringLiteral("Alpha"));
        db.exec("UPDATE \"Lieferanten\" SET \"Firma\" = 'Alpha neu' WHERE \"Firma\" = 'Alpha'");
        db.exec("INSERT INTO \"Lieferanten\" (\"Firma\") VALUES ('Aaa')");
        a->move(0);
        QCOMPARE(a->value(firma).toString(), QStringLiteral("Alpha neu"));
        QCOMPARE(a->recordCount(), 2);
        QCOMPARE(a->findFirstPrefix(firma, "aaa"), -1);
        auto again = db.sortedRecordset(*userA);
        QCOMPARE(again->recordCount(), 3);
        QCOMPARE(again->value(firma).toString(), QStringLiteral("Aaa"));
    }

    void aLockedTableIsReportedAfterAWaitNotAHang() {
        TestDb db{{"Alpha"}};
        auto holder = db.connect();
        if (TestDb::onServer()) {
            holder->execute("BEGIN");
            holder->execute("LOCK TABLE \"Lieferanten\" IN ACCESS EXCLUSIVE MODE");
        } else {
            holder->execute("BEGIN EXCLUSIVE");
        }
        QElapsedTimer t;
        t.start();
        QCOMPARE(errorOf([&] { db.sortedRecordset(*db.connect()); }), int(ErrLocked));
        QVERIFY(t.elapsed() >= 4000 && t.elapsed() < 20000);
        holder->execute("ROLLBACK");
        auto userA = db.connect();
        QCOMPARE(db.sortedRecordset(*userA)->recordCount(), 1);
    }

    void aWriteWaitsForAShortLock() {
        TestDb db{{"Alpha"}};
        auto userA = db.connect();
        auto a = db.sortedRecordset(*userA);
        a->edit();
        a->setValue(a->columnIndex("KDNR"), "x");
        std::atomic<bool> locked = false;
        std::thread other([&] {
            auto holder = db.connect();
            holder->execute(TestDb::onServer() ? "BEGIN" : "BEGIN IMMEDIATE");
            if (TestDb::onServer())
                holder->execute("SELECT 1 FROM \"Lieferanten\" FOR UPDATE");
            locked = true;
            QThread::msleep(400);
            holder->execute("COMMIT");
        });
        while (!locked)
            QThread::msleep(5);
        a->update();  // waits for the other writer instead of failing at once
        other.join();
        QCOMPARE(db.scalar("SELECT \"KDNR\" FROM \"Lieferanten\"").toString(), QStringLiteral("x"));
    }
};

QTEST_GUILESS_MAIN(TestMultiUser)
#include "tst_multiuser.moc"
