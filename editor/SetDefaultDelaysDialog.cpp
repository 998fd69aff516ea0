#include "editor/SetDefaultDelaysDialog.h"

#include "platform/MessageBox.h"
#include "platform/qt/ScreenPlacement.h"
#include "widgets/DialogUnits.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

namespace {

enum class ParseOutcome { Refused, OutOfRange, Value };

struct ParsedDelay {
    ParseOutcome outcome;
    std::uint32_t value = 0;
};

// An unsigned decimal integer with blanks or tabs allowed around it. A number too large
// for 32 bits cannot be stored and is reported as out of range.
ParsedDelay parseDelay(const std::string& text) {
    std::string_view view(text);
    const auto first = view.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {ParseOutcome::Refused};
    view = view.substr(first, view.find_last_not_of(" \t") - first + 1);
    if (view.find_first_not_of("0123456789") != std::string_view::npos)
        return {ParseOutcome::Refused};
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
    if (error == std::errc::result_out_of_range)
        return {ParseOutcome::OutOfRange};
    if (error != std::errc() || end != view.data() + view.size())
        return {ParseOutcome::Refused};
    return {ParseOutcome::Value, value};
}

QLineEdit* makeDelayBox(QWidget* parent, const char* objectName, const QString& label) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setAccessibleName(label);
    return box;
}

} // namespace

SetDefaultDelaysDialog::SetDefaultDelaysDialog(DefaultDelays& delays, QWidget* parent)
    : QDialog(parent), delays_(delays) {
    setObjectName(QStringLiteral("setDefaultDelaysDialog"));
    setWindowTitle(QStringLiteral("Set Default Delays"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(false);
    useDialogFont(*this);

    const QString pressLabel = QStringLiteral("Default Press Delay (ms)");
    const QString releaseLabel = QStringLiteral("Default Release Delay (ms)");
    pressBox_ = makeDelayBox(this, "pressDelayBox", pressLabel);
    releaseBox_ = makeDelayBox(this, "releaseDelayBox", releaseLabel);
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("delaysCloseButton"));
    closeButton_->setAccessibleName(QStringLiteral("Close"));
    closeButton_->setDefault(true);

    const int boxWidth = dialogUnitsToPixels(*this, 50, 0).width();
    pressBox_->setFixedWidth(boxWidth);
    releaseBox_->setFixedWidth(boxWidth);

    auto* grid = new QGridLayout;
    auto* pressText = new QLabel(pressLabel, this);
    auto* releaseText = new QLabel(releaseLabel, this);
    pressText->setBuddy(pressBox_);
    releaseText->setBuddy(releaseBox_);
    grid->addWidget(pressText, 0, 0);
    grid->addWidget(pressBox_, 0, 1);
    grid->addWidget(releaseText, 1, 0);
    grid->addWidget(releaseBox_, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumSize(dialogUnitsToPixels(*this, 150, 62));

    setTabOrder(pressBox_, releaseBox_);
    setTabOrder(releaseBox_, closeButton_);
    connect(closeButton_, &QPushButton::clicked, this, &SetDefaultDelaysDialog::closeWithValues);
    showValues();
    platform::keepOnScreenWhenShown(*this);
}

void SetDefaultDelaysDialog::showValues() {
    pressBox_->setText(QString::number(delays_.press));
    releaseBox_->setText(QString::number(delays_.release));
}

void SetDefaultDelaysDialog::closeWithValues() {
    // A refused release box leaves the press value taken.
    const bool taken = takeBox(*pressBox_, delays_.press) && takeBox(*releaseBox_, delays_.release);
    valuesTaken();
    if (taken)
        hide();
}

bool SetDefaultDelaysDialog::takeBox(QLineEdit& box, std::uint32_t& field) {
    const ParsedDelay parsed = parseDelay(box.text().toStdString());
    switch (parsed.outcome) {
    case ParseOutcome::Refused:
        refuse(box, QStringLiteral("Please enter a positive integer."));
        return false;
    case ParseOutcome::OutOfRange:
        break;
    case ParseOutcome::Value:
        field = parsed.value;
        if (parsed.value >= kMinimumDelay && parsed.value <= kMaximumDelay)
            return true;
        break;
    }
    refuse(box, QStringLiteral("Please enter an integer between %1 and %2.")
                    .arg(kMinimumDelay)
                    .arg(kMaximumDelay));
    return false;
}

void SetDefaultDelaysDialog::refuse(QLineEdit& box, const QString& text) {
    platform::showMessage(text.toStdString(), "Vantrel", platform::MessageButtons::Ok, this);
    box.setFocus(Qt::OtherFocusReason);
}

} // namespace vantrel
