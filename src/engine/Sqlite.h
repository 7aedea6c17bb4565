#pragma once

#include <QString>
#include <QVariant>
#include <sqlite3.h>

namespace engine {

// Turns an SQLite result code into the engine's error with a German text.
[[noreturn]] void throwSqlite(sqlite3* db, int rc, const QString& context = {});

class Statement {
public:
    Statement() = default;
    Statement(sqlite3* db, const char* sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool valid() const { return m_stmt != nullptr; }
    void bind(int index, const QVariant& value);
    void bindInt(int index, qint64 value);
    void bindText(int index, const QByteArray& utf8);
    // Steps once; true when a row is ready.
    bool step();
    void reset();
    int columnCount() const;
    qint64 columnInt(int col) const;
    bool columnIsNull(int col) const;
    QVariant column(int col) const;
    QString columnText(int col) const;

private:
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};

class Transaction {
public:
    // BEGIN IMMEDIATE: takes the write lock before reading, so the busy
    // timeout applies and two writers never deadlock.
    explicit Transaction(sqlite3* db);
    ~Transaction();
    void commit();

private:
    sqlite3* m_db;
    bool m_done = false;
};

void exec(sqlite3* db, const char* sql);

} // namespace engine
