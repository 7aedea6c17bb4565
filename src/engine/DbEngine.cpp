#include "DbEngine.h"

#include <QFile>
#include <QFileInfo>

#include "EngineError.h"
#include "Sqlite.h"
#include "SqliteStore.h"

namespace engine {

EngineUnavailable::EngineUnavailable(Kind kind, const QString& detail)
    : std::runtime_error(detail.toStdString()), m_kind(kind) {}

QString connectValue(const QString& connect, const QString& key) {
    for (const QString& part : connect.split(u';', Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(u'=');
        if (eq > 0 && part.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1);
    }
    return {};
}

QString DbEngine::cipherVersion() {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return {};
    }
    QString version;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        version = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return version;
}

DbEngine::DbEngine() {
    if (sqlite3_initialize() != SQLITE_OK)
        throw EngineUnavailable(EngineUnavailable::PlatformInit, QStringLiteral("sqlite3_initialize"));
    // A build against plain SQLite would write unencrypted files: refuse it.
    if (cipherVersion().isEmpty())
        throw EngineUnavailable(EngineUnavailable::Unusable, QStringLiteral("no cipher support"));
}

std::unique_ptr<Workspace> DbEngine::createWorkspace(const QString& name, const QString& user, const QString&, int) {
    return std::make_unique<Workspace>(name, user);
}

Workspace::Workspace(QString name, QString user) : m_name(std::move(name)), m_user(std::move(user)) {}

namespace {

sqlite3* openKeyed(const QString& path, int flags, const QString& connect) {
    sqlite3* db = nullptr;
    const QByteArray file = QFile::encodeName(path);
    const int rc = sqlite3_open_v2(file.constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        if ((rc & 0xff) == SQLITE_CANTOPEN)
            throw EngineError(ErrFileNotFound, QStringLiteral("Die Datei '%1' kann nicht geöffnet werden").arg(path));
        throwSqlite(nullptr, rc);
    }
    const QByteArray key = connectValue(connect, QStringLiteral("PWD")).toUtf8();
    sqlite3_key(db, key.constData(), int(key.size()));
    // Another user's write lock is waited for a few seconds, never for ever.
    sqlite3_busy_timeout(db, 5000);
    return db;
}

} // namespace

std::unique_ptr<Database> Workspace::openDatabase(const QString& path, bool exclusive, bool readOnly,
                                                  const QString& connect) {
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    sqlite3* db = openKeyed(path, flags, connect);
    auto database = std::make_unique<Database>(db, path);
    // A wrong key shows only at the first read.
    database->execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (exclusive)
        database->execute(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    return database;
}

std::unique_ptr<Database> Workspace::createDatabase(const QString& path, const QString& connect) {
    if (QFileInfo::exists(path))
        throw EngineError(ErrInternal, QStringLiteral("Die Datei '%1' gibt es bereits").arg(path));
    sqlite3* db = openKeyed(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, connect);
    auto database = std::make_unique<Database>(db, path);
    database->execute(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    return database;
}

Database::Database(sqlite3* db, QString path) : m_db(db), m_path(std::move(path)) {}

Database::~Database() { close(); }

void Database::close() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool Database::updatable() const { return m_db && sqlite3_db_readonly(m_db, "main") == 0; }

std::unique_ptr<Recordset> Database::openRecordset(const QString& name, int, int, int lockType) {
    if (!m_db)
        throw EngineError(ErrInternal, QStringLiteral("Die Datenbank ist geschlossen"));
    // The store outlives the database object only as long as the recordset does.
    auto store = std::make_shared<SqliteStore>(m_db, name);
    return std::make_unique<Recordset>(store, lockType == dbPessimistic ? dbPessimistic : dbOptimistic);
}

void Database::execute(const QString& sql) {
    if (!m_db)
        throw EngineError(ErrInternal, QStringLiteral("Die Datenbank ist geschlossen"));
    const QByteArray utf8 = sql.toUtf8();
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, utf8.constData(), nullptr, nullptr, &error);
    const QString detail = error ? QString::fromUtf8(error) : QString();
    sqlite3_free(error);
    if (rc != SQLITE_OK) {
        if ((rc & 0xff) == SQLITE_ERROR)
            throw EngineError(ErrInternal, QStringLiteral("Die Datenbankanweisung ist fehlgeschlagen: %1").arg(detail));
        throwSqlite(m_db, rc);
    }
}

} // namespace engine
