#pragma once

#include "profile/Diagnostic.h"
#include "profile/EditedProfile.h"

#include <string>

namespace vantrel {

// The profile text file of an edited profile: the reader builds a Profile value by the
// editor's rules, which the document takes; the writer writes the document's profile.

// Takes the path (kept even when reading fails), then the profile read from it, which then
// equals its file and has nothing to undo. When the file cannot be read the "Load Error"
// error is reported, owned by the given window, and the profile stays as it was.
bool openProfileFile(EditedProfile& document, const std::string& path, DiagnosticSink& diagnostics,
                     MessageOwner owner);

// Writes the profile to its path, the old file replaced only once the new one is complete;
// on success the profile equals its file from here on. A failure is reported as the
// "Save Error" error and leaves the profile as modified as it was.
bool saveProfileFile(EditedProfile& document, DiagnosticSink& diagnostics, MessageOwner owner);

} // namespace vantrel
