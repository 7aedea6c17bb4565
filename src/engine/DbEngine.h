#pragma once

#include <QString>
#include <memory>

#include "Connection.h"
#include "Recordset.h"

struct sqlite3;

namespace engine {

// Why the engine could not come up at all; the start-up names each in its own words.
class EngineUnavailable : public std::runtime_error {
public:
    enum Kind { LibraryMissing, Unusable, PlatformInit };
    EngineUnavailable(Kind kind, const QString& detail);
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

class Database {
public:
    Database(std::unique_ptr<Connection> connection, QString name);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    QString name() const { return m_name; }
    bool updatable() const;
    std::unique_ptr<Recordset> openRecordset(const QString& name, int type = dbOpenDynaset, int options = 0,
                                             int lockType = dbOptimistic);
    // SQL for the companion tool and tests, with parameters $1, $2, ...
    void execute(const QString& sql, const QVariantList& params = {});
    QList<QVariantList> query(const QString& sql, const QVariantList& params = {});
    Connection& connection() const;
    QString dialect() const { return connection().dialect(); }
    void close();
    // The file's SQLite handle; null on a server.
    sqlite3* handle() const;

private:
    std::unique_ptr<Connection> m_connection;
    QString m_name;
};

class Workspace {
public:
    Workspace(QString name, QString user);
    QString name() const { return m_name; }
    QString userName() const { return m_user; }
    // `connect` is ";UID=...;PWD=...;": the PWD part is the file's key. A
    // path that is a "postgresql://" address opens a server database.
    std::unique_ptr<Database> openDatabase(const QString& path, bool exclusive, bool readOnly, const QString& connect);
    // Makes a new, empty, encrypted file; refuses to touch an existing one. On
    // a server address: connects to the (existing) server database.
    std::unique_ptr<Database> createDatabase(const QString& path, const QString& connect);
    void close() {}

private:
    QString m_name;
    QString m_user;
};

class DbEngine {
public:
    // Brings the engine up; throws EngineUnavailable when it cannot serve.
    DbEngine();
    virtual ~DbEngine() = default;

    QString systemDB;
    QString defaultUser = QStringLiteral("Admin");
    QString defaultPassword;

    std::unique_ptr<Workspace> createWorkspace(const QString& name, const QString& user, const QString& password,
                                               int type);
    // The version of the encryption library, for the start-up check.
    static QString cipherVersion();
};

QString connectValue(const QString& connect, const QString& key);

} // namespace engine
