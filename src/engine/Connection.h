#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

#include "TableStore.h"

namespace engine {

// One open database of a backend: the file engine or a server.
class Connection {
public:
    virtual ~Connection() = default;
    virtual QString dialect() const = 0;  // "sqlite" or "postgresql"
    virtual bool updatable() const = 0;
    virtual std::shared_ptr<TableStore> openTable(const QString& name) = 0;
    virtual bool hasTable(const QString& name) = 0;

    // SQL with parameters $1, $2, ... (each used once, in order).
    virtual void execute(const QString& sql, const QVariantList& params = {}) = 0;
    virtual QList<QVariantList> query(const QString& sql, const QVariantList& params = {}) = 0;
    // A write transaction: on a file it takes the write lock at once.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;
};

// Rolls back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(Connection& c) : m_c(c) { m_c.begin(); }
    ~WriteTransaction() {
        if (!m_done) {
            try {
                m_c.rollback();
            } catch (...) {
            }
        }
    }
    void commit() {
        m_c.commit();
        m_done = true;
    }

private:
    Connection& m_c;
    bool m_done = false;
};

bool isServerAddress(const QString& path);

} // namespace engine
