#pragma once

#include <QLineEdit>

#include "FieldBinding.h"

namespace controls {

// An edit field bound to one field of the current entry.
class DbEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DbEdit(QWidget* parent = nullptr);

    void setDataSource(dataset::DataSource* source) { m_binding->setDataSource(source); }
    void setDataField(const QString& name) { m_binding->setDataField(name); }
    FieldBinding* binding() const { return m_binding; }

signals:
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    FieldBinding* m_binding;
};

} // namespace controls
