#include "profile/ScriptCompiler.h"

#include "profile/CNumbers.h"
#include "profile/KeyNames.h"
#include "profile/TokenNameTable.h"

#include <array>
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

using Names = std::vector<std::pair<std::string_view, std::int16_t>>;

Names viewsOf(const std::vector<NamedCode>& names) {
    Names views;
    views.reserve(names.size());
    for (const NamedCode& entry : names)
        views.emplace_back(entry.name, entry.data);
    return views;
}

// All names of the lists above, in their order, in one table built on first use.
const TokenNameTable& nameTable() {
    static const TokenNameTable table = [] {
        static const std::vector<NamedCode> lowerDirectX = directXButtonNames("dx_");
        static const std::vector<NamedCode> upperDirectX = directXButtonNames("DX_");
        TokenNameTable built;
        built.addList(0, viewsOf(pressKeyNames()));
        built.addList(1, viewsOf(releaseKeyNames()));
        built.addList(2, viewsOf(lowerDirectX));
        built.addList(3, viewsOf(upperDirectX));
        built.addList(4, {{"mouse1", 1}, {"mouse2", 2}, {"mouse3", 3}});
        built.addList(5, {{"MOUSE1", 1}, {"MOUSE2", 2}, {"MOUSE3", 3}});
        built.addList(6, viewsOf(hatNames()));
        return built;
    }();
    return table;
}

struct Movement {
    std::string_view marker;
    EventOpcode opcode;
    bool negative;
};

constexpr std::array<Movement, 4> kMovements = {{
    {"MOUSERIGHT_", EventOpcode::MouseMoveHorizontal, false},
    {"MOUSELEFT_", EventOpcode::MouseMoveHorizontal, true},
    {"MOUSEUP_", EventOpcode::MouseMoveVertical, true},
    {"MOUSEDOWN_", EventOpcode::MouseMoveVertical, false},
}};

// The text after the first '_' of a body; the whole body when it has none.
std::string_view afterFirstUnderscore(std::string_view body) {
    const std::size_t underscore = body.find('_');
    return underscore == std::string_view::npos ? body : body.substr(underscore + 1);
}

std::int16_t low16(unsigned long long value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
}

} // namespace

ScriptEvent ScriptCompiler::compile(std::string_view token) const {
    ScriptEvent event;
    std::string_view body = token;
    const std::size_t caret = token.rfind('^');
    if (caret != std::string_view::npos) {
        body = token.substr(0, caret);
        event.delay = readDecimalInt32(token.substr(caret + 1));
    }

    if (body.find("LOADMODE") != std::string_view::npos) {
        event.oc = static_cast<std::uint8_t>(EventOpcode::LoadMode);
        event.loadsMode = true;
        event.modeName = afterFirstUnderscore(body);
        return event;
    }
    // Every movement marker begins with "MOUSE", so one search rules out all four.
    const bool mayMove = body.find("MOUSE") != std::string_view::npos;
    for (const Movement& movement : kMovements) {
        if (!mayMove || body.find(movement.marker) == std::string_view::npos)
            continue;
        event.oc = static_cast<std::uint8_t>(movement.opcode);
        const std::string_view amountText = body.substr(body.find('_') + 1);
        const long long amount = scanCInteger(amountText).value_or(ScannedInteger{0, 0}).value;
        const auto bits = static_cast<unsigned long long>(amount);
        event.data = low16(movement.negative ? 0ULL - bits : bits);
        return event;
    }
    const TokenNameTable::Match match = nameTable().find(body);
    if (match.list >= 0) {
        const NameList& list = kNameLists[static_cast<std::size_t>(match.list)];
        event.oc = static_cast<std::uint8_t>(list.opcode);
        if (event.delay == 0 && list.delay != DefaultDelay::None) {
            const std::uint32_t fallback =
                list.delay == DefaultDelay::Press ? delays_.press : delays_.release;
            event.delay = static_cast<std::int32_t>(fallback);
        }
        if (match.hasData)
            event.data = match.data;
        else
            reportFault(list.message, body);
        return event;
    }
    reportFault("Event type not recognized: ", body);
    return event;
}

void ScriptCompiler::reportFault(std::string_view text, std::string_view body) const {
    Diagnostic fault;
    fault.text = std::string(text);
    fault.title = std::string(body);
    diagnostics_.report(std::move(fault));
}

} // namespace vantrel
