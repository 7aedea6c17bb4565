#include "TestDb.h"

#include "SupplierSchema.h"

#include <QRandomGenerator>

bool TestDb::onServer() { return qEnvironmentVariable("LIEFERANTEN_TEST_BACKEND") == QLatin1String("server"); }

QString TestDb::serverAddress() { return qEnvironmentVariable("LIEFERANTEN_TEST_PG"); }

TestDb::TestDb(const QList<QStringList>& rows) {
    m_path = m_dir.filePath(QStringLiteral("lieferanten.db"));
    if (onServer()) {
        // A schema of its own: tests running side by side never meet.
        m_schema = QStringLiteral("t%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
        engine::DbEngine e;
        e.createWorkspace("w", "Admin", "", 2)->openDatabase(serverAddress(), false, false, {})->execute(
            QStringLiteral("CREATE SCHEMA %1").arg(m_schema));
        m_path = serverAddress() + QStringLiteral("?options=-csearch_path%3D") + m_schema;
    }
    engine::DbEngine dbEngine;
    auto ws = dbEngine.createWorkspace(QStringLiteral("w"), QStringLiteral("Admin"), QString(), 2);
    auto db = ws->createDatabase(m_path, daten::supplierConnectString());
    daten::createSupplierTable(*db);
    for (const QStringList& row : rows) {
        QVariantList params;
        for (int i = 0; i < 7; ++i)
            params << (i < row.size() && !row[i].isNull() ? QVariant(row[i]) : QVariant());
        db->execute("INSERT INTO \"Lieferanten\" (\"Firma\", \"KDNR\", \"Benutzername\", \"Kennwort\", \"E-Mailadresse\", \"URL\", \"Bemerkung\") "
                    "VALUES ($1, $2, $3, $4, $5, $6, $7)",
                    params);
    }
}

TestDb::~TestDb() {
    if (m_schema.isEmpty())
        return;
    try {
        engine::DbEngine e;
        e.createWorkspace("w", "Admin", "", 2)->openDatabase(serverAddress(), false, false, {})->execute(
            QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
    } catch (...) {
    }
}

std::unique_ptr<engine::Database> TestDb::connect() const {
    engine::DbEngine dbEngine;
    auto ws = dbEngine.createWorkspace(QStringLiteral("w"), QStringLiteral("Admin"), QString(), 2);
    return ws->openDatabase(m_path, false, false, daten::supplierConnectString());
}

std::unique_ptr<engine::Recordset> TestDb::sortedRecordset(engine::Database& db) const {
    auto first = db.openRecordset(QStringLiteral("Lieferanten"), engine::dbOpenDynaset, 0, engine::dbOptimistic);
    first->setSort(QStringLiteral("[Firma] ASC "));
    return first->openRecordset();
}

void TestDb::exec(const QString& sql) const { connect()->execute(sql); }

QVariant TestDb::scalar(const QString& sql) const { return connect()->query(sql).value(0).value(0); }
