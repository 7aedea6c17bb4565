#include <QtTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "EngineError.h"
#include "SupplierSchema.h"
#include "TestDb.h"

using namespace engine;

class TestOpening : public QObject {
    Q_OBJECT

    static int openError(const QString& path, const QString& connect) {
        try {
            DbEngine e;
            e.createWorkspace("w", "Admin", "", 2)->openDatabase(path, false, false, connect);
        } catch (const EngineError& e) {
            return e.number();
        }
        return 0;
    }

private slots:
    void theEngineHasEncryption() { QVERIFY(!DbEngine::cipherVersion().isEmpty()); }

    void wrongPasswordOrForeignFile_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("connect");
        QTest::newRow("wrong password") << QString() << ";UID=Admin;PWD=falsch;";
        QTest::newRow("no password") << QString() << ";UID=Admin;PWD=;";
        QTest::newRow("text file") << "Dies ist keine Datenbank\n" << daten::supplierConnectString();
    }

    void wrongPasswordOrForeignFile() {
        QFETCH(QString, content);
        QFETCH(QString, connect);
        TestDb db{{"Alpha"}};
        QString path = db.path();
        if (!content.isNull()) {
            path = db.folder() + "/fremd.db";
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content.toUtf8().repeated(200));
        }
        QCOMPARE(openError(path, connect), int(ErrNotADatabase));
    }

    void theFileIsEncrypted() {
        TestDb db{{"Unverwechselbar"}};
        QFile f(db.path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(!bytes.contains("SQLite format 3"));
        QVERIFY(!bytes.contains("Unverwechselbar"));
    }

    void missingFileAndMissingTable() {
        TestDb db;
        QCOMPARE(openError(db.folder() + "/fehlt.db", daten::supplierConnectString()), int(ErrFileNotFound));
        auto conn = db.connect();
        try {
            conn->openRecordset("Lieferanten2");
            QFAIL("no error");
        } catch (const EngineError& e) {
            QCOMPARE(e.number(), int(ErrTableMissing));
            QVERIFY(e.description().contains("Lieferanten2"));
        }
    }

    void aReadOnlyDatabaseOpensButIsNotUpdatable() {
        TestDb db{{"Alpha"}};
        DbEngine e;
        auto conn = e.createWorkspace("w", "Admin", "", 2)->openDatabase(db.path(), false, true, daten::supplierConnectString());
        auto rs = db.sortedRecordset(*conn);
        QVERIFY(!rs->updatable());
        QCOMPARE(rs->recordCount(), 1);
        QVERIFY_THROWS_EXCEPTION(EngineError, rs->edit());
        QVERIFY_THROWS_EXCEPTION(EngineError, rs->deleteCurrent());
    }

    void aWriterKilledDuringSavesLeavesAnIntactFile() {
        TestDb db{{"Alpha"}};
        const pid_t child = fork();
        if (child == 0) {
            // The child saves batches of rows until it is killed.
            try {
                auto conn = db.connect();
                for (;;) {
                    engine::WriteTransaction tx(conn->connection());
                    for (int i = 0; i < 500; ++i)
                        conn->execute("INSERT INTO \"Lieferanten\" (\"Firma\", \"Bemerkung\") VALUES ($1, $2)",
                                      {QStringLiteral("Kind %1").arg(i), QString(2000, u'x')});
                    tx.commit();
                }
            } catch (...) {
            }
            _exit(0);
        }
        QThread::msleep(700);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        auto conn = db.connect();
        QCOMPARE(conn->query("PRAGMA integrity_check").value(0).value(0).toString(), QStringLiteral("ok"));
        const int rows = conn->query("SELECT count(*) FROM \"Lieferanten\"").value(0).value(0).toInt();
        QVERIFY(rows > 1);
        QCOMPARE((rows - 1) % 500, 0);  // whole batches only
        QCOMPARE(db.sortedRecordset(*conn)->recordCount(), rows);
    }

    void createRefusesAnExistingFile() {
        TestDb db{{"Alpha"}};
        DbEngine e;
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 e.createWorkspace("w", "Admin", "", 2)->createDatabase(db.path(), daten::supplierConnectString()));
        QCOMPARE(db.scalar("SELECT count(*) FROM Lieferanten").toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestOpening)
#include "tst_opening.moc"
