#include <QtTest>

#include "DbEngine.h"
#include "ImportSource.h"
#include "SupplierImport.h"
#include "SupplierSchema.h"
#include "TestModule.h"

// Bringing the suppliers of an Access file over.
class TestImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    static QString fixture(const QString& name) { return QStringLiteral(FIXTURES_DIR) + "/" + name; }

    // mdb-export's CSV: fields separated by commas, texts in double quotes (doubled inside), line breaks kept.
    static QList<QStringList> mdbExport(const QString& file, const QString& table) {
        QProcess p;
        p.start("mdb-export", {file, table});
        p.waitForFinished();
        const QString csv = QString::fromUtf8(p.readAllStandardOutput());
        QList<QStringList> rows;
        QStringList row;
        QString field;
        bool quoted = false;
        for (int i = 0; i < csv.size(); ++i) {
            const QChar c = csv[i];
            if (quoted) {
                if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    field += c;
                }
            } else if (c == '"') {
                quoted = true;
            } else if (c == ',') {
                row << field;
                field.clear();
            } else if (c == '\n') {
                row << field;
                rows << row;
                row.clear();
                field.clear();
            } else {
                field += c;
            }
        }
        return rows.mid(1);  // without the header
    }

    static QList<QStringList> targetRows(const QString& target, const QString& columns) {
        engine::DbEngine e;
        auto db = e.createWorkspace("w", "Admin", "", 2)->openDatabase(target, false, false, daten::supplierConnectString());
        QList<QStringList> rows;
        for (const QVariantList& row : db->query(QStringLiteral("SELECT %1 FROM Lieferanten ORDER BY ID").arg(columns))) {
            QStringList r;
            for (const QVariant& v : row)
                r << (v.isNull() ? QString() : v.toString());
            rows << r;
        }
        return rows;
    }

    static QByteArray bytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static QString errorOf(const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }

    QString existingTarget() {
        const QString path = m_dir.filePath(QStringLiteral("ziel-%1.db").arg(QRandomGenerator::global()->generate()));
        engine::DbEngine e;
        auto db = e.createWorkspace("w", "Admin", "", 2)->createDatabase(path, daten::supplierConnectString());
        daten::createSupplierTable(*db);
        db->execute("INSERT INTO Lieferanten (Firma) VALUES ('Schon da')");
        return path;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo::exists(fixture("DateTestDatabase.mdb")))
            QSKIP("the Access fixtures are not beside the repository");
    }

    void fixturesArriveAsMdbExportPrintsThem_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("mapping");      // FIELD=COLUMN
        QTest::addColumn<QList<int>>("exportColumns");  // the mdb-export columns, in the order of `fields`
        QTest::addColumn<QString>("fields");
        const QStringList dateMap = {"ID=IDCol", "Firma=ShortTextCol", "Bemerkung=LongTextCol"};
        for (const char* f : {"DateTestDatabase.mdb", "DateTest-synthetic-password.mdb", "DateTest-synthetic-rc4.mdb"})
            QTest::newRow(f) << f << "DateTest" << dateMap << QList<int>{0, 5, 4} << "ID, Firma, Bemerkung";
        for (const char* f : {"V2000_with-password.mdb", "V2003_with-password.mdb"})
            QTest::newRow(f) << f << "Table1" << QStringList{"Firma=Data"} << QList<int>{0, 1} << "ID, Firma";
        QTest::newRow("V2000_test numbers as text") << "V2000_test.mdb" << "Table1"
                                                    << QStringList{"KDNR=A", "Firma=B", "Benutzername=E"}
                                                    << QList<int>{0, 1, 4} << "KDNR, Firma, Benutzername";
    }

    void fixturesArriveAsMdbExportPrintsThem() {
        QFETCH(QString, file);
        QFETCH(QString, table);
        QFETCH(QStringList, mapping);
        QFETCH(QList<int>, exportColumns);
        QFETCH(QString, fields);
        ImportOptions options;
        options.table = table;
        for (const QString& m : mapping)
            options.columns.insert(m.section('=', 0, 0), m.section('=', 1));
        const QString target = m_dir.filePath(file + ".db");
        const SourceTable source = readAccessTable(fixture(file), table);
        const ImportReport report = importSuppliers(source, target, options);
        const QList<QStringList> expected = mdbExport(fixture(file), table);
        QCOMPARE(report.read, qint64(expected.size()));
        QCOMPARE(report.written, report.read);
        QCOMPARE(report.idsKept, fields.startsWith("ID"));
        QList<QStringList> want;
        for (const QStringList& row : expected) {
            QStringList r;
            for (int c : exportColumns)
                r << row.value(c);
            want << r;
        }
        QCOMPARE(targetRows(target, fields), want);
    }

    void memoLineBreaksArriveWhole() {
        const QString target = m_dir.filePath("memo.db");
        ImportOptions o;
        o.table = "DateTest";
        o.columns = {{"Firma", "ShortTextCol"}, {"Bemerkung", "LongTextCol"}};
        importSuppliers(readAccessTable(fixture("DateTestDatabase.mdb"), "DateTest"), target, o);
        QVERIFY(targetRows(target, "Bemerkung").contains(QStringList{"New line\r\nin field"}));
        QVERIFY(targetRows(target, "Bemerkung").contains(QStringList{"Escaped new line \\r\\n in field"}));
    }

    void appendingToAFilledTargetAssignsNewIds() {
        const QString target = existingTarget();
        ImportOptions o;
        o.table = "Table1";
        o.columns = {{"Firma", "Data"}};
        const ImportReport r = importSuppliers(readAccessTable(fixture("V2000_with-password.mdb"), "Table1"), target, o);
        QVERIFY(!r.idsKept);
        QVERIFY(!r.idNote.isEmpty());
        QCOMPARE(targetRows(target, "ID, Firma"), (QList<QStringList>{{"1", "Schon da"}, {"2", "One"}, {"3", "Two"}, {"4", "Three"}}));
    }

    void badInputWritesNothing_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("mapping");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << "fehlt.mdb" << "Table1" << QStringList{} << "gibt es nicht";
        QTest::newRow("not an Access file") << "@text" << "Table1" << QStringList{} << "keine lesbare Access-Datenbank";
        QTest::newRow("unreadable accdb") << "@accdb" << "Table1" << QStringList{} << ".accdb-Format";
        QTest::newRow("missing table") << "V2000_test.mdb" << "Lieferanten" << QStringList{} << "Vorhandene Tabellen: Table1, Table2, Table3, Table4";
        QTest::newRow("missing mapped column") << "V2000_test.mdb" << "Table1" << QStringList{"Firma=Z"} << "Die Spalte 'Z' gibt es";
        QTest::newRow("unsuitable type") << "V2000_test.mdb" << "Table1" << QStringList{"Firma=G"} << "(Datum/Uhrzeit) passt nicht zum Feld 'Firma'";
        QTest::newRow("unsuitable id") << "V2000_test.mdb" << "Table1" << QStringList{"Firma=A", "ID=F"} << "passt nicht zum Feld 'ID'";
        QTest::newRow("unknown field") << "V2000_test.mdb" << "Table1" << QStringList{"Name=A"} << "Das Feld 'Name' gibt es";
        QTest::newRow("nothing matches") << "V2000_test.mdb" << "Table1" << QStringList{} << "Keine Spalte";
    }

    void badInputWritesNothing() {
        QFETCH(QString, source);
        QFETCH(QString, table);
        QFETCH(QStringList, mapping);
        QFETCH(QString, message);
        QString path = fixture(source);
        if (source == "@text") {
            path = m_dir.filePath("text.mdb");
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray("Lieferanten\n").repeated(500));
        } else if (source == "@accdb") {
            path = m_dir.filePath("verschluesselt.accdb");
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            QByteArray page(16384, '\x5a');
            page.replace(0, 20, QByteArray("\x00\x01\x00\x00Standard ACE DB\x00", 20));
            page[0x14] = 3;
            f.write(page);
        }
        ImportOptions o;
        o.table = table;
        for (const QString& m : mapping)
            o.columns.insert(m.section('=', 0, 0), m.section('=', 1));
        const QString existing = existingTarget();
        const QByteArray before = bytes(existing);
        const QString fresh = m_dir.filePath("neu.db");
        for (const QString& target : {existing, fresh}) {
            const QString error = errorOf([&] { importSuppliers(readAccessTable(path, table), target, o); });
            QVERIFY2(error.contains(message), qPrintable(error));
        }
        QCOMPARE(bytes(existing), before);
        QVERIFY(!QFile::exists(fresh));
    }

    void targetWithoutTheSupplierTable() {
        const QString target = m_dir.filePath("fremd.db");
        {
            engine::DbEngine e;
            e.createWorkspace("w", "Admin", "", 2)->createDatabase(target, daten::supplierConnectString())->execute("CREATE TABLE x (a)");
        }
        const QByteArray before = bytes(target);
        ImportOptions o;
        o.table = "Table1";
        o.columns = {{"Firma", "Data"}};
        const QString error = errorOf([&] { importSuppliers(readAccessTable(fixture("V2000_with-password.mdb"), "Table1"), target, o); });
        QVERIFY2(error.contains("keine Tabelle 'Lieferanten'"), qPrintable(error));
        QCOMPARE(bytes(target), before);
    }

    void tooLongTextsAreNeverCutSilently() {
        SourceTable s;
        s.name = "Alt";
        s.columns = {{"Firma", SourceColumn::Text, "Text"}, {"KDNR", SourceColumn::Text, "Text"}, {"Notiz", SourceColumn::Memo, "Memo"}};
        s.rows = {{QString("Kurz"), QString("K1"), QString(70000, u'm')},
                  {QString(300, u'f'), QString(51, u'7'), QVariant()},
                  {QString(""), QVariant(), QString("")}};
        ImportOptions o;
        o.columns = {{"Bemerkung", "Notiz"}};
        const QString target = m_dir.filePath("lang.db");
        const QString error = errorOf([&] { importSuppliers(s, target, o); });
        QVERIFY2(error.contains("Zeile 2, Feld 'Firma' (Spalte 'Firma'): 300 Zeichen, erlaubt sind 255"), qPrintable(error));
        QVERIFY(error.contains("Zeile 2, Feld 'KDNR' (Spalte 'KDNR'): 51 Zeichen, erlaubt sind 50"));
        QVERIFY(!QFile::exists(target));

        o.truncate = true;
        const ImportReport r = importSuppliers(s, target, o);
        QCOMPARE(r.cuts.size(), 2);
        QCOMPARE(targetRows(target, "length(Firma), length(KDNR), length(Bemerkung)"),
                 (QList<QStringList>{{"4", "2", "70000"}, {"255", "50", ""}, {"", "", ""}}));
        // Empty and NULL are one value.
        QCOMPARE(targetRows(target, "quote(Firma), quote(Bemerkung)").last(), (QStringList{"NULL", "NULL"}));
    }

    void importedEntriesShowInTheProgram() {
        const QString folder = m_dir.filePath("programm");
        QDir().mkpath(folder);
        ImportOptions o;
        o.table = "DateTest";
        o.columns = {{"ID", "IDCol"}, {"Firma", "ShortTextCol"}, {"Bemerkung", "LongTextCol"}};
        importSuppliers(readAccessTable(fixture("DateTestDatabase.mdb"), "DateTest"), folder + "/lieferanten.db", o);
        QFile ini(folder + "/Lieferanten.ini");
        ini.open(QIODevice::WriteOnly);
        ini.write("[DB]\nmain=" + QString(folder + "/lieferanten.db").toUtf8() + "\n");
        ini.close();
        QStringList errors;
        TData data([&](const std::exception& e) { errors << e.what(); }, dataset::defaultEngineFactory(), folder + "/Lieferanten");
        QVERIFY(errors.isEmpty());
        QCOMPARE(data.Lieferanten->recordCount(), 6);
        QCOMPARE(data.LieferantenFirma->asString(), QStringLiteral("Escaped new line \\r\\n in field"));
        QVERIFY(data.Lieferanten->locate("Firma", "no new", true, true));
        QCOMPARE(data.LieferantenBemerkung->asString(), QStringLiteral("New line\r\nin field"));
        QCOMPARE(data.LieferantenID->asString(), QStringLiteral("6"));
    }

    void commandLine() {
        const auto run = [](const QStringList& args) {
            QProcess p;
            p.start(QStringLiteral(ADMIN_TOOL), args);
            p.waitForFinished(60000);
            return std::make_pair(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()));
        };
        const QString target = m_dir.filePath("cli.db");
        auto [code, out] = run({"import", fixture("V2000_test.mdb"), target, "--table", "Table1", "--column", "Firma=A"});
        QCOMPARE(code, 0);
        QVERIFY2(out.contains("Gelesen: 2 Zeilen, geschrieben: 2"), qPrintable(out));
        QVERIFY(out.contains("IDs: neu vergeben"));
        std::tie(code, out) = run({"import", fixture("V2000_test.mdb"), target, "--column", "Firma"});
        QVERIFY(code != 0);
        QVERIFY2(out.contains("FELD=SPALTE"), qPrintable(out));
        std::tie(code, out) = run({"import", fixture("fehlt.mdb"), target});
        QVERIFY(code != 0);
        QVERIFY(out.contains("gibt es nicht"));
        std::tie(code, out) = run({"create"});
        QVERIFY(code != 0);
        QVERIFY(out.contains("Aufruf"));
        std::tie(code, out) = run({"create", target});
        QVERIFY(code != 0);
        QVERIFY(out.contains("gibt es bereits"));
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
