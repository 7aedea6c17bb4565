#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "DbEngine.h"

namespace dataset {

class DaoTable;

using EngineFactory = std::function<std::unique_ptr<engine::DbEngine>()>;
EngineFactory defaultEngineFactory();

// The database component: the connection to one database file.
class DaoDatabase {
public:
    // Brings the engine up as the component is created; an engine that
    // cannot come up ends the construction with a DatabaseError.
    explicit DaoDatabase(EngineFactory factory = defaultEngineFactory());
    ~DaoDatabase();
    DaoDatabase(const DaoDatabase&) = delete;
    DaoDatabase& operator=(const DaoDatabase&) = delete;

    QString databaseType = QStringLiteral("Access");
    QString version = QStringLiteral("3.6");
    int engineType = 2;
    QString workspace = QStringLiteral("DaoWorkspace");
    QString userName = QStringLiteral("Admin");
    QString password;
    QString databasePassword;
    QString databaseParameters;
    QString systemDatabase = QStringLiteral("system.mdb");
    bool exclusive = false;
    bool readOnly = false;
    bool smartOpen = true;
    int queryTimeout = 60;
    // The folder searched when the path names no file; the executable's by default.
    QString programFolder;

    QString database() const { return m_database; }
    void setDatabase(const QString& path);
    bool connected() const { return m_connected; }
    void setConnected(bool on);
    QString connectString() const;

    engine::Database* handle() const { return m_db.get(); }

private:
    friend class DaoTable;
    void open();
    void closeConnection();
    void setUpEngine();

    EngineFactory m_factory;
    std::unique_ptr<engine::DbEngine> m_engine;
    std::unique_ptr<engine::Workspace> m_workspace;
    std::unique_ptr<engine::Database> m_db;
    std::vector<DaoTable*> m_tables;
    QString m_database;
    bool m_connected = false;
};

} // namespace dataset
