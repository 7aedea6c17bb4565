#include "DataSource.h"

namespace dataset {

DataSource::DataSource(QString name, QObject* parent) : QObject(parent), m_name(std::move(name)) {}

void DataSource::setDataSet(DaoTable* table) {
    m_dataSet = table;
    emit dataSetChanged();
}

bool DataSource::edit() {
    if (!m_dataSet || !enabled || !m_dataSet->active())
        return false;
    if (autoEdit && m_dataSet->state() == DataSetState::Browse)
        m_dataSet->edit();
    return m_dataSet->state() == DataSetState::Edit || m_dataSet->state() == DataSetState::Insert;
}

} // namespace dataset
