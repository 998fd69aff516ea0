#include "device/player/EventsText.h"

#include "device/player/ControlNames.h"

#include <charconv>
#include <optional>

namespace vantrel::player {
namespace {

constexpr long long kLatestMilliseconds = 1'000'000'000; // about eleven and a half days

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::vector<std::string_view> fields(std::string_view line) {
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos)
        line = line.substr(0, hash);
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        const std::size_t start = at;
        while (at < line.size() && !isBlank(line[at]))
            ++at;
        if (at > start)
            out.push_back(line.substr(start, at - start));
    }
    return out;
}

template <typename Int> std::optional<Int> wholeNumber(std::string_view text) {
    Int value{};
    const char* end = text.data() + text.size();
    const auto [stop, fault] = std::from_chars(text.data(), end, value);
    if (fault != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<int> buttonValue(std::string_view text) {
    if (text == "press" || text == "1")
        return 1;
    if (text == "release" || text == "0")
        return 0;
    return std::nullopt;
}

std::optional<int> hatValue(std::string_view text) {
    if (const auto named = hatDirectionNamed(text))
        return named;
    const auto number = wholeNumber<int>(text);
    if (number && *number >= 0 && *number < kHatDirectionCount)
        return number;
    return std::nullopt;
}

std::optional<int> axisValue(std::string_view text) {
    const auto number = wholeNumber<int>(text);
    if (number && *number >= kAxisMinimum && *number <= kAxisMaximum)
        return number;
    return std::nullopt;
}

class Reader {
public:
    explicit Reader(std::string_view name) : name_(name) {}

    void line(std::string_view text, std::size_t number) {
        const std::vector<std::string_view> parts = fields(text);
        if (parts.empty())
            return;
        if (parts.size() < 3)
            return fail(number, "expected TIME CONTROL VALUE, found " +
                                    std::to_string(parts.size()) + " field" +
                                    (parts.size() == 1 ? "" : "s"));
        if (parts.size() > 3)
            return fail(number, "unexpected \"" + std::string(parts[3]) + "\" after the value");
        const auto time = wholeNumber<long long>(parts[0]);
        if (!time || *time < 0 || *time > kLatestMilliseconds)
            return fail(number, "the time \"" + std::string(parts[0]) +
                                    "\" is not a whole number of milliseconds from 0 to " +
                                    std::to_string(kLatestMilliseconds));
        if (*time < latest_)
            return fail(number, "the time " + std::to_string(*time) +
                                    " ms is earlier than the line before (" +
                                    std::to_string(latest_) + " ms)");
        std::optional<ControlInput> control = controlNamed(parts[1]);
        if (!control)
            return fail(number, "unknown control \"" + std::string(parts[1]) + "\"");
        const std::optional<int> value = valueOf(control->kind, parts[2]);
        if (!value)
            return fail(number, "\"" + std::string(parts[2]) + "\" is not a value of " +
                                    std::string(parts[1]) + "; " + expected(control->kind));
        control->value = *value;
        latest_ = *time;
        result_.inputs.push_back({std::chrono::milliseconds(*time), *control});
    }

    RecordedInputs take() { return std::move(result_); }

private:
    static std::optional<int> valueOf(ControlInput::Kind kind, std::string_view text) {
        switch (kind) {
        case ControlInput::Kind::Button:
            return buttonValue(text);
        case ControlInput::Kind::Hat:
            return hatValue(text);
        case ControlInput::Kind::Axis:
            return axisValue(text);
        }
        return std::nullopt;
    }

    static std::string expected(ControlInput::Kind kind) {
        switch (kind) {
        case ControlInput::Kind::Button:
            return "a button takes press, release, 1 or 0";
        case ControlInput::Kind::Hat:
            return "a hat takes Center, Up, UpRight, Right, DownRight, Down, DownLeft, Left, "
                   "UpLeft or 0 to 8";
        case ControlInput::Kind::Axis:
            return "an axis takes a whole number from -32767 to 32767";
        }
        return {};
    }

    void fail(std::size_t number, const std::string& message) {
        result_.errors.push_back(std::string(name_) + ":" + std::to_string(number) + ": " +
                                 message);
    }

    std::string_view name_;
    long long latest_ = 0;
    RecordedInputs result_;
};

} // namespace

RecordedInputs readRecordedInputs(std::string_view text, std::string_view name) {
    Reader reader(name);
    std::size_t number = 1;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        reader.line(text.substr(0, end), number++);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return reader.take();
}

} // namespace vantrel::player
