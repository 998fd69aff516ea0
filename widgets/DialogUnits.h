#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace vantrel {

// Windows are laid out in dialog units, which follow the window's font: a horizontal unit is
// a quarter of the font's average character width, a vertical unit an eighth of its height.
QSize dialogUnitsToPixels(const QWidget& window, int width, int height);
QPoint dialogPointToPixels(const QWidget& window, int x, int y);

// Sets the 8-point sans-serif font the program's windows are laid out in.
void useDialogFont(QWidget& window);

} // namespace vantrel
