#pragma once

#include "profile/Diagnostic.h"

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// What a problem found in a profile text belongs to, so that a window can show it.
enum class CheckSubject { None, Script, Mode, Chain };

// One problem with the part of the profile it concerns (the script, mode or chain whose
// line it was found on).
struct CheckFinding {
    Diagnostic diagnostic;
    CheckSubject subject = CheckSubject::None;
    std::string subjectName;
};

// Reads a profile text once and lists every problem in it, each with its line and column:
// errors where the device would behave otherwise than the text says or the translation would
// fail, warnings where the text is probably not what was meant. Findings come in line order;
// those that belong to no line come first.
std::vector<CheckFinding> checkProfileText(std::string_view text);

} // namespace vantrel
