#include "TestDb.h"

#include "SupplierSchema.h"

TestDb::TestDb(const QList<QStringList>& rows) {
    m_path = m_dir.filePath(QStringLiteral("lieferanten.db"));
    engine::DbEngine dbEngine;
    auto ws = dbEngine.createWorkspace(QStringLiteral("w"), QStringLiteral("Admin"), QString(), 2);
    auto db = ws->createDatabase(m_path, daten::supplierConnectString());
    daten::createSupplierTable(*db);
    for (const QStringList& row : rows) {
        QVariantList params;
        for (int i = 0; i < 7; ++i)
            params << (i < row.size() && !row[i].isNull() ? QVariant(row[i]) : QVariant());
        db->execute("INSERT INTO Lieferanten (Firma, KDNR, Benutzername, Kennwort, \"E-Mailadresse\", URL, Bemerkung) "
                    "VALUES ($1, $2, $3, $4, $5, $6, $7)",
                    params);
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
