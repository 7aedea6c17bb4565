#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>

#include "DataSource.h"

namespace controls {

struct GridColumn {
    QString fieldName;
    QString title;
    int width = 64;
};

// The table's rows for a grid: only the rows on screen are ever read.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    void setDataSource(dataset::DataSource* source);
    void setColumns(QList<GridColumn> columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    dataset::DaoTable* table() const { return m_table; }
    dataset::DataSource* dataSource() const { return m_source; }
    dataset::Field* field(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void currentRowChanged();

private:
    void attach();
    void rowsChanged();
    void recordChanged();

    QPointer<dataset::DataSource> m_source;
    QPointer<dataset::DaoTable> m_table;
    QList<GridColumn> m_columns;
    int m_rows = 0;
    int m_indicatorRow = -1;
    mutable QHash<int, QStringList> m_cache;  // rows read since the table last changed
};

} // namespace controls
