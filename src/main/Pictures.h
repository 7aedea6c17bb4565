#pragma once

#include <QColor>
#include <QIcon>

// The window's pictures, drawn at 16 x 16 with a transparent background.
namespace pictures {

enum class Shape { Plus, Minus, Floppy };

QPixmap commandPicture(Shape shape, const QColor& colour);
// Blue normally, red while the mouse is over the button.
QIcon commandIcon(Shape shape);
QIcon browserIcon();
QIcon copyIcon();
QIcon applicationIcon();

} // namespace pictures
