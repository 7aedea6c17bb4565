#pragma once

#include "ReadSql.h"
#include "TableStore.h"

namespace engine {

class PgConnection;

// A table on a PostgreSQL server, in the same order and with the same
// optimistic locking as on a file.
class PgStore : public TableStore {
public:
    PgStore(PgConnection& connection, const QString& table);

    const std::vector<Column>& columns() const override { return m_columns; }
    int keyColumn() const override { return m_key; }
    bool writable() const override { return m_writable; }

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
    Row rowFrom(const class PgResult& r, int row) const;

    PgConnection& m_conn;
    QString m_table;
    QString m_tableSql;
    std::vector<Column> m_columns;
    int m_key = -1;
    bool m_writable = true;
    ReadSql m_read;
};

// The sort key of a text column in PostgreSQL, byte for byte the file's.
QString pgSortFoldSql(const QString& columnSql);

} // namespace engine
