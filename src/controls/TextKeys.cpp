#include "TextKeys.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace controls {

bool isTextChangingKey(const QKeyEvent* e) {
    for (auto key : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
                     QKeySequence::Delete, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
                     QKeySequence::DeleteEndOfLine})
        if (e->matches(key))
            return true;
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete)
        return true;
    if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = e->text();
    return !text.isEmpty() && text.front().isPrint();
}

} // namespace controls
