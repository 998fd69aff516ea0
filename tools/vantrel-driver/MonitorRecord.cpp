#include "MonitorRecord.h"

#include <cstdio>

namespace vantrel::driver {
namespace {

bool needsQuotes(std::string_view value) {
    if (value.empty())
        return true;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte == 0x7F || c == '"' || c == '\\')
            return true;
    }
    return false;
}

} // namespace

std::string monitorValue(std::string_view value) {
    if (!needsQuotes(value))
        return std::string(value);
    std::string quoted = "\"";
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n') {
            quoted += "\\n";
        } else if (c == '\t') {
            quoted += "\\t";
        } else if (byte < ' ' || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

MonitorRecord::MonitorRecord(std::string_view kind, std::string_view word) : text_(kind) {
    if (!word.empty())
        text_.append(" ").append(word);
}

MonitorRecord& MonitorRecord::field(std::string_view name, std::string_view value) {
    text_.append(" ").append(name).append("=").append(monitorValue(value));
    return *this;
}

MonitorRecord& MonitorRecord::field(std::string_view name, long long value) {
    text_.append(" ").append(name).append("=").append(std::to_string(value));
    return *this;
}

} // namespace vantrel::driver
