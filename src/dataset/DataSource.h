#pragma once

#include <QObject>

#include "DaoTable.h"

namespace dataset {

// Connects bound controls to a table; with AutoEdit a typed change puts the
// table into edit state.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QString name, QObject* parent = nullptr);

    QString name() const { return m_name; }
    DaoTable* dataSet() const { return m_dataSet; }
    void setDataSet(DaoTable* table);
    bool autoEdit = true;
    bool enabled = true;

    // Asks for edit state before a bound control changes text; true when the
    // table is then in edit or insert state.
    bool edit();

signals:
    void dataSetChanged();

private:
    QString m_name;
    DaoTable* m_dataSet = nullptr;
};

} // namespace dataset
