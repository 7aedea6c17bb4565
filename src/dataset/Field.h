#pragma once

#include <QString>

namespace dataset {

class DaoTable;

enum class FieldType { String, Integer, SmallInt, AutoInc, Memo };

QString fieldTypeName(FieldType type);

// A persistent field object of a table: declared with the table, bound by
// name to a column when the table opens.
class Field {
public:
    Field(DaoTable* table, QString fieldName, FieldType type, int size, bool readOnly);

    QString fieldName() const { return m_fieldName; }
    FieldType dataType() const { return m_type; }
    int size() const { return m_size; }
    bool readOnly() const { return m_readOnly || m_columnReadOnly; }
    bool isBlob() const { return m_type == FieldType::Memo; }

    // The current entry's value as text; NULL reads as empty.
    QString asString() const;
    // Sets the value in the pending entry: cut to the field's size, marked as set.
    void setAsString(const QString& text);
    bool isNull() const { return asString().isEmpty(); }

private:
    friend class DaoTable;
    DaoTable* m_table;
    QString m_fieldName;
    FieldType m_type;
    int m_size;
    bool m_readOnly;
    bool m_columnReadOnly = false;
    int m_column = -1;       // column index in the recordset
    QString m_startValue;    // starting value of a new entry
};

} // namespace dataset
