#include "SqliteStore.h"

#include "EngineError.h"
#include "SortFold.h"

namespace engine {

QString quoteIdentifier(const QString& name) {
    QString q = name;
    q.replace(u'"', QLatin1String("\"\""));
    return u'"' + q + u'"';
}

SqliteStore::SqliteStore(sqlite3* db, const QString& table) : m_db(db), m_table(table) {
    const QByteArray sql = QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table)).toUtf8();
    Statement info(db, sql.constData());
    while (info.step()) {
        const QString name = info.columnText(1);
        const QString type = info.columnText(2);
        const QString def = info.columnIsNull(4) ? QString() : info.columnText(4);
        const bool pk = info.columnInt(5) != 0;
        m_columns.push_back(columnFromDeclaration(name, type, pk, def));
    }
    m_key = keyColumnOf(m_columns, table);
    m_read = buildReadSql(m_columns, m_key, quoteIdentifier(m_table), QStringLiteral("?1"));
}

bool SqliteStore::writable() const { return sqlite3_db_readonly(m_db, "main") == 0; }

QString SqliteStore::quoted(int column) const { return quoteIdentifier(m_columns[column].name); }

QString SqliteStore::sortExpression(int column) const {
    const QString col = quoted(column);
    return m_columns[column].type == ColumnType::Long || m_columns[column].type == ColumnType::Integer
               ? col
               : sortFoldSql(col);
}

Statement& SqliteStore::cached(const QString& sql) {
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(sql, Statement(m_db, sql.toUtf8().constData())).first;
    it->second.reset();
    return it->second;
}

std::vector<RowId> SqliteStore::keys(const std::vector<SortKey>& order) {
    QStringList terms;
    for (const SortKey& k : order)
        terms << sortExpression(k.column) + (k.descending ? QStringLiteral(" DESC") : QString());
    if (!terms.isEmpty())
        terms << quoted(m_key);
    QString sql = QStringLiteral("SELECT %1 FROM %2").arg(quoted(m_key), quoteIdentifier(m_table));
    if (!terms.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + terms.join(QLatin1String(", "));
    Statement st(m_db, sql.toUtf8().constData());
    std::vector<RowId> ids;
    while (st.step())
        ids.push_back(RowId(st.columnInt(0)));
    ids.shrink_to_fit();
    return ids;
}

std::optional<Row> SqliteStore::readRow(RowId id, bool withLongData) {
    Statement& st = cached(m_read.row[withLongData ? 1 : 0]);
    st.bindInt(1, id);
    if (!st.step()) {
        st.reset();
        return std::nullopt;
    }
    Row row(m_columns.size());
    for (int i = 0; i < int(m_columns.size()); ++i)
        row[i] = st.column(i);
    st.reset();
    return row;
}

std::optional<QVariant> SqliteStore::readValue(RowId id, int column) {
    Statement& st = cached(m_read.value[column]);
    st.bindInt(1, id);
    if (!st.step()) {
        st.reset();
        return std::nullopt;
    }
    QVariant v = st.column(0);
    st.reset();
    return v;
}

void SqliteStore::update(RowId id, const Row& original, const ColumnValues& values) {
    if (values.empty())
        return;
    Transaction tx(m_db);
    const std::optional<Row> now = readRow(id, true);
    if (!now)
        throwRecordDeleted();
    if (*now != original)
        throwWriteConflict();
    QStringList sets;
    for (const auto& [col, value] : values)
        sets << QStringLiteral("%1 = ?%2").arg(quoted(col)).arg(sets.size() + 1);
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?%4")
                            .arg(quoteIdentifier(m_table), sets.join(QLatin1String(", ")), quoted(m_key))
                            .arg(values.size() + 1);
    Statement st(m_db, sql.toUtf8().constData());
    int n = 1;
    for (const auto& [col, value] : values)
        st.bind(n++, value);
    st.bindInt(n, id);
    st.step();
    tx.commit();
}

RowId SqliteStore::insert(const ColumnValues& values) {
    QStringList cols, params;
    for (const auto& [col, value] : values) {
        cols << quoted(col);
        params << QStringLiteral("?%1").arg(params.size() + 1);
    }
    const QString sql = values.empty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(m_table))
                                       : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                             .arg(quoteIdentifier(m_table), cols.join(u','), params.join(u','));
    Transaction tx(m_db);
    Statement st(m_db, sql.toUtf8().constData());
    int n = 1;
    for (const auto& [col, value] : values)
        st.bind(n++, value);
    st.step();
    const RowId id = RowId(sqlite3_last_insert_rowid(m_db));
    tx.commit();
    return id;
}

void SqliteStore::remove(RowId id) {
    Transaction tx(m_db);
    Statement st(m_db, QStringLiteral("DELETE FROM %1 WHERE %2 = ?1")
                           .arg(quoteIdentifier(m_table), quoted(m_key))
                           .toUtf8()
                           .constData());
    st.bindInt(1, id);
    st.step();
    if (sqlite3_changes(m_db) == 0)
        throwRecordDeleted();
    tx.commit();
}

void SqliteStore::scanPrefix(int column, const QString& prefix,
                             const std::function<bool(RowId, const QString&)>& visit) {
    const QString expr = sortExpression(column);
    const bool ranged = sortFoldCoversCase(prefix);
    QString sql = QStringLiteral("SELECT %1, %2 FROM %3").arg(quoted(m_key), quoted(column), quoteIdentifier(m_table));
    if (ranged)
        sql += QStringLiteral(" WHERE %1 >= ?1 AND %1 < ?2").arg(expr);
    sql += QStringLiteral(" ORDER BY %1, %2").arg(expr, quoted(m_key));
    Statement& st = cached(sql);
    if (ranged) {
        const QByteArray low = sortFold(prefix);
        st.bindText(1, low);
        st.bindText(2, low + "\xF4\x8F\xBF\xBF");  // above every text that starts with `low`
    }
    while (st.step())
        if (!visit(RowId(st.columnInt(0)), st.columnText(1)))
            break;
    st.reset();
}

} // namespace engine
