// glib must come before mdbtools in C++.
#include <glib.h>
#include <mdbtools.h>

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

#include "ImportSource.h"

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

// Memo texts arrive whole up to this many bytes; a longer one is refused, never cut.
constexpr size_t bindSize = 4 * 1024 * 1024;

bool isAceFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(20).mid(4, 15) == "Standard ACE DB";
}

[[noreturn]] void unreadable(const QString& path) {
    if (isAceFile(path) || path.endsWith(QLatin1String(".accdb"), Qt::CaseInsensitive))
        fail(QStringLiteral("Die Datei '%1' ist eine Access-Datenbank im .accdb-Format, die nicht gelesen werden kann "
                            "(mit Kennwort verschlüsselt oder beschädigt). Bitte in Access als .mdb im Format "
                            "Access 2000 speichern und diese Datei importieren.").arg(path));
    fail(QStringLiteral("Die Datei '%1' ist keine lesbare Access-Datenbank.").arg(path));
}

SourceColumn::Kind kindOf(int type) {
    switch (type) {
    case MDB_TEXT: return SourceColumn::Text;
    case MDB_MEMO: return SourceColumn::Memo;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return SourceColumn::WholeNumber;
    default: return SourceColumn::Other;
    }
}

QString typeNameOf(int type) {
    switch (type) {
    case MDB_BOOL: return QStringLiteral("Ja/Nein");
    case MDB_BYTE: return QStringLiteral("Byte");
    case MDB_INT: return QStringLiteral("Integer");
    case MDB_LONGINT: return QStringLiteral("Long Integer");
    case MDB_MONEY: return QStringLiteral("Währung");
    case MDB_FLOAT: return QStringLiteral("Single");
    case MDB_DOUBLE: return QStringLiteral("Double");
    case MDB_DATETIME: return QStringLiteral("Datum/Uhrzeit");
    case MDB_BINARY: return QStringLiteral("Binär");
    case MDB_TEXT: return QStringLiteral("Text");
    case MDB_OLE: return QStringLiteral("OLE-Objekt");
    case MDB_MEMO: return QStringLiteral("Memo");
    case MDB_REPID: return QStringLiteral("Replikations-ID");
    case MDB_NUMERIC: return QStringLiteral("Dezimal");
    default: return QStringLiteral("Typ %1").arg(type);
    }
}

struct Handle {
    MdbHandle* mdb = nullptr;
    MdbTableDef* table = nullptr;
    ~Handle() {
        if (table)
            mdb_free_tabledef(table);
        if (mdb)
            mdb_close(mdb);
    }
};

} // namespace

SourceTable readAccessTable(const QString& path, const QString& tableName, const std::function<void(qint64)>& progress) {
    if (!QFileInfo(path).isFile())
        fail(QStringLiteral("Die Datei '%1' gibt es nicht.").arg(path));
    Handle h;
    const QByteArray file = QFile::encodeName(path);
    h.mdb = mdb_open(file.constData(), MDB_NOFLAGS);
    if (!h.mdb)
        unreadable(path);
    if (!mdb_read_catalog(h.mdb, MDB_TABLE))
        unreadable(path);
    mdb_set_bind_size(h.mdb, bindSize);

    QStringList tables;
    MdbCatalogEntry* entry = nullptr;
    for (unsigned i = 0; i < h.mdb->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(h.mdb->catalog, i));
        if (e->object_type != MDB_TABLE || mdb_is_system_table(e))
            continue;
        const QString name = QString::fromUtf8(e->object_name);
        tables << name;
        if (name.compare(tableName, Qt::CaseInsensitive) == 0)
            entry = e;
    }
    if (!entry)
        fail(QStringLiteral("Die Tabelle '%1' gibt es in '%2' nicht. Vorhandene Tabellen: %3.")
                 .arg(tableName, path, tables.isEmpty() ? QStringLiteral("keine") : tables.join(QLatin1String(", "))));
    h.table = mdb_read_table(entry);
    if (!h.table || !mdb_read_columns(h.table))
        unreadable(path);

    SourceTable out;
    out.name = QString::fromUtf8(entry->object_name);
    const unsigned count = h.table->num_cols;
    std::vector<QByteArray> buffers(count);
    std::vector<int> lengths(count, 0);
    for (unsigned i = 0; i < count; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(h.table->columns, i));
        out.columns.push_back({QString::fromUtf8(col->name), kindOf(col->col_type), typeNameOf(col->col_type)});
        buffers[i] = QByteArray(int(bindSize), '\0');
        mdb_bind_column(h.table, int(i + 1), buffers[i].data(), &lengths[i]);
    }
    mdb_rewind_table(h.table);
    while (mdb_fetch_row(h.table)) {
        std::vector<QVariant> row(count);
        for (unsigned i = 0; i < count; ++i) {
            if (lengths[i] == 0) {
                row[i] = QVariant();  // NULL and empty are one value
                continue;
            }
            if (size_t(lengths[i]) >= bindSize - 1)
                fail(QStringLiteral("Zeile %1, Spalte '%2': der Text ist länger als %3 Bytes und wird nicht gekürzt übernommen.")
                         .arg(out.rows.size() + 1).arg(out.columns[i].name).arg(bindSize - 1));
            const QString text = QString::fromUtf8(buffers[i].constData(), lengths[i]);
            if (out.columns[i].kind == SourceColumn::WholeNumber)
                row[i] = text.toLongLong();
            else
                row[i] = text;
        }
        out.rows.push_back(std::move(row));
        if (progress && out.rows.size() % 1000 == 0)
            progress(qint64(out.rows.size()));
    }
    return out;
}
