#include "panels/SpinArrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

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

SpinArrows::SpinArrows(QLineEdit* buddy, QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this)),
      clock_([] { return std::chrono::steady_clock::now(); }) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);

    connect(up_, &QToolButton::pressed, this, [this] { arrowPressed(+1); });
    connect(down_, &QToolButton::pressed, this, [this] { arrowPressed(-1); });
    connect(up_, &QToolButton::released, this, [this] { arrowReleased(up_); });
    connect(down_, &QToolButton::released, this, [this] { arrowReleased(down_); });
    buddy_->installEventFilter(this);
}

void SpinArrows::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
}

void SpinArrows::setPosition(int position) {
    position_ = std::clamp(position, minimum_, maximum_);
}

void SpinArrows::setAcceleration(std::vector<Acceleration> table) {
    if (!table.empty())
        acceleration_ = std::move(table);
}

void SpinArrows::setClock(Clock clock) {
    clock_ = std::move(clock);
}

void SpinArrows::arrowPressed(int direction) {
    // An auto-repeating arrow reports "pressed" again at every repeat while it is held.
    if (!holding_) {
        holding_ = true;
        holdStart_ = clock_();
    }
    step(direction);
}

void SpinArrows::arrowReleased(QToolButton* arrow) {
    // Repeats report "released" too, with the arrow still down.
    if (!arrow->isDown())
        holding_ = false;
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            if (event->type() == QEvent::KeyPress) {
                if (!key->isAutoRepeat()) {
                    holding_ = true;
                    holdStart_ = clock_();
                }
                step(key->key() == Qt::Key_Up ? +1 : -1);
            } else if (!key->isAutoRepeat()) {
                holding_ = false;
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int SpinArrows::currentStep() const {
    const auto held = holding_ ? clock_() - holdStart_ : std::chrono::steady_clock::duration{};
    int step = acceleration_.front().step;
    for (const Acceleration& entry : acceleration_) {
        if (held >= entry.heldFor)
            step = entry.step;
    }
    return step;
}

void SpinArrows::step(int direction) {
    const int from = parseBoxInteger(buddy_->text()).value_or(position_);
    const long long next =
        static_cast<long long>(from) + static_cast<long long>(direction) * currentStep();
    position_ = static_cast<int>(std::clamp<long long>(next, minimum_, maximum_));
    buddy_->setText(QString::number(position_));
    Q_EMIT stepped(position_);
}

} // namespace vantrel
