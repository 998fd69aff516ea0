#pragma once

#include "DriverProtocol.h"

#include "device/DeviceProfileCheck.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace vantrel::driverserver {

// What the server tells its owner about; every hook may be left empty.
struct DriverServerHooks {
    // A profile arrived and was checked (taken or not), before its reply is sent.
    std::function<void(std::size_t received, const ProfileCheck& check)> profileReceived;
    // The device took a profile: called before the reply, so the client's "complete" means
    // the profile is in use.
    std::function<void(std::span<const std::uint8_t> bytes, const DeviceProfileImage& image)>
        profileTaken;
    // A clear command is about to be answered with 0.
    std::function<void()> cleared;
    // The open connection ended (the client hung up, or the server closed it).
    std::function<void()> connectionClosed;
};

// Serves the X36 driver's device object as a Unix-domain SOCK_SEQPACKET socket: answers the
// one-byte commands ping (0), clear (3) and prepare load (1), takes the profile that follows
// a prepared load in one message, checks it as the device would and answers with the
// check's reply byte, and after a refusal a message with the check's reasons, which a client
// keeping to the one-byte replies never reads. One connection is served at a time; every exchange
// is told on the log.
//
// It never blocks: the owner polls fds() for reading, among its own descriptors, and calls
// step() when one of them is ready.
class DriverServer {
public:
    enum class Served { Nothing, ProfileTaken, ProfileRefused };

    // name prefixes the log's "listening on" line.
    DriverServer(std::string name, std::string socketPath, std::ostream& log,
                 DriverServerHooks hooks = {});
    virtual ~DriverServer(); // closes the sockets and removes the socket file
    DriverServer(const DriverServer&) = delete;
    DriverServer& operator=(const DriverServer&) = delete;

    // Creates the socket; a stale socket left at the path is replaced, but a live driver or
    // anything that is not a socket is left alone. On failure error() tells why.
    bool listen();
    // The descriptors to wait on for reading: the open connection, or else the listener.
    std::vector<int> fds() const;
    // Handles what is ready now, without waiting. Tells when a profile was answered.
    Served step();
    // Ends the open connection, if any.
    void closeConnection();

    const std::string& error() const { return error_; }
    const std::string& socketPath() const { return socketPath_; }

protected:
    // Answers a step with the device's own answer, natural, and tells the log. Returns the
    // byte sent, or nullopt to leave the step unanswered: the connection is then closed.
    virtual std::optional<std::uint8_t> reply(DriverStep step, std::uint8_t natural);
    void sendByte(std::uint8_t byte);
    // After a load answered with anything but 0: why, as the follow-up message the driver
    // connection's refusalReasons() reads.
    void sendReasons(const std::vector<std::string>& reasons);
    std::ostream& log() const { return log_; }

private:
    void accept();
    Served handleMessage(std::size_t length);
    Served handleProfile(std::size_t length);

    std::string name_;
    std::string socketPath_;
    std::ostream& log_;
    DriverServerHooks hooks_;
    int listener_ = -1;
    int connection_ = -1;
    std::string error_;
    std::vector<std::uint8_t> buffer_;
    bool awaitingProfile_ = false;
    unsigned connections_ = 0;
};

} // namespace vantrel::driverserver
