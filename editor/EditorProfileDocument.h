#pragma once

#include "files/ProfileDocument.h"
#include "files/ProfileTextModel.h"
#include "platform/MessageBox.h"

namespace vantrel {

class EditorWindow;

// The editor window as the profile text file's reader and writer see it: the scripts and modes
// read are gathered into a profile that the window's document takes once the file is in,
// chains go through the axis panel, delays through the Set Default Delays dialog.
class EditorProfileDocument : public ProfileDocument {
public:
    explicit EditorProfileDocument(EditorWindow& window) : window_(window) {}

    void resetProfile() override;
    void addScript(const std::string& line) override;
    void addChain(const std::string& name) override;
    int chainCount() const override;
    void addGroupLine(const std::string& line, int count, int chainIndex) override;
    void addMode(const std::string& name) override;
    int modeCount() const override;
    void setLastModeAssignment(int position, const std::string& value) override;
    void setPressDelay(std::uint32_t delay) override;
    void setReleaseDelay(std::uint32_t delay) override;
    void finishLoading() override;

    void switchMode() override;
    Profile profileSnapshot() const override;
    std::vector<std::string> listedScriptNames() const override;

    std::string profilePath() const override;
    std::string profileFileName() const override;
    void setProfileSaved(bool saved) override;
    void setStatusText(const std::string& text) override;
    platform::WindowHandle messageOwner() const override;

private:
    EditorWindow& window_;
    ProfileTextModel read_;
};

} // namespace vantrel
