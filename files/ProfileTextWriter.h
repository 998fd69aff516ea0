#pragma once

#include "files/ProfileOutput.h"
#include "profile/Diagnostic.h"
#include "profile/Profile.h"

#include <string>
#include <vector>

namespace vantrel {

inline constexpr const char* kSaveErrorText = "Error writing to file.";
inline constexpr const char* kSaveErrorTitle = "Save Error";
inline constexpr const char* kProfileSavedText = "Profile saved.";

// The whole text file of a profile, CR LF line ends. Scripts follow listedNames: for each
// name the first script line whose name equals it exactly.
std::string composeProfileText(const Profile& profile, const std::vector<std::string>& listedNames,
                               const std::string& fileName);

// Writes the profile to the output; on any failure reports the "Save Error" error, owned by
// the given window. Returns whether the output took every byte.
bool writeProfileText(const Profile& profile, const std::vector<std::string>& listedNames,
                      const std::string& fileName, ProfileOutput& output,
                      DiagnosticSink& diagnostics, MessageOwner owner);

} // namespace vantrel
