#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

// A source table as the import sees it: named columns of a kind, and rows of
// values (text, whole numbers or null).
struct SourceColumn {
    enum Kind { Text, Memo, WholeNumber, Other };
    QString name;
    Kind kind = Other;
    QString typeName;  // as the source names it, for messages
};

struct SourceTable {
    QString name;
    std::vector<SourceColumn> columns;
    std::vector<std::vector<QVariant>> rows;
};

// Reads one table of an Access file (Jet 3/4) through mdbtools. Throws
// std::runtime_error with a German message when it cannot.
SourceTable readAccessTable(const QString& path, const QString& table,
                            const std::function<void(qint64)>& progress = {});
