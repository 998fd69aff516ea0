#pragma once

#include "controls/TrialRun.h"

#include <QElapsedTimer>
#include <QGroupBox>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSlider;

namespace vantrel {

// A try of the open profile without hardware: the controls clicked and the axis moved here,
// each at the time it was done, played against the profile's device file; the timeline shown
// is the one `vantrel-driver --play` prints for the same input.
class TryBox : public QGroupBox {
    Q_OBJECT
public:
    using Bytes = std::optional<std::vector<std::uint8_t>>;
    // bytes: the device file the try plays, nothing while there is none to play.
    explicit TryBox(std::function<const Bytes*()> bytes, QWidget* parent = nullptr);

    const TrialRun& trial() const { return trial_; }
    // What the try plays, in a line of its own.
    void setSource(const QString& text);
    // Presses and releases a button, or moves a hat to a direction and back.
    void click(const player::ControlInput& control);
    // Makes an axis the one the slider moves, and gives the slider the focus.
    void chooseAxis(int axis);
    // Plays the try again, against the device file as it is now.
    void replay();

private:
    void moveAxis(int value);
    void startOver();
    long long now();

    std::function<const Bytes*()> bytes_;
    TrialRun trial_;
    QElapsedTimer clock_;
    QLabel* sourceLabel_ = nullptr;
    QComboBox* axisBox_ = nullptr;
    QSlider* axisSlider_ = nullptr;
    QPlainTextEdit* timeline_ = nullptr;
};

} // namespace vantrel
