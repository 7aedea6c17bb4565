#include "Column.h"

#include <QRegularExpression>

#include "EngineError.h"

namespace engine {

namespace {

QString engineDefault(const QString& sqlDefault) {
    if (sqlDefault.isEmpty() || sqlDefault.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return {};
    // SQL quotes text defaults with single quotes; the engine reports them in double quotes.
    if (sqlDefault.size() >= 2 && sqlDefault.startsWith(u'\'') && sqlDefault.endsWith(u'\'')) {
        QString inner = sqlDefault.mid(1, sqlDefault.size() - 2);
        inner.replace(QLatin1String("''"), QLatin1String("'"));
        return u'"' + inner + u'"';
    }
    return sqlDefault;
}

} // namespace

Column columnFromDeclaration(const QString& name, const QString& declaredType, bool primaryKey,
                             const QString& sqlDefault) {
    Column c;
    c.name = name;
    c.defaultValue = engineDefault(sqlDefault);
    const QString t = declaredType.trimmed().toUpper();
    static const QRegularExpression sized(QStringLiteral(R"(^(?:N?VARCHAR|N?CHAR|TEXT|CHARACTER VARYING)\s*\(\s*(\d+)\s*\)$)"));
    if (primaryKey && t.startsWith(QLatin1String("INTEGER"))) {
        c.type = ColumnType::Long;
        c.size = 4;
        c.autoIncrement = true;
        c.dataUpdatable = false;
    } else if (const auto m = sized.match(t); m.hasMatch()) {
        c.type = ColumnType::Text;
        c.size = m.captured(1).toInt();
    } else if (t == QLatin1String("MEMO") || t == QLatin1String("TEXT") || t == QLatin1String("CLOB") ||
               t == QLatin1String("LONGTEXT")) {
        c.type = ColumnType::Memo;
    } else if (t == QLatin1String("SMALLINT")) {
        c.type = ColumnType::Integer;
        c.size = 2;
    } else if (t.contains(QLatin1String("INT"))) {
        c.type = ColumnType::Long;
        c.size = 4;
    } else {
        // Unknown declarations hold text of any length.
        c.type = ColumnType::Memo;
    }
    return c;
}

int keyColumnOf(const std::vector<Column>& columns, const QString& table) {
    if (columns.empty())
        throw EngineError(ErrTableMissing, QStringLiteral("Die Tabelle '%1' ist in der Datenbank nicht vorhanden").arg(table));
    for (int i = 0; i < int(columns.size()); ++i)
        if (columns[i].autoIncrement)
            return i;
    throw EngineError(ErrInternal, QStringLiteral("Die Tabelle '%1' hat keinen automatisch vergebenen Schlüssel").arg(table));
}

} // namespace engine
