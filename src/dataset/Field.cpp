#include "Field.h"

#include "DaoTable.h"

namespace dataset {

QString fieldTypeName(FieldType type) {
    switch (type) {
    case FieldType::String: return QStringLiteral("String");
    case FieldType::Integer: return QStringLiteral("Integer");
    case FieldType::SmallInt: return QStringLiteral("SmallInt");
    case FieldType::AutoInc: return QStringLiteral("AutoInc");
    case FieldType::Memo: return QStringLiteral("Memo");
    }
    return {};
}

Field::Field(DaoTable* table, QString fieldName, FieldType type, int size, bool readOnly)
    : m_table(table), m_fieldName(std::move(fieldName)), m_type(type), m_size(size), m_readOnly(readOnly) {}

QString Field::asString() const { return m_table->fieldText(this); }

void Field::setAsString(const QString& text) { m_table->setFieldText(this, text); }

} // namespace dataset
