#pragma once

#include <QWidget>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QToolButton;

namespace vantrel {

// A pair of up and down arrows that step the integer in a buddy box, like a spin control
// attached to an edit box. The arrows and the Up and Down keys in the box step from the
// number the box shows (or the last position when it shows none), clamp the result to the
// range, write it into the box as a plain integer and report it. Holding an arrow or a key
// speeds the steps up by the acceleration table.
class SpinArrows : public QWidget {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    struct Acceleration {
        std::chrono::milliseconds heldFor; // from this time of holding on ...
        int step;                          // ... each step moves this far
    };

    explicit SpinArrows(QLineEdit* buddy, QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // The position the arrows step from when the box holds no integer; clamped to the range.
    void setPosition(int position);
    int position() const { return position_; }

    // Sorted by heldFor, the first entry at 0. One step of 1 by default.
    void setAcceleration(std::vector<Acceleration> table);
    // The time source for measuring how long an arrow has been held; the steady clock by default.
    void setClock(Clock clock);

    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }

signals:
    // After the box shows the new position.
    void stepped(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void arrowPressed(int direction);
    void arrowReleased(QToolButton* arrow);
    void step(int direction);
    int currentStep() const;

    QLineEdit* buddy_;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    std::vector<Acceleration> acceleration_{{std::chrono::milliseconds(0), 1}};
    Clock clock_;
    bool holding_ = false;
    std::chrono::steady_clock::time_point holdStart_;
};

// Reads a whole integer such as a spin control writes: blanks around it allowed, an optional
// sign, decimal digits, nothing else, and within the range of int.
std::optional<int> parseBoxInteger(const QString& text);

} // namespace vantrel
