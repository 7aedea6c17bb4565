#pragma once

#include <QStringList>
#include <memory>

#include "TData.h"
#include "TestDb.h"

// The data module on a fresh database, started as the program starts it:
// from a settings file beside a (pretend) executable in the database's folder.
class TestModule {
public:
    explicit TestModule(const QList<QStringList>& rows = {});
    TestModule(std::initializer_list<QStringList> rows) : TestModule(QList<QStringList>(rows)) {}

    TestDb db;
    std::unique_ptr<TData> data;
    QStringList errors;  // what reached the error handler during start-up

    dataset::DaoTable& table() const { return *data->Lieferanten; }
    dataset::Field& field(const char* name) const { return *data->Lieferanten->findField(QString::fromUtf8(name)); }
    QString firma() const { return field("Firma").asString(); }
    // A second program on the same file.
    std::unique_ptr<TData> secondUser() const;
    static QString executableIn(const QString& folder);
};

// Runs f and returns the message of what it threw (empty when nothing).
QString messageOf(const std::function<void()>& f);
