// Feeds arbitrary bytes to the profile text reader; whatever it reads must write and read
// back to the same bytes.
#include "files/ProfileTextModel.h"
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const ProfileTextModel first(
        readProfileTextFrom(std::string_view(reinterpret_cast<const char*>(data), size)));
    const std::string written =
        composeProfileText(first.profile(), first.listedScriptNames(), "F.vtp");
    const ProfileTextModel second(readProfileTextFrom(written));
    if (composeProfileText(second.profile(), second.listedScriptNames(), "F.vtp") != written)
        std::abort();
    return 0;
}
