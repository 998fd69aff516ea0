#pragma once

#include "MonitorRecord.h"
#include "MonitorServer.h"

#include "device/DeviceProfileCheck.h"
#include "device/player/PlayerTypes.h"
#include "io/ControlOrigin.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantrel::driver {

// What the driver does, told on its monitor stream. It stands between the player and the
// rest of its output: every action, script started, unassigned press and mode switch passes
// through it to the next sink and becomes a record; the daemon tells it of control changes,
// profiles and devices. It keeps the state a new client is shown first:
//     driver output=...      the output in use
//     profile held scripts=N modes=N chains=N from=client|kept loaded=TIME digest=HEX,
//                            or profile none (digest: deviceFileDigest of its bytes)
//     mode active=N
//     device held path=... name=...   one per device held
//     ready                  the end of the state; live records follow
class DriverMonitor : public player::OutputSink {
public:
    DriverMonitor(std::string socketPath, std::string outputName, player::OutputSink& next);

    bool listen(std::string& error) { return server_.listen(error); }
    MonitorServer& server() { return server_; }

    void emit(const player::OutputAction& action, player::Time at) override;
    void note(std::string_view line) override;
    void scriptStarted(int script, int configuration, player::Time at) override;
    void unassignedPress(const player::ControlInput& control, int configuration,
                         player::Time at) override;
    void modeSwitched(int from, int to, player::Time at) override;

    // A control changed, before the player hears of it.
    void controlChanged(const player::ControlInput& change, const ControlOrigin& origin);
    // from: "client" (sent through the socket) or "kept" (the copy loaded at start).
    void profileLoaded(const DeviceProfileImage& image, std::span<const std::uint8_t> bytes,
                       std::string_view from);
    void profileRefused(const ProfileCheck& check);
    void profileCleared();
    // The devices held now, each "PATH (NAME)"; the differences from before are told.
    void devicesHeld(const std::vector<std::string>& devices);
    // Any other record, such as the answers to a learning request.
    void publish(const MonitorRecord& record);

private:
    struct HeldProfile {
        std::size_t scripts = 0, modes = 0, chains = 0;
        std::string from;
        std::string loaded; // UTC, ISO 8601
        std::string digest;
    };

    std::string snapshot() const;
    // Records of what plays are made only while someone watches: the player's path stays short.
    bool watched() const { return server_.clientCount() > 0; }

    MonitorServer server_;
    std::string outputName_;
    player::OutputSink& next_;
    std::optional<HeldProfile> profile_;
    int mode_ = 0;
    std::vector<std::string> devices_;
};

} // namespace vantrel::driver
