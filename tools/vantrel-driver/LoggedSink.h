#pragma once

#include "device/player/PlayerTypes.h"

#include <ostream>
#include <set>
#include <string>

namespace vantrel::driver {

// Passes the player's actions on to the output and its notes to the log. A mode switch is
// told every time; any other note (an unknown code, a value out of range, a press the mode
// assigns nothing to) once per profile, so a script or a control that keeps hitting it does
// not flood the log.
class LoggedSink : public player::OutputSink {
public:
    LoggedSink(player::OutputSink& output, std::ostream& log);

    void emit(const player::OutputAction& action, player::Time at) override;
    void note(std::string_view line) override;
    void unassignedPress(const player::ControlInput& control, int configuration,
                         player::Time at) override;
    // A new profile: its notes are told again.
    void forgetNotes() { told_.clear(); }

private:
    player::OutputSink& output_;
    std::ostream& log_;
    std::set<std::string, std::less<>> told_;
};

} // namespace vantrel::driver
