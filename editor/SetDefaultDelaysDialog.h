#pragma once

#include "profile/DefaultDelays.h"

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QPushButton;

namespace vantrel {

// Holds and edits the profile's default press and release delays. Modeless: created hidden
// with the editor window and only shown and hidden afterwards. Text typed into the boxes
// becomes a stored value only through Close.
class SetDefaultDelaysDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr std::uint32_t kMinimumDelay = 1;
    static constexpr std::uint32_t kMaximumDelay = 4294967290u;

    explicit SetDefaultDelaysDialog(QWidget* parent = nullptr);

    std::uint32_t pressDelay() const { return pressDelay_; }
    std::uint32_t releaseDelay() const { return releaseDelay_; }
    // These store the field only; showValues() puts both fields into the boxes.
    void setPressDelay(std::uint32_t delay) { pressDelay_ = delay; }
    void setReleaseDelay(std::uint32_t delay) { releaseDelay_ = delay; }
    void showValues();

private:
    void closeWithValues();
    bool takeBox(QLineEdit& box, std::uint32_t& field);
    void refuse(QLineEdit& box, const QString& text);

    std::uint32_t pressDelay_ = kInitialDelay;
    std::uint32_t releaseDelay_ = kInitialDelay;
    QLineEdit* pressBox_;
    QLineEdit* releaseBox_;
    QPushButton* closeButton_;
};

} // namespace vantrel
