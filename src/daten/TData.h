#pragma once

#include <QObject>
#include <exception>
#include <functional>
#include <memory>

#include "DaoDatabase.h"
#include "DaoTable.h"
#include "DataSource.h"

using ErrorHandler = std::function<void(const std::exception&)>;

// The data module: the connection, the supplier table and its data source.
class TData : public QObject {
    Q_OBJECT
public:
    // Creates the components; an engine that cannot come up throws from here.
    // Then runs DataModuleCreate; what that throws goes to `handleError`.
    TData(ErrorHandler handleError, dataset::EngineFactory factory = dataset::defaultEngineFactory(),
          QString executablePath = {}, QObject* parent = nullptr);
    ~TData() override;

    void DataModuleCreate(QObject* Sender);

    // Declared in creation order; destroyed in reverse.
    std::unique_ptr<dataset::DaoTable> m_lieferanten;
    std::unique_ptr<dataset::DaoDatabase> m_database;
    std::unique_ptr<dataset::DataSource> m_lieferanten1;

    dataset::DaoTable* Lieferanten = nullptr;
    dataset::DaoDatabase* Database = nullptr;
    dataset::DataSource* Lieferanten1 = nullptr;

    dataset::Field* LieferantenID = nullptr;
    dataset::Field* LieferantenKDNR = nullptr;
    dataset::Field* LieferantenFirma = nullptr;
    dataset::Field* LieferantenBenutzername = nullptr;
    dataset::Field* LieferantenKennwort = nullptr;
    dataset::Field* LieferantenEMailadresse = nullptr;
    dataset::Field* LieferantenURL = nullptr;
    dataset::Field* LieferantenBemerkung = nullptr;

private:
    QString m_executablePath;
};

extern TData* Data;
