#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "DbEngine.h"

// A fresh encrypted supplier database in a temporary folder.
class TestDb {
public:
    // Each entry: Firma, then optionally KDNR, Benutzername, Kennwort, E-Mailadresse, URL, Bemerkung.
    TestDb() : TestDb(QList<QStringList>{}) {}
    TestDb(std::initializer_list<QStringList> rows) : TestDb(QList<QStringList>(rows)) {}
    explicit TestDb(const QList<QStringList>& rows);
    ~TestDb();

    // The file, or the server address with a schema of its own for this test.
    QString path() const { return m_path; }
    // The tests run on a file unless LIEFERANTEN_TEST_BACKEND=server names the server
    // (its address in LIEFERANTEN_TEST_PG).
    static bool onServer();
    static QString serverAddress();
    QString folder() const { return m_dir.path(); }
    // A second user: another connection to the same file.
    std::unique_ptr<engine::Database> connect() const;
    std::unique_ptr<engine::Recordset> sortedRecordset(engine::Database& db) const;
    void exec(const QString& sql) const;
    QVariant scalar(const QString& sql) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_schema;
};
