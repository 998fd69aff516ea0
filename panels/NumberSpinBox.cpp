#include "panels/NumberSpinBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <charconv>

namespace vantrel {

std::optional<int> parseBoxInteger(const QString& text) {
    const std::string digits = text.trimmed().toStdString();
    std::string_view view = digits;
    if (view.size() > 1 && view.front() == '+' && view[1] != '-')
        view.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
    if (error != std::errc() || end != view.data() + view.size() || view.empty())
        return std::nullopt;
    return value;
}

NumberSpinBox::NumberSpinBox(QWidget* parent)
    : QAbstractSpinBox(parent), clock_([] { return std::chrono::steady_clock::now(); }) {
    // Focused by click and Tab as a plain box is, not by the wheel passing over it.
    setFocusPolicy(Qt::StrongFocus);
}

void NumberSpinBox::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
}

void NumberSpinBox::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void NumberSpinBox::setAcceleration(std::vector<Acceleration> table) {
    if (!table.empty())
        acceleration_ = std::move(table);
}

void NumberSpinBox::setClock(Clock clock) {
    clock_ = std::move(clock);
}

// Both arrows always answer: a step at the edge of the range clamps and still reports.
QAbstractSpinBox::StepEnabled NumberSpinBox::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

void NumberSpinBox::stepBy(int steps) {
    const int from = parseBoxInteger(text()).value_or(position_);
    const long long next =
        static_cast<long long>(from) + static_cast<long long>(steps) * currentStep();
    position_ = static_cast<int>(std::clamp<long long>(next, minimum_, maximum_));
    lineEdit()->setText(QString::number(position_));
    Q_EMIT stepped(position_);
}

// The keyboard's own repeat paces a held key: one step for each press it reports.
void NumberSpinBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down)
        return QAbstractSpinBox::keyPressEvent(event);
    if (!event->isAutoRepeat()) {
        holding_ = true;
        holdStart_ = clock_();
    }
    stepBy(event->key() == Qt::Key_Up ? +1 : -1);
    event->accept();
}

void NumberSpinBox::keyReleaseEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) && !event->isAutoRepeat())
        holding_ = false;
    QAbstractSpinBox::keyReleaseEvent(event);
}

// Qt steps once at the press of an arrow and repeats while it is held.
void NumberSpinBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        holding_ = true;
        holdStart_ = clock_();
    }
    QAbstractSpinBox::mousePressEvent(event);
}

void NumberSpinBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        holding_ = false;
    QAbstractSpinBox::mouseReleaseEvent(event);
}

int NumberSpinBox::currentStep() const {
    const auto held = holding_ ? clock_() - holdStart_ : std::chrono::steady_clock::duration{};
    int step = acceleration_.front().step;
    for (const Acceleration& entry : acceleration_) {
        if (held >= entry.heldFor)
            step = entry.step;
    }
    return step;
}

} // namespace vantrel
