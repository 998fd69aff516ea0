#include "controls/ControlsWindow.h"

#include "controls/AxisGauges.h"
#include "controls/ControlPicture.h"
#include "controls/LearnBox.h"
#include "controls/MonitorLink.h"
#include "controls/StatusTexts.h"
#include "controls/TryBox.h"
#include "device/player/ControlNames.h"
#ifndef _WIN32
#include "platform/posix/PosixDriverConnection.h"
#endif

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace vantrel {
namespace {

using player::ControlInput;
using Kind = ControlInput::Kind;

QString text(std::string_view view) {
    return QString::fromUtf8(view.data(), qsizetype(view.size()));
}

// The rows of the controls list: every button, every direction of every hat, every axis.
std::vector<ControlInput> controlRows() {
    std::vector<ControlInput> rows;
    for (int button = 0; button < player::kButtonCount; ++button)
        rows.push_back({Kind::Button, button, 1});
    for (int hat = 0; hat < player::kHatCount; ++hat)
        for (int direction = 1; direction < player::kHatDirectionCount; ++direction)
            rows.push_back({Kind::Hat, hat, direction});
    for (int axis = 0; axis < player::kAxisCount; ++axis)
        rows.push_back({Kind::Axis, axis, 0});
    return rows;
}

ControlInput rowControl(const QListWidgetItem* item) {
    const QList<QVariant> data = item->data(Qt::UserRole).toList();
    return {Kind(data.value(0).toInt()), data.value(1).toInt(), data.value(2).toInt()};
}

// The slot a control's row shows: a button's or hat direction's press slot, an axis's slot.
QString slotNameOf(const ControlInput& control) {
    switch (control.kind) {
    case Kind::Button:
        return text(player::buttonName(control.index)) + QStringLiteral("Press");
    case Kind::Hat:
        return text(player::hatName(control.index)) +
               text(player::hatDirectionName(control.value)) + QStringLiteral("Press");
    case Kind::Axis:
        break;
    }
    return text(player::axisName(control.index));
}

QLabel* addLabel(QFormLayout* form, const QString& caption, const char* objectName) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(objectName));
    label->setAccessibleName(QString(caption).remove(QLatin1Char(':')));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    form->addRow(caption, label);
    return label;
}

} // namespace

ControlsWindow::ControlsWindow(QWidget* parent, ProfileSource source, QString monitorPath,
                               QString programPath)
    : QWidget(parent, Qt::Window), source_(std::move(source)), programPath_(std::move(programPath)),
      link_(new MonitorLink(std::move(monitorPath), this)) {
    setObjectName(QStringLiteral("controlsWindow"));
    setWindowTitle(QStringLiteral("Controls"));
    setAccessibleName(QStringLiteral("Controls"));
    buildLayout();
    connect(link_, &MonitorLink::recordArrived, this, &ControlsWindow::takeRecord);
    connect(link_, &MonitorLink::connectedChanged, this, &ControlsWindow::connectionChanged);
    connect(link_, &MonitorLink::stillAbsent, this, &ControlsWindow::showDriver);
    showDriver();
    showProfile();
    showMode();
    showDevices();
    showControls();
}

// The link goes first, so nothing it tells on its way out reaches a window half taken down.
ControlsWindow::~ControlsWindow() {
    delete link_;
}

QString ControlsWindow::defaultProgramPath() {
#ifdef _WIN32
    return {};
#else
    return QString::fromStdString(platform::defaultDriverSocketPath());
#endif
}

QString ControlsWindow::defaultMonitorPath() {
#ifdef _WIN32
    return {};
#else
    return QString::fromStdString(platform::monitorSocketPath(platform::defaultDriverSocketPath()));
#endif
}

void ControlsWindow::buildLayout() {
    auto* driverBox = new QGroupBox(QStringLiteral("Driver"));
    driverBox->setObjectName(QStringLiteral("driverBox"));
    auto* driverForm = new QFormLayout(driverBox);
    driverLabel_ = addLabel(driverForm, QStringLiteral("Driver:"), "driverStatusLabel");
    profileLabel_ = addLabel(driverForm, QStringLiteral("Profile held:"), "heldProfileLabel");
    matchLabel_ = addLabel(driverForm, QStringLiteral("Open profile:"), "profileMatchLabel");
    modeLabel_ = addLabel(driverForm, QStringLiteral("Active mode:"), "activeModeLabel");
    devicesList_ = new QListWidget;
    devicesList_->setObjectName(QStringLiteral("devicesList"));
    devicesList_->setAccessibleName(QStringLiteral("Input devices held"));
    devicesList_->setMaximumHeight(devicesList_->fontMetrics().height() * 5);
    driverForm->addRow(QStringLiteral("Devices:"), devicesList_);

    controlsList_ = new QListWidget;
    controlsList_->setObjectName(QStringLiteral("controlsList"));
    controlsList_->setAccessibleName(QStringLiteral("X36 controls"));
    controlsList_->setAccessibleDescription(
        QStringLiteral("Each control as the driver reports it; activate one to try it"));
    for (const ControlInput& control : controlRows()) {
        auto* item = new QListWidgetItem(controlsList_);
        item->setData(Qt::UserRole,
                      QList<QVariant>{int(control.kind), control.index, control.value});
    }
    connect(controlsList_, &QListWidget::itemClicked, this, &ControlsWindow::tryRow);
    connect(controlsList_, &QListWidget::currentItemChanged, this, &ControlsWindow::showSlot);
    controlsList_->installEventFilter(this);

    const auto lit = [this](const ControlInput& control) {
        return control.kind == Kind::Button ? state_.buttons[std::size_t(control.index)]
                                            : state_.hats[std::size_t(control.index)];
    };
    stickPicture_ = new ControlPicture(ControlSpot::Picture::Stick, lit);
    stickPicture_->setObjectName(QStringLiteral("stickPicture"));
    stickPicture_->setAccessibleName(QStringLiteral("Stick"));
    throttlePicture_ = new ControlPicture(ControlSpot::Picture::Throttle, lit);
    throttlePicture_->setObjectName(QStringLiteral("throttlePicture"));
    throttlePicture_->setAccessibleName(QStringLiteral("Throttle"));
    for (ControlPicture* picture : {stickPicture_, throttlePicture_})
        connect(picture, &ControlPicture::controlClicked, this, &ControlsWindow::tryControl);
    axisGauges_ = new AxisGauges;
    learnBox_ = new LearnBox(link_, [this] { return selectedControlName(); });
    learnBox_->setAccessibleName(QStringLiteral("Learn a control"));

    tryBox_ = new TryBox([this] { return open_ ? &open_->tryBytes() : nullptr; });

    auto* columns = new QHBoxLayout;
    auto* pictures = new QVBoxLayout;
    pictures->addWidget(stickPicture_);
    pictures->addWidget(throttlePicture_);
    pictures->addWidget(axisGauges_);
    pictures->addStretch(1);
    columns->addLayout(pictures);
    columns->addWidget(controlsList_);
    auto* right = new QVBoxLayout;
    right->addWidget(driverBox);
    right->addWidget(learnBox_);
    right->addWidget(tryBox_, 1);
    columns->addLayout(right, 2);
    setLayout(columns);
    resize(1200, 700);
}

bool ControlsWindow::eventFilter(QObject* watched, QEvent* event) {
    // Space or Enter on a control tries it, as a click does.
    if (watched == controlsList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) &&
            controlsList_->currentItem()) {
            tryRow(controlsList_->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ControlsWindow::showEvent(QShowEvent* event) {
    refreshProfile();
    QWidget::showEvent(event);
}

void ControlsWindow::changeEvent(QEvent* event) {
    // Back from the editor: the profile may have been edited or saved meanwhile.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshProfile();
    QWidget::changeEvent(event);
}

void ControlsWindow::refreshProfile() {
    open_ = std::make_unique<OpenTranslation>(source_ ? source_() : OpenProfile{});
    showProfile();
    showMode();
    tryBox_->setSource(texts().trySource());
    showControls();
    tryBox_->replay();
}

void ControlsWindow::takeRecord(const MonitorLine& record) {
    learnBox_->takeRecord(record);
    switch (state_.apply(record)) {
    case DriverState::Change::None:
        return;
    case DriverState::Change::Driver:
        showDriver();
        showProfile();
        showMode();
        showDevices();
        showControls();
        return;
    case DriverState::Change::Profile:
        // The driver may have been sent the profile just saved and translated.
        if (isVisible())
            refreshProfile();
        else
            showProfile();
        showMode();
        return;
    case DriverState::Change::Mode:
        showMode();
        showControls(); // the axes' chains are the new mode's
        return;
    case DriverState::Change::Devices:
        showDevices();
        return;
    case DriverState::Change::Control:
        showControls();
        // A press on the stick selects its control: "which button is FireA" is answered so.
        if (const std::optional<player::ControlInput> pressed =
                player::controlNamed(record.field("control").value_or(""));
            pressed && pressed->kind != Kind::Axis) {
            ControlInput control = *pressed;
            control.value = control.kind == Kind::Hat ? state_.hats[std::size_t(control.index)]
                                                      : state_.buttons[std::size_t(control.index)];
            if (control.value != 0)
                selectControl(control);
        }
        return;
    }
}

void ControlsWindow::connectionChanged(bool connected) {
    learnBox_->connectionChanged(connected);
    if (!connected)
        state_ = DriverState{};
    showDriver();
    showProfile();
    showMode();
    showDevices();
    showControls();
}

const TrialRun& ControlsWindow::trial() const {
    return tryBox_->trial();
}

StatusTexts ControlsWindow::texts() const {
    return {link_->connected(), state_, open_.get()};
}

void ControlsWindow::showDriver() {
    driverLabel_->setText(texts().driver(link_->path(), programPath_));
}

void ControlsWindow::showProfile() {
    profileLabel_->setText(texts().heldProfile());
    matchLabel_->setText(texts().match());
}

void ControlsWindow::showMode() {
    modeLabel_->setText(texts().activeMode());
}

void ControlsWindow::showDevices() {
    devicesList_->clear();
    for (const DriverState::Device& device : state_.devices)
        devicesList_->addItem(QStringLiteral("%1 (%2)").arg(QString::fromStdString(device.path),
                                                            QString::fromStdString(device.name)));
}

void ControlsWindow::showControls() {
    const StatusTexts words = texts();
    for (int row = 0; row < controlsList_->count(); ++row) {
        QListWidgetItem* item = controlsList_->item(row);
        bool lit = false;
        const QString line = words.controlLine(rowControl(item), lit);
        if (item->text() != line)
            item->setText(line);
        QFont font = item->font();
        font.setBold(lit);
        item->setFont(font);
    }
    stickPicture_->update();
    throttlePicture_->update();
    std::array<std::vector<int>, player::kAxisCount> breakpoints;
    const int mode = link_->connected() ? state_.mode : 0;
    for (int axis = 0; open_ && axis < player::kAxisCount; ++axis)
        breakpoints[std::size_t(axis)] = open_->breakpoints(mode, axis);
    axisGauges_->setAxes(state_.axes, breakpoints);
}

void ControlsWindow::tryRow(QListWidgetItem* item) {
    const ControlInput control = rowControl(item);
    if (control.kind == Kind::Axis) {
        tryBox_->chooseAxis(control.index);
        return;
    }
    tryControl(control);
}

void ControlsWindow::selectControl(const ControlInput& control) {
    for (int row = 0; row < controlsList_->count(); ++row) {
        const ControlInput listed = rowControl(controlsList_->item(row));
        if (listed.kind == control.kind && listed.index == control.index &&
            (listed.kind != Kind::Hat || listed.value == control.value)) {
            controlsList_->setCurrentRow(row);
            return;
        }
    }
}

void ControlsWindow::showSlot(QListWidgetItem* item) {
    if (!item || !slotShower_)
        return;
    const QString slot = slotNameOf(rowControl(item));
    const std::optional<int> position = SlotTable::instance().positionOf(slot.toStdString());
    if (!position)
        return;
    QString box = slot + QStringLiteral("Box");
    box[0] = box[0].toLower();
    slotShower_(SlotTable::instance().atPosition(*position).group, box);
}

std::string ControlsWindow::selectedControlName() const {
    const QListWidgetItem* item = controlsList_->currentItem();
    if (!item)
        return {};
    const ControlInput control = rowControl(item);
    const std::string_view name = control.kind == Kind::Button ? player::buttonName(control.index)
                                  : control.kind == Kind::Hat  ? player::hatName(control.index)
                                                               : player::axisName(control.index);
    return std::string(name);
}

void ControlsWindow::tryControl(const ControlInput& control) {
    selectControl(control);
    tryBox_->click(control);
}

} // namespace vantrel
