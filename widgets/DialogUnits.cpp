#include "widgets/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <QWidget>

namespace vantrel {

namespace {

// The base units of the window's font. The average width is taken over the 52 Latin
// letters, as the platform does, and rounded to whole pixels.
struct BaseUnits {
    int x;
    int y;
};

BaseUnits baseUnits(const QWidget& window) {
    const QFontMetrics metrics(window.font());
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int total = metrics.horizontalAdvance(letters);
    const int average = (total / 26 + 1) / 2;
    return {average > 0 ? average : 1, metrics.height() > 0 ? metrics.height() : 1};
}

int scale(int units, int base, int divisor) {
    // Rounded like MulDiv(units, base, divisor).
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

} // namespace

QSize dialogUnitsToPixels(const QWidget& window, int width, int height) {
    const BaseUnits base = baseUnits(window);
    return {scale(width, base.x, 4), scale(height, base.y, 8)};
}

QPoint dialogPointToPixels(const QWidget& window, int x, int y) {
    const QSize size = dialogUnitsToPixels(window, x, y);
    return {size.width(), size.height()};
}

void useDialogFont(QWidget& window) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    window.setFont(font);
}

} // namespace vantrel
