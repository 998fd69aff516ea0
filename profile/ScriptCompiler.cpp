#include "profile/ScriptCompiler.h"

#include "profile/CNumbers.h"
#include "profile/KeyNames.h"

#include <array>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

enum class DefaultDelay { None, Press, Release };

// One list of names: a body belongs to it when it begins one of its names, and takes its
// Data from the first name it equals. The lists are tried in this order.
struct NameList {
    EventOpcode opcode;
    DefaultDelay delay;
    std::string_view message;
};

constexpr std::array<NameList, 7> kNameLists = {{
    {EventOpcode::KeyPress, DefaultDelay::Press, "Press key event data not recognized: "},
    {EventOpcode::KeyRelease, DefaultDelay::Release, "Release key event data not recognized: "},
    {EventOpcode::DirectXPress, DefaultDelay::Press, "DX press key event data not recognized: "},
    {EventOpcode::DirectXRelease, DefaultDelay::Release,
     "DX release key event data not recognized: "},
    {EventOpcode::MousePress, DefaultDelay::Press,
     "Mouse button press key event data not recognized: "},
    {EventOpcode::MouseRelease, DefaultDelay::Release,
     "Mouse Button release key event data not recognized: "},
    {EventOpcode::HatDirection, DefaultDelay::None,
     "Hat direction set event data not recognized: "},
}};

// What a body found in the name table gives: the first list one of whose names it begins,
// and the Data of that list's first name it equals, if any.
struct ListMatch {
    std::size_t list;
    std::optional<std::int16_t> data;
};

// Every prefix of every name of the lists above, built on first use; the keys view names that
// live as long as the program.
const std::unordered_map<std::string_view, ListMatch>& nameTable() {
    static const auto table = [] {
        static const std::vector<NamedCode> lowerDirectX = directXButtonNames("dx_");
        static const std::vector<NamedCode> upperDirectX = directXButtonNames("DX_");
        static const std::vector<NamedCode> lowerMouse = {
            {"mouse1", 1}, {"mouse2", 2}, {"mouse3", 3}};
        static const std::vector<NamedCode> upperMouse = {
            {"MOUSE1", 1}, {"MOUSE2", 2}, {"MOUSE3", 3}};
        const std::array<const std::vector<NamedCode>*, kNameLists.size()> lists = {
            &pressKeyNames(), &releaseKeyNames(), &lowerDirectX, &upperDirectX,
            &lowerMouse,      &upperMouse,        &hatNames()};
        std::unordered_map<std::string_view, ListMatch> built;
        for (std::size_t list = 0; list < lists.size(); ++list) {
            for (const NamedCode& entry : *lists[list]) {
                const std::string_view name = entry.name;
                for (std::size_t length = 0; length <= name.size(); ++length) {
                    // An earlier list keeps a prefix, and an earlier name of its list the Data.
                    ListMatch& match =
                        built.try_emplace(name.substr(0, length), ListMatch{list, std::nullopt})
                            .first->second;
                    if (length == name.size() && match.list == list && !match.data)
                        match.data = entry.data;
                }
            }
        }
        return built;
    }();
    return table;
}

struct Movement {
    std::string_view marker;
    EventOpcode opcode;
    bool negative;
};

// In the order the rules try them.
constexpr std::array<Movement, 4> kMovements = {{
    {"MOUSERIGHT_", EventOpcode::MouseMoveHorizontal, false},
    {"MOUSELEFT_", EventOpcode::MouseMoveHorizontal, true},
    {"MOUSEUP_", EventOpcode::MouseMoveVertical, true},
    {"MOUSEDOWN_", EventOpcode::MouseMoveVertical, false},
}};
constexpr std::string_view kLoadModeMarker = "LOADMODE";

// The text after the first '_' of a body; the whole body when it has none.
std::string_view afterFirstUnderscore(std::string_view body) {
    const std::size_t underscore = body.find('_');
    return underscore == std::string_view::npos ? body : body.substr(underscore + 1);
}

std::int16_t low16(unsigned long long value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
}

} // namespace

// Rules 1 to 5: the load-mode marker anywhere in the body, else the first movement marker
// found in it.
std::optional<ScriptCompiler::MarkedBody> ScriptCompiler::markedAnywhere(std::string_view body) {
    if (body.find(kLoadModeMarker) != std::string_view::npos)
        return MarkedBody{EventOpcode::LoadMode, false, afterFirstUnderscore(body)};
    // Every movement marker begins with "MOUSE", so one search rules out all four.
    if (body.find("MOUSE") == std::string_view::npos)
        return std::nullopt;
    for (const Movement& movement : kMovements) {
        if (body.find(movement.marker) != std::string_view::npos)
            return MarkedBody{movement.opcode, movement.negative, afterFirstUnderscore(body)};
    }
    return std::nullopt;
}

// The same rules for a body that begins with a marker and its first '_', without searching
// it. "LOADMODE_" decides at once, as its rule comes first. A movement marker decides when no
// marker of an earlier rule occurs in the body: every marker begins with 'L' or 'M'; inside
// a movement marker only its own first letter and the L of "LEFT_" are such letters, and
// neither begins another marker there; so another marker could only lie wholly in the text
// after it, which then must hold neither letter.
std::optional<ScriptCompiler::MarkedBody> ScriptCompiler::markedAtStart(std::string_view body) {
    if (body.size() < 2)
        return std::nullopt;
    if (body[0] == 'L') {
        if (body.size() > kLoadModeMarker.size() && body.starts_with(kLoadModeMarker) &&
            body[kLoadModeMarker.size()] == '_')
            return MarkedBody{EventOpcode::LoadMode, false,
                              body.substr(kLoadModeMarker.size() + 1)};
        return std::nullopt;
    }
    if (body[0] != 'M' || body[1] != 'O')
        return std::nullopt;
    for (const Movement& movement : kMovements) {
        if (!body.starts_with(movement.marker))
            continue;
        const std::string_view amount = body.substr(movement.marker.size());
        if (amount.find_first_of("LM") != std::string_view::npos)
            return std::nullopt;
        return MarkedBody{movement.opcode, movement.negative, amount};
    }
    return std::nullopt;
}

ScriptEvent ScriptCompiler::markedEvent(ScriptEvent event, const MarkedBody& marked) {
    if (marked.opcode == EventOpcode::LoadMode) {
        event.opcode = EventOpcode::LoadMode;
        event.loadsMode = true;
        event.modeName = marked.rest;
        return event;
    }
    event.opcode = marked.opcode;
    const long long amount = scanCInteger(marked.rest).value_or(ScannedInteger{0, 0}).value;
    const auto bits = static_cast<unsigned long long>(amount);
    event.data = low16(marked.negative ? 0ULL - bits : bits);
    return event;
}

ScriptEvent ScriptCompiler::compile(std::string_view token) const {
    ScriptEvent event;
    std::string_view body = token;
    const std::size_t caret = token.rfind('^');
    if (caret != std::string_view::npos) {
        body = token.substr(0, caret);
        event.delay = readDecimalInt32(token.substr(caret + 1));
    }
    // The common forms are decided without searching the body: a load-mode or movement
    // marker at its start, or a body found whole in the name table. No name of the lists
    // holds a marker, so neither does a body the table knows, and the marker rules, which
    // come first, cannot apply to it.
    if (const std::optional<MarkedBody> marked = markedAtStart(body))
        return markedEvent(event, *marked);
    const auto found = nameTable().find(body);
    if (found != nameTable().end())
        return listEvent(event, found->second.list, found->second.data, body);
    if (const std::optional<MarkedBody> marked = markedAnywhere(body))
        return markedEvent(event, *marked);
    reportFault("Event type not recognized: ", body);
    return event;
}

ScriptEvent ScriptCompiler::listEvent(ScriptEvent event, std::size_t listIndex,
                                      std::optional<std::int16_t> data,
                                      std::string_view body) const {
    const NameList& list = kNameLists[listIndex];
    event.opcode = list.opcode;
    if (event.delay == 0 && list.delay != DefaultDelay::None) {
        const std::uint32_t fallback =
            list.delay == DefaultDelay::Press ? delays_.press : delays_.release;
        event.delay = static_cast<std::int32_t>(fallback);
    }
    if (data)
        event.data = *data;
    else
        reportFault(list.message, body);
    return event;
}

void ScriptCompiler::reportFault(std::string_view text, std::string_view body) const {
    Diagnostic fault;
    fault.text = std::string(text);
    fault.title = std::string(body);
    diagnostics_.report(std::move(fault));
}

} // namespace vantrel
