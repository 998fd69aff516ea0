#pragma once

#include "files/ProfileDocument.h"

#include <string_view>

namespace vantrel {

inline constexpr const char* kLoadErrorText = "Error reading from file.";
inline constexpr const char* kLoadErrorTitle = "Load Error";
inline constexpr const char* kProfileLoadedText = "Profile loaded.";

// Replaces the document's profile by the one in the text: resetProfile, then one call of
// the document per line that means something, then "Profile loaded." and finishLoading.
void readProfileTextFrom(ProfileDocument& document, std::string_view text);

// The same from the file at the document's profilePath. When the file cannot be read the
// "Load Error" error is reported (owned by the document's window) and the profile is left as
// it was; returns whether it was read.
bool readProfileText(ProfileDocument& document, DiagnosticSink& diagnostics);

} // namespace vantrel
