#include "GridModel.h"

using namespace dataset;

namespace controls {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setDataSource(DataSource* source) {
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source)
        connect(m_source, &DataSource::dataSetChanged, this, &GridModel::attach);
    attach();
}

void GridModel::setColumns(QList<GridColumn> columns) {
    beginResetModel();
    m_columns = std::move(columns);
    m_cache.clear();
    endResetModel();
}

void GridModel::attach() {
    if (m_table)
        disconnect(m_table, nullptr, this, nullptr);
    m_table = m_source ? m_source->dataSet() : nullptr;
    if (m_table) {
        connect(m_table, &DaoTable::rowsChanged, this, &GridModel::rowsChanged);
        connect(m_table, &DaoTable::recordChanged, this, &GridModel::recordChanged);
        connect(m_table, &DaoTable::stateChanged, this, &GridModel::recordChanged);
    }
    beginResetModel();
    m_cache.clear();
    m_rows = m_table ? m_table->displayRowCount() : 0;
    endResetModel();
    emit currentRowChanged();
}

Field* GridModel::field(int column) const {
    return (m_table && column >= 0 && column < m_columns.size()) ? m_table->findField(m_columns[column].fieldName)
                                                                 : nullptr;
}

void GridModel::rowsChanged() {
    m_cache.clear();
    const int rows = m_table ? m_table->displayRowCount() : 0;
    if (rows != m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
    } else if (m_rows > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
    }
    emit currentRowChanged();
}

void GridModel::recordChanged() {
    // Values are read anew whenever the current entry moves or changes.
    m_cache.clear();
    if (m_rows > 0) {
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
    }
    emit currentRowChanged();
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_columns.size()); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!m_table || !index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.row() == m_table->currentDisplayRow()) {
        const Field* f = field(index.column());
        return f ? m_table->displayText(index.row(), f) : QString();
    }
    auto it = m_cache.find(index.row());
    if (it == m_cache.end()) {
        if (m_cache.size() > 1000)
            m_cache.clear();
        QStringList values;
        for (int c = 0; c < m_columns.size(); ++c) {
            const Field* f = field(c);
            values << (f ? m_table->displayText(index.row(), f) : QString());
        }
        it = m_cache.insert(index.row(), values);
    }
    return it->value(index.column());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < m_columns.size() ? m_columns[section].title : QVariant();
    if (!m_table || section != m_table->currentDisplayRow())
        return QString();
    switch (m_table->state()) {
    case DataSetState::Edit: return QStringLiteral("I");
    case DataSetState::Insert: return QStringLiteral("*");
    default: return QStringLiteral("\u25B6");
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const Field* fld = field(index.column());
    if (m_table && m_table->canModify() && fld && !fld->readOnly())
        f |= Qt::ItemIsEditable;
    return f;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    Field* f = field(index.column());
    if (role != Qt::EditRole || !f || !m_table)
        return false;
    if (f->asString() == value.toString())  // an editor closed unchanged sets nothing
        return true;
    f->setAsString(value.toString());
    return true;
}

} // namespace controls
