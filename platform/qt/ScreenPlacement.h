#pragma once

#include <QPoint>

class QWidget;

namespace vantrel::platform {

// Where a window whose frame's top left corner is wanted at this point must go to lie on
// the available area of the screen it would be on (or of the screen that holds most of it).
// A window larger than that area keeps its top left corner in it.
QPoint onScreenPosition(const QWidget& window, const QPoint& wanted);

// Moves a window, frame included, into the available area of the screen it is on (or of
// the screen that holds most of it), so that no part of it opens off-screen. A window
// larger than that area keeps its top left corner in it.
void keepOnScreen(QWidget& window);

// Runs keepOnScreen each time the window is shown, before the window's own show handler.
void keepOnScreenWhenShown(QWidget& window);

} // namespace vantrel::platform
