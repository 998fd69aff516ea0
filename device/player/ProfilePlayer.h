#pragma once

#include "device/DeviceProfileImage.h"
#include "device/player/PlayerTypes.h"

#include <memory>
#include <optional>

namespace vantrel::player {

struct PlayerOptions {
    // How far (in axis units) an axis must move back past a breakpoint it crossed before that
    // breakpoint fires again, so a noisy axis resting on a breakpoint does not chatter.
    int axisHysteresis = 256;
};

// Plays a device profile as the X36 does: keeps the active configuration, runs the script
// bound to a control's press or release code, walks axis chains, switches modes on load-mode
// events. It has no threads and no clock of its own: the caller passes the time of every
// call and calls advance() when nextDue() says an event is due.
//
// Declared here so the driver and its tests agree; the engine lives in ProfilePlayer.cpp.
class ProfilePlayer {
public:
    explicit ProfilePlayer(OutputSink& sink, PlayerOptions options = {});
    ~ProfilePlayer();
    ProfilePlayer(const ProfilePlayer&) = delete;
    ProfilePlayer& operator=(const ProfilePlayer&) = delete;

    // Takes a profile that the device check accepted; releases everything held first and
    // starts in configuration 0 (DEFAULT).
    void load(const DeviceProfileImage& profile, Time now);
    // Drops the profile (releasing what is held); the virtual joystick then mirrors the controls.
    void clear(Time now);
    bool hasProfile() const;
    int activeConfiguration() const;

    // A physical control changed.
    void input(const ControlInput& control, Time now);
    // Plays every event that is due at or before now.
    void advance(Time now);
    // When the next event is due, or nothing while no script is playing.
    std::optional<Time> nextDue() const;
    // Stops every running script and releases every key and button held down.
    void releaseAll(Time now);
    // True while the player holds a key, DirectX button or mouse button down, or keeps a
    // virtual hat off center.
    bool holdsAnything() const;

private:
    class Engine;
    std::unique_ptr<Engine> engine_;
};

} // namespace vantrel::player
