#include "files/ProfileTextFile.h"

#include "platform/FileAccess.h"

namespace vantrel {

ProfileTextFile readProfileTextFile(const std::string& path) {
    auto file = platform::readWholeRegularFile(path, platform::kMaxProfileTextBytes);
    ProfileTextFile result;
    switch (file.outcome) {
    case platform::WholeFile::Outcome::Read:
        result.text = std::move(file.bytes);
        return result;
    case platform::WholeFile::Outcome::Unreadable:
        result.refusal.text = "Error opening file.";
        break;
    case platform::WholeFile::Outcome::TooLarge:
        result.refusal.text =
            "The file is too large to be a profile:  " + std::to_string(file.size) +
            " bytes or more (at most " + std::to_string(platform::kMaxProfileTextBytes) + ").";
        break;
    }
    result.refusal.severity = Severity::Error;
    result.refusal.title = path;
    result.refusal.endsOperation = true;
    return result;
}

} // namespace vantrel
