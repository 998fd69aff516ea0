#pragma once

#include "files/ProfileDocument.h"
#include "files/ProfileTextReader.h"

#include <string>

namespace vantrel {

// A profile document without a window: a plain Profile with the editor's rules for adding
// scripts, for reading and writing profile text files away from the editor.
class ProfileTextModel : public ProfileDocument {
public:
    ProfileTextModel() = default;
    explicit ProfileTextModel(Profile profile);

    const Profile& profile() const { return profile_; }
    void setProfilePath(std::string path);
    bool profileSaved() const { return saved_; }
    const std::string& statusText() const { return status_; }

    void resetProfile() override;
    void addScript(const std::string& line) override;
    void addChain(const std::string& name) override;
    int chainCount() const override { return profile_.chains.chainCount(); }
    void addGroupLine(const std::string& line, int count, int chainIndex) override;
    void addMode(const std::string& name) override;
    int modeCount() const override { return static_cast<int>(profile_.modes.size()); }
    void setLastModeAssignment(int position, const std::string& value) override;
    void setPressDelay(std::uint32_t delay) override { profile_.pressDelay = delay; }
    void setReleaseDelay(std::uint32_t delay) override { profile_.releaseDelay = delay; }
    void finishLoading() override {}

    void switchMode() override {}
    Profile profileSnapshot() const override { return profile_; }
    // Sorted as the editor's script list sorts them.
    std::vector<std::string> listedScriptNames() const override;

    std::string profilePath() const override { return path_; }
    std::string profileFileName() const override { return fileName_; }
    void setProfileSaved(bool saved) override { saved_ = saved; }
    void setStatusText(const std::string& text) override { status_ = text; }
    MessageOwner messageOwner() const override { return nullptr; }

private:
    Profile profile_;
    ScriptListing listing_;
    // The sorted names, made again only after the scripts changed.
    mutable std::vector<std::string> listedNames_;
    mutable bool listedNamesValid_ = false;
    std::string path_;
    std::string fileName_;
    std::string status_;
    bool saved_ = false;
};

} // namespace vantrel
