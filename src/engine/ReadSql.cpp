#include "ReadSql.h"

#include <QStringList>

#include "SqliteStore.h"

namespace engine {

ReadSql buildReadSql(const std::vector<Column>& columns, int keyColumn, const QString& tableSql,
                     const QString& placeholder) {
    ReadSql sql;
    const QString where = QStringLiteral(" FROM %1 WHERE %2 = %3").arg(tableSql, quoteIdentifier(columns[keyColumn].name), placeholder);
    for (int full = 0; full < 2; ++full) {
        QStringList cols;
        for (const Column& c : columns)
            cols << ((full || !c.isLongData()) ? quoteIdentifier(c.name) : QStringLiteral("NULL"));
        sql.row[full] = QStringLiteral("SELECT ") + cols.join(u',') + where;
    }
    for (const Column& c : columns)
        sql.value.push_back(QStringLiteral("SELECT ") + quoteIdentifier(c.name) + where);
    return sql;
}

} // namespace engine
