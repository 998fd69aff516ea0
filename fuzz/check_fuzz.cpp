// Any bytes check without a crash, and every line of the report is one well-formed line:
// "PATH:LINE:COLUMN: error: TEXT" (or warning), or "PATH: error: TEXT" without a place.
#include "files/CheckReport.h"
#include "files/ProfileCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::regex wellFormed("fuzz\\.vtp(:[1-9][0-9]*:[1-9][0-9]*)?: (error|warning): "
                                       "[^\\n\\r]+");
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const vantrel::CheckFinding& finding : vantrel::checkProfileText(text)) {
        const std::string line = vantrel::formatFinding("fuzz.vtp", finding);
        if (!std::regex_match(line, wellFormed))
            std::abort();
    }
    return 0;
}
