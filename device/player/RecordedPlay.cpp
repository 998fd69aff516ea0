#include "device/player/RecordedPlay.h"

namespace vantrel::player {

int playRecording(std::span<const std::uint8_t>, std::string_view, std::string_view, std::ostream&,
                  std::ostream& errors) {
    errors << "recorded play is not available yet\n";
    return 1;
}

} // namespace vantrel::player
