#include "files/ProfileTextModel.h"

#include "platform/PathText.h"

#include <algorithm>

namespace vantrel {

ProfileTextModel::ProfileTextModel(Profile profile) : profile_(std::move(profile)) {
    for (const Script& script : profile_.scripts)
        listing_.admit(script);
}

void ProfileTextModel::setProfilePath(std::string path) {
    path_ = std::move(path);
    fileName_ = platform::fileNameOf(path_);
}

void ProfileTextModel::resetProfile() {
    profile_.reset();
    listing_.clear();
    listedNamesValid_ = false;
    saved_ = true;
}

void ProfileTextModel::addScript(const std::string& line) {
    if (!listing_.admit(line))
        return;
    profile_.scripts.push_back(line);
    listedNamesValid_ = false;
}

void ProfileTextModel::addChain(const std::string& name) {
    profile_.chains.addChain(name);
}

void ProfileTextModel::addGroupLine(const std::string& line, int count, int chainIndex) {
    profile_.chains.addGroupLine(line, count, chainIndex);
}

void ProfileTextModel::addMode(const std::string& name) {
    profile_.modes.emplace_back(name);
}

void ProfileTextModel::setLastModeAssignment(int position, const std::string& value) {
    if (!profile_.modes.empty())
        profile_.modes.back().setAssignment(position, value);
}

std::vector<std::string> ProfileTextModel::listedScriptNames() const {
    if (!listedNamesValid_) {
        listedNames_.clear();
        listedNames_.reserve(profile_.scripts.size());
        for (const Script& script : profile_.scripts)
            listedNames_.emplace_back(scriptName(script));
        std::stable_sort(
            listedNames_.begin(), listedNames_.end(),
            [](const std::string& a, const std::string& b) { return scriptListLess(a, b); });
        listedNamesValid_ = true;
    }
    return listedNames_;
}

} // namespace vantrel
