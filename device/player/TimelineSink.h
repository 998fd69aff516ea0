#pragma once

#include "device/player/PlayerTypes.h"

#include <ostream>
#include <string>

namespace vantrel::player {

// Prints what the player does as a readable timeline, one line per action or note:
//    "   40.000 ms  key down  a (usage 4)".
// Notes carry no time of their own; they take the time set with at().
class TimelineSink : public OutputSink {
public:
    explicit TimelineSink(std::ostream& out) : out_(out) {}

    void at(Time now) { now_ = now; }
    void emit(const OutputAction& action, Time at) override;
    void note(std::string_view line) override;
    // A line of the timeline's own: "<time>  <what>  <detail>".
    void line(Time at, std::string_view what, std::string_view detail = {});

    static std::string describeInput(const ControlInput& control);
    static std::string describe(const OutputAction& action);

private:
    std::ostream& out_;
    Time now_{0};
};

} // namespace vantrel::player
