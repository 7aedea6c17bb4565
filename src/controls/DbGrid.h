#pragma once

#include <QTableView>

#include "GridModel.h"

namespace controls {

// A grid of the table's entries with in-place editing; its current row is
// the table's current entry.
class DbGrid : public QTableView {
    Q_OBJECT
public:
    explicit DbGrid(QWidget* parent = nullptr);

    void setDataSource(dataset::DataSource* source);
    void setColumns(const QList<GridColumn>& columns);
    GridModel* gridModel() const { return m_model; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    void syncCurrentRow();
    bool atLastRow() const;
    bool untouchedInsert() const;

    GridModel* m_model;
    bool m_syncing = false;
};

} // namespace controls
