#pragma once

#include "device/player/PlayerTypes.h"
#include "devicefile/DeviceRecords.h"

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
// Lookups. A press or release looks up its code in the active configuration; a slot the
// configuration leaves without an entry falls back to configuration 0 (DEFAULT), and so do
// axes. An entry bound to a script without events plays nothing and does not fall back, so
// a mode can silence a DEFAULT slot. Repeated codes in one configuration: the first entry
// counts. A button reported down while already down (or a hat reported in the direction it
// is in) changes nothing. A hat moving from one direction to another plays the old
// direction's release, then the new direction's press; every hat starts at Center.
//
// Scripts. Each started script is a run on one shared timer queue. An event's Delay (ms,
// negative counts as 0) is the wait after it before the run's next event; a run's next event
// is timed from when the previous one was due, not from when advance() came. Runs due at the
// same time play in the order they were queued. input() first plays what is due, then the
// control's effects, then every event due at `now` (the first event of each new run, and any
// that follow it with delay 0). Emitted actions carry the time they were due.
//
// Events. OC 0/1 key down/up (usage 1..255), 2/3 DirectX button down/up (1..64), 4 the
// virtual joystick's hat 0 to a direction (0..8), 5 load mode, 8/9 mouse button down/up
// (1..3), 10/11 horizontal/vertical mouse move. A value out of these ranges or an unknown
// opcode is skipped with a note. A load mode whose Data names no configuration is ignored
// with a note; a switch is noted too, unless the configuration named is the active one already
// (nothing changes then, and nothing is told). Scripts already running go on after a switch; a
// control's release looks up the configuration active when it is released.
//
// Axes. Every axis input is forwarded as JoyAxis (clamped to the axis range), then the chain
// bound to the axis in the active configuration is walked as AxisCrossings.h describes: each
// breakpoint passed starts its group's Increase script (rising) or Decrease script
// (falling), the base mode's type 0 entries 2g + 1 and 2g for the breakpoint's group g.
//
// Without a profile the virtual joystick mirrors the controls: button i as DirectX button
// i + 1, hat h as JoyHat h, axes as JoyAxis. With a profile, buttons and hats act only
// through the profile (a slot with no script does nothing); axes still pass through.
//
// Held state. Keys, DirectX buttons and mouse buttons pressed and not yet released, and the
// virtual hats off center, are tracked; releaseAll() (and load(), clear()) stops every run
// and sends their releases: key ups by usage, button ups, mouse button ups, hats to Center.
// Axes keep their last position. The physical buttons and hats keep their state across
// load() and clear(), and so do the axes' last positions.
//
// Input for a control that does not exist, or a hat direction outside 0..8, is ignored with a
// note; a button value other than 0 means down. A profile that the check would refuse still
// plays without harm: references that lead nowhere count as unassigned. Each script started
// and each press that finds no script is told to the sink with the active configuration. The
// sink must not call back into the player.
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
