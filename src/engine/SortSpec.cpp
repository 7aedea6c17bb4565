#include "SortSpec.h"

#include "EngineError.h"

namespace engine {

std::vector<SortKey> parseSort(const QString& text, const std::vector<Column>& columns) {
    std::vector<SortKey> keys;
    for (QString part : text.split(u',', Qt::SkipEmptyParts)) {
        part = part.trimmed();
        if (part.isEmpty())
            continue;
        SortKey key;
        QString name = part;
        if (part.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
            key.descending = true;
            name.chop(5);
        } else if (part.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive)) {
            name.chop(4);
        }
        name = name.trimmed();
        if (name.startsWith(u'[') && name.endsWith(u']'))
            name = name.mid(1, name.size() - 2);
        key.column = -1;
        for (int i = 0; i < int(columns.size()); ++i)
            if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
                key.column = i;
        if (key.column < 0)
            throw EngineError(ErrInternal, QStringLiteral("Die Sortierung nennt das unbekannte Feld '%1'").arg(name));
        keys.push_back(key);
    }
    return keys;
}

} // namespace engine
