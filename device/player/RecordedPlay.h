#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace vantrel::player {

// Plays a device profile against recorded control events on a virtual clock and prints a
// timeline of what the computer would receive.
//
// The events text holds one control event per line, three fields separated by blanks or tabs:
//
//     TIME  CONTROL  VALUE
//
//   TIME     milliseconds from the start of the recording, a whole number from 0 to
//            1000000000; never earlier than the line before (equal times play in file order).
//   CONTROL  a button: Trigger FireA FireB Launch FireD MouseButton Shift FireC Mode1 Mode2
//            Mode3 Aux1 Aux2 Aux3; a hat: StickHat1 ThrottleHat1 MouseHat StickHat2; an axis:
//            XAxis YAxis ZAxis RAxis R1Axis R2Axis. Names are exact, letter case included.
//   VALUE    for a button press or 1 (down), release or 0 (up); for a hat its direction,
//            Center Up UpRight Right DownRight Down DownLeft Left UpLeft or its number 0 to 8
//            in that order; for an axis a whole number from -32767 to 32767.
//
// '#' starts a comment that runs to the end of its line; blank lines are skipped; lines end
// in LF or CR LF. Example:
//
//     # pull the trigger for 120 ms, then sweep the throttle up
//     0     Trigger  press
//     120   Trigger  release
//     500   ZAxis    -32767
//     900   ZAxis    32767
//
// The timeline has one line per input, output action and note, each starting with the
// virtual time ("   40.000 ms  key down  a (usage 4)"). After the last input every script
// still running plays to its end, then everything still held is released.
//
// Returns 0 when played. When the device check refuses the profile, its reasons are printed
// to errors (one per line, "profile refused: ..."); when the events text has faulty lines,
// each is printed as "NAME:LINE: message" with the given eventsName; both return 1 and
// play nothing. The check's warnings go to errors as "profile warning: ..." and play goes on.
int playRecording(std::span<const std::uint8_t> deviceFile, std::string_view eventsText,
                  std::string_view eventsName, std::ostream& timeline, std::ostream& errors);

} // namespace vantrel::player
