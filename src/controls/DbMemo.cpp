#include "DbMemo.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>

#include "Field.h"
#include "TextKeys.h"

namespace controls {

DbMemo::DbMemo(QWidget* parent) : QPlainTextEdit(parent) {
    m_binding = new FieldBinding(this, {[this] { return storedText(); },
                                        [this](const QString& t) { show(t); },
                                        [this](bool ro) { setReadOnly(ro); },
                                        [this] { setFocus(); }});
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_binding->markModified();
    });
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    setReadOnly(true);
}

void DbMemo::show(const QString& text) {
    m_showing = true;
    // Keep the stored line breaks: CR LF unless the text holds bare LFs only.
    m_crlf = text.contains(QLatin1String("\r\n")) || !text.contains(u'\n');
    setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    m_showing = false;
}

QString DbMemo::storedText() const {
    QString text = toPlainText();
    if (m_crlf)
        text.replace(u'\n', QLatin1String("\r\n"));
    return text;
}

void DbMemo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_binding->restore();
        return;
    }
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                         (event->key() == Qt::Key_J && event->modifiers() == Qt::ControlModifier);
    if ((newLine || isTextChangingKey(event)) && !m_binding->ensureEditing())
        return;
    if (event->key() == Qt::Key_J && event->modifiers() == Qt::ControlModifier) {
        insertPlainText(QStringLiteral("\n"));
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DbMemo::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty() && !m_binding->ensureEditing())
        return;
    QPlainTextEdit::inputMethodEvent(event);
}

void DbMemo::insertFromMimeData(const QMimeData* source) {
    if (m_binding->ensureEditing())
        QPlainTextEdit::insertFromMimeData(source);
}

void DbMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        m_binding->handOver();
}

void DbMemo::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const bool canChange = m_binding->field() && !m_binding->field()->readOnly();
    const bool selected = textCursor().hasSelection();
    const auto changing = [this](void (QPlainTextEdit::*op)()) {
        return [this, op] {
            if (m_binding->ensureEditing())
                (this->*op)();
        };
    };
    menu.addAction(QStringLiteral("&Rückgängig"), this, changing(&QPlainTextEdit::undo))->setEnabled(canChange && document()->isUndoAvailable());
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Ausschneiden"), this, changing(&QPlainTextEdit::cut))->setEnabled(canChange && selected);
    menu.addAction(QStringLiteral("&Kopieren"), this, &QPlainTextEdit::copy)->setEnabled(selected);
    menu.addAction(QStringLiteral("&Einfügen"), this, changing(&QPlainTextEdit::paste))->setEnabled(canChange);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Alles &markieren"), this, &QPlainTextEdit::selectAll);
    menu.exec(event->globalPos());
}

} // namespace controls
