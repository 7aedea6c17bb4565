#pragma once

#include <QMap>
#include <QStringList>
#include <functional>

#include "ImportSource.h"

struct ImportOptions {
    QString table = QStringLiteral("Lieferanten");
    QMap<QString, QString> columns;  // our field -> their column
    bool truncate = false;
};

struct ImportReport {
    qint64 read = 0;
    qint64 written = 0;
    bool idsKept = false;
    QString idNote;      // why new IDs were assigned, when they were
    QStringList cuts;    // texts cut with --truncate
};

// The fields of the supplier table an import can fill.
const QStringList& supplierFields();

// Checks the mapping against the source table; throws std::runtime_error
// with a German message when a column is missing or of an unsuitable type.
QMap<QString, int> resolveColumns(const SourceTable& source, const ImportOptions& options);

// Copies every row into the target file, all or nothing. A target that does
// not exist is created (and removed again when the import fails).
ImportReport importSuppliers(const SourceTable& source, const QString& target, const ImportOptions& options);
