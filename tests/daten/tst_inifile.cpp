#include <QtTest>

#include "IniFile.h"

using daten::IniFile;

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray& content) {
        const QString path = m_dir.filePath(QStringLiteral("Lieferanten.ini"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return path;
    }

private slots:
    void reading_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("[DB]\r\nmain=C:\\daten\\lief.mdb\r\n") << "C:\\daten\\lief.mdb";
        QTest::newRow("letter case of names") << QByteArray("[db]\nMAIN=/x/y.db\n") << "/x/y.db";
        QTest::newRow("blanks around") << QByteArray("  [ DB ]  \n  main  =   /x y.db   \n") << "/x y.db";
        QTest::newRow("quotes removed once") << QByteArray("[DB]\nmain=\"'/x.db'\"\n") << "'/x.db'";
        QTest::newRow("other section first") << QByteArray("[Alt]\nmain=/alt.db\n[DB]\nmain=/neu.db\n") << "/neu.db";
        QTest::newRow("first key wins") << QByteArray("[DB]\nmain=/a.db\nmain=/b.db\n") << "/a.db";
        QTest::newRow("comment line") << QByteArray("[DB]\n;main=/kommentar.db\nmain=/echt.db\n") << "/echt.db";
        QTest::newRow("no section") << QByteArray("main=/x.db\n") << "";
        QTest::newRow("no key") << QByteArray("[DB]\nhaupt=/x.db\n") << "";
        QTest::newRow("empty value") << QByteArray("[DB]\nmain=\n") << "";
        QTest::newRow("utf-8 umlauts") << QByteArray("[DB]\nmain=/Bücher/Lieferanten.db\n") << "/Bücher/Lieferanten.db";
        QTest::newRow("ansi umlauts") << QByteArray("[DB]\nmain=/B\xfc" "cher.db\n") << "/Bücher.db";
        QTest::newRow("utf-8 bom") << QByteArray("\xef\xbb\xbf[DB]\nmain=/x.db\n") << "/x.db";
    }

    void reading() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QCOMPARE(IniFile(write(content)).readString("DB", "main", QString()), expected);
    }

    void longValueIsCut() {
        const QByteArray value(3000, 'v');
        QCOMPARE(IniFile(write("[DB]\nmain=" + value + "\n")).readString("DB", "main", QString()).size(), 2047);
    }

    void missingFileGivesTheDefaultAndCreatesNothing() {
        const QString path = m_dir.filePath(QStringLiteral("fehlt.ini"));
        QCOMPARE(IniFile(path).readString("DB", "main", QString()), QString());
        QVERIFY(!QFile::exists(path));
    }

    void settingsPath_data() {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("ini");
        QTest::newRow("no extension") << "/opt/lief/Lieferanten" << "/opt/lief/Lieferanten.ini";
        QTest::newRow("extension") << "/opt/lief/Lieferanten.exe" << "/opt/lief/Lieferanten.ini";
        QTest::newRow("two dots") << "/opt/tool.beta.exe" << "/opt/tool.beta.ini";
        QTest::newRow("dot in folder only") << "/opt/v1.2/Lieferanten" << "/opt/v1.2/Lieferanten.ini";
    }

    void settingsPath() {
        QFETCH(QString, exe);
        QFETCH(QString, ini);
        QCOMPARE(daten::settingsPathFor(exe), ini);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
