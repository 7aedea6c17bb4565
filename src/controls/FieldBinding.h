#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "DataSource.h"

namespace controls {

// What a bound edit control shares: showing its field, asking for edit state
// before a change, handing its text to the field, restoring it on Escape.
class FieldBinding : public QObject, public dataset::DataLink {
    Q_OBJECT
public:
    struct Control {
        std::function<QString()> text;
        std::function<void(const QString&)> setText;
        std::function<void(bool)> setReadOnly;
        std::function<void()> onRefusedHandOver;  // keep the focus, maybe select
    };
    FieldBinding(QWidget* widget, Control control);
    ~FieldBinding() override;

    void setDataSource(dataset::DataSource* source);
    dataset::DataSource* dataSource() const { return m_source; }
    void setDataField(const QString& name);
    QString dataField() const { return m_fieldName; }
    dataset::Field* field() const;
    dataset::DaoTable* table() const;
    bool editing() const;

    // Before a text-changing key: puts the table into edit state. False when
    // the key must not take effect.
    bool ensureEditing();
    void markModified() { m_modified = true; }
    bool modified() const { return m_modified; }
    // Escape: the stored value again, discarding what was typed.
    void restore();
    // Focus lost: hands changed text to the field.
    void handOver();
    void updateRecord() override;

signals:
    void fieldBound(dataset::Field* field);

private:
    void attach();
    void detach();
    void refresh();

    QWidget* m_widget;
    Control m_control;
    QPointer<dataset::DataSource> m_source;
    QPointer<dataset::DaoTable> m_table;
    QString m_fieldName;
    bool m_modified = false;
    bool m_showing = false;
};

} // namespace controls
