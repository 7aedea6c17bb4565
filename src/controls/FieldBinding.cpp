#include "FieldBinding.h"

#include <QTimer>
#include <QWidget>

using namespace dataset;

namespace controls {

FieldBinding::FieldBinding(QWidget* widget, Control control)
    : QObject(widget), m_widget(widget), m_control(std::move(control)) {}

FieldBinding::~FieldBinding() { detach(); }

void FieldBinding::setDataSource(DataSource* source) {
    detach();
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source)
        connect(m_source, &DataSource::dataSetChanged, this, [this] {
            detach();
            attach();
        });
    attach();
}

void FieldBinding::setDataField(const QString& name) {
    m_fieldName = name;
    refresh();
    emit fieldBound(field());
}

void FieldBinding::attach() {
    m_table = m_source ? m_source->dataSet() : nullptr;
    if (m_table) {
        m_table->addLink(this);
        connect(m_table, &DaoTable::recordChanged, this, &FieldBinding::refresh);
        connect(m_table, &DaoTable::stateChanged, this, &FieldBinding::refresh);
    }
    refresh();
    emit fieldBound(field());
}

void FieldBinding::detach() {
    if (m_table) {
        m_table->removeLink(this);
        disconnect(m_table, nullptr, this, nullptr);
    }
    m_table = nullptr;
}

DaoTable* FieldBinding::table() const { return m_table; }

Field* FieldBinding::field() const { return m_table ? m_table->findField(m_fieldName) : nullptr; }

bool FieldBinding::editing() const {
    return m_table && (m_table->state() == DataSetState::Edit || m_table->state() == DataSetState::Insert);
}

void FieldBinding::refresh() {
    const bool edit = editing();
    m_control.setReadOnly(!edit || !field() || field()->readOnly());
    // Text typed here and not yet handed over stays while the entry is pending.
    if (m_modified && edit)
        return;
    m_modified = false;
    const QString value = field() ? field()->asString() : QString();
    if (m_control.text() != value) {
        m_showing = true;
        m_control.setText(value);
        m_showing = false;
    }
}

bool FieldBinding::ensureEditing() {
    if (!m_table || !m_table->active() || !field() || field()->readOnly())
        return false;
    if (editing())
        return true;
    return m_source && m_source->edit();
}

void FieldBinding::restore() {
    m_modified = false;
    const QString value = field() ? field()->asString() : QString();
    m_control.setText(value);
}

void FieldBinding::updateRecord() {
    if (!m_modified || !field())
        return;
    try {
        field()->setAsString(m_control.text());
        m_modified = false;
    } catch (...) {
        m_control.onRefusedHandOver();
        throw;
    }
}

void FieldBinding::handOver() {
    if (!m_modified || !field())
        return;
    try {
        updateRecord();
    } catch (...) {
        // Report after the focus change has settled, then take the focus back.
        auto error = std::current_exception();
        QTimer::singleShot(0, m_widget, [this, error] {
            m_control.onRefusedHandOver();
            std::rethrow_exception(error);
        });
    }
}

} // namespace controls
