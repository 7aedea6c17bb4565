#pragma once

#include <QSet>
#include <libpq-fe.h>

#include "Connection.h"

namespace engine {

// A result of libpq, freed with its scope.
class PgResult {
public:
    explicit PgResult(PGresult* r = nullptr) : m_r(r) {}
    ~PgResult() { PQclear(m_r); }
    PgResult(PgResult&& o) noexcept : m_r(o.m_r) { o.m_r = nullptr; }
    PgResult& operator=(PgResult&& o) noexcept {
        std::swap(m_r, o.m_r);
        return *this;
    }
    PgResult(const PgResult&) = delete;
    PgResult& operator=(const PgResult&) = delete;
    PGresult* get() const { return m_r; }
    int rows() const { return PQntuples(m_r); }
    bool isNull(int row, int col) const { return PQgetisnull(m_r, row, col); }
    QString text(int row, int col) const { return QString::fromUtf8(PQgetvalue(m_r, row, col), PQgetlength(m_r, row, col)); }
    qint64 integer(int row, int col) const { return QByteArray(PQgetvalue(m_r, row, col)).toLongLong(); }

private:
    PGresult* m_r;
};

// A database on a PostgreSQL server, reached with libpq; values always go as
// bound parameters.
class PgConnection : public Connection {
public:
    explicit PgConnection(const QString& uri);
    ~PgConnection() override;

    QString dialect() const override { return QStringLiteral("postgresql"); }
    bool updatable() const override { return true; }
    std::shared_ptr<TableStore> openTable(const QString& name) override;
    bool hasTable(const QString& name) override;
    void execute(const QString& sql, const QVariantList& params = {}) override;
    QList<QVariantList> query(const QString& sql, const QVariantList& params = {}) override;
    void begin() override;
    void commit() override;
    void rollback() override;

    // Runs one statement; throws the engine's error when the server refuses.
    PgResult run(const QString& sql, const QVariantList& params = {});
    PgResult runPrepared(const QByteArray& name, const QString& sql, const QVariantList& params);
    bool inTransaction() const;

private:
    void ensureConnected();
    PgResult checked(PgResult result);
    [[noreturn]] void fail(const PGresult* result);

    PGconn* m_conn = nullptr;
    QSet<QByteArray> m_prepared;
};

std::unique_ptr<Connection> openServer(const QString& uri);

} // namespace engine
