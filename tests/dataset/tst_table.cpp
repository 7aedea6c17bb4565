#include <QtTest>

#include "DaoDatabase.h"
#include "TestModule.h"

using namespace dataset;

// Opening, reading, moving and counting the supplier table.
class TestTable : public QObject {
    Q_OBJECT

private slots:
    void opensSortedOnTheFirstEntry() {
        TestModule m{{"Zeta"}, {"beta"}, {"Alpha"}};
        QVERIFY(m.errors.isEmpty());
        QCOMPARE(m.table().state(), DataSetState::Browse);
        QCOMPARE(m.firma(), QStringLiteral("Alpha"));
        QCOMPARE(m.table().recordCount(), 3);
        QCOMPARE(m.table().recNo(), 1);
        QVERIFY(m.field("ID").readOnly());
        QCOMPARE(m.field("KDNR").size(), 50);
        QCOMPARE(m.field("URL").size(), 255);
    }

    void emptyTable() {
        TestModule m;
        QCOMPARE(m.table().state(), DataSetState::Browse);
        QVERIFY(m.table().isEmpty());
        QCOMPARE(m.table().recordCount(), 0);
        QCOMPARE(m.table().recNo(), -1);
        QVERIFY(!m.table().locate("Firma", "a", true, true));
        QCOMPARE(m.firma(), QString());
        QVERIFY(m.table().bof() && m.table().eof());
    }

    void movesStopAtEitherEnd() {
        TestModule m{{"A"}, {"B"}, {"C"}};
        DaoTable& t = m.table();
        QVERIFY(t.bof());
        t.prior();
        QCOMPARE(m.firma(), QStringLiteral("A"));
        t.next();
        QCOMPARE(m.firma(), QStringLiteral("B"));
        QVERIFY(!t.bof() && !t.eof());
        t.last();
        QCOMPARE(t.recNo(), t.recordCount());
        QVERIFY(t.eof());
        t.next();
        QCOMPARE(m.firma(), QStringLiteral("C"));
        t.moveBy(-5);
        QCOMPARE(m.firma(), QStringLiteral("A"));
        t.setRecNo(2);
        QCOMPARE(m.firma(), QStringLiteral("B"));
        t.first();
        QCOMPARE(t.recNo(), 1);
    }

    void memoIsReadWhenShownNullAsEmpty() {
        TestModule m{{"A", "", "", "", "", "", "erste\r\nzweite"}, {"B"}};
        QCOMPARE(m.field("Bemerkung").asString(), QStringLiteral("erste\r\nzweite"));
        m.db.exec("UPDATE Lieferanten SET Bemerkung = 'geändert' WHERE Firma = 'A'");
        QCOMPARE(m.field("Bemerkung").asString(), QStringLiteral("geändert"));
        m.table().next();
        QCOMPARE(m.field("Bemerkung").asString(), QString());
    }

    void countIsTakenAnewAfterAddAndDelete() {
        TestModule m{{"A"}, {"B"}};
        m.table().insert();
        m.field("Firma").setAsString("C");
        m.table().post();
        QCOMPARE(m.table().recordCount(), 3);
        m.table().remove();
        m.table().remove();
        QCOMPARE(m.table().recordCount(), 1);
    }

    void bindingErrors_data() {
        QTest::addColumn<QString>("schema");
        QTest::addColumn<QString>("message");
        const QString cols = "ID INTEGER PRIMARY KEY AUTOINCREMENT, KDNR VARCHAR(50), %1, Benutzername VARCHAR(255), "
                             "%2, \"E-Mailadresse\" VARCHAR(255), URL VARCHAR(255), Bemerkung MEMO";
        QTest::newRow("missing column") << cols.arg("Firma VARCHAR(255)", "Passwort VARCHAR(255)")
                                        << "Lieferanten: Das Feld 'Kennwort' wurde nicht gefunden";
        QTest::newRow("memo for text") << cols.arg("Firma MEMO", "Kennwort VARCHAR(255)")
                                       << "Lieferanten: Unterschiedliche Typen für Feld 'Firma'; erwartet: String, gefunden: Memo";
        QTest::newRow("number for text") << cols.arg("Firma INTEGER", "Kennwort VARCHAR(255)")
                                         << "Lieferanten: Unterschiedliche Typen für Feld 'Firma'; erwartet: String, gefunden: Integer";
        QTest::newRow("text size not compared") << cols.arg("Firma VARCHAR(20)", "Kennwort VARCHAR(0)") << QString();
    }

    void bindingErrors() {
        QFETCH(QString, schema);
        QFETCH(QString, message);
        TestModule m;
        m.data.reset();
        m.db.exec("DROP TABLE Lieferanten");
        m.db.exec(QStringLiteral("CREATE TABLE Lieferanten (%1)").arg(schema));
        m.db.exec("INSERT INTO Lieferanten (KDNR) VALUES ('x')");
        m.data = std::make_unique<TData>([&m](const std::exception& e) { m.errors << QString::fromUtf8(e.what()); },
                                         defaultEngineFactory(), TestModule::executableIn(m.db.folder()));
        if (message.isEmpty()) {
            QVERIFY(m.errors.isEmpty());
            QVERIFY(m.table().active());
            QCOMPARE(m.field("Kennwort").size(), 255);  // a text column of size 0 holds 255
            return;
        }
        QCOMPARE(m.errors, QStringList{message});
        QVERIFY(!m.table().active());
        QVERIFY(m.data->Database->connected());
        const QString closed = "Lieferanten: Operation bei geschlossener Datenmenge nicht ausführbar";
        QCOMPARE(messageOf([&] { m.table().next(); }), closed);
        QCOMPARE(messageOf([&] { m.table().insert(); }), closed);
        QCOMPARE(messageOf([&] { m.table().remove(); }), closed);
        QVERIFY(!m.table().locate("Firma", "x", true, true));
        QVERIFY(m.table().isEmpty());
    }

    void openNeedsAConnectedDatabase() {
        DaoDatabase db;
        DaoTable t(QStringLiteral("Lieferanten"));
        t.database = &db;
        t.tableName = QStringLiteral("Lieferanten");
        QCOMPARE(messageOf([&] { t.open(); }), QStringLiteral("TKADaoTable.OpenDaoRecordset: Database is NOT connected"));
        QVERIFY(!t.active());
    }

    void startingValuesComeFromColumnDefaults() {
        TestModule m;
        m.data.reset();
        m.db.exec("DROP TABLE Lieferanten");
        m.db.exec("CREATE TABLE Lieferanten (ID INTEGER PRIMARY KEY AUTOINCREMENT, KDNR VARCHAR(50) DEFAULT 'K-', "
                  "Firma VARCHAR(255) DEFAULT NULL, Benutzername VARCHAR(255) DEFAULT 'null', Kennwort VARCHAR(255), "
                  "\"E-Mailadresse\" VARCHAR(255) DEFAULT '\"@\"', URL VARCHAR(255) DEFAULT 'http://', Bemerkung MEMO)");
        m.data = std::make_unique<TData>([](const std::exception&) {}, defaultEngineFactory(),
                                         TestModule::executableIn(m.db.folder()));
        m.table().insert();
        QCOMPARE(m.field("KDNR").asString(), QStringLiteral("K-"));
        QCOMPARE(m.field("Firma").asString(), QString());
        QCOMPARE(m.field("URL").asString(), QStringLiteral("http://"));
        QCOMPARE(m.field("ID").asString(), QString());
    }

    void closingDropsAPendingEntry() {
        TestModule m{{"A", "K1"}};
        m.table().edit();
        m.field("KDNR").setAsString("geändert");
        m.table().insert();  // saves the edit first, then a new entry
        m.field("Firma").setAsString("Neu");
        m.data.reset();  // the program ends
        QCOMPARE(m.db.scalar("SELECT count(*) FROM Lieferanten").toInt(), 1);
        QCOMPARE(m.db.scalar("SELECT KDNR FROM Lieferanten").toString(), QStringLiteral("geändert"));
    }

    void reopensWhenTheCurrentEntryVanished() {
        TestModule m{{"A"}, {"B"}, {"C"}};
        m.table().setRecNo(3);
        m.db.exec("DELETE FROM Lieferanten WHERE Firma = 'C'");
        m.db.exec("INSERT INTO Lieferanten (Firma) VALUES ('0 zuerst')");
        m.table().moveBy(0);  // reading the entry again finds it gone
        m.table().setRecNo(3);
        QCOMPARE(m.table().recordCount(), 3);
        QCOMPARE(m.firma(), QStringLiteral("B"));
        m.table().first();
        QCOMPARE(m.firma(), QStringLiteral("0 zuerst"));
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
