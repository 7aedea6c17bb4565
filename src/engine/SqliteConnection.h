#pragma once

#include "Connection.h"
#include "Sqlite.h"

namespace engine {

// An SQLCipher file.
class SqliteConnection : public Connection {
public:
    // Opens the file with the key; `create` makes a new file.
    SqliteConnection(const QString& path, const QString& key, bool readOnly, bool create);
    ~SqliteConnection() override;

    QString dialect() const override { return QStringLiteral("sqlite"); }
    bool updatable() const override;
    std::shared_ptr<TableStore> openTable(const QString& name) override;
    bool hasTable(const QString& name) override;
    void execute(const QString& sql, const QVariantList& params = {}) override;
    QList<QVariantList> query(const QString& sql, const QVariantList& params = {}) override;
    void begin() override;
    void commit() override;
    void rollback() override;

    sqlite3* handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

} // namespace engine
