#include "io/ControlMapText.h"

#include "io/DeviceMatchText.h"
#include "io/EvdevNames.h"
#include "io/X36Controls.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

// Reads the control map text; ControlMapText.cpp writes it.
namespace vantrel::driver {
namespace {

using Kind = player::ControlInput::Kind;

constexpr std::size_t kMaximumErrors = 20;
constexpr std::string_view kUnboundWord = "none";
constexpr std::string_view kInvertedWord = "inverted";
constexpr std::string_view kDeviceWord = "device";

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

std::string inQuotes(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Everything before a '#' that is not inside a quoted device name.
std::string_view withoutComment(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == '#' && !quoted)
            return line.substr(0, i);
    }
    return line;
}

// Reads a map's lines in two rounds, the device lines first, so that a binding may name a device
// declared further down. Faults are kept with their lines and listed in line order.
class MapParser {
public:
    explicit MapParser(ControlMap& map) : map_(map) {}

    void parseDeviceLine(std::string_view line, int number) {
        line_ = number;
        Line parts;
        if (!split(line, parts) || !isDeviceLine(parts))
            return;
        const std::string label(parts.left[1]);
        if (const std::string problem = labelProblem(label); !problem.empty()) {
            fault(problem);
            return;
        }
        if (auto [seen, fresh] = deviceLines_.emplace(label, number); !fresh) {
            fault("device " + label + " is already declared on line " +
                  std::to_string(seen->second));
            return;
        }
        std::string problem;
        if (std::optional<DeviceMatch> device = parseDeviceMatch(label, parts.right, problem))
            map_.devices.push_back(std::move(*device));
        else
            fault(problem);
    }

    void parseBindingLine(std::string_view line, int number) {
        line_ = number;
        Line parts;
        if (!split(line, parts))
            return;
        if (isDeviceLine(parts))
            return; // read in the first round
        if (parts.left.size() != 1) {
            fault("expected <control> = <binding>, or device <label> = <device>");
            return;
        }
        const std::optional<ControlRef> control = findControl(parts.left.front());
        if (!control) {
            fault(inQuotes(parts.left.front()) + " is not a control of the X36");
            return;
        }
        const std::string& name = controlName(*control);
        if (auto [seen, fresh] = controlLines_.emplace(name, number); !fresh) {
            fault(name + " is already bound on line " + std::to_string(seen->second));
            return;
        }
        std::vector<std::string_view> words = splitWords(parts.right);
        if (words.empty()) {
            fault(name + " needs a binding (or none)");
            return;
        }
        if (words.size() == 1 && words.front() == kUnboundWord)
            return;
        if (namesDevice(control->kind, words) && !takeDevice(words, device_))
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
        device_.clear();
    }

    // The faults in line order, "line N: ...", at most kMaximumErrors of them.
    void listFaults(std::vector<std::string>& errors) {
        std::stable_sort(faults_.begin(), faults_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < faults_.size(); ++i) {
            if (i == kMaximumErrors) {
                errors.push_back("further faults are not listed");
                break;
            }
            errors.push_back("line " + std::to_string(faults_[i].first) + ": " + faults_[i].second);
        }
    }
    bool faulty() const { return !faults_.empty(); }
    void beginBindingRound() { bindingRound_ = true; }

private:
    struct Line {
        std::vector<std::string_view> left;
        std::string_view right;
    };

    static bool isDeviceLine(const Line& parts) {
        return parts.left.size() == 2 && parts.left[0] == kDeviceWord;
    }

    // False for a blank line, and for one without '=' (a fault, told in the round that reads
    // such lines).
    bool split(std::string_view line, Line& parts) {
        line = withoutComment(line);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (splitWords(line).empty())
            return false;
        const std::size_t equals = line.find('=');
        parts.left = splitWords(line.substr(0, std::min(equals, line.size())));
        if (equals != std::string_view::npos) {
            parts.right = line.substr(equals + 1);
            return true;
        }
        if (isDeviceLine(parts) && !bindingRound_)
            fault("expected device <label> = <device>");
        else if (!isDeviceLine(parts) && bindingRound_)
            fault("expected <control> = <binding>, or device <label> = <device>");
        return false;
    }

    // A binding one word longer than its control's forms, and whose first word is no code or
    // number, starts with its device's label.
    static bool namesDevice(Kind kind, const std::vector<std::string_view>& words) {
        if (!labelProblem(words.front()).empty())
            return false;
        std::size_t count = words.size();
        switch (kind) {
        case Kind::Button:
            return count == 2;
        case Kind::Hat:
            return count == 3 || count == 5;
        case Kind::Axis:
            if (words.back() == kInvertedWord)
                --count;
            break;
        }
        return count == 2 || count == 4;
    }

    bool takeDevice(std::vector<std::string_view>& words, std::string& device) {
        const std::string label(words.front());
        if (!deviceLines_.contains(label)) {
            fault(inQuotes(label) + " is not a device of this map (declare it: device " + label +
                  " = vendor:product)");
            return false;
        }
        device = label;
        words.erase(words.begin());
        return true;
    }

    void fault(const std::string& message) {
        if (faults_.size() <= kMaximumErrors * 4)
            faults_.emplace_back(line_, message);
    }

    // The code of one word, checked to be of the type and not yet used by another control of
    // the same device.
    std::optional<int> code(int type, std::string_view word, const std::string& control) {
        const std::optional<int> found = evdevCodeFromText(type, word);
        if (!found) {
            fault(inQuotes(word) + " is not an " + (type == EV_KEY ? "EV_KEY" : "EV_ABS") +
                  " code (" + control + ")");
            return std::nullopt;
        }
        auto [user, fresh] = codeUsers_.emplace(std::tuple{device_, type, *found}, control);
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
        if (const std::optional<int> key = code(EV_KEY, words.front(), name)) {
            map_.buttons[static_cast<std::size_t>(index)] = *key;
            map_.buttonDevices[static_cast<std::size_t>(index)] = device_;
        }
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
        map_.hatDevices[static_cast<std::size_t>(index)] = device_;
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
        map_.axisDevices[static_cast<std::size_t>(index)] = device_;
    }

    ControlMap& map_;
    int line_ = 0;
    bool bindingRound_ = false;
    std::string device_; // the label the binding being read names, if any
    std::vector<std::pair<int, std::string>> faults_;
    std::map<std::string, int> controlLines_;
    std::map<std::string, int> deviceLines_;
    std::map<std::tuple<std::string, int, int>, std::string> codeUsers_;
};

} // namespace

bool parseControlMap(std::string_view text, ControlMap& map, std::vector<std::string>& errors) {
    ControlMap parsed;
    MapParser parser(parsed);
    auto eachLine = [text](auto read) {
        int number = 1;
        for (std::size_t at = 0; at <= text.size(); ++number) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            read(text.substr(at, end - at), number);
            at = end + 1;
        }
    };
    eachLine(
        [&parser](std::string_view line, int number) { parser.parseDeviceLine(line, number); });
    parser.beginBindingRound();
    eachLine(
        [&parser](std::string_view line, int number) { parser.parseBindingLine(line, number); });
    if (parser.faulty()) {
        parser.listFaults(errors);
        return false;
    }
    map = std::move(parsed);
    return true;
}

} // namespace vantrel::driver
