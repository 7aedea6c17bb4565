#pragma once

class QKeyEvent;

namespace controls {

// True for a key that changes an edit control's text: a printable character,
// Backspace, Delete, paste, cut, undo or redo.
bool isTextChangingKey(const QKeyEvent* event);

} // namespace controls
