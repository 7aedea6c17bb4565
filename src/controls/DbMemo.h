#pragma once

#include <QPlainTextEdit>

#include "FieldBinding.h"

namespace controls {

// A multi-line text bound to a memo field of the current entry.
class DbMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DbMemo(QWidget* parent = nullptr);

    void setDataSource(dataset::DataSource* source) { m_binding->setDataSource(source); }
    void setDataField(const QString& name) { m_binding->setDataField(name); }
    FieldBinding* binding() const { return m_binding; }
    // The text as stored: line breaks written as the stored text had them.
    QString storedText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void show(const QString& text);
    FieldBinding* m_binding;
    bool m_crlf = true;
    bool m_showing = false;
};

} // namespace controls
