#include "editor/EditorProfileDocument.h"

#include "editor/AssignmentPanels.h"
#include "editor/EditorWindow.h"

namespace vantrel {

void EditorProfileDocument::resetProfile() {
    window_.resetProfile();
    read_.resetProfile();
}

void EditorProfileDocument::addScript(const std::string& line) {
    read_.addScript(line);
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
    read_.addMode(name);
}

int EditorProfileDocument::modeCount() const {
    return read_.modeCount();
}

void EditorProfileDocument::setLastModeAssignment(int position, const std::string& value) {
    read_.setLastModeAssignment(position, value);
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
    Profile read = read_.profile();
    read.chains = window_.panels().chains();
    read.pressDelay = window_.defaultDelays().press;
    read.releaseDelay = window_.defaultDelays().release;
    window_.document().load(read);
    read_.resetProfile();
    window_.showLoadedProfile();
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
