#pragma once

#include <QString>

namespace engine {
class Database;
}

namespace daten {

// The password of every supplier database file.
inline constexpr const char* databasePassword = "wyvernquilt";

// The connect string the program opens its files with.
QString supplierConnectString();

// Creates the supplier table with what sorting and the search need.
void createSupplierTable(engine::Database& db);

} // namespace daten
