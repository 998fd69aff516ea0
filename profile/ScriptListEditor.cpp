#include "profile/ScriptListEditor.h"

namespace vantrel {
namespace {

bool isNullScript(std::string_view name) {
    return namesEqualIgnoringCase(name, kNullScriptName);
}

} // namespace

const Script* ScriptListEditor::lineAt(std::size_t row) const {
    if (row >= names_.size())
        return nullptr;
    const auto index = store_.findExact(names_.at(row));
    return index ? &store_.lines()[*index] : nullptr;
}

void ScriptListEditor::insertName(std::string name) {
    ListObserver* told = loading_ ? nullptr : observer_;
    if (told)
        told->beforeInsert(names_.insertionPoint(name));
    names_.insert(std::move(name));
    if (told)
        told->afterInsert();
}

void ScriptListEditor::beginLoading() {
    if (loading_)
        return;
    if (observer_)
        observer_->beforeReset();
    loading_ = true;
}

void ScriptListEditor::endLoading() {
    if (!loading_)
        return;
    loading_ = false;
    if (observer_)
        observer_->afterReset();
}

EditResult ScriptListEditor::add(const Script& line) {
    const std::string name(scriptName(line));
    // A line that begins with a blank has an empty name; it is refused like an empty line,
    // since a script without a name could never be assigned or told apart.
    if (line.empty() || name.empty())
        return {false, "Add Error:  Zero length script not allowed."};
    if (findRow(name))
        return {false, "Add Error:  Script '" + name + "' already exists."};
    insertName(name);
    store_.append(line);
    return {true, "Script '" + name + "' added."};
}

EditResult ScriptListEditor::update(const Script& line) {
    const std::string name(scriptName(line));
    const auto index = store_.findExact(name);
    // A name listed only in another letter case has no stored line of its own: updating
    // nothing would leave the stored line stale behind a success message.
    if (!findRow(name) || !index)
        return {false, "Update Error:  Script '" + name + "' does not exist."};
    store_.replace(*index, line);
    return {true, "Script '" + name + "' updated."};
}

EditResult ScriptListEditor::duplicate(std::optional<std::size_t> row) {
    if (!row || *row >= names_.size())
        return {false, "Duplication error:  No current selection."};
    const std::string old = names_.at(*row);
    const std::string newName = generatedName(
        old, [this](const std::string& candidate) { return findRow(candidate).has_value(); });
    const auto index = store_.findExact(old);
    if (newName.empty() || !index)
        return {false, "Duplicate error:  Original name could not be created, or script to "
                       "duplicate not found."};
    const std::string_view rest =
        trimLeadingFileSpace(std::string_view(store_.lines()[*index]).substr(old.size()));
    std::string newLine = newName + " " + std::string(rest);
    insertName(newName);
    store_.append(std::move(newLine));
    return {true, "Duplicate '" + newName + "' created successfully."};
}

EditResult ScriptListEditor::remove(std::optional<std::size_t> row, std::string_view shownLine) {
    const bool listed = row && *row < names_.size();
    const std::string name = listed ? names_.at(*row) : std::string();
    const auto index = listed ? store_.findExact(name) : std::nullopt;
    if (!listed || isNullScript(name) || shownLine.empty() || store_.size() == 0 || !index)
        return {false, "Error:  Unable to delete selected script."};
    store_.erase(*index);
    if (observer_)
        observer_->beforeRemove(*row);
    names_.erase(*row);
    if (observer_)
        observer_->afterRemove();
    return {true, "Script deleted."};
}

EditResult ScriptListEditor::clear() {
    if (observer_)
        observer_->beforeReset();
    names_.clear();
    if (observer_)
        observer_->afterReset();
    store_.clear();
    return {true, "Script list cleared."};
}

std::optional<std::size_t> ScriptListEditor::lineIndexAt(std::size_t row) const {
    return row < names_.size() ? store_.findExact(names_.at(row)) : std::nullopt;
}

void ScriptListEditor::insertLine(std::size_t index, Script line) {
    insertName(std::string(scriptName(line)));
    store_.insert(index, std::move(line));
}

Script ScriptListEditor::eraseLine(std::size_t index) {
    Script line = store_.lines().at(index);
    store_.erase(index);
    if (const auto row = names_.findIgnoringCase(scriptName(line))) {
        if (observer_)
            observer_->beforeRemove(*row);
        names_.erase(*row);
        if (observer_)
            observer_->afterRemove();
    }
    return line;
}

Script ScriptListEditor::replaceLine(std::size_t index, Script line) {
    Script old = store_.lines().at(index);
    store_.replace(index, std::move(line));
    return old;
}

ScriptListEditor::Contents ScriptListEditor::takeAll() {
    if (observer_)
        observer_->beforeReset();
    Contents taken{std::move(store_), std::move(names_)};
    store_ = ScriptStore{};
    names_ = SortedNameList{};
    if (observer_)
        observer_->afterReset();
    return taken;
}

void ScriptListEditor::restoreAll(Contents contents) {
    if (observer_)
        observer_->beforeReset();
    store_ = std::move(contents.store);
    names_ = std::move(contents.names);
    if (observer_)
        observer_->afterReset();
}

ScriptListEditor::Buttons ScriptListEditor::buttonsFor(std::string_view line) const {
    const std::string_view name = scriptName(line);
    if (findRow(name))
        return {!isNullScript(name), false};
    if (!name.empty())
        return {false, true};
    return {false, std::nullopt};
}

} // namespace vantrel
