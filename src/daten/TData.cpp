#include "TData.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "IniFile.h"
#include "SupplierSchema.h"

using namespace dataset;

TData* Data = nullptr;

TData::TData(ErrorHandler handleError, EngineFactory factory, QString executablePath, QObject* parent)
    : QObject(parent), m_executablePath(std::move(executablePath)) {
    setObjectName(QStringLiteral("Data"));
    Data = this;
    try {
        m_lieferanten = std::make_unique<DaoTable>(QStringLiteral("Lieferanten"));
        m_database = std::make_unique<DaoDatabase>(std::move(factory));
        m_lieferanten1 = std::make_unique<DataSource>(QStringLiteral("Lieferanten1"));
    } catch (...) {
        Data = nullptr;
        throw;
    }
    Lieferanten = m_lieferanten.get();
    Database = m_database.get();
    Lieferanten1 = m_lieferanten1.get();

    Database->databasePassword = QString::fromLatin1(daten::databasePassword);
    if (!m_executablePath.isEmpty())
        Database->programFolder = QFileInfo(m_executablePath).absolutePath();

    Lieferanten->database = Database;
    Lieferanten->tableName = QStringLiteral("Lieferanten");
    Lieferanten->sortedBy = {QStringLiteral("[Firma] ASC")};
    Lieferanten->tableType = engine::dbOpenDynaset;
    Lieferanten->lockType = engine::dbOptimistic;
    LieferantenID = Lieferanten->addField(QStringLiteral("ID"), FieldType::AutoInc, 0, true);
    LieferantenKDNR = Lieferanten->addField(QStringLiteral("KDNR"), FieldType::String, 50);
    LieferantenFirma = Lieferanten->addField(QStringLiteral("Firma"), FieldType::String, 255);
    LieferantenBenutzername = Lieferanten->addField(QStringLiteral("Benutzername"), FieldType::String, 255);
    LieferantenKennwort = Lieferanten->addField(QStringLiteral("Kennwort"), FieldType::String, 255);
    LieferantenEMailadresse = Lieferanten->addField(QStringLiteral("E-Mailadresse"), FieldType::String, 255);
    LieferantenURL = Lieferanten->addField(QStringLiteral("URL"), FieldType::String, 255);
    LieferantenBemerkung = Lieferanten->addField(QStringLiteral("Bemerkung"), FieldType::Memo);

    Lieferanten1->setDataSet(Lieferanten);

    try {
        DataModuleCreate(this);
    } catch (const std::exception& e) {
        handleError(e);
    }
}

TData::~TData() {
    m_lieferanten1.reset();
    m_database.reset();  // closes the table; a pending entry is dropped
    m_lieferanten.reset();
    if (Data == this)
        Data = nullptr;
}

void TData::DataModuleCreate(QObject*) {
    const QString exe = m_executablePath.isEmpty() ? QCoreApplication::applicationFilePath() : m_executablePath;
    const QString path = daten::IniFile(daten::settingsPathFor(exe)).readString(QStringLiteral("DB"), QStringLiteral("main"), QString());
    Database->setConnected(false);
    Database->setDatabase(path);
    Database->setConnected(true);
    Lieferanten->open();
}
