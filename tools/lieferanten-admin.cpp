// Companion tool: creates supplier database files and fills them.
#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>

#include "DbEngine.h"
#include "EngineError.h"
#include "SupplierImport.h"
#include "SupplierSchema.h"

namespace {

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

int usage() {
    err() << "Aufruf:\n"
             "  lieferanten-admin create DATEI        legt eine neue, leere Lieferanten-Datenbank an\n"
             "  lieferanten-admin demo DATEI          legt eine Datenbank mit Beispiel-Lieferanten an\n"
             "  lieferanten-admin generate DATEI N    legt eine Datenbank mit N erfundenen Einträgen an\n"
             "  lieferanten-admin import QUELLE.mdb ZIEL [--table NAME] [--column FELD=SPALTE]... [--truncate]\n"
             "                                       übernimmt die Lieferanten einer Access-Datenbank; ZIEL wird\n"
             "                                       angelegt, wenn es die Datei noch nicht gibt\n";
    err().flush();
    return 2;
}

// A new file, or the supplier table in an existing server database.
std::unique_ptr<engine::Database> createFile(const QString& path) {
    engine::DbEngine dbEngine;
    auto ws = dbEngine.createWorkspace(QStringLiteral("DaoWorkspace"), QStringLiteral("Admin"), QString(), 2);
    auto db = ws->createDatabase(path, daten::supplierConnectString());
    if (db->connection().hasTable(QStringLiteral("Lieferanten")))
        throw engine::EngineError(engine::ErrInternal, QStringLiteral("Die Tabelle 'Lieferanten' gibt es in dieser Datenbank bereits"));
    daten::createSupplierTable(*db);
    return db;
}

const char* const insertSql = "INSERT INTO \"Lieferanten\" (\"KDNR\", \"Firma\", \"Benutzername\", \"Kennwort\", "
                              "\"E-Mailadresse\", \"URL\", \"Bemerkung\") VALUES ($1, $2, $3, $4, $5, $6, $7)";

struct Supplier {
    const char* kdnr;
    const char* firma;
    const char* user;
    const char* password;
    const char* mail;
    const char* url;
    const char* remark;
};

// Plainly fictitious suppliers: every address lies under example.com/.org/.net.
const Supplier demoSuppliers[] = {
    {"K-10023", "Alpha Bürobedarf GmbH", "einkauf", "Blau!Wal72", "einkauf@alpha.example.com", "www.alpha.example.com", "Rahmenvertrag bis Ende 2027"},
    {"4711", "Äpfelhof Obstversand", "obst-kunde", "Kern#Haus9", "bestellung@aepfelhof.example.org", "https://aepfelhof.example.org", ""},
    {"", "Beta Elektronik KG", "velmora", "Strom&Draht3", "service@beta.example.net", "beta.example.net/login", "Ansprechpartner: Frau Muster\nDurchwahl -214"},
    {"C-77", "Caesar Reinigungsdienst", "reinigung", "Besen_Stiel5", "", "http://caesar.example.com", ""},
    {"D 3000", "Delta Druckerei", "druck01", "Papier*Stapel", "auftrag@delta.example.com", "delta.example.com", "Druckaufträge nur per Portal"},
    {"E-1", "Echo Telekom Service", "tk-admin", "Funk.Turm88", "hotline@echo.example.net", "https://kundenportal.echo.example.net", ""},
    {"F-204", "Fuchs Werkzeughandel", "werkstatt", "Hammer+Zange", "", "fuchs.example.org", "Rabatt 5 % ab 500 Euro"},
    {"", "Gamma Software AG", "lizenzen", "Code;Zeile42", "lizenz@gamma.example.com", "https://portal.gamma.example.com", "Lizenzschlüssel im Portal unter \"Verträge\""},
    {"H-55", "Hotel Zur Linde (Firmenkonto)", "reisestelle", "Linde/Blatt7", "buchung@linde.example.org", "www.linde.example.org", ""},
    {"I-9", "Iota Verpackungen", "lager", "Karton%Band", "", "iota.example.net", ""},
    {"J-31", "Juliett Kaffeeservice", "kueche", "Bohne~Tasse", "kaffee@juliett.example.com", "juliett.example.com/shop", "Lieferung dienstags"},
    {"K-800", "Kilo Logistik", "versand", "Palette^3", "dispo@kilo.example.net", "https://kilo.example.net", ""},
    {"L-12", "Lima Möbelwerk", "einrichtung", "Stuhl|Tisch", "", "lima.example.org", "Ersatzteile über Kundennummer bestellen"},
    {"M-4", "Mike Sicherheitstechnik", "wache", "Schloss'Tor", "technik@mike.example.com", "www.mike.example.com", ""},
    {"N-66", "November Energie", "energie", "Watt=Volt", "abrechnung@november.example.net", "https://november.example.net/konto", "Zählerstand quartalsweise melden"},
    {"O-2", "O'Brien Fachübersetzungen", "sprachen", "Wort@Satz", "", "obrien.example.org", ""},
    {"P-90", "Papa Papierwaren", "papier", "Blatt!!Rand", "shop@papa.example.com", "papa.example.com", ""},
    {"Q-7", "Quebec Kühltechnik", "kaelte", "Eis-Zapfen1", "", "quebec.example.net", ""},
    {"R-5", "Romeo Reisebüro", "reisen", "Koffer,Pass", "info@romeo.example.org", "https://romeo.example.org", "Firmentarif \"Velmora\""},
    {"S-303", "Sierra Schutzkleidung", "arbeitsschutz", "Helm&Weste", "", "sierra.example.com", ""},
    {"T-1", "Tango Textilpflege", "waesche", "Bügel.Falte", "", "tango.example.net", ""},
    {"U-42", "Übersee Handelskontor", "import", "Anker#Hafen", "kontor@uebersee.example.com", "uebersee.example.com", "Zollpapiere beilegen"},
    {"V-8", "Victor Versicherungsmakler", "policen", "Schirm?Regen", "", "https://victor.example.org", ""},
    {"W-19", "Whiskey Getränkehandel", "getraenke", "Kiste*12", "bestellung@whiskey.example.net", "whiskey.example.net", ""},
    {"X-3", "X-Ray Medizintechnik", "medizin", "Strahl:Bild", "", "xray.example.com", ""},
    {"Y-60", "Yankee Fahrzeugteile", "fuhrpark", "Reifen(4)", "", "yankee.example.org", "Winterreifen eingelagert"},
    {"Z-99", "Zulu Zeitarbeit", "personal", "Stunde[8]", "disposition@zulu.example.net", "https://zulu.example.net", ""},
    {"A-2", "alpine Bergsport Versand", "ausflug", "Gipfel^Kreuz", "", "alpine.example.com", ""},
    {"B-17", "Baumarkt Mustermann", "haustechnik", "Schraube7", "", "baumarkt.example.org", ""},
    {"S-1", "Straßenbau Schmidt", "tiefbau", "Asphalt#1", "", "strassenbau.example.net", ""},
};

void insertSupplier(engine::Database& db, const QStringList& v) {
    QVariantList params;
    for (const QString& value : v)
        params << (value.isEmpty() ? QVariant() : QVariant(value));
    db.execute(QString::fromLatin1(insertSql), params);
}

int demo(const QString& path) {
    auto db = createFile(path);
    engine::WriteTransaction tx(db->connection());
    for (const Supplier& s : demoSuppliers)
        insertSupplier(*db, {QString::fromUtf8(s.kdnr), QString::fromUtf8(s.firma), QString::fromUtf8(s.user),
                                      QString::fromUtf8(s.password), QString::fromUtf8(s.mail), QString::fromUtf8(s.url),
                                      QString::fromUtf8(s.remark)});
    tx.commit();
    QTextStream(stdout) << "Beispiel-Datenbank mit " << std::size(demoSuppliers) << " Einträgen angelegt: " << path << "\n";
    return 0;
}

int generate(const QString& path, qint64 count) {
    auto db = createFile(path);
    static const char* syllables[] = {"al", "be", "ce", "do", "er", "fa", "gu", "ha", "in", "jo", "ka", "lu", "mo",
                                      "ne", "ob", "pa", "qu", "ri", "so", "tu", "ub", "ve", "wa", "xe", "yo", "ze",
                                      "ä", "ö", "ü", "st", "ch"};
    QRandomGenerator rng(4711);  // fixed seed: the same file every time
    engine::WriteTransaction tx(db->connection());
    for (qint64 i = 0; i < count; ++i) {
        QString name;
        const int parts = 2 + int(rng.bounded(4));
        for (int p = 0; p < parts; ++p)
            name += QString::fromUtf8(syllables[rng.bounded(int(std::size(syllables)))]);
        name[0] = name[0].toUpper();
        name += QStringLiteral(" %1 GmbH").arg(i);
        db->execute(QString::fromLatin1(insertSql),
                    {QStringLiteral("K-%1").arg(i), name, QStringLiteral("nutzer%1").arg(i),
                     QStringLiteral("Kennwort-%1").arg(rng.generate()), QStringLiteral("einkauf%1@example.com").arg(i),
                     QStringLiteral("www.lieferant%1.example.com").arg(i),
                     i % 3 == 0 ? QVariant(QStringLiteral("Bemerkung zu Eintrag %1\nzweite Zeile").arg(i)) : QVariant()});
        if ((i + 1) % 100000 == 0)
            err() << "\r" << (i + 1) << " von " << count << " Einträgen" << Qt::flush;
    }
    tx.commit();
    if (count >= 100000)
        err() << "\n";
    QTextStream(stdout) << count << " Einträge angelegt: " << path << "\n";
    return 0;
}

int import(const QStringList& args) {
    if (args.size() < 2)
        return usage();
    ImportOptions options;
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--truncate")) {
            options.truncate = true;
        } else if ((a == QLatin1String("--table") || a == QLatin1String("--column")) && i + 1 < args.size()) {
            const QString value = args[++i];
            if (a == QLatin1String("--table")) {
                options.table = value;
                continue;
            }
            const int eq = int(value.indexOf(u'='));
            if (eq <= 0 || eq == value.size() - 1) {
                err() << "Die Zuordnung '" << value << "' hat nicht die Form FELD=SPALTE.\n";
                return 2;
            }
            options.columns.insert(value.left(eq), value.mid(eq + 1));
        } else {
            err() << "Unbekannte Angabe '" << a << "'.\n";
            return usage();
        }
    }
    const SourceTable source = readAccessTable(args[0], options.table, [](qint64 n) {
        err() << "\r" << n << " Zeilen gelesen" << Qt::flush;
    });
    if (source.rows.size() >= 1000)
        err() << "\n";
    const ImportReport report = importSuppliers(source, args[1], options);
    for (const QString& cut : report.cuts)
        err() << "Gekürzt: " << cut << "\n";
    QTextStream out(stdout);
    out << "Gelesen: " << report.read << " Zeilen, geschrieben: " << report.written << " Einträge in " << args[1] << "\n";
    if (report.idsKept)
        out << "IDs: aus der Quelle übernommen\n";
    else
        out << "IDs: neu vergeben (" << report.idNote << ")\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString command = args[0];
    try {
        if (command == QLatin1String("create") && args.size() == 2) {
            createFile(args[1]);
            QTextStream(stdout) << "Leere Lieferanten-Datenbank angelegt: " << args[1] << "\n";
            return 0;
        }
        if (command == QLatin1String("import"))
            return import(args.mid(1));
        if (command == QLatin1String("demo") && args.size() == 2)
            return demo(args[1]);
        if (command == QLatin1String("generate") && args.size() == 3) {
            bool ok = false;
            const qint64 n = args[2].toLongLong(&ok);
            if (!ok || n < 0 || n > 100000000) {
                err() << "Die Anzahl '" << args[2] << "' ist keine gültige Zahl von Einträgen.\n";
                return 2;
            }
            return generate(args[1], n);
        }
    } catch (const std::exception& e) {
        err() << "Fehler: " << QString::fromUtf8(e.what()) << "\n";
        return 1;
    }
    return usage();
}
