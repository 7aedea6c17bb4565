#include "SqliteConnection.h"

#include <QFile>

#include "EngineError.h"
#include "SqliteStore.h"

namespace engine {

bool isServerAddress(const QString& path) {
    return path.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           path.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

SqliteConnection::SqliteConnection(const QString& path, const QString& key, bool readOnly, bool create) {
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | (create ? SQLITE_OPEN_CREATE : 0) |
                      SQLITE_OPEN_NOMUTEX;
    const QByteArray file = QFile::encodeName(path);
    const int rc = sqlite3_open_v2(file.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(m_db);
        m_db = nullptr;
        if ((rc & 0xff) == SQLITE_CANTOPEN)
            throw EngineError(ErrFileNotFound, QStringLiteral("Die Datei '%1' kann nicht geöffnet werden").arg(path));
        throwSqlite(nullptr, rc);
    }
    const QByteArray k = key.toUtf8();
    sqlite3_key(m_db, k.constData(), int(k.size()));
    // Another user's write lock is waited for a few seconds, never for ever.
    sqlite3_busy_timeout(m_db, 5000);
    try {
        // A wrong key shows only at the first read.
        query(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (...) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw;
    }
}

SqliteConnection::~SqliteConnection() { sqlite3_close_v2(m_db); }

bool SqliteConnection::updatable() const { return sqlite3_db_readonly(m_db, "main") == 0; }

std::shared_ptr<TableStore> SqliteConnection::openTable(const QString& name) {
    return std::make_shared<SqliteStore>(m_db, name);
}

bool SqliteConnection::hasTable(const QString& name) {
    return query(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = $1"), {name})
               .value(0).value(0).toInt() > 0;
}

namespace {

Statement prepared(sqlite3* db, const QString& sql, const QVariantList& params) {
    Statement st(db, sql.toUtf8().constData());
    for (int i = 0; i < params.size(); ++i)
        st.bind(i + 1, params[i]);
    return st;
}

} // namespace

void SqliteConnection::execute(const QString& sql, const QVariantList& params) {
    if (params.isEmpty()) {
        char* error = nullptr;
        const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const QString detail = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        if (rc != SQLITE_OK) {
            if ((rc & 0xff) == SQLITE_ERROR)
                throw EngineError(ErrInternal, QStringLiteral("Die Datenbankanweisung ist fehlgeschlagen: %1").arg(detail));
            throwSqlite(m_db, rc);
        }
        return;
    }
    Statement st = prepared(m_db, sql, params);
    while (st.step()) {
    }
}

QList<QVariantList> SqliteConnection::query(const QString& sql, const QVariantList& params) {
    Statement st = prepared(m_db, sql, params);
    QList<QVariantList> rows;
    while (st.step()) {
        QVariantList row;
        for (int i = 0; i < st.columnCount(); ++i)
            row << st.column(i);
        rows << row;
    }
    return rows;
}

void SqliteConnection::begin() { exec(m_db, "BEGIN IMMEDIATE"); }

void SqliteConnection::commit() { exec(m_db, "COMMIT"); }

void SqliteConnection::rollback() { exec(m_db, "ROLLBACK"); }

} // namespace engine
