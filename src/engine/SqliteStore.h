#pragma once

#include <map>

#include "ReadSql.h"
#include "Sqlite.h"
#include "TableStore.h"

namespace engine {

class SqliteStore : public TableStore {
public:
    SqliteStore(sqlite3* db, const QString& table);

    const std::vector<Column>& columns() const override { return m_columns; }
    int keyColumn() const override { return m_key; }
    bool writable() const override;

    std::vector<RowId> keys(const std::vector<SortKey>& order) override;
    std::optional<Row> readRow(RowId id, bool withLongData) override;
    std::optional<QVariant> readValue(RowId id, int column) override;
    void update(RowId id, const Row& original, const ColumnValues& values) override;
    RowId insert(const ColumnValues& values) override;
    void remove(RowId id) override;
    void scanPrefix(int column, const QString& prefix,
                    const std::function<bool(RowId, const QString&)>& visit) override;

private:
    QString quoted(int column) const;
    QString sortExpression(int column) const;
    Statement& cached(const QString& sql);

    sqlite3* m_db;
    QString m_table;
    std::vector<Column> m_columns;
    int m_key = -1;
    std::map<QString, Statement> m_statements;
    ReadSql m_read;
};

QString quoteIdentifier(const QString& name);

} // namespace engine
