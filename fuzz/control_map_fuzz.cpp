// Any text read as the driver's control map: no crash; every fault names its line (and the
// line is one of the text's), or says that further faults are not listed; a map that reads
// is written back to a text that reads to the same map.
#include "io/ControlMapText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::regex fault("line ([1-9][0-9]*): [^\\n]+");
    using vantrel::driver::ControlMap;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<long>(std::count(text.begin(), text.end(), '\n') + 1);
    ControlMap map;
    std::vector<std::string> errors;
    if (!vantrel::driver::parseControlMap(text, map, errors)) {
        if (errors.empty() || !(map == ControlMap{}))
            std::abort();
        for (const std::string& error : errors) {
            std::smatch match;
            if (error == "further faults are not listed")
                continue;
            if (!std::regex_match(error, match, fault) || std::stol(match[1]) > lines)
                std::abort();
        }
        return 0;
    }
    ControlMap again;
    std::vector<std::string> none;
    if (!vantrel::driver::parseControlMap(vantrel::driver::formatControlMap(map), again, none) ||
        !(again == map))
        std::abort();
    return 0;
}
