#include "profile/ModeListEditor.h"

#include "profile/Script.h"

namespace vantrel {

int ModeListEditor::findRow(std::string_view name) const {
    for (std::size_t row = 0; row < modes_.size(); ++row)
        if (namesEqualIgnoringCase(modes_[row].name(), name))
            return static_cast<int>(row);
    return -1;
}

void ModeListEditor::add(std::string name) {
    if (observer_)
        observer_->beforeInsert(modes_.size());
    modes_.emplace_back(std::move(name));
    if (observer_)
        observer_->afterInsert();
}

void ModeListEditor::clear() {
    if (observer_)
        observer_->beforeReset();
    modes_.clear();
    if (observer_)
        observer_->afterReset();
}

void ModeListEditor::setName(std::size_t row, std::string name) {
    modes_[row].setName(std::move(name));
    if (observer_)
        observer_->renamed(row);
}

EditResult ModeListEditor::rename(int row, const std::string& newName) {
    if (!holds(row) || newName.empty())
        return {};
    if (findRow(newName) >= 0)
        return {false, "Duplicate mode names detected."};
    std::string status = "Mode '" + nameAt(row) + "' renamed to '" + newName + "'";
    setName(static_cast<std::size_t>(row), newName);
    return {true, std::move(status)};
}

EditResult ModeListEditor::duplicate(int row) {
    if (!holds(row))
        return {};
    const std::string& name = nameAt(row);
    const std::string newName = generatedName(
        duplicateBase(name), [this](const std::string& c) { return findRow(c) >= 0; });
    if (newName.empty())
        return {false, "Duplicate error:  No free name for a copy of mode '" + name + "'."};
    ProgrammingMode copy = modes_[static_cast<std::size_t>(row)];
    copy.setName(newName);
    if (observer_)
        observer_->beforeInsert(modes_.size());
    modes_.push_back(std::move(copy));
    if (observer_)
        observer_->afterInsert();
    return {true, "Mode duplicated as '" + newName + "'."};
}

std::string ModeListEditor::freeUnknownName() const {
    if (findRow("unknown") < 0)
        return "unknown";
    for (int n = 1; n <= 253; ++n) {
        std::string candidate = "unknown_" + std::to_string(n);
        if (findRow(candidate) < 0)
            return candidate;
    }
    return {};
}

EditResult ModeListEditor::setDefault(int row) {
    if (!holds(row))
        return {};
    // Each mode is renamed in its own row, even when an earlier row holds the same name in
    // another letter case.
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        if (modes_[i].name() != kDefaultModeName)
            continue;
        std::string freeName = freeUnknownName();
        if (!freeName.empty())
            setName(i, std::move(freeName));
    }
    setName(static_cast<std::size_t>(row), std::string(kDefaultModeName));
    return {true, "New DEFAULT mode set."};
}

EditResult ModeListEditor::remove(int row) {
    if (!holds(row) || nameAt(row).starts_with(kDefaultModeName))
        return {};
    std::string status = "Mode '" + nameAt(row) + "' deleted.";
    if (observer_)
        observer_->beforeRemove(static_cast<std::size_t>(row));
    modes_.erase(modes_.begin() + row);
    if (observer_)
        observer_->afterRemove();
    return {true, std::move(status)};
}

void ModeListEditor::insert(int row, ProgrammingMode mode) {
    if (observer_)
        observer_->beforeInsert(static_cast<std::size_t>(row));
    modes_.insert(modes_.begin() + row, std::move(mode));
    if (observer_)
        observer_->afterInsert();
}

ProgrammingMode ModeListEditor::take(int row) {
    ProgrammingMode mode = std::move(modes_.at(static_cast<std::size_t>(row)));
    if (observer_)
        observer_->beforeRemove(static_cast<std::size_t>(row));
    modes_.erase(modes_.begin() + row);
    if (observer_)
        observer_->afterRemove();
    return mode;
}

std::string ModeListEditor::duplicateBase(std::string_view name) {
    name = name.substr(0, std::min(name.find('('), name.size()));
    while (!name.empty() && isFileSpace(name.back()))
        name.remove_suffix(1);
    return std::string(name);
}

} // namespace vantrel
