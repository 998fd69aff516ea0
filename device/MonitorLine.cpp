#include "device/MonitorLine.h"

#include <charconv>

namespace vantrel {
namespace {

// Reads a value from the start of rest, quoted or bare, and moves rest past it.
std::optional<std::string> readValue(std::string_view& rest) {
    std::string value;
    if (rest.empty() || rest.front() != '"') {
        const std::size_t end = rest.find(' ');
        value = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
        return value;
    }
    std::size_t i = 1;
    for (; i < rest.size() && rest[i] != '"'; ++i) {
        if (rest[i] != '\\') {
            value += rest[i];
            continue;
        }
        if (++i == rest.size())
            return std::nullopt;
        switch (rest[i]) {
        case 'n':
            value += '\n';
            break;
        case 't':
            value += '\t';
            break;
        case 'x': {
            unsigned byte = 0;
            if (i + 2 >= rest.size() ||
                std::from_chars(rest.data() + i + 1, rest.data() + i + 3, byte, 16).ptr !=
                    rest.data() + i + 3)
                return std::nullopt;
            value += static_cast<char>(byte);
            i += 2;
            break;
        }
        default:
            value += rest[i];
        }
    }
    if (i == rest.size())
        return std::nullopt;
    rest.remove_prefix(i + 1);
    return value;
}

std::string_view nextWord(std::string_view& rest) {
    const std::size_t end = rest.find(' ');
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    return word;
}

} // namespace

std::optional<std::string> MonitorLine::field(std::string_view name) const {
    for (const auto& [fieldName, value] : fields)
        if (fieldName == name)
            return value;
    return std::nullopt;
}

long long MonitorLine::number(std::string_view name, long long fallback) const {
    const std::optional<std::string> text = field(name);
    long long value = 0;
    if (!text || text->empty() ||
        std::from_chars(text->data(), text->data() + text->size(), value).ptr !=
            text->data() + text->size())
        return fallback;
    return value;
}

std::optional<MonitorLine> readMonitorLine(std::string_view line) {
    MonitorLine record;
    std::string_view rest = line;
    record.kind = nextWord(rest);
    if (record.kind.empty())
        return std::nullopt;
    while (!rest.empty()) {
        rest.remove_prefix(1); // the blank before the next word
        if (rest.empty())
            break;
        const std::size_t equals = rest.find('=');
        const std::size_t blank = rest.find(' ');
        if (equals == std::string_view::npos ||
            (blank != std::string_view::npos && blank < equals)) {
            if (!record.fields.empty() || !record.word.empty())
                return std::nullopt;
            record.word = nextWord(rest);
            continue;
        }
        std::string name(rest.substr(0, equals));
        rest.remove_prefix(equals + 1);
        std::optional<std::string> value = readValue(rest);
        if (!value || (!rest.empty() && rest.front() != ' '))
            return std::nullopt;
        record.fields.emplace_back(std::move(name), std::move(*value));
    }
    return record;
}

} // namespace vantrel
