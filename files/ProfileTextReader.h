#pragma once

#include "profile/Diagnostic.h"
#include "profile/Profile.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace vantrel {

inline constexpr const char* kLoadErrorText = "Error reading from file.";
inline constexpr const char* kLoadErrorTitle = "Load Error";
inline constexpr const char* kProfileLoadedText = "Profile loaded.";

// The profile a text holds, read by the editor's rules: no DEFAULT mode unless the text has
// one, a script line kept only when its name is new (letter case ignored), at most 25 chains
// (the group lines after a 26th header join the 25th), the last line read for any one slot.
Profile readProfileTextFrom(std::string_view text);

// The same from a file. When it cannot be read, the "Load Error" error is reported, owned by
// the given window, and nothing is read.
struct ProfileRead {
    Profile profile;
    bool read = false;
};
ProfileRead readProfileText(const std::string& path, DiagnosticSink& diagnostics,
                            MessageOwner owner = nullptr);

// The editor's rule for the script lines of one profile: a line is listed unless its name is
// empty or one already listed differs from it in letter case alone.
class ScriptListing {
public:
    bool admit(std::string_view line);
    void clear() { folded_.clear(); }
    void reserve(std::size_t lines) { folded_.reserve(lines); }

private:
    std::unordered_set<std::string> folded_;
};

// The Count the editor keeps for a group line: the translation's reading of it, at most the
// capacity of a chain; nothing when it has none.
std::optional<int> groupLineCountKept(std::string_view line);

} // namespace vantrel
