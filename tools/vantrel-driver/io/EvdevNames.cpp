#include "io/EvdevNames.h"

#include <libevdev/libevdev.h>

#include <charconv>

namespace vantrel::driver {

std::string evdevCodeName(int type, int code) {
    if (type >= 0 && code >= 0) {
        if (const char* name = libevdev_event_code_get_name(static_cast<unsigned>(type),
                                                            static_cast<unsigned>(code)))
            return name;
    }
    return std::to_string(code);
}

int evdevMaximumCode(int type) {
    const int maximum = libevdev_event_type_get_max(static_cast<unsigned>(type));
    return maximum < 0 ? 0 : maximum;
}

std::optional<int> evdevCodeFromText(int type, std::string_view text) {
    if (text.empty())
        return std::nullopt;
    if (text.front() >= '0' && text.front() <= '9') {
        int code = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
        if (error != std::errc{} || end != text.data() + text.size() ||
            code > evdevMaximumCode(type))
            return std::nullopt;
        return code;
    }
    const int code =
        libevdev_event_code_from_name_n(static_cast<unsigned>(type), text.data(), text.size());
    if (code < 0)
        return std::nullopt;
    return code;
}

bool isHatAxisCode(int code) {
    return code >= ABS_HAT0X && code <= ABS_HAT3Y;
}

} // namespace vantrel::driver
