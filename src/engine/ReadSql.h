#pragma once

#include <QString>
#include <vector>

#include "Column.h"

namespace engine {

// The statements that read one row or one value by key, built once per table
// because every move and every memo read runs them.
struct ReadSql {
    QString row[2];              // without and with long data (long data read as NULL first)
    std::vector<QString> value;  // one per column
};

// `placeholder` is how the backend names the key parameter ("?1", "$1").
ReadSql buildReadSql(const std::vector<Column>& columns, int keyColumn, const QString& tableSql,
                     const QString& placeholder);

} // namespace engine
