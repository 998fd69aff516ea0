#pragma once

#include "device/player/PlayerTypes.h"

#include <QWidget>

#include <array>
#include <vector>

namespace vantrel {

// The six axes as bars: where each stands, and the breakpoints of the chain bound to it in
// the active mode as ticks. Its accessible description says the same in words.
class AxisGauges : public QWidget {
    Q_OBJECT
public:
    explicit AxisGauges(QWidget* parent = nullptr);

    // positions: kAxisMinimum..kAxisMaximum; breakpoints: each axis's, as positions too.
    void setAxes(const std::array<int, player::kAxisCount>& positions,
                 const std::array<std::vector<int>, player::kAxisCount>& breakpoints);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<int, player::kAxisCount> positions_{};
    std::array<std::vector<int>, player::kAxisCount> breakpoints_;
};

} // namespace vantrel
