#include "platform/qt/ScreenPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vantrel::platform {
namespace {

QScreen* screenFor(const QWidget& window, const QRect& frame) {
    if (QScreen* screen = QGuiApplication::screenAt(frame.center()))
        return screen;
    if (QScreen* screen = QGuiApplication::screenAt(frame.topLeft()))
        return screen;
    if (QScreen* screen = window.screen())
        return screen;
    return QGuiApplication::primaryScreen();
}

// The start of a span of this length placed as near as may be to `wanted` within [low,
// high]; a span longer than the range starts at low.
int clampSpan(int wanted, int length, int low, int high) {
    return std::max(low, std::min(wanted, high - length + 1));
}

class ShowWatcher : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType())
            keepOnScreen(*static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

QPoint onScreenPosition(const QWidget& window, const QPoint& wanted) {
    const QRect frame(wanted, window.frameGeometry().size());
    QScreen* screen = screenFor(window, frame);
    if (!screen)
        return wanted;
    const QRect area = screen->availableGeometry();
    return {clampSpan(frame.x(), frame.width(), area.left(), area.right()),
            clampSpan(frame.y(), frame.height(), area.top(), area.bottom())};
}

void keepOnScreen(QWidget& window) {
    // For a window, pos() and move() are those of the frame's top left corner.
    const QPoint placed = onScreenPosition(window, window.pos());
    if (placed != window.pos())
        window.move(placed);
}

void keepOnScreenWhenShown(QWidget& window) {
    window.installEventFilter(new ShowWatcher(&window));
}

} // namespace vantrel::platform
