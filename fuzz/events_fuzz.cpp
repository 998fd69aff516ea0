// Any events text for vantrel-driver --play reads without a crash: every fault is one message
// naming the text and a line that exists, and a text without faults gives inputs in time
// order whose controls and values are all in range, which then play (the virtual joystick
// mirroring them) without a crash.
//
// Input: the events text itself.
#include "device/player/EventsText.h"
#include "device/player/ProfilePlayer.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using vantrel::player::ControlInput;

void require(bool condition) {
    if (!condition)
        std::abort();
}

class NullSink : public vantrel::player::OutputSink {
public:
    void emit(const vantrel::player::OutputAction&, vantrel::player::Time) override {}
};

bool inRange(const ControlInput& control) {
    using namespace vantrel::player;
    switch (control.kind) {
    case ControlInput::Kind::Button:
        return control.index >= 0 && control.index < kButtonCount &&
               (control.value == 0 || control.value == 1);
    case ControlInput::Kind::Hat:
        return control.index >= 0 && control.index < kHatCount && control.value >= 0 &&
               control.value < kHatDirectionCount;
    case ControlInput::Kind::Axis:
        break;
    }
    return control.index >= 0 && control.index < kAxisCount && control.value >= kAxisMinimum &&
           control.value <= kAxisMaximum;
}

// "events:LINE: message" with LINE a line of the text.
void requireLocated(const std::string& error, std::string_view text) {
    constexpr std::string_view kName = "events:";
    require(error.starts_with(kName));
    const std::size_t colon = error.find(':', kName.size());
    require(colon != std::string::npos && colon > kName.size() && colon + 2 < error.size());
    const std::string number = error.substr(kName.size(), colon - kName.size());
    require(std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }));
    require(number.size() <= 9);
    const long line = std::stol(number);
    const long lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
    require(line >= 1 && line <= lines);
    require(error[colon + 1] == ' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const vantrel::player::RecordedInputs read =
        vantrel::player::readRecordedInputs(text, "events");
    for (const std::string& error : read.errors)
        requireLocated(error, text);
    if (!read.errors.empty())
        return 0;
    NullSink sink;
    vantrel::player::ProfilePlayer player(sink);
    vantrel::player::Time last{0};
    for (const vantrel::player::RecordedInput& input : read.inputs) {
        require(input.at >= last);
        require(inRange(input.control));
        last = input.at;
        player.input(input.control, input.at);
    }
    player.releaseAll(last);
    require(!player.holdsAnything());
    return 0;
}
