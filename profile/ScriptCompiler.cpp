#include "profile/ScriptCompiler.h"

#include "profile/CNumbers.h"
#include "profile/KeyNames.h"

#include <array>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace vantrel {
namespace {

enum class DefaultDelay { None, Press, Release };

struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

// One list of names: a body belongs to it when it begins one of its names, and takes its
// Data from the first name it equals.
class NameList {
public:
    NameList(std::vector<NamedCode> names, EventOpcode opcode, DefaultDelay delay,
             std::string_view message)
        : opcode_(opcode), delay_(delay), message_(message) {
        for (const NamedCode& entry : names) {
            exact_.try_emplace(entry.name, entry.data);
            for (std::size_t length = 0; length <= entry.name.size(); ++length)
                prefixes_.insert(entry.name.substr(0, length));
        }
    }

    bool holdsPrefix(std::string_view body) const {
        return prefixes_.find(body) != prefixes_.end();
    }
    std::optional<std::int16_t> dataOf(std::string_view body) const {
        const auto found = exact_.find(body);
        if (found == exact_.end())
            return std::nullopt;
        return found->second;
    }
    EventOpcode opcode() const { return opcode_; }
    DefaultDelay defaultDelay() const { return delay_; }
    std::string_view message() const { return message_; }

private:
    EventOpcode opcode_;
    DefaultDelay delay_;
    std::string_view message_;
    std::unordered_map<std::string, std::int16_t, ViewHash, std::equal_to<>> exact_;
    std::unordered_set<std::string, ViewHash, std::equal_to<>> prefixes_;
};

const std::array<NameList, 7>& nameLists() {
    static const std::array<NameList, 7> lists = {
        NameList(pressKeyNames(), EventOpcode::KeyPress, DefaultDelay::Press,
                 "Press key event data not recognized: "),
        NameList(releaseKeyNames(), EventOpcode::KeyRelease, DefaultDelay::Release,
                 "Release key event data not recognized: "),
        NameList(directXButtonNames("dx_"), EventOpcode::DirectXPress, DefaultDelay::Press,
                 "DX press key event data not recognized: "),
        NameList(directXButtonNames("DX_"), EventOpcode::DirectXRelease, DefaultDelay::Release,
                 "DX release key event data not recognized: "),
        NameList({{"mouse1", 1}, {"mouse2", 2}, {"mouse3", 3}}, EventOpcode::MousePress,
                 DefaultDelay::Press, "Mouse button press key event data not recognized: "),
        NameList({{"MOUSE1", 1}, {"MOUSE2", 2}, {"MOUSE3", 3}}, EventOpcode::MouseRelease,
                 DefaultDelay::Release, "Mouse Button release key event data not recognized: "),
        NameList(hatNames(), EventOpcode::HatDirection, DefaultDelay::None,
                 "Hat direction set event data not recognized: "),
    };
    return lists;
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
    for (const Movement& movement : kMovements) {
        if (body.find(movement.marker) == std::string_view::npos)
            continue;
        event.oc = static_cast<std::uint8_t>(movement.opcode);
        const std::string_view amountText = body.substr(body.find('_') + 1);
        const long long amount = scanCInteger(amountText).value_or(ScannedInteger{0, 0}).value;
        const auto bits = static_cast<unsigned long long>(amount);
        event.data = low16(movement.negative ? 0ULL - bits : bits);
        return event;
    }
    for (const NameList& list : nameLists()) {
        if (!list.holdsPrefix(body))
            continue;
        event.oc = static_cast<std::uint8_t>(list.opcode());
        if (event.delay == 0 && list.defaultDelay() != DefaultDelay::None) {
            const std::uint32_t fallback =
                list.defaultDelay() == DefaultDelay::Press ? delays_.press : delays_.release;
            event.delay = static_cast<std::int32_t>(fallback);
        }
        if (const auto data = list.dataOf(body))
            event.data = *data;
        else
            reportFault(list.message(), body);
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
