#pragma once

#include <QString>
#include <memory>

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
    Database(sqlite3* db, QString path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    QString name() const { return m_path; }
    bool updatable() const;
    std::unique_ptr<Recordset> openRecordset(const QString& name, int type = dbOpenDynaset, int options = 0,
                                             int lockType = dbOptimistic);
    // Runs SQL without results (schema work of the companion tool).
    void execute(const QString& sql);
    void close();
    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db;
    QString m_path;
};

class Workspace {
public:
    Workspace(QString name, QString user);
    QString name() const { return m_name; }
    QString userName() const { return m_user; }
    // `connect` is ";UID=...;PWD=...;": the PWD part is the file's key.
    std::unique_ptr<Database> openDatabase(const QString& path, bool exclusive, bool readOnly, const QString& connect);
    // Makes a new, empty, encrypted file; refuses to touch an existing one.
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
