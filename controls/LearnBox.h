#pragma once

#include "device/MonitorLine.h"

#include <QGroupBox>

#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace vantrel {

class MonitorLink;

// Learning a control through the driver, which holds the devices and the control map: the
// pilot selects an X36 control, presses Learn and works the physical control; the driver binds
// it, saves the map and says so on its monitor stream, which this box shows. It only sends
// requests and reads answers, so the editor never waits on it.
class LearnBox : public QGroupBox {
    Q_OBJECT
public:
    // selected: the X36 control selected now ("FireA", "MouseHat", "XAxis"), empty for none.
    LearnBox(MonitorLink* link, std::function<std::string()> selected, QWidget* parent = nullptr);

    // A record of the monitor stream; those of learning are shown.
    void takeRecord(const MonitorLine& record);
    // The stream opened or closed: a learning the driver took with it is over.
    void connectionChanged(bool connected);

private:
    void learn();
    void cancel();
    void show(const QString& text, bool waiting);

    MonitorLink* link_;
    std::function<std::string()> selected_;
    std::string waitingFor_; // the control asked for, until the driver answers
    QPushButton* learnButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

} // namespace vantrel
