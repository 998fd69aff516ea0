#pragma once

#include "devicefile/DeviceFormat.h"
#include "profile/DefaultDelays.h"
#include "profile/Diagnostic.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// One action of a script as the device runs it. A load-mode event also carries the name of
// the mode to load, a view into the token it was compiled from (so the token's text must
// outlive the event); its Data is set when the device file is written. The fields are ordered
// to pack an event into 24 bytes, as a large profile holds hundreds of thousands of them.
struct ScriptEvent {
    EventOpcode opcode{};
    bool loadsMode = false;
    std::int16_t data = 0;
    std::int32_t delay = 0;
    std::string_view modeName;

    bool operator==(const ScriptEvent&) const = default;
};
static_assert(sizeof(ScriptEvent) == 8 + sizeof(std::string_view));

// Turns one script token ("a^40", "MOUSEUP_5", "LOADMODE_Combat") into one event. A faulty
// token is reported to the sink as an error (its text names the fault, its title is the
// token's body) and still yields an event, so a script keeps one event per token.
class ScriptCompiler {
public:
    ScriptCompiler(DefaultDelays delays, DiagnosticSink& diagnostics)
        : delays_(delays), diagnostics_(diagnostics) {}

    ScriptEvent compile(std::string_view token) const;

private:
    // A body that one of the marker rules decides: the load-mode opcode or a movement's,
    // whether the amount is negated, and the text after the body's first '_', which is the
    // mode name or the amount.
    struct MarkedBody {
        EventOpcode opcode;
        bool negative;
        std::string_view rest;
    };
    static std::optional<MarkedBody> markedAtStart(std::string_view body);
    static std::optional<MarkedBody> markedAnywhere(std::string_view body);
    static ScriptEvent markedEvent(ScriptEvent event, const MarkedBody& marked);
    // A body of the name list at listIndex of the compiler's lists; data is that of the
    // list's first name the body equals, if any.
    ScriptEvent listEvent(ScriptEvent event, std::size_t listIndex,
                          std::optional<std::int16_t> data, std::string_view body) const;
    void reportFault(std::string_view text, std::string_view body) const;

    DefaultDelays delays_;
    DiagnosticSink& diagnostics_;
};

} // namespace vantrel
