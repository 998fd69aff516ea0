#pragma once

#include "DriverMonitor.h"
#include "InputWatch.h"
#include "LiveLearning.h"
#include "LoggedSink.h"
#include "ProfileStore.h"

#include "DriverServer.h"
#include "device/player/ProfilePlayer.h"

#include <array>
#include <chrono>
#include <ostream>

namespace vantrel::driver {

struct DaemonSetup {
    std::string socketPath;
    std::string monitorSocketPath;
    std::string outputName; // for the monitor: the output in use
    std::filesystem::path keptProfile;
    std::vector<std::string> devicePaths; // none: every joystick udev finds
    ControlMap map;
    std::filesystem::path mapPath; // where a control learnt from a monitor client is saved
    player::PlayerOptions playerOptions;
    // Called once the socket listens, before anything is served; false stops the driver.
    std::function<bool()> listening;
};

// The driver at work: serves the device object, plays the profile it was given against the
// joystick's controls, and keeps that profile for the next start.
//
// A client loads a profile by clear, prepare, profile on one connection. The clear is held
// back until the connection ends: a profile taken replaces the old one, a profile refused
// leaves the old one playing, and a clear with no load after it empties the player and
// removes the kept profile, as the device's clear empties its profile memory. One thread, one poll
// over the socket, the joystick, udev, a timer armed only while a script plays, and the stop
// signals, so an idle driver uses no processor time. What it does is told on the monitor
// stream beside the socket (DriverMonitor), whose clients may ask it to learn a control
// (LiveLearning).
class DriverDaemon {
public:
    DriverDaemon(DaemonSetup setup, player::OutputSink& output, std::ostream& log);
    ~DriverDaemon();
    DriverDaemon(const DriverDaemon&) = delete;
    DriverDaemon& operator=(const DriverDaemon&) = delete;

    // Runs until SIGINT or SIGTERM; returns the exit status.
    int run();

private:
    player::Time now() const;
    bool setUpDescriptors();
    void loadKeptProfile();
    void takeProfile(std::span<const std::uint8_t> bytes, const DeviceProfileImage& image);
    void refuseProfile(const ProfileCheck& check);
    void endConnection();
    void clearProfile();
    void armTimer();
    void serveInput();
    // Tells the monitor of the changes from `from` on and plays them (while learning, all
    // but presses).
    void passOn(std::size_t from, bool learning);

    ProfileStore store_;
    std::function<bool()> listening_;
    std::ostream& log_;
    LoggedSink sink_;
    DriverMonitor monitor_;
    player::ProfilePlayer player_;
    driverserver::DriverServer server_;
    InputWatch input_;
    LiveLearning learning_;
    std::chrono::steady_clock::time_point start_;
    int timerFd_ = -1;
    int signalFd_ = -1;
    std::vector<player::ControlInput> changes_;
    std::vector<ControlOrigin> origins_;
    // A clear waits for the end of its connection: when a load follows, the load decides.
    bool clearPending_ = false;
};

// "3 scripts, 2 modes, 1 chain".
std::string profileCounts(const DeviceProfileImage& image);

} // namespace vantrel::driver
