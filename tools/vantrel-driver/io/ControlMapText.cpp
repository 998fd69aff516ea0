#include "io/ControlMapText.h"

#include "files/AtomicFileOutput.h"
#include "io/EvdevNames.h"
#include "io/X36Controls.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <utility>

namespace vantrel::driver {
namespace {

using Kind = player::ControlInput::Kind;

constexpr std::size_t kMaximumErrors = 20;
constexpr std::uintmax_t kMaximumFileSize = 1 << 20;
constexpr std::string_view kUnboundWord = "none";
constexpr std::string_view kInvertedWord = "inverted";

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t", at);
        if (start == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" \t", start), text.size());
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

std::optional<int> parseInteger(std::string_view text) {
    int value = 0;
    const char* first = text.data();
    if (!text.empty() && text.front() == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || first == end)
        return std::nullopt;
    return value;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Reads one text line after another into a map, keeping the faults and which line bound what.
class MapParser {
public:
    MapParser(ControlMap& map, std::vector<std::string>& errors) : map_(map), errors_(errors) {}

    void parseLine(std::string_view line, int number) {
        line_ = number;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (splitWords(line).empty())
            return;
        const std::size_t equals = line.find('=');
        const std::vector<std::string_view> left =
            splitWords(line.substr(0, std::min(equals, line.size())));
        if (equals == std::string_view::npos || left.size() != 1) {
            fault("expected <control> = <binding>");
            return;
        }
        const std::optional<ControlRef> control = findControl(left.front());
        if (!control) {
            fault(quoted(left.front()) + " is not a control of the X36");
            return;
        }
        const std::string& name = controlName(*control);
        if (auto [seen, fresh] = controlLines_.emplace(name, number); !fresh) {
            fault(name + " is already bound on line " + std::to_string(seen->second));
            return;
        }
        const std::vector<std::string_view> words = splitWords(line.substr(equals + 1));
        if (words.empty()) {
            fault(name + " needs a binding (or none)");
            return;
        }
        if (words.size() == 1 && words.front() == kUnboundWord)
            return;
        switch (control->kind) {
        case Kind::Button:
            parseButton(control->index, name, words);
            break;
        case Kind::Hat:
            parseHat(control->index, name, words);
            break;
        case Kind::Axis:
            parseAxis(control->index, name, words);
            break;
        }
    }

private:
    void fault(const std::string& message) {
        if (errors_.size() < kMaximumErrors)
            errors_.push_back("line " + std::to_string(line_) + ": " + message);
        else if (errors_.size() == kMaximumErrors)
            errors_.push_back("further faults are not listed");
    }

    // The code of one word, checked to be of the type and not yet used by another control.
    std::optional<int> code(int type, std::string_view word, const std::string& control) {
        const std::optional<int> found = evdevCodeFromText(type, word);
        if (!found) {
            fault(quoted(word) + " is not an " + (type == EV_KEY ? "EV_KEY" : "EV_ABS") +
                  " code (" + control + ")");
            return std::nullopt;
        }
        auto [user, fresh] = codeUsers_.emplace(std::pair{type, *found}, control);
        if (!fresh && user->second != control) {
            fault(std::string(word) + " already drives " + user->second);
            return std::nullopt;
        }
        if (!fresh) {
            fault(std::string(word) + " is named twice for " + control);
            return std::nullopt;
        }
        return found;
    }

    void parseButton(int index, const std::string& name,
                     const std::vector<std::string_view>& words) {
        if (words.size() != 1) {
            fault(name + " takes one EV_KEY code");
            return;
        }
        if (const std::optional<int> key = code(EV_KEY, words.front(), name))
            map_.buttons[static_cast<std::size_t>(index)] = *key;
    }

    void parseHat(int index, const std::string& name, const std::vector<std::string_view>& words) {
        HatBinding hat;
        if (words.size() == 2) {
            const std::optional<int> x = code(EV_ABS, words[0], name);
            const std::optional<int> y = code(EV_ABS, words[1], name);
            if (!x || !y)
                return;
            hat.kind = HatBinding::Kind::AxisPair;
            hat.xCode = *x;
            hat.yCode = *y;
        } else if (words.size() == 4) {
            hat.kind = HatBinding::Kind::Buttons;
            for (std::size_t i = 0; i < words.size(); ++i) {
                const std::optional<int> key = code(EV_KEY, words[i], name);
                if (!key)
                    return;
                hat.buttons[i] = *key;
            }
        } else {
            fault(name + " takes two EV_ABS codes (x y) or four EV_KEY codes (up right down left)");
            return;
        }
        map_.hats[static_cast<std::size_t>(index)] = hat;
    }

    void parseAxis(int index, const std::string& name, std::vector<std::string_view> words) {
        AxisBinding axis;
        if (words.back() == kInvertedWord) {
            axis.inverted = true;
            words.pop_back();
        }
        if (words.size() != 1 && words.size() != 3) {
            fault(name + " takes an EV_ABS code, optionally a range (minimum maximum) and " +
                  std::string(kInvertedWord));
            return;
        }
        if (words.size() == 3) {
            const std::optional<int> minimum = parseInteger(words[1]);
            const std::optional<int> maximum = parseInteger(words[2]);
            if (!minimum || !maximum) {
                fault(name + ": the range must be two whole numbers");
                return;
            }
            if (*minimum >= *maximum) {
                fault(name + ": the range's minimum must be below its maximum");
                return;
            }
            axis.range = AxisRange{*minimum, *maximum};
        }
        const std::optional<int> abs = code(EV_ABS, words.front(), name);
        if (!abs)
            return;
        axis.code = *abs;
        map_.axes[static_cast<std::size_t>(index)] = axis;
    }

    ControlMap& map_;
    std::vector<std::string>& errors_;
    int line_ = 0;
    std::map<std::string, int> controlLines_;
    std::map<std::pair<int, int>, std::string> codeUsers_;
};

constexpr std::string_view kFileHeader =
    "# Vantrel driver control map: which evdev code of the joystick drives which X36 control.\n"
    "# <control> = <binding>; '#' starts a comment. Codes by name or as decimal numbers.\n"
    "#   button: Trigger = BTN_TRIGGER\n"
    "#   hat:    StickHat1 = ABS_HAT0X ABS_HAT0Y  (x y), or four buttons: up right down left\n"
    "#   axis:   XAxis = ABS_X [minimum maximum] [inverted]  (without a range: the device's)\n"
    "#   none:   the control is not bound\n";

// A hat with a code missing (possible only in a map built in code) is written as unbound.
bool isComplete(const HatBinding& hat) {
    switch (hat.kind) {
    case HatBinding::Kind::AxisPair:
        return hat.xCode != kUnbound && hat.yCode != kUnbound;
    case HatBinding::Kind::Buttons:
        return std::find(hat.buttons.begin(), hat.buttons.end(), kUnbound) == hat.buttons.end();
    case HatBinding::Kind::None:
        break;
    }
    return false;
}

void appendLine(std::string& text, const std::string& name, const std::string& binding) {
    text += name;
    text += " = ";
    text += binding;
    text += '\n';
}

} // namespace

bool parseControlMap(std::string_view text, ControlMap& map, std::vector<std::string>& errors) {
    const std::size_t errorsBefore = errors.size();
    ControlMap parsed;
    MapParser parser(parsed, errors);
    int number = 1;
    for (std::size_t at = 0; at <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        parser.parseLine(text.substr(at, end - at), number);
        at = end + 1;
    }
    if (errors.size() != errorsBefore)
        return false;
    map = parsed;
    return true;
}

std::string formatControlMap(const ControlMap& map) {
    std::string text(kFileHeader);
    for (std::size_t b = 0; b < map.buttons.size(); ++b) {
        const int key = map.buttons[b];
        appendLine(text, buttonNames()[b],
                   key == kUnbound ? std::string(kUnboundWord) : evdevCodeName(EV_KEY, key));
    }
    for (std::size_t h = 0; h < map.hats.size(); ++h) {
        const HatBinding& hat = map.hats[h];
        std::string binding;
        if (!isComplete(hat)) {
            binding = kUnboundWord;
        } else if (hat.kind == HatBinding::Kind::AxisPair) {
            binding = evdevCodeName(EV_ABS, hat.xCode) + " " + evdevCodeName(EV_ABS, hat.yCode);
        } else if (hat.kind == HatBinding::Kind::Buttons) {
            for (int key : hat.buttons)
                binding += (binding.empty() ? "" : " ") + evdevCodeName(EV_KEY, key);
        }
        appendLine(text, hatNames()[h], binding);
    }
    for (std::size_t a = 0; a < map.axes.size(); ++a) {
        const AxisBinding& axis = map.axes[a];
        std::string binding(kUnboundWord);
        if (axis.code != kUnbound) {
            binding = evdevCodeName(EV_ABS, axis.code);
            if (axis.range)
                binding += " " + std::to_string(axis.range->minimum) + " " +
                           std::to_string(axis.range->maximum);
            if (axis.inverted)
                binding += " " + std::string(kInvertedWord);
        }
        appendLine(text, axisNames()[a], binding);
    }
    return text;
}

bool loadControlMap(const std::filesystem::path& path, ControlMap& map,
                    std::vector<std::string>& errors) {
    std::error_code code;
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (code) {
        errors.push_back("cannot read " + path.string() + ": " + code.message());
        return false;
    }
    if (size > kMaximumFileSize) {
        errors.push_back(path.string() + " is too large for a control map (" +
                         std::to_string(size) + " bytes)");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
        errors.push_back("cannot read " + path.string() + ": " + std::strerror(errno));
        return false;
    }
    std::vector<std::string> faults;
    if (parseControlMap(text, map, faults))
        return true;
    for (const std::string& fault : faults)
        errors.push_back(path.string() + ": " + fault);
    return false;
}

bool saveControlMap(const std::filesystem::path& path, const ControlMap& map, std::string& error) {
    AtomicFileOutput output(path);
    if (!output.isOpen() || !output.write(formatControlMap(map)) || !output.finish()) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace vantrel::driver
