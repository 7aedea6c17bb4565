#include <QtTest>

#include "EngineError.h"
#include "TestDb.h"

using namespace engine;

class TestRecordset : public QObject {
    Q_OBJECT

    static QStringList firmaInOrder(Recordset& rs) {
        QStringList out;
        const int firma = rs.columnIndex(QStringLiteral("Firma"));
        for (int i = 0; i < rs.recordCount(); ++i) {
            rs.setAbsolutePosition(i);
            out << rs.value(firma).toString();
        }
        return out;
    }

private slots:
    void sortFoldsCaseAndUmlautsWithTiesById() {
        TestDb db{{"beta"}, {"Zeta"}, {"Äpfel"}, {"apfel"}, {"Alpha"}, {"Straße"}, {"strasse"}, {"Beta"}};
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        // Äpfel and apfel share a sort key; the earlier ID comes first.
        QCOMPARE(firmaInOrder(*rs), QStringList({"Alpha", "Äpfel", "apfel", "beta", "Beta", "Straße", "strasse", "Zeta"}));
    }

    void emptyFirmaSortsFirst() {
        TestDb db{{"Beta"}, {QString()}, {"Alpha"}};
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        QCOMPARE(firmaInOrder(*rs), QStringList({"", "Alpha", "Beta"}));
    }

    void columnsReportTypesSizesAndUpdatability() {
        TestDb db;
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        QCOMPARE(rs->fieldCount(), 8);
        const Column& id = rs->column(rs->columnIndex("ID"));
        QCOMPARE(id.type, ColumnType::Long);
        QVERIFY(id.autoIncrement);
        QVERIFY(!id.dataUpdatable);
        QCOMPARE(rs->column(rs->columnIndex("KDNR")).size, 50);
        QCOMPARE(rs->column(rs->columnIndex("E-Mailadresse")).size, 255);
        QCOMPARE(rs->column(rs->columnIndex("Bemerkung")).type, ColumnType::Memo);
        QVERIFY(rs->updatable());
        QVERIFY(rs->bookmarkable());
        QVERIFY(!rs->lockEdits());
    }

    void defaultsComeFromTheColumnDeclaration() {
        TestDb db;
        db.exec("CREATE TABLE T (ID INTEGER PRIMARY KEY AUTOINCREMENT, A VARCHAR(10) DEFAULT 'x''y', B INTEGER DEFAULT 7, C MEMO DEFAULT NULL)");
        auto conn = db.connect();
        auto rs = conn->openRecordset("T");
        QCOMPARE(rs->column(1).defaultValue, QStringLiteral("\"x'y\""));
        QCOMPARE(rs->column(2).defaultValue, QStringLiteral("7"));
        QCOMPARE(rs->column(3).defaultValue, QString());
    }

    void movesCountAndPositions() {
        TestDb db{{"A"}, {"B"}, {"C"}};
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        QCOMPARE(rs->recordCount(), 3);
        QCOMPARE(rs->absolutePosition(), 0);
        rs->moveLast();
        QCOMPARE(rs->absolutePosition(), 2);
        rs->moveNext();
        QVERIFY(rs->eof());
        QVERIFY_THROWS_EXCEPTION(EngineError, rs->moveNext());
        rs->moveFirst();
        rs->move(2);
        QCOMPARE(rs->value(rs->columnIndex("Firma")).toString(), QStringLiteral("C"));
        const Bookmark b = rs->bookmark();
        rs->moveFirst();
        rs->setBookmark(b);
        QCOMPARE(rs->absolutePosition(), 2);
        rs->movePrevious();
        QCOMPARE(rs->absolutePosition(), 1);
    }

    void emptyTableHasNoCurrentRow() {
        TestDb db;
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        QCOMPARE(rs->recordCount(), 0);
        QVERIFY(rs->bof() && rs->eof());
        QCOMPARE(rs->absolutePosition(), -1);
        QVERIFY_THROWS_EXCEPTION(EngineError, rs->bookmark());
        QCOMPARE(rs->findFirstPrefix(2, "a"), -1);
    }

    void editWritesOnlyAtUpdateAndCancelDropsIt() {
        TestDb db{{"Alpha", "K1"}};
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        const int kdnr = rs->columnIndex("KDNR");
        rs->edit();
        QCOMPARE(rs->editMode(), dbEditInProgress);
        rs->setValue(kdnr, "K2");
        QCOMPARE(db.scalar("SELECT KDNR FROM Lieferanten").toString(), QStringLiteral("K1"));
        rs->cancelUpdate();
        QCOMPARE(rs->editMode(), dbEditNone);
        QCOMPARE(rs->value(kdnr).toString(), QStringLiteral("K1"));
        rs->edit();
        rs->setValue(kdnr, QVariant());
        rs->update();
        QVERIFY(db.scalar("SELECT KDNR FROM Lieferanten").isNull());
        QCOMPARE(rs->lastModified(), rs->bookmark());
    }

    void valuesThatDoNotFitAreRefused() {
        TestDb db{{"Alpha"}};
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        rs->edit();
        QVERIFY_THROWS_EXCEPTION(EngineError, rs->setValue(rs->columnIndex("KDNR"), QString(51, u'x')));
        QVERIFY_THROWS_EXCEPTION(EngineError, rs->setValue(rs->columnIndex("ID"), 5));
        rs->setValue(rs->columnIndex("KDNR"), QString(50, u'ü'));  // sizes count characters, not bytes
        rs->update();
        QCOMPARE(db.scalar("SELECT length(KDNR) FROM Lieferanten").toInt(), 50);
    }

    void addedRowsStandAfterTheLastAndWriteOnlySetColumns() {
        TestDb db{{"Beta"}, {"Delta"}};
        db.exec("CREATE TABLE Dummy (x)");
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        rs->addNew();
        rs->setValue(rs->columnIndex("Firma"), "Aaa");
        rs->update();
        QCOMPARE(rs->recordCount(), 3);
        rs->setBookmark(rs->lastModified());
        QCOMPARE(rs->absolutePosition(), 2);
        QCOMPARE(rs->value(rs->columnIndex("Firma")).toString(), QStringLiteral("Aaa"));
        QVERIFY(rs->value(rs->columnIndex("ID")).toInt() > 0);
        // A row with nothing set holds only defaults.
        rs->addNew();
        rs->update();
        QCOMPARE(rs->recordCount(), 4);
        QCOMPARE(db.scalar("SELECT count(*) FROM Lieferanten WHERE Firma IS NULL").toInt(), 1);
    }

    void deleteMakesTheFollowingRowCurrent() {
        TestDb db{{"A"}, {"B"}, {"C"}};
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        const int firma = rs->columnIndex("Firma");
        rs->move(1);
        rs->deleteCurrent();
        QCOMPARE(rs->recordCount(), 2);
        QCOMPARE(rs->value(firma).toString(), QStringLiteral("C"));
        rs->deleteCurrent();
        QCOMPARE(rs->value(firma).toString(), QStringLiteral("A"));
        rs->deleteCurrent();
        QCOMPARE(rs->recordCount(), 0);
        QCOMPARE(db.scalar("SELECT count(*) FROM Lieferanten").toInt(), 0);
    }

    void memoIsReadFromTheFileEachTime() {
        TestDb db{{"A", "", "", "", "", "", "Zeile 1\r\nZeile 2"}, {"B"}};
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        const int memo = rs->columnIndex("Bemerkung");
        const Bookmark a = rs->bookmark();
        QCOMPARE(rs->readLongData(a, memo)->toString(), QStringLiteral("Zeile 1\r\nZeile 2"));
        db.exec("UPDATE Lieferanten SET Bemerkung = 'neu' WHERE Firma = 'A'");
        QCOMPARE(rs->readLongData(a, memo)->toString(), QStringLiteral("neu"));
        rs->moveNext();
        QVERIFY(rs->value(memo).isNull());
    }

    void findFirstPrefix_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");  // empty: no match
        const QStringList aab = {"Alpha", "alpine", "Beta"};
        QTest::newRow("a") << aab << "a" << "Alpha";
        QTest::newRow("alp") << aab << "alp" << "Alpha";
        QTest::newRow("alpi") << aab << "alpi" << "alpine";
        QTest::newRow("alpix") << aab << "alpix" << "";
        QTest::newRow("not inside") << aab << "lp" << "";
        QTest::newRow("upper") << aab << "AL" << "Alpha";
        QTest::newRow("umlaut lower finds upper") << QStringList{"Apfel", "Äpfel"} << "äp" << "Äpfel";
        QTest::newRow("umlaut is not its base letter") << QStringList{"Apfel"} << "ä" << "";
        QTest::newRow("asterisk is literal") << QStringList{"Alpha", "*Stern"} << "*" << "*Stern";
        QTest::newRow("question mark is literal") << QStringList{"Alpha"} << "?" << "";
        QTest::newRow("percent and underscore") << QStringList{"Alpha", "100% Bio", "a_b"} << "a_" << "a_b";
        QTest::newRow("apostrophe") << QStringList{"Oase", "O'Brien"} << "o'" << "O'Brien";
        QTest::newRow("brackets") << QStringList{"Alpha", "[Klammer]"} << "[k" << "[Klammer]";
        QTest::newRow("trailing blank counts") << QStringList{"Alpha Beta", "Alphabet"} << "alpha " << "Alpha Beta";
        QTest::newRow("other accented letter") << QStringList{"Ecole", "École"} << "é" << "École";
        QTest::newRow("sharp s") << QStringList{"Strasse", "Straße"} << "straß" << "Straße";
    }

    void findFirstPrefix() {
        QFETCH(QStringList, names);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QList<QStringList> rows;
        for (const QString& n : names)
            rows << QStringList{n};
        TestDb db(rows);
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        const int firma = rs->columnIndex("Firma");
        const int pos = rs->findFirstPrefix(firma, text);
        QCOMPARE(rs->absolutePosition(), 0);  // finding does not move
        if (expected.isEmpty()) {
            QCOMPARE(pos, -1);
        } else {
            QVERIFY(pos >= 0);
            rs->setAbsolutePosition(pos);
            QCOMPARE(rs->value(firma).toString(), expected);
        }
    }

    void findFirstPrefixFollowsTheOrderFixedAtOpen() {
        TestDb db{{"Alpha"}, {"Beta"}, {"Gamma"}};
        auto conn = db.connect();
        auto rs = db.sortedRecordset(*conn);
        const int firma = rs->columnIndex("Firma");
        // Gamma renamed here keeps its place after Beta; an added row stands last.
        rs->moveLast();
        rs->edit();
        rs->setValue(firma, "Aaron");
        rs->update();
        rs->addNew();
        rs->setValue(firma, "Aal");
        rs->update();
        QCOMPARE(rs->findFirstPrefix(firma, "a"), 0);
        QCOMPARE(rs->findFirstPrefix(firma, "aa"), 2);
        QCOMPARE(rs->findFirstPrefix(firma, "aal"), 3);
        // Alpha renamed: the next match in the fixed order is the renamed Gamma.
        rs->moveFirst();
        rs->edit();
        rs->setValue(firma, "Zulu");
        rs->update();
        QCOMPARE(rs->findFirstPrefix(firma, "a"), 2);
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"
