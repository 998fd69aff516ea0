#pragma once

#include "controls/DriverState.h"
#include "controls/OpenTranslation.h"
#include "controls/TrialRun.h"
#include "profile/SlotTable.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace vantrel {

class AxisGauges;
class ControlPicture;
class LearnBox;
class MonitorLink;
class TryBox;
struct StatusTexts;

// The Controls window: what the driver is doing, read live from its monitor stream (whether
// it runs, the profile it holds and whether that is the open profile's, the active mode by
// name, the devices it holds), where each X36 control stands, learning a control from the stick
// through the driver, and a try of the open profile
// without hardware, whose timeline is the one `vantrel-driver --play` prints. Modeless; it
// never waits on the driver.
class ControlsWindow : public QWidget {
    Q_OBJECT
public:
    using ProfileSource = std::function<OpenProfile()>;
    // Shows a slot's row in its panel: the panel's group and the object name of its box.
    using SlotShower = std::function<void(SlotGroup group, const QString& boxName)>;

    // monitorPath: the driver's monitor stream (empty where the system has none);
    // programPath: its X36Program socket, to tell a driver without a monitor from none.
    ControlsWindow(QWidget* parent, ProfileSource source, QString monitorPath, QString programPath);
    ~ControlsWindow() override;

    // Where the Linux driver serves them for this user.
    static QString defaultMonitorPath();
    static QString defaultProgramPath();

    // Selecting a control (in the list, on a picture or by pressing it) shows its slot row.
    void setSlotShower(SlotShower shower) { slotShower_ = std::move(shower); }

    // Reads the open profile again: its translation, its saved .bpf, the mode names.
    void refreshProfile();
    const TrialRun& trial() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void takeRecord(const MonitorLine& record);
    void connectionChanged(bool connected);
    StatusTexts texts() const;
    void showDriver();
    void showProfile();
    void showMode();
    void showDevices();
    void showControls();
    void tryRow(QListWidgetItem* item);
    void tryControl(const player::ControlInput& control);
    void selectControl(const player::ControlInput& control);
    void showSlot(QListWidgetItem* item);
    std::string selectedControlName() const;

    ProfileSource source_;
    SlotShower slotShower_;
    QString programPath_;
    MonitorLink* link_;
    DriverState state_;
    std::unique_ptr<OpenTranslation> open_;

    QLabel* driverLabel_ = nullptr;
    QLabel* profileLabel_ = nullptr;
    QLabel* matchLabel_ = nullptr;
    QLabel* modeLabel_ = nullptr;
    QListWidget* devicesList_ = nullptr;
    QListWidget* controlsList_ = nullptr;
    ControlPicture* stickPicture_ = nullptr;
    ControlPicture* throttlePicture_ = nullptr;
    AxisGauges* axisGauges_ = nullptr;
    LearnBox* learnBox_ = nullptr;
    TryBox* tryBox_ = nullptr;
};

} // namespace vantrel
