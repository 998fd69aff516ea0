#pragma once

#include "io/ControlMap.h"
#include "io/X36Controls.h"

#include <linux/input.h>

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vantrel::driver {

class InputEventStream;

// An event and the source (a number of the learner's choosing) it came from.
struct SourcedEvent {
    std::size_t source = 0;
    input_event event{};
};

// What a learning knows of its sources across the controls it catches: the codes bound so far
// (not taken again), each axis's range and its last value, so a move is measured from where
// the axis stood.
class CatchMemory {
public:
    explicit CatchMemory(int rawAxisThreshold = 64) : rawAxisThreshold_(rawAxisThreshold) {}

    // The stream's axis ranges and present values. libevdev's values move with the events
    // read, so this is done before any is read.
    void noteSource(std::size_t source, const InputEventStream& stream);
    // An event seen, whatever it matched: an axis's last value.
    void saw(const SourcedEvent& sourced);

    bool used(std::size_t source, int type, int code) const {
        return used_.contains({source, type, code});
    }
    void use(std::size_t source, int type, int code) { used_.insert({source, type, code}); }
    void release(std::size_t source, int type, int code) { used_.erase({source, type, code}); }
    // The value the event's axis had before it.
    int valueBefore(const SourcedEvent& sourced) const;
    // How far the event's axis must move to count: a quarter of its range, where it has one.
    long long threshold(const SourcedEvent& sourced) const;

private:
    using Key = std::pair<std::size_t, int>; // source, EV_ABS code
    int rawAxisThreshold_;
    std::set<std::tuple<std::size_t, int, int>> used_;
    std::map<Key, AxisRange> ranges_;
    std::map<Key, int> atStart_;
    std::map<Key, int> last_;
};

// Catches one X36 control from the events of any source: a button pressed, a hat pushed up
// (an evdev hat pair, or the first of four buttons of one source, each asked for in turn), an
// axis moved far. Offer it events one at a time; nothing waits.
class ControlCatch {
public:
    enum class Step { Waiting, NextDirection, Caught };

    ControlCatch(ControlRef control, CatchMemory& memory);

    ControlRef control() const { return control_; }
    // What the pilot is asked now: "FireA: press the A button on the stick's head", a hat's
    // with the direction wanted.
    std::string prompt() const;
    // The direction a hat of buttons waits for next: "up", "right", "down" or "left".
    std::string direction() const;
    // Takes an event. On NextDirection and Caught, caughtCodes() names what the event bound.
    Step offer(const SourcedEvent& sourced);
    // The evdev names of the codes the last step bound ("BTN_THUMB", "ABS_HAT0X ABS_HAT0Y").
    const std::string& caughtCodes() const { return caughtCodes_; }
    // The evdev names of every code the caught control now has.
    std::string boundCodes() const;
    std::size_t source() const { return source_; }
    // Gives back the codes of a hat caught in part, when the catch is given up.
    void abandon();

    // Writes the caught control into map, from device (none: whichever device is taken).
    // Returns the controls of that device that had one of its codes and are now unbound.
    std::vector<ControlRef> bindInto(ControlMap& map,
                                     const std::optional<DeviceMatch>& device) const;

private:
    bool freshPress(const SourcedEvent& sourced) const;
    Step catchButton(const SourcedEvent& sourced);
    Step catchHat(const SourcedEvent& sourced);
    Step catchAxis(const SourcedEvent& sourced);

    ControlRef control_;
    CatchMemory& memory_;
    std::size_t source_ = 0;
    int part_ = 0; // the hat direction waited for, by HatBinding::Button
    HatBinding hat_;
    int code_ = kUnbound;                                  // a button's or an axis's
    std::map<std::pair<std::size_t, int>, int> baselines_; // axes, at their first event
    std::string caughtCodes_;
};

// The map's device a stream's controls are learnt as: the one the map has for it, else one
// proposed from its USB numbers (its label added to labels), else none (a recording).
std::optional<DeviceMatch> learningDeviceFor(const ControlMap& map, const DeviceIdentity& identity,
                                             std::vector<std::string>& labels);

// Every X36 control in the order they are learnt: buttons, hats, axes.
std::vector<ControlRef> allControls();

} // namespace vantrel::driver
