#include "PgStore.h"

#include "EngineError.h"
#include "PgConnection.h"
#include "SortFold.h"
#include "SqliteStore.h"

namespace engine {

namespace {

QString declaredType(const QString& dataType, const QString& length) {
    if (dataType == QLatin1String("character varying") || dataType == QLatin1String("character"))
        return QStringLiteral("VARCHAR(%1)").arg(length.isEmpty() ? QStringLiteral("255") : length);
    if (dataType == QLatin1String("text"))
        return QStringLiteral("MEMO");
    if (dataType == QLatin1String("smallint"))
        return QStringLiteral("SMALLINT");
    if (dataType == QLatin1String("integer") || dataType == QLatin1String("bigint"))
        return QStringLiteral("INTEGER");
    return QStringLiteral("MEMO");
}

} // namespace

QString pgSortFoldSql(const QString& columnSql) {
    // The C collation: lower() folds A to Z only and the order is by code point, as on a file.
    return QStringLiteral("%1 COLLATE \"C\"").arg(sortFoldSql(QStringLiteral("(%1 COLLATE \"C\")").arg(columnSql)));
}

PgStore::PgStore(PgConnection& connection, const QString& table)
    : m_conn(connection), m_table(table), m_tableSql(quoteIdentifier(table)) {
    const PgResult info = m_conn.run(
        QStringLiteral("SELECT column_name, data_type, coalesce(character_maximum_length::text, ''), "
                       "coalesce(column_default, ''), is_identity FROM information_schema.columns "
                       "WHERE table_schema = current_schema() AND table_name = $1 ORDER BY ordinal_position"),
        {table});
    for (int i = 0; i < info.rows(); ++i) {
        const QString def = info.text(i, 3);
        const bool generated = info.text(i, 4) == QLatin1String("YES") || def.startsWith(QLatin1String("nextval("));
        QString sqlDefault = generated ? QString() : def;
        const int cast = int(sqlDefault.indexOf(QLatin1String("::")));
        if (cast > 0)
            sqlDefault = sqlDefault.left(cast);  // 'abc'::character varying
        m_columns.push_back(columnFromDeclaration(info.text(i, 0), declaredType(info.text(i, 1), info.text(i, 2)),
                                                  generated, sqlDefault));
    }
    m_key = keyColumnOf(m_columns, table);
    m_read = buildReadSql(m_columns, m_key, m_tableSql, QStringLiteral("$1"));
    m_writable = m_conn.run(QStringLiteral("SELECT has_table_privilege(quote_ident($1), 'UPDATE')"), {table})
                     .text(0, 0) == QLatin1String("t");
}

QString PgStore::quoted(int column) const { return quoteIdentifier(m_columns[column].name); }

QString PgStore::sortExpression(int column) const {
    const bool number = m_columns[column].type == ColumnType::Long || m_columns[column].type == ColumnType::Integer;
    return number ? quoted(column) : pgSortFoldSql(quoted(column));
}

Row PgStore::rowFrom(const PgResult& r, int row) const {
    Row out(m_columns.size());
    for (int c = 0; c < int(m_columns.size()); ++c) {
        if (r.isNull(row, c))
            continue;
        const bool number = m_columns[c].type == ColumnType::Long || m_columns[c].type == ColumnType::Integer;
        out[c] = number ? QVariant::fromValue<qint64>(r.integer(row, c)) : QVariant(r.text(row, c));
    }
    return out;
}

std::vector<RowId> PgStore::keys(const std::vector<SortKey>& order) {
    QStringList terms;
    for (const SortKey& k : order)
        terms << sortExpression(k.column) + (k.descending ? QStringLiteral(" DESC NULLS LAST") : QStringLiteral(" NULLS FIRST"));
    if (!terms.isEmpty())
        terms << quoted(m_key);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(quoted(m_key), m_tableSql);
    if (!terms.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + terms.join(QLatin1String(", "));
    const PgResult r = m_conn.run(sql);
    std::vector<RowId> ids;
    ids.reserve(size_t(r.rows()));
    for (int i = 0; i < r.rows(); ++i)
        ids.push_back(RowId(r.integer(i, 0)));
    return ids;
}

std::optional<Row> PgStore::readRow(RowId id, bool withLongData) {
    const QByteArray name = (withLongData ? "row_full_" : "row_") + m_table.toUtf8().toHex();
    const PgResult r = m_conn.runPrepared(name, m_read.row[withLongData ? 1 : 0], {id});
    if (r.rows() == 0)
        return std::nullopt;
    return rowFrom(r, 0);
}

std::optional<QVariant> PgStore::readValue(RowId id, int column) {
    const QByteArray name = "value_" + QByteArray::number(column) + "_" + m_table.toUtf8().toHex();
    const PgResult r = m_conn.runPrepared(name, m_read.value[column], {id});
    if (r.rows() == 0)
        return std::nullopt;
    if (r.isNull(0, 0))
        return QVariant();
    const bool number = m_columns[column].type == ColumnType::Long || m_columns[column].type == ColumnType::Integer;
    return number ? QVariant::fromValue<qint64>(r.integer(0, 0)) : QVariant(r.text(0, 0));
}

void PgStore::update(RowId id, const Row& original, const ColumnValues& values) {
    if (values.empty())
        return;
    WriteTransaction tx(m_conn);
    QStringList cols;
    for (int i = 0; i < int(m_columns.size()); ++i)
        cols << quoted(i);
    // The row is locked until the commit, so nobody changes it between the test and the write.
    const PgResult now = m_conn.run(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = $1 FOR UPDATE").arg(cols.join(u','), m_tableSql, quoted(m_key)), {id});
    if (now.rows() == 0)
        throwRecordDeleted();
    if (rowFrom(now, 0) != original)
        throwWriteConflict();
    QStringList sets;
    QVariantList params;
    for (const auto& [col, value] : values) {
        params << value;
        sets << QStringLiteral("%1 = $%2").arg(quoted(col)).arg(params.size());
    }
    params << id;
    m_conn.run(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = $%4")
                   .arg(m_tableSql, sets.join(QLatin1String(", ")), quoted(m_key))
                   .arg(params.size()),
               params);
    tx.commit();
}

RowId PgStore::insert(const ColumnValues& values) {
    QStringList cols, placeholders;
    QVariantList params;
    for (const auto& [col, value] : values) {
        cols << quoted(col);
        params << value;
        placeholders << QStringLiteral("$%1").arg(params.size());
    }
    const QString sql = values.empty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2").arg(m_tableSql, quoted(m_key))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
                                  .arg(m_tableSql, cols.join(u','), placeholders.join(u','), quoted(m_key));
    return RowId(m_conn.run(sql, params).integer(0, 0));
}

void PgStore::remove(RowId id) {
    const PgResult r = m_conn.run(QStringLiteral("DELETE FROM %1 WHERE %2 = $1").arg(m_tableSql, quoted(m_key)), {id});
    if (QByteArray(PQcmdTuples(r.get())) == "0")
        throwRecordDeleted();
}

void PgStore::scanPrefix(int column, const QString& prefix, const std::function<bool(RowId, const QString&)>& visit) {
    const QString expr = sortExpression(column);
    const bool ranged = sortFoldCoversCase(prefix);
    QString sql = QStringLiteral("SELECT %1, %2 FROM %3").arg(quoted(m_key), quoted(column), m_tableSql);
    QVariantList params;
    if (ranged) {
        const QString low = QString::fromUtf8(sortFold(prefix));
        params << low << low + QString::fromUcs4(U"\U0010FFFF");
        sql += QStringLiteral(" WHERE %1 >= $1 COLLATE \"C\" AND %1 < $2 COLLATE \"C\"").arg(expr);
    }
    sql += QStringLiteral(" ORDER BY %1 NULLS FIRST, %2").arg(expr, quoted(m_key));
    // In batches, so a search that stops early reads little.
    WriteTransaction tx(m_conn);
    m_conn.run(QStringLiteral("DECLARE lieferanten_suche NO SCROLL CURSOR FOR ") + sql, params);
    bool more = true;
    while (more) {
        const PgResult r = m_conn.run(QStringLiteral("FETCH 200 FROM lieferanten_suche"));
        for (int i = 0; i < r.rows() && more; ++i)
            more = visit(RowId(r.integer(i, 0)), r.isNull(i, 1) ? QString() : r.text(i, 1));
        if (r.rows() < 200)
            break;
    }
    m_conn.run(QStringLiteral("CLOSE lieferanten_suche"));
    tx.commit();
}

} // namespace engine
