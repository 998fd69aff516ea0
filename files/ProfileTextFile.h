#pragma once

#include "platform/FileAccess.h"
#include "profile/Diagnostic.h"

#include <optional>
#include <string>

namespace vantrel {

// A profile text file read whole for translating or checking it: its text, or the error
// that ends the operation ("Error opening file." or a file too large to be a profile), with
// the path as its title.
struct ProfileTextFile {
    std::optional<std::string> text;
    Diagnostic refusal;
};
ProfileTextFile readProfileTextFile(const std::string& path);

} // namespace vantrel
