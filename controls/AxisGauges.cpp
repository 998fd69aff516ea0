#include "controls/AxisGauges.h"

#include "device/player/ControlNames.h"

#include <QPainter>

namespace vantrel {
namespace {

constexpr int kNameWidth = 60;
constexpr int kRowHeight = 18;

} // namespace

AxisGauges::AxisGauges(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("axisGauges"));
    setAccessibleName(QStringLiteral("Axes"));
    setMinimumHeight(kRowHeight * player::kAxisCount);
    setAxes({}, {});
}

QSize AxisGauges::sizeHint() const {
    return {360, kRowHeight * player::kAxisCount};
}

void AxisGauges::setAxes(const std::array<int, player::kAxisCount>& positions,
                         const std::array<std::vector<int>, player::kAxisCount>& breakpoints) {
    if (positions == positions_ && breakpoints == breakpoints_ &&
        !accessibleDescription().isEmpty())
        return;
    positions_ = positions;
    breakpoints_ = breakpoints;
    QStringList words;
    for (int axis = 0; axis < player::kAxisCount; ++axis) {
        QString line = QStringLiteral("%1 %2")
                           .arg(QString::fromLatin1(player::axisName(axis).data(),
                                                    qsizetype(player::axisName(axis).size())))
                           .arg(positions_[std::size_t(axis)]);
        const std::vector<int>& points = breakpoints_[std::size_t(axis)];
        if (!points.empty()) {
            QStringList at;
            for (const int point : points)
                at << QString::number(point);
            line += QStringLiteral(", breakpoints at ") + at.join(QStringLiteral(" "));
        }
        words << line;
    }
    setAccessibleDescription(words.join(QStringLiteral("; ")));
    update();
}

void AxisGauges::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int barWidth = std::max(40, width() - kNameWidth - 8);
    const auto xOf = [&](int position) {
        return kNameWidth + int((long long)(position - player::kAxisMinimum) * barWidth /
                                (player::kAxisMaximum - player::kAxisMinimum));
    };
    for (int axis = 0; axis < player::kAxisCount; ++axis) {
        const int top = axis * kRowHeight;
        const std::string_view name = player::axisName(axis);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, top, kNameWidth - 4, kRowHeight), Qt::AlignVCenter,
                         QString::fromLatin1(name.data(), qsizetype(name.size())));
        const QRect bar(kNameWidth, top + 5, barWidth, kRowHeight - 10);
        painter.fillRect(bar, palette().color(QPalette::Base));
        painter.drawRect(bar);
        painter.setPen(QPen(QColor(200, 60, 40), 1));
        for (const int point : breakpoints_[std::size_t(axis)])
            painter.drawLine(xOf(point), top + 2, xOf(point), top + kRowHeight - 2);
        const int x = xOf(positions_[std::size_t(axis)]);
        painter.fillRect(QRect(x - 2, top + 3, 5, kRowHeight - 6), QColor(0, 150, 220));
    }
}

} // namespace vantrel
