#include "SupplierImport.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <stdexcept>

#include "DbEngine.h"
#include "EngineError.h"
#include "SupplierSchema.h"

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

int sizeOf(const QString& field) {
    if (field == QLatin1String("KDNR"))
        return 50;
    if (field == QLatin1String("Bemerkung") || field == QLatin1String("ID"))
        return 0;
    return 255;
}

std::unique_ptr<engine::Database> openTarget(const QString& target, bool& created) {
    engine::DbEngine dbEngine;
    auto ws = dbEngine.createWorkspace(QStringLiteral("DaoWorkspace"), QStringLiteral("Admin"), QString(), 2);
    created = !engine::isServerAddress(target) && !QFileInfo::exists(target);
    if (created) {
        auto db = ws->createDatabase(target, daten::supplierConnectString());
        daten::createSupplierTable(*db);
        return db;
    }
    auto db = ws->openDatabase(target, false, false, daten::supplierConnectString());
    if (!db->connection().hasTable(QStringLiteral("Lieferanten")))
        fail(QStringLiteral("Die Zieldatenbank '%1' enthält keine Tabelle 'Lieferanten'.").arg(engine::isServerAddress(target) ? QStringLiteral("auf dem Server") : target));
    return db;
}

} // namespace

const QStringList& supplierFields() {
    static const QStringList fields = {"ID", "KDNR", "Firma", "Benutzername", "Kennwort", "E-Mailadresse", "URL", "Bemerkung"};
    return fields;
}

QMap<QString, int> resolveColumns(const SourceTable& source, const ImportOptions& options) {
    const auto find = [&](const QString& name) {
        for (int i = 0; i < int(source.columns.size()); ++i)
            if (source.columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    for (auto it = options.columns.begin(); it != options.columns.end(); ++it)
        if (!supplierFields().contains(it.key()))
            fail(QStringLiteral("Das Feld '%1' gibt es in der Lieferanten-Tabelle nicht. Felder: %2.")
                     .arg(it.key(), supplierFields().join(QLatin1String(", "))));
    QMap<QString, int> map;
    for (const QString& field : supplierFields()) {
        int col = -1;
        if (options.columns.contains(field)) {
            col = find(options.columns.value(field));
            if (col < 0)
                fail(QStringLiteral("Die Spalte '%1' gibt es in der Tabelle '%2' nicht.").arg(options.columns.value(field), source.name));
        } else {
            col = find(field);
        }
        if (col < 0)
            continue;
        const SourceColumn& c = source.columns[col];
        const bool suitable = field == QLatin1String("ID") ? c.kind == SourceColumn::WholeNumber : c.kind != SourceColumn::Other;
        if (!suitable)
            fail(QStringLiteral("Die Spalte '%1' (%2) passt nicht zum Feld '%3'.").arg(c.name, c.typeName, field));
        map.insert(field, col);
    }
    if (map.isEmpty() || (map.size() == 1 && map.contains(QStringLiteral("ID"))))
        fail(QStringLiteral("Keine Spalte der Tabelle '%1' passt zu einem Feld der Lieferanten-Tabelle; "
                            "ordnen Sie Spalten mit --column FELD=SPALTE zu.").arg(source.name));
    return map;
}

ImportReport importSuppliers(const SourceTable& source, const QString& target, const ImportOptions& options) {
    const QMap<QString, int> map = resolveColumns(source, options);
    ImportReport report;
    report.read = qint64(source.rows.size());

    // Texts that do not fit are never cut silently: refuse before writing, or cut and say so.
    std::vector<std::vector<QVariant>> rows;
    rows.reserve(source.rows.size());
    QStringList tooLong;
    for (qint64 r = 0; r < report.read; ++r) {
        std::vector<QVariant> values;
        for (const QString& field : supplierFields()) {
            QVariant v = map.contains(field) ? source.rows[r][map.value(field)] : QVariant();
            const int size = sizeOf(field);
            if (!v.isNull() && size > 0 && v.toString().size() > size) {
                const QString where = QStringLiteral("Zeile %1, Feld '%2' (Spalte '%3'): %4 Zeichen, erlaubt sind %5")
                                          .arg(r + 1).arg(field, source.columns[map.value(field)].name)
                                          .arg(v.toString().size()).arg(size);
                if (options.truncate) {
                    report.cuts << where;
                    v = v.toString().left(size);
                } else {
                    tooLong << where;
                }
            }
            if (!v.isNull() && field != QLatin1String("ID") && v.toString().isEmpty())
                v = QVariant();
            values.push_back(v);
        }
        rows.push_back(std::move(values));
    }
    if (!tooLong.isEmpty()) {
        const int shown = std::min(int(tooLong.size()), 20);
        fail(QStringLiteral("Zu lange Texte, nichts wurde importiert (mit --truncate werden sie gekürzt übernommen):\n  %1%2")
                 .arg(tooLong.mid(0, shown).join(QLatin1String("\n  ")),
                      tooLong.size() > shown ? QStringLiteral("\n  ... und %1 weitere").arg(tooLong.size() - shown) : QString()));
    }

    bool created = false;
    std::unique_ptr<engine::Database> db;
    try {
        db = openTarget(target, created);
        engine::WriteTransaction tx(db->connection());
        // IDs stay where the target is empty and the source's IDs can serve as keys.
        const bool idMapped = map.contains(QStringLiteral("ID"));
        const bool targetEmpty = db->query(QStringLiteral("SELECT count(*) FROM \"Lieferanten\"")).value(0).value(0).toLongLong() == 0;
        bool keep = idMapped && targetEmpty;
        if (keep) {
            QSet<qint64> seen;
            for (const auto& row : rows) {
                const qint64 id = row[0].isNull() ? 0 : row[0].toLongLong();
                if (id <= 0 || id > 2147483647 || seen.contains(id)) {
                    keep = false;
                    report.idNote = QStringLiteral("die IDs der Quelle sind nicht alle eindeutig und positiv");
                    break;
                }
                seen.insert(id);
            }
        } else if (idMapped) {
            report.idNote = QStringLiteral("die Zieltabelle enthält schon Einträge");
        } else {
            report.idNote = QStringLiteral("die Quelle hat keine ID-Spalte");
        }
        report.idsKept = keep;
        const QString insert = keep ? QStringLiteral("INSERT INTO \"Lieferanten\" (\"ID\", \"KDNR\", \"Firma\", \"Benutzername\", \"Kennwort\", "
                                                     "\"E-Mailadresse\", \"URL\", \"Bemerkung\") VALUES ($1, $2, $3, $4, $5, $6, $7, $8)")
                                    : QStringLiteral("INSERT INTO \"Lieferanten\" (\"KDNR\", \"Firma\", \"Benutzername\", \"Kennwort\", "
                                                     "\"E-Mailadresse\", \"URL\", \"Bemerkung\") VALUES ($1, $2, $3, $4, $5, $6, $7)");
        for (qint64 r = 0; r < qint64(rows.size()); ++r) {
            QVariantList params;
            for (int f = keep ? 0 : 1; f < int(rows[r].size()); ++f) {
                const QVariant& v = rows[r][f];
                params << (f == 0 || v.isNull() ? v : QVariant(v.toString()));
            }
            try {
                db->execute(insert, params);
            } catch (const engine::EngineError& e) {
                fail(QStringLiteral("Zeile %1: %2").arg(r + 1).arg(e.description()));
            }
            ++report.written;
        }
        if (keep && db->dialect() == QLatin1String("postgresql"))
            // The identity goes on after the highest kept ID.
            db->execute(QStringLiteral("SELECT setval(pg_get_serial_sequence('\"Lieferanten\"', 'ID'), "
                                       "(SELECT coalesce(max(\"ID\"), 1) FROM \"Lieferanten\"))"));
        tx.commit();
    } catch (...) {
        db.reset();
        if (created)
            QFile::remove(target);
        throw;
    }
    return report;
}
