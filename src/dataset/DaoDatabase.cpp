#include "DaoDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "DaoTable.h"
#include "DatabaseError.h"

namespace dataset {

EngineFactory defaultEngineFactory() {
    return [] { return std::make_unique<engine::DbEngine>(); };
}

namespace {

std::unique_ptr<engine::DbEngine> createEngine(const EngineFactory& factory) {
    try {
        return factory();
    } catch (const engine::EngineUnavailable& e) {
        switch (e.kind()) {
        case engine::EngineUnavailable::LibraryMissing:
            throw DatabaseError(QStringLiteral("Cannot find DAO on your system!"));
        case engine::EngineUnavailable::Unusable:
            throw DatabaseError(QStringLiteral("You does not have Microsoft DAO installed ot it is an OLD Version!"));
        case engine::EngineUnavailable::PlatformInit:
            throw DatabaseError(QStringLiteral("Unable to init OLE objects!"));
        }
        throw;
    }
}

// The text after the last separator: the file-name part of a path.
QString fileNamePart(const QString& path) {
    int cut = path.lastIndexOf(QDir::separator());
#ifdef Q_OS_WIN
    cut = std::max({cut, int(path.lastIndexOf(u'/')), int(path.lastIndexOf(u':'))});
#endif
    return path.mid(cut + 1);
}

} // namespace

DaoDatabase::DaoDatabase(EngineFactory factory) : m_factory(std::move(factory)) {
    m_engine = createEngine(m_factory);
}

DaoDatabase::~DaoDatabase() { closeConnection(); }

void DaoDatabase::setDatabase(const QString& path) {
    if (m_connected)
        throw DatabaseError(QStringLiteral("TKADaoDatabase.F_Set_Database: Cannot set Database while Database is connected!"));
    m_database = path;
}

QString DaoDatabase::connectString() const {
    return QStringLiteral(";UID=%1;PWD=%2;%3").arg(userName, databasePassword, databaseParameters);
}

void DaoDatabase::setConnected(bool on) {
    if (on == m_connected)
        return;
    if (on)
        open();
    else
        closeConnection();
}

void DaoDatabase::setUpEngine() {
    m_workspace.reset();
    m_engine.reset();
    m_engine = createEngine(m_factory);
    m_engine->systemDB = systemDatabase;
    m_engine->defaultUser = userName;
    m_engine->defaultPassword = password;
    m_workspace = m_engine->createWorkspace(workspace, userName, password, engineType);
}

void DaoDatabase::open() {
    if (m_database.isEmpty())
        throw DatabaseError(QStringLiteral("TKADaoDatabase.F_Set_Active: Database property is not defined!"));
    setUpEngine();
    // A server address has no file to test or to look for in the program's folder.
    const bool server = engine::isServerAddress(m_database);
    if (!server && smartOpen && !QFileInfo(m_database).isFile()) {
        const QString folder = programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
        m_database = QDir::toNativeSeparators(folder) + QDir::separator() + fileNamePart(m_database);
    }
    if (!server && !QFileInfo(m_database).isFile())
        throw DatabaseError(QStringLiteral("Cannot find Database:\r\n") + m_database);
    m_db = m_workspace->openDatabase(m_database, exclusive, readOnly, connectString());
    m_connected = true;
}

void DaoDatabase::closeConnection() {
    if (!m_connected)
        return;
    for (DaoTable* table : m_tables) {
        try {
            table->close();
        } catch (...) {
            // A table that fails to close must not keep the connection open.
        }
    }
    m_db.reset();
    m_connected = false;
}

} // namespace dataset
