#include "DbEdit.h"

#include <QContextMenuEvent>
#include <QMenu>

#include "Field.h"
#include "TextKeys.h"

namespace controls {

DbEdit::DbEdit(QWidget* parent) : QLineEdit(parent) {
    m_binding = new FieldBinding(this, {[this] { return text(); },
                                        [this](const QString& t) { setText(t); },
                                        [this](bool ro) { setReadOnly(ro); },
                                        [this] {
                                            setFocus();
                                            selectAll();
                                        }});
    connect(this, &QLineEdit::textEdited, m_binding, &FieldBinding::markModified);
    connect(m_binding, &FieldBinding::fieldBound, this, [this](dataset::Field* f) {
        setMaxLength(f && f->dataType() == dataset::FieldType::String ? f->size() : 32767);
    });
    setReadOnly(true);
}

void DbEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_binding->restore();
        selectAll();
        return;
    }
    if (isTextChangingKey(event) && !m_binding->ensureEditing())
        return;
    QLineEdit::keyPressEvent(event);
}

void DbEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !m_binding->ensureEditing())
        return;
    QLineEdit::inputMethodEvent(event);
}

void DbEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_binding->handOver();
}

void DbEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void DbEdit::contextMenuEvent(QContextMenuEvent* event) {
    // The standard menu, with the changing entries asking for edit state first.
    QMenu menu(this);
    const bool masked = echoMode() != QLineEdit::Normal;
    const auto changing = [this](void (QLineEdit::*op)()) {
        return [this, op] {
            if (m_binding->ensureEditing()) {
                (this->*op)();
                m_binding->markModified();
            }
        };
    };
    const bool canChange = m_binding->field() && !m_binding->field()->readOnly();
    menu.addAction(QStringLiteral("&Rückgängig"), this, changing(&QLineEdit::undo))->setEnabled(canChange && isUndoAvailable());
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Ausschneiden"), this, changing(&QLineEdit::cut))->setEnabled(canChange && hasSelectedText() && !masked);
    menu.addAction(QStringLiteral("&Kopieren"), this, &QLineEdit::copy)->setEnabled(hasSelectedText() && !masked);
    menu.addAction(QStringLiteral("&Einfügen"), this, changing(&QLineEdit::paste))->setEnabled(canChange);
    menu.addAction(QStringLiteral("&Löschen"), this, changing(&QLineEdit::del))->setEnabled(canChange && hasSelectedText());
    menu.addSeparator();
    menu.addAction(QStringLiteral("Alles &markieren"), this, &QLineEdit::selectAll);
    menu.exec(event->globalPos());
}

} // namespace controls
