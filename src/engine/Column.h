#pragma once

#include <QString>
#include <QVariant>
#include <vector>

namespace engine {

// The engine's column types, numbered as the old engine published them.
enum class ColumnType : int {
    Integer = 3,  // 16-bit
    Long = 4,     // 32-bit
    Text = 10,
    Memo = 12,
};

struct Column {
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0;  // characters for Text, 4 for Long
    bool autoIncrement = false;
    bool dataUpdatable = true;
    QString defaultValue;  // as declared, e.g. "\"abc\"" or "Null"; empty when none

    bool isLongData() const { return type == ColumnType::Memo; }
};

using Row = std::vector<QVariant>;

// Maps a declared SQL column type onto the engine's type and size.
Column columnFromDeclaration(const QString& name, const QString& declaredType, bool primaryKey,
                             const QString& sqlDefault);

// The index of the table's automatically numbered key column; refuses a
// table that has no columns (it is missing) or no such key.
int keyColumnOf(const std::vector<Column>& columns, const QString& table);

} // namespace engine
