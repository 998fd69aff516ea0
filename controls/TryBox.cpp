#include "controls/TryBox.h"

#include "device/player/ControlNames.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace vantrel {

TryBox::TryBox(std::function<const Bytes*()> bytes, QWidget* parent)
    : QGroupBox(QStringLiteral("Try the open profile"), parent), bytes_(std::move(bytes)) {
    setObjectName(QStringLiteral("tryBox"));
    auto* layout = new QVBoxLayout(this);
    sourceLabel_ = new QLabel;
    sourceLabel_->setObjectName(QStringLiteral("trySourceLabel"));
    sourceLabel_->setAccessibleName(QStringLiteral("What the try plays"));
    sourceLabel_->setWordWrap(true);
    layout->addWidget(sourceLabel_);

    auto* axisRow = new QHBoxLayout;
    axisBox_ = new QComboBox;
    axisBox_->setObjectName(QStringLiteral("tryAxisBox"));
    axisBox_->setAccessibleName(QStringLiteral("Axis to move"));
    for (int axis = 0; axis < player::kAxisCount; ++axis)
        axisBox_->addItem(QString::fromUtf8(player::axisName(axis).data(),
                                            qsizetype(player::axisName(axis).size())));
    axisSlider_ = new QSlider(Qt::Horizontal);
    axisSlider_->setObjectName(QStringLiteral("tryAxisSlider"));
    axisSlider_->setAccessibleName(QStringLiteral("Axis position"));
    axisSlider_->setRange(player::kAxisMinimum, player::kAxisMaximum);
    axisSlider_->setPageStep(4096);
    axisSlider_->setTracking(true);
    connect(axisSlider_, &QSlider::valueChanged, this, &TryBox::moveAxis);
    auto* clear = new QPushButton(QStringLiteral("&Start Over"));
    clear->setObjectName(QStringLiteral("tryClearButton"));
    clear->setAccessibleName(QStringLiteral("Start over"));
    connect(clear, &QPushButton::clicked, this, &TryBox::startOver);
    axisRow->addWidget(axisBox_);
    axisRow->addWidget(axisSlider_, 1);
    axisRow->addWidget(clear);
    layout->addLayout(axisRow);

    timeline_ = new QPlainTextEdit;
    timeline_->setObjectName(QStringLiteral("timelineView"));
    timeline_->setAccessibleName(QStringLiteral("Timeline of what would be sent"));
    timeline_->setReadOnly(true);
    timeline_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    timeline_->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(timeline_, 1);
}

void TryBox::setSource(const QString& text) {
    sourceLabel_->setText(text);
    sourceLabel_->setAccessibleDescription(text);
}

void TryBox::click(const player::ControlInput& control) {
    trial_.click(now(), control);
    replay();
}

void TryBox::chooseAxis(int axis) {
    axisBox_->setCurrentIndex(axis);
    axisSlider_->setFocus();
}

void TryBox::moveAxis(int value) {
    trial_.add(now(), {player::ControlInput::Kind::Axis, axisBox_->currentIndex(), value});
    replay();
}

void TryBox::startOver() {
    trial_.clear();
    clock_.invalidate();
    replay();
}

// The try's clock runs from its first input, and never backwards past what it holds.
long long TryBox::now() {
    if (!clock_.isValid())
        clock_.start();
    return std::max(clock_.elapsed(), trial_.lastAt());
}

void TryBox::replay() {
    const Bytes* bytes = bytes_();
    if (trial_.empty() || !bytes || !*bytes) {
        timeline_->setPlainText(QString());
        return;
    }
    timeline_->setPlainText(QString::fromStdString(trial_.play(**bytes)));
}

} // namespace vantrel
