#pragma once

#include <QString>
#include <stdexcept>

namespace dataset {

// A failure of the dataset or database components, carrying the text the user sees.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }
    // The class name the last-chance box reports.
    static constexpr const char* className = "EDatabaseError";

private:
    QString m_message;
};

} // namespace dataset
