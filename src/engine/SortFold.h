#pragma once

#include <QByteArray>
#include <QString>

namespace engine {

// The sort key of a text column: letter case folded for A to Z, umlauts
// sorted with their base letters and ß as "ss", as German users expect in a
// list of names. The SQL form uses built-in functions only, so an index on it
// stays usable by the standard sqlcipher shell.
QString sortFoldSql(const QString& columnSql);

// The same folding in C++, byte for byte what the SQL form yields (UTF-8).
QByteArray sortFold(const QString& text);

// True when sortFold keeps every character of the text that Unicode case
// mapping could match, so a range of the sort key covers all case-insensitive
// prefix matches.
bool sortFoldCoversCase(const QString& text);

} // namespace engine
