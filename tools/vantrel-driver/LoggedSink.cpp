#include "LoggedSink.h"

#include "device/player/TimelineSink.h"

namespace vantrel::driver {

LoggedSink::LoggedSink(player::OutputSink& output, std::ostream& log)
    : output_(output), log_(log) {}

void LoggedSink::emit(const player::OutputAction& action, player::Time at) {
    output_.emit(action, at);
}

void LoggedSink::note(std::string_view line) {
    if (line.starts_with("configuration ")) {
        log_ << "vantrel-driver: mode switch: " << line << std::endl;
        return;
    }
    if (told_.contains(line))
        return;
    told_.emplace(line);
    log_ << "vantrel-driver: " << line << std::endl;
}

void LoggedSink::unassignedPress(const player::ControlInput& control, int configuration,
                                 player::Time) {
    note(player::TimelineSink::describeInput(control) + ": configuration " +
         std::to_string(configuration) + " assigns nothing to it");
}

} // namespace vantrel::driver
