#include "Sqlite.h"

#include "EngineError.h"

namespace engine {

void throwSqlite(sqlite3* db, int rc, const QString& context) {
    Q_UNUSED(db);
    const QString where = context.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(context);
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw EngineError(ErrLocked, QStringLiteral("Die Datenbank ist zurzeit von einem anderen Benutzer gesperrt. "
                                                    "Bitte versuchen Sie es in einigen Sekunden erneut"));
    case SQLITE_NOTADB:
        throw EngineError(ErrNotADatabase, QStringLiteral("Die Datei ist keine gültige Datenbank, "
                                                          "oder das Datenbankkennwort ist falsch"));
    case SQLITE_CORRUPT:
        throw EngineError(ErrDamaged, QStringLiteral("Die Datenbankdatei ist beschädigt und kann nicht gelesen werden"));
    case SQLITE_READONLY:
        throw EngineError(ErrReadOnly, QStringLiteral("Die Datenbankdatei ist schreibgeschützt; "
                                                      "Änderungen können nicht gespeichert werden"));
    case SQLITE_CANTOPEN:
        throw EngineError(ErrFileNotFound, QStringLiteral("Die Datenbankdatei kann nicht geöffnet werden") + where);
    case SQLITE_FULL:
        throw EngineError(ErrDiskFull, QStringLiteral("Der Datenträger ist voll; die Änderung wurde nicht gespeichert"));
    case SQLITE_IOERR:
        throw EngineError(ErrIo, QStringLiteral("Lese- oder Schreibfehler beim Zugriff auf die Datenbankdatei"));
    case SQLITE_CONSTRAINT:
        throw EngineError(ErrConstraint, QStringLiteral("Die Änderung verletzt eine Regel der Datenbank"));
    default:
        throw EngineError(ErrInternal, QStringLiteral("Interner Fehler der Datenbank (Code %1)").arg(rc) + where);
    }
}

Statement::Statement(sqlite3* db, const char* sql) : m_db(db) {
    const int rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        if ((rc & 0xff) == SQLITE_ERROR)
            throw EngineError(ErrInternal, QStringLiteral("Ungültige Datenbankabfrage: %1")
                                               .arg(QString::fromUtf8(sqlite3_errmsg(db))));
        throwSqlite(db, rc);
    }
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

Statement::Statement(Statement&& other) noexcept : m_db(other.m_db), m_stmt(other.m_stmt) { other.m_stmt = nullptr; }

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = other.m_stmt;
        other.m_stmt = nullptr;
    }
    return *this;
}

void Statement::bind(int index, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_bind_null(m_stmt, index);
    } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
        sqlite3_bind_int64(m_stmt, index, value.toLongLong());
    } else {
        bindText(index, value.toString().toUtf8());
    }
}

void Statement::bindInt(int index, qint64 value) { sqlite3_bind_int64(m_stmt, index, value); }

void Statement::bindText(int index, const QByteArray& utf8) {
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    throwSqlite(m_db, rc);
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const { return sqlite3_column_count(m_stmt); }

qint64 Statement::columnInt(int col) const { return sqlite3_column_int64(m_stmt, col); }

bool Statement::columnIsNull(int col) const { return sqlite3_column_type(m_stmt, col) == SQLITE_NULL; }

QVariant Statement::column(int col) const {
    switch (sqlite3_column_type(m_stmt, col)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(m_stmt, col));
    default:
        return columnText(col);
    }
}

QString Statement::columnText(int col) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, col));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, col));
}

void exec(sqlite3* db, const char* sql) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throwSqlite(db, rc);
}

Transaction::Transaction(sqlite3* db) : m_db(db) { exec(db, "BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
    if (!m_done)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    exec(m_db, "COMMIT");
    m_done = true;
}

} // namespace engine
