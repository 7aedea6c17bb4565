#include "SupplierSchema.h"

#include "DbEngine.h"
#include "SortFold.h"

namespace daten {

namespace {

constexpr const char* createTableSql = R"(CREATE TABLE Lieferanten (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    KDNR VARCHAR(50),
    Firma VARCHAR(255),
    Benutzername VARCHAR(255),
    Kennwort VARCHAR(255),
    "E-Mailadresse" VARCHAR(255),
    URL VARCHAR(255),
    Bemerkung MEMO
))";

} // namespace

QString supplierConnectString() { return QStringLiteral(";UID=Admin;PWD=%1;").arg(QLatin1String(databasePassword)); }

void createSupplierTable(engine::Database& db) {
    db.execute(QString::fromUtf8(createTableSql));
    // The sort key the list is ordered by; the search reads ranges of it. Firma
    // itself in the index lets the search test candidates without reading rows.
    db.execute(QStringLiteral("CREATE INDEX LieferantenFirmaSort ON Lieferanten (%1, ID, Firma)")
                   .arg(engine::sortFoldSql(QStringLiteral("Firma"))));
}

} // namespace daten
