#pragma once

#include <QString>
#include <stdexcept>

namespace engine {

// Error numbers follow the old engine's numbering, so callers can test for
// the cases they handle (3167 on delete) the way they always have.
enum ErrorCode : int {
    ErrFileNotFound = 3024,
    ErrNoCurrentRecord = 3021,
    ErrUpdateWithoutEdit = 3020,
    ErrNotADatabase = 3031,
    ErrDamaged = 3049,
    ErrReadOnly = 3051,
    ErrTableMissing = 3078,
    ErrFieldTooSmall = 3163,
    ErrRecordDeleted = 3167,
    ErrWriteConflict = 3197,
    ErrLocked = 3260,
    ErrNotUpdatable = 3027,
    ErrEngineUnavailable = 429,
    ErrConstraint = 3317,
    ErrConnectFailed = 3151,
    ErrDiskFull = 3035,
    ErrIo = 3043,
    ErrInternal = 3000,
};

class EngineError : public std::runtime_error {
public:
    EngineError(int number, const QString& description);
    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

// The two refusals of optimistic locking, worded once for every backend.
[[noreturn]] void throwRecordDeleted();
[[noreturn]] void throwWriteConflict();

} // namespace engine
