// Feeds arbitrary bytes to the profile text reader; whatever it reads must write and read
// back to the same bytes.
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
#include "profile/EditedProfile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The text a profile read is written back as, its scripts in the order the editor lists them.
std::string written(const vantrel::Profile& profile) {
    vantrel::EditedProfile document;
    document.load(profile);
    return vantrel::composeProfileText(profile, document.listedScriptNames(), "F.vtp");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string first =
        written(readProfileTextFrom(std::string_view(reinterpret_cast<const char*>(data), size)));
    if (written(readProfileTextFrom(first)) != first)
        std::abort();
    return 0;
}
