#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "Column.h"
#include "SortSpec.h"

namespace engine {

using RowId = qint32;
using ColumnValues = std::vector<std::pair<int, QVariant>>;

// What a recordset needs of the storage behind it: one table, reached by key.
// The file backend implements it over SQLCipher; a server backend can stand
// behind the same recordset.
class TableStore {
public:
    virtual ~TableStore() = default;

    virtual const std::vector<Column>& columns() const = 0;
    virtual int keyColumn() const = 0;
    virtual bool writable() const = 0;

    // The keys of all rows, in the given order (ties by key), or in storage order.
    virtual std::vector<RowId> keys(const std::vector<SortKey>& order) = 0;
    // The row as stored now; long-data columns stay null unless asked for.
    virtual std::optional<Row> readRow(RowId id, bool withLongData) = 0;
    virtual std::optional<QVariant> readValue(RowId id, int column) = 0;

    // Writes the values if the row still holds `original`; refuses otherwise
    // (3167 when the row is gone, 3197 when it was changed).
    virtual void update(RowId id, const Row& original, const ColumnValues& values) = 0;
    virtual RowId insert(const ColumnValues& values) = 0;
    // Refuses with 3167 when the row is gone already.
    virtual void remove(RowId id) = 0;

    // Visits, in sort order of the column, every row whose text could begin
    // with the prefix ignoring case (a superset of the matches); stops when
    // the visitor returns false.
    virtual void scanPrefix(int column, const QString& prefix,
                            const std::function<bool(RowId, const QString&)>& visit) = 0;
};

} // namespace engine
