#pragma once

#include "files/ProfileDocument.h"
#include "files/ProfileOutput.h"
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

// Runs switchMode and writes the document to the output. On success the profile counts as
// saved and the status text becomes "Profile saved."; on any failure the "Save Error" error is
// reported (owned by the document's window) and the saved flag is left as it was. Returns whether
// the output took every byte.
bool writeProfileText(ProfileDocument& document, ProfileOutput& output,
                      DiagnosticSink& diagnostics);

// The same to the file at the document's profilePath, replaced only once complete.
bool writeProfileText(ProfileDocument& document, DiagnosticSink& diagnostics);

} // namespace vantrel
