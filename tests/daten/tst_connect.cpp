#include <QtTest>

#include "DbEngine.h"
#include "SupplierSchema.h"
#include "TData.h"

// The start-up's connection: settings file, file tests, fallback, engine messages.
class TestConnect : public QObject {
    Q_OBJECT

    struct Start {
        QStringList errors;
        std::unique_ptr<TData> data;
    };

    // Starts the data module for a program in `programFolder`, with the given settings file content.
    static Start start(const QString& programFolder, const QByteArray* ini) {
        const QString exe = programFolder + "/Lieferanten";
        if (ini) {
            QFile f(exe + ".ini");
            f.open(QIODevice::WriteOnly);
            f.write(*ini);
        }
        Start s;
        s.data = std::make_unique<TData>([&s](const std::exception& e) { s.errors << QString::fromUtf8(e.what()); },
                                         dataset::defaultEngineFactory(), exe);
        return s;
    }

    static void makeDatabase(const QString& path, const QString& password = QString::fromLatin1(daten::databasePassword)) {
        engine::DbEngine e;
        auto db = e.createWorkspace("w", "Admin", "", 2)->createDatabase(path, ";UID=Admin;PWD=" + password + ";");
        daten::createSupplierTable(*db);
        db->execute("INSERT INTO Lieferanten (Firma) VALUES ('Alpha')");
    }

    static QByteArray settings(const QString& path) { return "[DB]\r\nmain=" + path.toUtf8() + "\r\n"; }

    QTemporaryDir m_program;
    QTemporaryDir m_data;

private slots:
    void init() {
        QDir(m_program.path()).removeRecursively();
        QDir().mkpath(m_program.path());
        QDir(m_data.path()).removeRecursively();
        QDir().mkpath(m_data.path());
    }

    void opensTheFileNamedInTheSettings() {
        makeDatabase(m_data.filePath("lief.db"));
        const QByteArray ini = settings(m_data.filePath("lief.db"));
        Start s = start(m_program.path(), &ini);
        QVERIFY2(s.errors.isEmpty(), qPrintable(s.errors.join('|')));
        QVERIFY(s.data->Lieferanten->active());
        QCOMPARE(s.data->LieferantenFirma->asString(), QStringLiteral("Alpha"));
    }

    void noDatabaseDefined_data() {
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("no settings file") << false << QByteArray();
        QTest::newRow("no section") << true << QByteArray("[Andere]\nmain=/x.db\n");
        QTest::newRow("no key") << true << QByteArray("[DB]\nhaupt=/x.db\n");
        QTest::newRow("empty value") << true << QByteArray("[DB]\nmain=\n");
    }

    void noDatabaseDefined() {
        QFETCH(bool, withFile);
        QFETCH(QByteArray, content);
        Start s = start(m_program.path(), withFile ? &content : nullptr);
        QCOMPARE(s.errors, QStringList{"TKADaoDatabase.F_Set_Active: Database property is not defined!"});
        QVERIFY(!s.data->Database->connected());
        QVERIFY(!s.data->Lieferanten->active());
    }

    void startWritesNothingIntoTheSettingsFile() {
        makeDatabase(m_data.filePath("lief.db"));
        const QByteArray ini = "; Kommentar\r\n[DB]\r\nmain=" + m_data.filePath("lief.db").toUtf8() + "\r\n";
        start(m_program.path(), &ini);
        QFile f(m_program.filePath("Lieferanten.ini"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), ini);
    }

    void missingFileFallsBackToTheProgramFolder() {
        makeDatabase(m_program.filePath("lief.db"));
        const QByteArray ini = settings(m_data.filePath("weg/lief.db"));
        Start s = start(m_program.path(), &ini);
        QVERIFY2(s.errors.isEmpty(), qPrintable(s.errors.join('|')));
        QVERIFY(s.data->Lieferanten->active());
        QCOMPARE(s.data->Database->database(), m_program.path() + "/lief.db");
    }

    void missingEverywhere_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reported");
        QTest::newRow("missing file") << "weg/lief.db" << "/lief.db";
        QTest::newRow("a folder counts as missing") << "." << "/.";
        QTest::newRow("trailing separator: the program folder itself") << "weg/" << "/";
    }

    void missingEverywhere() {
        QFETCH(QString, path);
        QFETCH(QString, reported);
        QDir(m_data.path()).mkpath("weg");
        const QByteArray ini = settings(m_data.path() + "/" + path);
        Start s = start(m_program.path(), &ini);
        QCOMPARE(s.errors, QStringList{"Cannot find Database:\r\n" + m_program.path() + reported});
        QVERIFY(!s.data->Database->connected());
        QCOMPARE(s.data->Database->database(), m_program.path() + reported);
    }

    void bareNameIsLookedForInTheCurrentFolderFirst() {
        makeDatabase(m_data.filePath("lief.db"));
        const QString before = QDir::currentPath();
        QDir::setCurrent(m_data.path());
        const QByteArray ini = "[DB]\nmain=lief.db\n";
        Start s = start(m_program.path(), &ini);
        QDir::setCurrent(before);
        QVERIFY2(s.errors.isEmpty(), qPrintable(s.errors.join('|')));
        QCOMPARE(s.data->Database->database(), QStringLiteral("lief.db"));
    }

    void engineMessagesReachTheErrorBox_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("wrong password") << "password";
        QTest::newRow("not a database") << "foreign";
        QTest::newRow("no supplier table") << "notable";
    }

    void engineMessagesReachTheErrorBox() {
        QFETCH(QString, kind);
        const QString path = m_data.filePath("lief.db");
        if (kind == "password") {
            makeDatabase(path, "anderes");
        } else if (kind == "foreign") {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray(4096, 'x'));
        } else {
            engine::DbEngine e;
            e.createWorkspace("w", "Admin", "", 2)->createDatabase(path, daten::supplierConnectString());
        }
        const QByteArray ini = settings(path);
        Start s = start(m_program.path(), &ini);
        QCOMPARE(s.errors.size(), 1);
        QVERIFY(!s.errors.front().isEmpty());
        QVERIFY(!s.data->Lieferanten->active());
        QCOMPARE(s.data->Database->connected(), kind == "notable");
    }

    void databaseCannotBeSetWhileConnected() {
        makeDatabase(m_data.filePath("lief.db"));
        const QByteArray ini = settings(m_data.filePath("lief.db"));
        Start s = start(m_program.path(), &ini);
        try {
            s.data->Database->setDatabase("/anders.db");
            QFAIL("no error");
        } catch (const std::exception& e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     QStringLiteral("TKADaoDatabase.F_Set_Database: Cannot set Database while Database is connected!"));
        }
        s.data->Database->setConnected(false);
        QVERIFY(!s.data->Lieferanten->active());
        s.data->Database->setConnected(false);  // closing a closed connection does nothing
        QCOMPARE(s.data->Database->connectString(), QStringLiteral(";UID=Admin;PWD=wyvernquilt;"));
    }
};

QTEST_GUILESS_MAIN(TestConnect)
#include "tst_connect.moc"
