#include "controls/MonitorLink.h"

namespace vantrel {

MonitorLink::MonitorLink(QString monitorPath, QObject* parent)
    : QObject(parent), path_(std::move(monitorPath)) {
    retry_.setInterval(kRetryMilliseconds);
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &MonitorLink::tryConnect);
    connect(&socket_, &QLocalSocket::connected, this, [this] {
        wasConnected_ = true;
        Q_EMIT connectedChanged(true);
    });
    connect(&socket_, &QLocalSocket::readyRead, this, &MonitorLink::readLines);
    connect(&socket_, &QLocalSocket::disconnected, this, &MonitorLink::lost);
    connect(&socket_, &QLocalSocket::errorOccurred, this, [this] {
        if (socket_.state() != QLocalSocket::ConnectedState)
            lost();
    });
    if (!path_.isEmpty())
        QTimer::singleShot(0, this, &MonitorLink::tryConnect);
}

MonitorLink::~MonitorLink() {
    // Closing the socket tells of it; no one is to hear that any more.
    socket_.disconnect(this);
}

void MonitorLink::tryConnect() {
    if (socket_.state() != QLocalSocket::UnconnectedState)
        return;
    pending_.clear();
    socket_.connectToServer(path_, QIODevice::ReadOnly);
}

void MonitorLink::readLines() {
    pending_ += socket_.readAll();
    qsizetype start = 0;
    for (qsizetype end; (end = pending_.indexOf('\n', start)) >= 0; start = end + 1) {
        const QByteArray line = pending_.mid(start, end - start);
        if (const std::optional<MonitorLine> record =
                readMonitorLine(std::string_view(line.constData(), std::size_t(line.size()))))
            Q_EMIT recordArrived(*record);
    }
    pending_.remove(0, start);
}

void MonitorLink::lost() {
    if (wasConnected_) {
        wasConnected_ = false;
        Q_EMIT connectedChanged(false);
    } else {
        Q_EMIT stillAbsent();
    }
    if (!retry_.isActive())
        retry_.start();
}

} // namespace vantrel
