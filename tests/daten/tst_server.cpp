#include <QtTest>

#include "DbEngine.h"
#include "EngineError.h"
#include "TData.h"
#include "TestDb.h"

// The program on a PostgreSQL server: the settings file names its address.
class TestServer : public QObject {
    Q_OBJECT

    QTemporaryDir m_program;

    std::unique_ptr<TData> start(const QString& value, QStringList* errors) {
        QFile ini(m_program.filePath("Lieferanten.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[DB]\nmain=" + value.toUtf8() + "\n");
        ini.close();
        return std::make_unique<TData>([errors](const std::exception& e) { *errors << QString::fromUtf8(e.what()); },
                                       dataset::defaultEngineFactory(), m_program.filePath("Lieferanten"));
    }

private slots:
    void initTestCase() {
        if (TestDb::serverAddress().isEmpty())
            QSKIP("no test server: LIEFERANTEN_TEST_PG is not set");
        qputenv("LIEFERANTEN_TEST_BACKEND", "server");
    }

    void showsEditsSearchesAndSaves() {
        TestDb db{{"Beta", "K2"}, {"Äpfel"}, {"alpha", "K1", "", "", "", "", "Zeile 1\r\nZeile 2"}};
        QStringList errors;
        auto data = start(db.path(), &errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('|')));
        dataset::DaoTable& t = *data->Lieferanten;
        QCOMPARE(data->LieferantenFirma->asString(), QStringLiteral("alpha"));
        QCOMPARE(data->LieferantenBemerkung->asString(), QStringLiteral("Zeile 1\r\nZeile 2"));
        QCOMPARE(t.recordCount(), 3);
        QVERIFY(t.locate("Firma", "äp", true, true));
        QCOMPARE(data->LieferantenFirma->asString(), QStringLiteral("Äpfel"));
        t.edit();
        data->LieferantenKDNR->setAsString("K-Ä");
        t.insert();  // saves the edit first
        data->LieferantenFirma->setAsString("Aaron");
        t.post();
        QCOMPARE(t.recNo(), 4);  // stands after the last until the next open
        QVERIFY(data->LieferantenID->asString().toInt() > 0);

        // A second program sees the saved entries when it opens.
        QStringList errors2;
        TData* first = Data;
        auto second = start(db.path(), &errors2);
        Data = first;
        QCOMPARE(second->Lieferanten->recordCount(), 4);
        QCOMPARE(second->LieferantenFirma->asString(), QStringLiteral("Aaron"));
        QVERIFY(second->Lieferanten->locate("Firma", "äpf", true, true));
        QCOMPARE(second->LieferantenKDNR->asString(), QStringLiteral("K-Ä"));
    }

    void failuresReachTheErrorBoxWithoutThePassword_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong password") << "password" << "Anmeldung abgelehnt";
        QTest::newRow("missing database") << "database" << "gibt es auf dem Server";
        QTest::newRow("unreachable") << "port" << "nicht erreichbar";
        QTest::newRow("TLS refused") << "tls" << "TLS";
        QTest::newRow("missing table") << "table" << "nicht vorhanden";
    }

    void failuresReachTheErrorBoxWithoutThePassword() {
        QFETCH(QString, change);
        QFETCH(QString, message);
        QUrl url(TestDb::serverAddress());
        if (change == "password")
            url.setPassword("falsch-geheim");
        else if (change == "database")
            url.setPath("/gibtesnicht");
        else if (change == "port")
            url.setPort(1);
        else if (change == "tls")
            url.setQuery("sslmode=require");
        else
            url.setQuery("options=-csearch_path%3Dleer");
        QStringList errors;
        auto data = start(url.toString(), &errors);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(message), qPrintable(errors[0]));
        QVERIFY(!errors[0].contains("testkennwort") && !errors[0].contains("falsch-geheim"));
        QVERIFY(!data->Lieferanten->active());
        QCOMPARE(data->Database->database(), url.toString());  // no program-folder fallback for an address
    }

    void aLostConnectionKeepsWhatWasTyped() {
        TestDb db{{"Alpha", "K1"}};
        QStringList errors;
        auto data = start(db.path(), &errors);
        data->Lieferanten->edit();
        data->LieferantenKDNR->setAsString("getippt");
        // The server ends this program's session.
        auto admin = db.connect();
        admin->execute("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                       "WHERE application_name = 'Lieferanten' AND pid <> pg_backend_pid()");
        QThread::msleep(300);  // the session ends a moment after it is told to
        QString error;
        try {
            data->Lieferanten->post();
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        QVERIFY2(error.contains("Verbindung zum Datenbankserver"), qPrintable(error));
        QVERIFY(!error.contains("testkennwort"));
        QCOMPARE(data->Lieferanten->state(), dataset::DataSetState::Edit);
        QCOMPARE(data->LieferantenKDNR->asString(), QStringLiteral("getippt"));
        data->Lieferanten->post();  // the connection is made again
        QCOMPARE(db.scalar("SELECT \"KDNR\" FROM \"Lieferanten\"").toString(), QStringLiteral("getippt"));
    }

    void adminToolWorksOnAServer() {
        TestDb db;  // a schema with the table already
        const auto run = [](const QStringList& args) {
            QProcess p;
            p.start(QStringLiteral(ADMIN_TOOL), args);
            p.waitForFinished(120000);
            return std::make_pair(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()));
        };
        auto [code, out] = run({"create", db.path()});
        QVERIFY(code != 0);
        QVERIFY2(out.contains("gibt es in dieser Datenbank bereits"), qPrintable(out));
        QVERIFY(!out.contains("testkennwort"));
        db.exec("DROP TABLE \"Lieferanten\"");
        std::tie(code, out) = run({"demo", db.path()});
        QCOMPARE(code, 0);
        QCOMPARE(db.scalar("SELECT count(*) FROM \"Lieferanten\"").toInt(), 30);
        const QString fixture = QStringLiteral(FIXTURES_DIR) + "/V2000_with-password.mdb";
        if (QFileInfo::exists(fixture)) {
            std::tie(code, out) = run({"import", fixture, db.path(), "--table", "Table1", "--column", "Firma=Data"});
            QCOMPARE(code, 0);
            QCOMPARE(db.scalar("SELECT count(*) FROM \"Lieferanten\"").toInt(), 33);
        }
        // The sort index serves the list and the search.
        QVERIFY(db.scalar("SELECT count(*) FROM pg_indexes WHERE schemaname = current_schema() AND indexname = 'LieferantenFirmaSort'").toInt() == 1);
    }
};

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"
