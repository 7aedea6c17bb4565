#include <QtTest>

#include "DbEngine.h"
#include "ErrorBoxes.h"
#include "MessageBox.h"
#include "Startup.h"
#include "SupplierSchema.h"

using namespace controls;

class TestStartup : public QObject {
    Q_OBJECT

    QList<BoxRequest> m_boxes;

    // Runs the real start-up executable, renamed, in its own folder with a settings file.
    struct Run {
        int exitCode = -1;
        QString output;
    };

    static Run runProgram(const QByteArray& ini, const QString& failingEngine = {}) {
        QTemporaryDir dir;
        const QString exe = dir.filePath("Lieferanten");
        QFile::copy(QStringLiteral(AUTOTEST_EXE), exe);
        if (!ini.isNull()) {
            QFile f(dir.filePath("Lieferanten.ini"));
            f.open(QIODevice::WriteOnly);
            f.write(ini);
        }
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (!failingEngine.isEmpty())
            env.insert("LIEFERANTEN_AUTOTEST_ENGINE", failingEngine);
        p.setProcessEnvironment(env);
        p.start(exe, {});
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput())};
    }

private slots:
    void init() {
        m_boxes.clear();
        MessageBoxes::setAnswerer([this](const BoxRequest& r) {
            m_boxes << r;
            return r.defaultButton;
        });
    }
    void cleanup() { MessageBoxes::setAnswerer({}); }

    void applicationTitle_data() {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("title");
        QTest::newRow("Lieferanten.EXE") << "/x/Lieferanten.EXE" << "Lieferanten";
        QTest::newRow("ABC.x.exe") << "/x/ABC.x.exe" << "Abc";
        QTest::newRow("no extension") << "/x/Lieferanten" << "Lieferanten";
        QTest::newRow("umlaut") << "/x/ÜBERSICHT" << "Übersicht";
    }

    void applicationTitle() {
        QFETCH(QString, exe);
        QFETCH(QString, title);
        QCOMPARE(applicationTitleFor(exe), title);
    }

    void errorBoxAppendsAFullStopAfterCharactersAboveIt_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Fehler" << "Fehler.";
        QTest::newRow("question mark") << "Wirklich?" << "Wirklich?.";
        QTest::newRow("exclamation mark") << "Not defined!" << "Not defined!";
        QTest::newRow("full stop") << "Ende." << "Ende.";
        QTest::newRow("backslash") << "C:\\" << "C:\\.";
        QTest::newRow("blank") << "a " << "a ";
        QTest::newRow("empty") << "" << "";
    }

    void errorBoxAppendsAFullStopAfterCharactersAboveIt() {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(errorBoxText(message), shown);
        showErrorBox(message);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].type, BoxType::Error);
        QCOMPARE(m_boxes[0].title, controls::applicationTitle());
        QCOMPARE(m_boxes[0].buttons, QList<BoxButton>{BoxButton::Ok});
        QCOMPARE(m_boxes[0].text, shown);
    }

    void failingEngineEndsWithTheLastChanceBox_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("library missing") << int(engine::EngineUnavailable::LibraryMissing) << "Cannot find DAO on your system!.";
        QTest::newRow("unusable") << int(engine::EngineUnavailable::Unusable)
                                  << "You does not have Microsoft DAO installed ot it is an OLD Version!.";
        QTest::newRow("platform") << int(engine::EngineUnavailable::PlatformInit) << "Unable to init OLE objects!.";
    }

    void failingEngineEndsWithTheLastChanceBox() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        const int code = runLieferanten([kind]() -> std::unique_ptr<engine::DbEngine> {
            throw engine::EngineUnavailable(engine::EngineUnavailable::Kind(kind), "test");
        });
        QCOMPARE(code, 1);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes[0].title, QStringLiteral("Anwendungsfehler"));
        QCOMPARE(m_boxes[0].type, BoxType::Error);
        const QRegularExpression format("^Exception EDatabaseError in Modul tst_startup bei [0-9A-F]{8}\\.\r\n(.*)\r\n$",
                                        QRegularExpression::DotMatchesEverythingOption);
        const auto match = format.match(m_boxes[0].text);
        QVERIFY2(match.hasMatch(), qPrintable(m_boxes[0].text));
        QCOMPARE(match.captured(1), message);
        QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                             [](QWidget* w) { return w->isVisible(); }));
    }

    void realExecutableExitCodes() {
        QTemporaryDir data;
        {
            engine::DbEngine e;
            auto db = e.createWorkspace("w", "Admin", "", 2)->createDatabase(data.filePath("l.db"), daten::supplierConnectString());
            daten::createSupplierTable(*db);
        }
        const Run ok = runProgram("[DB]\nmain=" + data.filePath("l.db").toUtf8() + "\n");
        QCOMPARE(ok.exitCode, 0);
        QVERIFY2(!ok.output.contains("BOX"), qPrintable(ok.output));
        QVERIFY2(ok.output.contains("SHOWN Lieferanten Velmora"), qPrintable(ok.output));

        const Run missing = runProgram("[DB]\nmain=" + data.filePath("fehlt.db").toUtf8() + "\n");
        QCOMPARE(missing.exitCode, 0);
        QVERIFY2(missing.output.contains("BOX Lieferanten: Cannot find Database:\r\n"), qPrintable(missing.output));
        QVERIFY(missing.output.indexOf("BOX") < missing.output.indexOf("SHOWN"));

        const Run noSettings = runProgram(QByteArray());
        QCOMPARE(noSettings.exitCode, 0);
        QVERIFY(noSettings.output.contains("BOX Lieferanten: TKADaoDatabase.F_Set_Active: Database property is not defined!\n"));

        const Run failing = runProgram(QByteArray(), "missing");
        QCOMPARE(failing.exitCode, 1);
        QVERIFY2(failing.output.contains("BOX Anwendungsfehler: Exception EDatabaseError in Modul Lieferanten bei "),
                 qPrintable(failing.output));
        QVERIFY(!failing.output.contains("SHOWN"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
