#pragma once

#include "profile/DefaultDelays.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class QLineEdit;
class QPushButton;

namespace vantrel {

// Edits the profile's default press and release delays, which its owner keeps (the editor
// builds the dialog the first time it is needed). Modeless: shown and hidden. Text typed into
// the boxes becomes a stored value only through Close.
class SetDefaultDelaysDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr std::uint32_t kMinimumDelay = 1;
    static constexpr std::uint32_t kMaximumDelay = 4294967290u;

    explicit SetDefaultDelaysDialog(DefaultDelays& delays, QWidget* parent = nullptr);

    std::uint32_t pressDelay() const { return delays_.press; }
    std::uint32_t releaseDelay() const { return delays_.release; }
    // These store the field only; showValues() puts both fields into the boxes.
    void setPressDelay(std::uint32_t delay) { delays_.press = delay; }
    void setReleaseDelay(std::uint32_t delay) { delays_.release = delay; }
    void showValues();

    // Told after Close read the boxes, whether or not it took both.
    std::function<void()> valuesTaken = [] {};

private:
    void closeWithValues();
    bool takeBox(QLineEdit& box, std::uint32_t& field);
    void refuse(QLineEdit& box, const QString& text);

    DefaultDelays& delays_;
    QLineEdit* pressBox_;
    QLineEdit* releaseBox_;
    QPushButton* closeButton_;
};

} // namespace vantrel
