#include "editor/EditorProfileDocument.h"

#include "editor/AssignmentPanels.h"
#include "editor/EditorWindow.h"

namespace vantrel {

void EditorProfileDocument::resetProfile() {
    window_.resetProfile();
    window_.beginLoadingScripts();
}

void EditorProfileDocument::addScript(const std::string& line) {
    // The reader ends with a status text of its own, which replaces any per-line one.
    window_.addLoadedScript(line);
}

void EditorProfileDocument::addChain(const std::string& name) {
    window_.panels().addChain(name);
}

int EditorProfileDocument::chainCount() const {
    return window_.panels().chainCount();
}

void EditorProfileDocument::addGroupLine(const std::string& line, int count, int chainIndex) {
    window_.panels().addGroupLine(line, count, chainIndex);
}

void EditorProfileDocument::addMode(const std::string& name) {
    window_.addMode(name);
}

int EditorProfileDocument::modeCount() const {
    return static_cast<int>(window_.modes().size());
}

void EditorProfileDocument::setLastModeAssignment(int position, const std::string& value) {
    auto& modes = window_.modes();
    if (!modes.empty())
        modes.back().setAssignment(position, value);
}

void EditorProfileDocument::setPressDelay(std::uint32_t delay) {
    window_.defaultDelays().press = delay;
    window_.showDelayValues();
}

void EditorProfileDocument::setReleaseDelay(std::uint32_t delay) {
    window_.defaultDelays().release = delay;
    window_.showDelayValues();
}

void EditorProfileDocument::finishLoading() {
    window_.endLoadingScripts();
    window_.setActiveModeIndex(-1);
    window_.switchMode();
    window_.panels().refreshChainSelection();
}

void EditorProfileDocument::switchMode() {
    window_.switchMode();
}

Profile EditorProfileDocument::profileSnapshot() const {
    return window_.profileSnapshot();
}

std::vector<std::string> EditorProfileDocument::listedScriptNames() const {
    return window_.listedScriptNames();
}

std::string EditorProfileDocument::profilePath() const {
    return window_.profilePath();
}

std::string EditorProfileDocument::profileFileName() const {
    return window_.profileFileName();
}

void EditorProfileDocument::setProfileSaved(bool saved) {
    window_.setProfileSaved(saved);
}

void EditorProfileDocument::setStatusText(const std::string& text) {
    window_.setStatusText(text);
}

platform::WindowHandle EditorProfileDocument::messageOwner() const {
    return static_cast<const QWidget*>(&window_);
}

} // namespace vantrel
