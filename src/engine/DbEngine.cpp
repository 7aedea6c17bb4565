#include "DbEngine.h"

#include <QFile>
#include <QFileInfo>

#include "EngineError.h"
#include "Sqlite.h"
#include "PgConnection.h"
#include "SqliteConnection.h"

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

std::unique_ptr<Database> Workspace::openDatabase(const QString& path, bool exclusive, bool readOnly,
                                                  const QString& connect) {
    if (isServerAddress(path))
        return std::make_unique<Database>(openServer(path), path);
    auto database = std::make_unique<Database>(
        std::make_unique<SqliteConnection>(path, connectValue(connect, QStringLiteral("PWD")), readOnly, false), path);
    if (exclusive)
        database->execute(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    return database;
}

std::unique_ptr<Database> Workspace::createDatabase(const QString& path, const QString& connect) {
    if (isServerAddress(path))
        return std::make_unique<Database>(openServer(path), path);
    if (QFileInfo::exists(path))
        throw EngineError(ErrInternal, QStringLiteral("Die Datei '%1' gibt es bereits").arg(path));
    return std::make_unique<Database>(
        std::make_unique<SqliteConnection>(path, connectValue(connect, QStringLiteral("PWD")), false, true), path);
}

Database::Database(std::unique_ptr<Connection> connection, QString name)
    : m_connection(std::move(connection)), m_name(std::move(name)) {}

Database::~Database() { close(); }

void Database::close() { m_connection.reset(); }

Connection& Database::connection() const {
    if (!m_connection)
        throw EngineError(ErrInternal, QStringLiteral("Die Datenbank ist geschlossen"));
    return *m_connection;
}

bool Database::updatable() const { return m_connection && m_connection->updatable(); }

sqlite3* Database::handle() const {
    auto* file = dynamic_cast<SqliteConnection*>(m_connection.get());
    return file ? file->handle() : nullptr;
}

std::unique_ptr<Recordset> Database::openRecordset(const QString& name, int, int, int lockType) {
    return std::make_unique<Recordset>(connection().openTable(name),
                                       lockType == dbPessimistic ? dbPessimistic : dbOptimistic);
}

void Database::execute(const QString& sql, const QVariantList& params) { connection().execute(sql, params); }

QList<QVariantList> Database::query(const QString& sql, const QVariantList& params) {
    return connection().query(sql, params);
}

} // namespace engine
