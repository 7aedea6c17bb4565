#include "DbGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include "Field.h"
#include "MessageBox.h"
#include "ReportLater.h"

using namespace dataset;

namespace controls {

namespace {

// Cell editor limited to the field's size.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(GridModel* model, QObject* parent) : QStyledItemDelegate(parent), m_model(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(w)) {
            const Field* f = m_model->field(index.column());
            line->setMaxLength(f && f->dataType() == FieldType::String ? f->size() : 255);
            line->setFrame(false);
        }
        return w;
    }

private:
    GridModel* m_model;
};

} // namespace

DbGrid::DbGrid(QWidget* parent) : QTableView(parent), m_model(new GridModel(this)) {
    setModel(m_model);
    setItemDelegate(new CellDelegate(m_model, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setShowGrid(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    // Fixed row heights: a million rows cost no more than a hundred.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setFixedWidth(14);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setSectionsClickable(false);
    connect(m_model, &GridModel::currentRowChanged, this, &DbGrid::syncCurrentRow);
}

void DbGrid::setDataSource(DataSource* source) { m_model->setDataSource(source); }

void DbGrid::setColumns(const QList<GridColumn>& columns) {
    m_model->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns[i].width);
}

void DbGrid::syncCurrentRow() {
    DaoTable* t = m_model->table();
    const int row = t ? t->currentDisplayRow() : -1;
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : horizontalHeader()->logicalIndex(0);
    const QModelIndex target = m_model->index(row, std::max(0, column));
    if (currentIndex() != target) {
        m_syncing = true;
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        m_syncing = false;
    }
    scrollTo(target);
}

void DbGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    DaoTable* t = m_model->table();
    if (m_syncing || !t || !current.isValid() || current.row() == t->currentDisplayRow())
        return;
    try {
        t->moveToDisplayRow(current.row());
    } catch (...) {
        // A refused save stops the move: the grid stays on the pending entry.
        reportLater(this, std::current_exception());
    }
    syncCurrentRow();
}

bool DbGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (trigger == QAbstractItemView::AllEditTriggers || !(editTriggers() & trigger) || !index.isValid())
        return QTableView::edit(index, trigger, event);
    DaoTable* t = m_model->table();
    if (!t || !t->active() || !(m_model->flags(index) & Qt::ItemIsEditable))
        return false;
    if (trigger == QAbstractItemView::AnyKeyPressed) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().isEmpty() || !key->text().front().isPrint() ||
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
    }
    // Typing into a cell asks for edit state first, as a bound field does.
    if (t->state() == DataSetState::Browse && !(m_model->dataSource() && m_model->dataSource()->edit()))
        return false;
    return QTableView::edit(index, trigger, event);
}

bool DbGrid::atLastRow() const { return currentIndex().row() == m_model->rowCount() - 1; }

bool DbGrid::untouchedInsert() const {
    DaoTable* t = m_model->table();
    return t && t->state() == DataSetState::Insert && !t->modified();
}

void DbGrid::keyPressEvent(QKeyEvent* event) {
    DaoTable* t = m_model->table();
    if (!t || !t->active()) {
        QTableView::keyPressEvent(event);
        return;
    }
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        t->insert();
        return;
    }
    if (key == Qt::Key_Delete && mods == Qt::ControlModifier) {
        if (t->isEmpty())
            return;
        if (messageDlg(QStringLiteral("Datensatz löschen?"), BoxType::Confirmation, {BoxButton::Ok, BoxButton::Cancel}) ==
            BoxButton::Ok)
            t->remove();
        return;
    }
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        t->cancel();
        return;
    }
    if (key == Qt::Key_Up && mods == Qt::NoModifier && untouchedInsert()) {
        t->cancel();
        return;
    }
    if (key == Qt::Key_Down && mods == Qt::NoModifier && atLastRow()) {
        if (untouchedInsert()) {
            if (!t->insertIsAppend())
                t->cancel();
            return;
        }
        if (t->canModify())
            t->append();
        return;
    }
    if (key == Qt::Key_Down && mods == Qt::NoModifier && untouchedInsert() && !t->insertIsAppend()) {
        t->cancel();
        return;
    }
    if (key == Qt::Key_Tab && mods == Qt::NoModifier && atLastRow() &&
        currentIndex().column() == horizontalHeader()->logicalIndex(m_model->columnCount() - 1)) {
        if (!untouchedInsert() && t->canModify()) {
            t->append();
            const QModelIndex first = m_model->index(t->currentDisplayRow(), horizontalHeader()->logicalIndex(0));
            m_syncing = true;
            setCurrentIndex(first);
            m_syncing = false;
        }
        return;
    }
    if ((key == Qt::Key_Home || key == Qt::Key_End) && mods == Qt::ControlModifier) {
        key == Qt::Key_Home ? t->first() : t->last();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DbGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    QWidget* now = QApplication::focusWidget();
    const bool stillInside = now && (now == this || isAncestorOf(now));
    if (stillInside || event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    // Leaving the grid drops a new entry nobody typed into.
    if (untouchedInsert())
        m_model->table()->cancel();
}

} // namespace controls
