#pragma once

#include "device/MonitorLine.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <string>

class QSocketNotifier;

namespace vantrel {

// A client of the driver's monitor stream that never waits: it connects in the background,
// hands on each record as it arrives, and when the driver is not there or goes away it tries
// again every retry interval, so a restarted driver is found on its own. A plain local socket
// watched by the event loop: Qt's own would bring Qt Network, and with it Kerberos and proxy
// libraries, into every start of the editor.
class MonitorLink : public QObject {
    Q_OBJECT
public:
    static constexpr int kRetryMilliseconds = 500;

    // An empty path means this system has no monitor stream; the link then stays unconnected.
    MonitorLink(QString monitorPath, QObject* parent = nullptr);
    ~MonitorLink() override;

    bool connected() const { return fd_ >= 0; }
    // Sends one request line (without its line end); false when not connected or not taken.
    bool send(const std::string& line);
    const QString& path() const { return path_; }

signals:
    void connectedChanged(bool connected);
    // A try found no monitor stream; what stands at the driver's socket may have changed.
    void stillAbsent();
    void recordArrived(const vantrel::MonitorLine& record);

private:
    void tryConnect();
    void readLines();
    void closeSocket();
    void lost(bool wasConnected);

    QString path_;
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QTimer retry_;
    std::string pending_; // the start of a line whose end has not come yet
};

} // namespace vantrel
