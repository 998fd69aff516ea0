#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace vantrel::player {

// Plays a device profile against recorded control events on a virtual clock and prints a
// timeline of what the computer would receive. Returns 0 when played, 1 when the profile or
// the events text is refused (the reasons go to errors).
int playRecording(std::span<const std::uint8_t> deviceFile, std::string_view eventsText,
                  std::string_view eventsName, std::ostream& timeline, std::ostream& errors);

} // namespace vantrel::player
