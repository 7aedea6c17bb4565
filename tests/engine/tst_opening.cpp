#include <QtTest>

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

    void aReadOnlyFileOpensButIsNotUpdatable() {
        TestDb db{{"Alpha"}};
        QFile::setPermissions(db.path(), QFile::ReadOwner | QFile::ReadUser);
        if (QFileInfo(db.path()).isWritable())
            QSKIP("running as a user who may write anyway");
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        QVERIFY(!rs->updatable());
        QCOMPARE(rs->recordCount(), 1);
        QVERIFY_THROWS_EXCEPTION(EngineError, rs->edit());
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
