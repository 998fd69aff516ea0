#include "controls/LearnBox.h"

#include "controls/MonitorLink.h"
#include "device/player/ControlNames.h"
#include "profile/ControlPlaces.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {
namespace {

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// "FireA: press the A button on the stick's head", a hat's with the direction it waits for.
QString prompt(const MonitorLine& record) {
    const std::string control = record.field("control").value_or("");
    const ControlPlace* place = findControlPlace(control);
    QString line =
        text(control) + QStringLiteral(": ") +
        (place ? QString::fromUtf8(place->instruction.data(), qsizetype(place->instruction.size()))
               : QStringLiteral("work it"));
    if (const std::optional<std::string> direction = record.field("direction"))
        line += QLatin1Char(' ') + text(*direction);
    else if (const std::optional<player::ControlInput> named = player::controlNamed(control);
             named && named->kind == player::ControlInput::Kind::Axis)
        line += QStringLiteral(" from end to end");
    return QStringLiteral("Waiting for %1, on any device the driver holds.").arg(line);
}

QString bound(const MonitorLine& record) {
    const QString map = text(record.field("map").value_or(""));
    QString line = QStringLiteral("Learnt: %1 is now %2 on %3. The control map %4 is saved (the "
                                  "one before is kept as %4~) and the driver uses it.")
                       .arg(text(record.field("control").value_or("")),
                            text(record.field("code").value_or("")),
                            text(record.field("device").value_or("")), map);
    if (const std::optional<std::string> unbound = record.field("unbound"))
        line += QStringLiteral(" Now unbound, as they had that code: %1.").arg(text(*unbound));
    return line;
}

} // namespace

LearnBox::LearnBox(MonitorLink* link, std::function<std::string()> selected, QWidget* parent)
    : QGroupBox(QStringLiteral("Learn a control from the stick"), parent), link_(link),
      selected_(std::move(selected)) {
    setObjectName(QStringLiteral("learnBox"));
    learnButton_ = new QPushButton(QStringLiteral("&Learn"));
    learnButton_->setObjectName(QStringLiteral("learnButton"));
    learnButton_->setAccessibleName(QStringLiteral("Learn"));
    learnButton_->setAccessibleDescription(
        QStringLiteral("Binds the selected X36 control to the next physical control worked"));
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"));
    cancelButton_->setObjectName(QStringLiteral("learnCancelButton"));
    cancelButton_->setAccessibleName(QStringLiteral("Cancel learning"));
    cancelButton_->setEnabled(false);
    statusLabel_ = new QLabel(QStringLiteral("Select a control, press Learn, then work the "
                                             "physical control."));
    statusLabel_->setObjectName(QStringLiteral("learnStatusLabel"));
    statusLabel_->setAccessibleName(QStringLiteral("Learning"));
    statusLabel_->setWordWrap(true);
    statusLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connect(learnButton_, &QPushButton::clicked, this, &LearnBox::learn);
    connect(cancelButton_, &QPushButton::clicked, this, &LearnBox::cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(learnButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(statusLabel_);
}

void LearnBox::show(const QString& line, bool waiting) {
    statusLabel_->setText(line);
    statusLabel_->setAccessibleDescription(line);
    cancelButton_->setEnabled(waiting);
}

void LearnBox::learn() {
    const std::string control = selected_ ? selected_() : std::string();
    if (control.empty()) {
        show(QStringLiteral("Select the X36 control to learn in the list first."), false);
        return;
    }
    if (!link_->connected() || !link_->send("learn control=" + control)) {
        show(QStringLiteral("Learning needs vantrel-driver, which holds the stick and its control "
                            "map, and it is not running. Start it with: systemctl --user start "
                            "vantrel-driver"),
             false);
        return;
    }
    waitingFor_ = control;
    show(QStringLiteral("Asking the driver to learn %1...").arg(text(control)), true);
}

void LearnBox::cancel() {
    link_->send("learn cancel");
}

void LearnBox::takeRecord(const MonitorLine& record) {
    if (record.kind != "learn")
        return;
    const QString control = text(record.field("control").value_or(""));
    if (record.word == "waiting") {
        waitingFor_ = control.toStdString();
        show(prompt(record), true);
        return;
    }
    waitingFor_.clear();
    if (record.word == "bound")
        show(bound(record), false);
    else if (record.word == "cancelled")
        show(
            QStringLiteral("Learning %1 was cancelled; the control map is as it was.").arg(control),
            false);
    else if (record.word == "failed")
        show(QStringLiteral("Could not learn %1: %2.")
                 .arg(control.isEmpty() ? QStringLiteral("the control") : control,
                      text(record.field("reason").value_or(""))),
             false);
}

void LearnBox::connectionChanged(bool connected) {
    if (connected || waitingFor_.empty())
        return;
    show(QStringLiteral("The driver stopped before %1 was learnt; the control map is as it was.")
             .arg(text(waitingFor_)),
         false);
    waitingFor_.clear();
}

} // namespace vantrel
