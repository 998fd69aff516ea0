#pragma once

#include <string>
#include <string_view>

namespace vantrel::driver {

// One line of the driver's monitor stream: a kind word, maybe a second word, then fields as
// name=value. A value that is empty or holds a blank, a double quote, a backslash or a
// control character is written in double quotes, with \" \\ \n \t and \xHH escapes, so a
// program splits a line on blanks outside quotes and a person reads it as it stands:
//     control device=/dev/input/event3 type=EV_KEY code=288 event=BTN_TRIGGER raw=1 ...
class MonitorRecord {
public:
    explicit MonitorRecord(std::string_view kind, std::string_view word = {});

    MonitorRecord& field(std::string_view name, std::string_view value);
    MonitorRecord& field(std::string_view name, const char* value) {
        return field(name, std::string_view(value));
    }
    MonitorRecord& field(std::string_view name, long long value);
    MonitorRecord& field(std::string_view name, int value) {
        return field(name, static_cast<long long>(value));
    }
    MonitorRecord& field(std::string_view name, std::size_t value) {
        return field(name, static_cast<long long>(value));
    }

    // The line, without its line end.
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// A value as a record writes it: bare, or quoted and escaped.
std::string monitorValue(std::string_view value);

} // namespace vantrel::driver
