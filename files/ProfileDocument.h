#pragma once

#include "profile/Diagnostic.h"
#include "profile/Profile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// The profile being edited, as the profile text file's reader and writer see it. The editor
// window implements it over its own lists and panels; ProfileTextModel implements it over a
// plain Profile.
class ProfileDocument {
public:
    virtual ~ProfileDocument() = default;

    // --- what the reader calls ---
    // No scripts, no modes, no chains, both delays 10, no active mode, profile saved.
    virtual void resetProfile() = 0;
    // Appends the line unless its name is empty or already listed (ignoring case).
    virtual void addScript(const std::string& line) = 0;
    // Does nothing once the chain list is full.
    virtual void addChain(const std::string& name) = 0;
    virtual int chainCount() const = 0;
    virtual void addGroupLine(const std::string& line, int count, int chainIndex) = 0;
    // Appends a mode of that name with every assignment empty.
    virtual void addMode(const std::string& name) = 0;
    virtual int modeCount() const = 0;
    // Sets one slot (position 1..106) of the mode added last.
    virtual void setLastModeAssignment(int position, const std::string& value) = 0;
    virtual void setPressDelay(std::uint32_t delay) = 0;
    virtual void setReleaseDelay(std::uint32_t delay) = 0;
    // After the last line: no active mode, then the mode selection goes to the panels and
    // the chain lists are refreshed.
    virtual void finishLoading() = 0;

    // --- what the writer calls ---
    // Stores the panels' pending assignments into the active mode.
    virtual void switchMode() = 0;
    virtual Profile profileSnapshot() const = 0;
    // The script names in the order the script list shows them.
    virtual std::vector<std::string> listedScriptNames() const = 0;

    // --- both ---
    virtual std::string profilePath() const = 0;
    virtual std::string profileFileName() const = 0;
    virtual void setProfileSaved(bool saved) = 0;
    virtual void setStatusText(const std::string& text) = 0;
    // The window that owns the reader's and writer's messages.
    virtual MessageOwner messageOwner() const = 0;
};

} // namespace vantrel
