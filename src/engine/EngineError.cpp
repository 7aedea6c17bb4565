#include "EngineError.h"

namespace engine {

EngineError::EngineError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}

void throwRecordDeleted() {
    throw EngineError(ErrRecordDeleted, QStringLiteral("Der Datensatz wurde inzwischen von einem anderen Benutzer gelöscht"));
}

void throwWriteConflict() {
    throw EngineError(ErrWriteConflict, QStringLiteral("Der Datensatz wurde von einem anderen Benutzer geändert, seit Sie ihn "
                                                       "bearbeiten. Speichern Sie erneut, um Ihre Eingaben über seine zu "
                                                       "schreiben, oder verwerfen Sie Ihre Änderungen"));
}

} // namespace engine
