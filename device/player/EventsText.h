#pragma once

#include "device/player/PlayerTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantrel::player {

// One control event of a recording.
struct RecordedInput {
    Time at{0};
    ControlInput control;
};

struct RecordedInputs {
    std::vector<RecordedInput> inputs; // in file order, times never decreasing
    std::vector<std::string> errors;   // "NAME:LINE: message", one per faulty line
};

// Reads the events text described in RecordedPlay.h. Every faulty line gives one error;
// the inputs of a text with errors are not to be played.
RecordedInputs readRecordedInputs(std::string_view text, std::string_view name);

} // namespace vantrel::player
