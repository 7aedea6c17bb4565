#include "PgConnection.h"

#include <QSet>
#include <QUrl>

#include "EngineError.h"
#include "PgStore.h"

namespace engine {

namespace {

// What the user may see of the address: host and port, never the password.
QString serverName(PGconn* conn) {
    const QString host = QString::fromUtf8(PQhost(conn));
    const QString port = QString::fromUtf8(PQport(conn));
    return port.isEmpty() ? host : host + u':' + port;
}

[[noreturn]] void connectFailed(PGconn* conn) {
    const QString detail = QString::fromUtf8(PQerrorMessage(conn));
    const QString server = conn ? serverName(conn) : QString();
    const QString database = conn ? QString::fromUtf8(PQdb(conn)) : QString();
    if (detail.contains(QLatin1String("invalid URI")) || detail.contains(QLatin1String("invalid connection option")) ||
        detail.contains(QLatin1String("invalid integer value")) || detail.contains(QLatin1String("missing \"=\"")))
        throw EngineError(ErrInternal, QStringLiteral("Die Serveradresse ist ungültig"));
    if (detail.contains(QLatin1String("authentication failed")) || detail.contains(QLatin1String("no password supplied")) ||
        detail.contains(QLatin1String("no pg_hba.conf entry")))
        throw EngineError(ErrNotADatabase,
                          QStringLiteral("Der Datenbankserver %1 hat die Anmeldung abgelehnt (Benutzer oder Kennwort falsch)").arg(server));
    if (detail.contains(QLatin1String("database")) && detail.contains(QLatin1String("does not exist")))
        throw EngineError(ErrFileNotFound, QStringLiteral("Die Datenbank '%1' gibt es auf dem Server %2 nicht").arg(database, server));
    if (detail.contains(QLatin1String("SSL"), Qt::CaseInsensitive) || detail.contains(QLatin1String("certificate")))
        throw EngineError(ErrConnectFailed, QStringLiteral("Die verschlüsselte Verbindung (TLS) zum Datenbankserver %1 ist nicht zustande "
                                                        "gekommen").arg(server));
    throw EngineError(ErrConnectFailed, QStringLiteral("Der Datenbankserver %1 ist nicht erreichbar").arg(server));
}

QByteArray paramText(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? "true" : "false";
    return v.toString().toUtf8();
}

// Parameters as libpq takes them: text, or a null pointer for NULL.
struct ParamTexts {
    explicit ParamTexts(const QVariantList& params) {
        texts.reserve(params.size());
        for (const QVariant& p : params) {
            texts.push_back(p.isNull() ? QByteArray() : paramText(p));
            pointers.push_back(p.isNull() ? nullptr : texts.back().constData());
        }
    }
    std::vector<QByteArray> texts;
    std::vector<const char*> pointers;
};

} // namespace

PgConnection::PgConnection(const QString& uri) {
    const QByteArray dbname = uri.toUtf8();
    // Defaults first, so that what the address says wins.
    const char* keys[] = {"connect_timeout", "application_name", "client_encoding", "dbname", nullptr};
    const char* values[] = {"5", "Lieferanten", "UTF8", dbname.constData(), nullptr};
    m_conn = PQconnectdbParams(keys, values, 1);
    if (!m_conn || PQstatus(m_conn) != CONNECTION_OK) {
        PGconn* failed = m_conn;
        m_conn = nullptr;
        try {
            connectFailed(failed);
        } catch (...) {
            PQfinish(failed);
            throw;
        }
    }
    run(QStringLiteral("SET client_min_messages = warning"));
    // Another user's lock is waited for a few seconds, never for ever.
    run(QStringLiteral("SET lock_timeout = '5s'"));
}

PgConnection::~PgConnection() { PQfinish(m_conn); }

void PgConnection::ensureConnected() {
    if (PQstatus(m_conn) == CONNECTION_OK)
        return;
    // A lost connection is tried once more before it is reported.
    PQreset(m_conn);
    m_prepared.clear();
    if (PQstatus(m_conn) != CONNECTION_OK)
        throw EngineError(ErrIo, QStringLiteral("Die Verbindung zum Datenbankserver %1 ist unterbrochen").arg(serverName(m_conn)));
}

void PgConnection::fail(const PGresult* result) {
    if (PQstatus(m_conn) != CONNECTION_OK)
        throw EngineError(ErrIo, QStringLiteral("Die Verbindung zum Datenbankserver %1 ist unterbrochen").arg(serverName(m_conn)));
    const QByteArray state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const QString primary = QString::fromUtf8(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY));
    if (state == "42P01")
        throw EngineError(ErrTableMissing, QStringLiteral("Die Tabelle ist in der Datenbank nicht vorhanden (%1)").arg(primary));
    if (state.startsWith("23"))
        throw EngineError(ErrConstraint, QStringLiteral("Die Änderung verletzt eine Regel der Datenbank"));
    if (state == "22001")
        throw EngineError(ErrFieldTooSmall, QStringLiteral("Der Text ist zu lang für das Feld"));
    if (state == "42501")
        throw EngineError(ErrReadOnly, QStringLiteral("Keine Berechtigung, die Tabelle zu ändern"));
    if (state == "55P03" || state == "40P01" || state == "40001" || state == "57014")
        throw EngineError(ErrLocked, QStringLiteral("Die Daten sind zurzeit von einem anderen Benutzer gesperrt. "
                                                    "Bitte versuchen Sie es in einigen Sekunden erneut"));
    throw EngineError(ErrInternal, QStringLiteral("Fehler des Datenbankservers: %1").arg(primary));
}

PgResult PgConnection::checked(PgResult r) {
    const auto status = PQresultStatus(r.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(r.get());
    return r;
}

PgResult PgConnection::run(const QString& sql, const QVariantList& params) {
    ensureConnected();
    const ParamTexts p(params);
    return checked(PgResult(PQexecParams(m_conn, sql.toUtf8().constData(), int(params.size()), nullptr,
                                         p.pointers.data(), nullptr, nullptr, 0)));
}

PgResult PgConnection::runPrepared(const QByteArray& name, const QString& sql, const QVariantList& params) {
    ensureConnected();
    if (!m_prepared.contains(name)) {
        checked(PgResult(PQprepare(m_conn, name.constData(), sql.toUtf8().constData(), int(params.size()), nullptr)));
        m_prepared.insert(name);
    }
    const ParamTexts p(params);
    return checked(PgResult(PQexecPrepared(m_conn, name.constData(), int(params.size()), p.pointers.data(), nullptr,
                                           nullptr, 0)));
}

bool PgConnection::inTransaction() const { return PQtransactionStatus(m_conn) != PQTRANS_IDLE; }

std::shared_ptr<TableStore> PgConnection::openTable(const QString& name) { return std::make_shared<PgStore>(*this, name); }

bool PgConnection::hasTable(const QString& name) {
    return run(QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema() "
                              "AND table_name = $1"),
               {name})
               .integer(0, 0) > 0;
}

void PgConnection::execute(const QString& sql, const QVariantList& params) { run(sql, params); }

QList<QVariantList> PgConnection::query(const QString& sql, const QVariantList& params) {
    const PgResult r = run(sql, params);
    QList<QVariantList> rows;
    for (int i = 0; i < r.rows(); ++i) {
        QVariantList row;
        for (int c = 0; c < PQnfields(r.get()); ++c) {
            if (r.isNull(i, c))
                row << QVariant();
            else if (PQftype(r.get(), c) == 20 || PQftype(r.get(), c) == 23 || PQftype(r.get(), c) == 21)
                row << QVariant::fromValue<qint64>(r.integer(i, c));
            else
                row << r.text(i, c);
        }
        rows << row;
    }
    return rows;
}

void PgConnection::begin() { run(QStringLiteral("BEGIN")); }

void PgConnection::commit() { run(QStringLiteral("COMMIT")); }

void PgConnection::rollback() {
    if (PQstatus(m_conn) == CONNECTION_OK && inTransaction())
        run(QStringLiteral("ROLLBACK"));
}

std::unique_ptr<Connection> openServer(const QString& uri) { return std::make_unique<PgConnection>(uri); }

} // namespace engine
