#pragma once

#include <QAbstractSpinBox>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QLineEdit;

namespace vantrel {

// A spin box of integers whose text stays the user's: anything may be typed (the panel judges
// it when the box is left), while the arrows, the Up and Down keys and the wheel step from the
// number the box shows (or the last position when it shows none), clamp the result to the
// range, write it into the box as a plain integer and report it. Holding an arrow or a key
// speeds the steps up by the acceleration table.
class NumberSpinBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    struct Acceleration {
        std::chrono::milliseconds heldFor; // from this time of holding on ...
        int step;                          // ... each step moves this far
    };

    explicit NumberSpinBox(QWidget* parent = nullptr);

    // The box the number is typed into: the spin box's own line edit.
    QLineEdit* box() const { return lineEdit(); }

    void setRange(int minimum, int maximum);
    // The position the arrows step from when the box holds no integer; clamped to the range.
    void setPosition(int position);

    // Sorted by heldFor, the first entry at 0. One step of 1 by default.
    void setAcceleration(std::vector<Acceleration> table);
    // The time source for measuring how long an arrow has been held; the steady clock by default.
    void setClock(Clock clock);

    void stepBy(int steps) override;

signals:
    // After the box shows the new position.
    void stepped(int position);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int currentStep() const;

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
