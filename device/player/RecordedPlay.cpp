#include "device/player/RecordedPlay.h"

#include "device/DeviceProfileCheck.h"
#include "device/player/EventsText.h"
#include "device/player/ProfilePlayer.h"
#include "device/player/TimelineSink.h"

#include <algorithm>

namespace vantrel::player {
namespace {

// Plays every event due up to and including now, one due time at a time, so notes carry
// the time of the event that made them.
void playUntil(ProfilePlayer& player, TimelineSink& sink, Time now) {
    while (const std::optional<Time> due = player.nextDue()) {
        if (*due > now)
            break;
        sink.at(*due);
        player.advance(*due);
    }
}

} // namespace

int playRecording(std::span<const std::uint8_t> deviceFile, std::string_view eventsText,
                  std::string_view eventsName, std::ostream& timeline, std::ostream& errors) {
    const ProfileCheck check = checkDeviceProfile(deviceFile);
    const RecordedInputs recording = readRecordedInputs(eventsText, eventsName);
    for (const std::string& error : check.errors)
        errors << "profile refused: " << error << '\n';
    for (const std::string& error : recording.errors)
        errors << error << '\n';
    if (!check.accepted() || !recording.errors.empty())
        return 1;
    for (const std::string& warning : check.warnings)
        errors << "profile warning: " << warning << '\n';

    TimelineSink sink(timeline);
    ProfilePlayer player(sink);
    player.load(check.image, Time{0});
    Time now{0};
    for (const RecordedInput& input : recording.inputs) {
        playUntil(player, sink, input.at);
        now = input.at;
        sink.at(now);
        sink.line(now, "input", TimelineSink::describeInput(input.control));
        player.input(input.control, now);
    }
    while (const std::optional<Time> due = player.nextDue()) {
        now = std::max(now, *due);
        playUntil(player, sink, *due);
    }
    sink.at(now);
    sink.line(now, "end", "releasing everything still held");
    player.releaseAll(now);
    return 0;
}

} // namespace vantrel::player
