#include "profile/ScriptStore.h"

#include <stdexcept>

namespace vantrel {

void ScriptStore::append(Script line) {
    firstLine_.try_emplace(std::string(scriptName(line)), lines_.size());
    lines_.push_back(std::move(line));
}

void ScriptStore::insert(std::size_t index, Script line) {
    if (index >= lines_.size()) {
        append(std::move(line));
        return;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    for (auto& [name, first] : firstLine_)
        if (first >= index)
            ++first;
    // A line placed before the first of its name becomes the first.
    const auto [entry, added] =
        firstLine_.try_emplace(std::string(scriptName(lines_[index])), index);
    if (!added && entry->second > index)
        entry->second = index;
}

std::optional<std::size_t> ScriptStore::findExact(std::string_view name) const {
    const auto found = firstLine_.find(name);
    if (found == firstLine_.end())
        return std::nullopt;
    return found->second;
}

void ScriptStore::replace(std::size_t index, Script line) {
    if (scriptName(line) != scriptName(lines_.at(index)))
        throw std::invalid_argument("a script line keeps its name when it is replaced");
    lines_[index] = std::move(line);
}

void ScriptStore::erase(std::size_t index) {
    const auto entry = firstLine_.find(scriptName(lines_.at(index)));
    const bool wasFirst = entry->second == index;
    // With every name stored once, as the editor's list keeps them, no later line can take
    // the erased one's place: the search below would read every later line for nothing.
    const bool namesUnique = firstLine_.size() == lines_.size();
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    for (auto& [name, first] : firstLine_)
        if (first > index)
            --first;
    if (!wasFirst)
        return;
    // A later line of the same name, if the store holds one, becomes the first of its name.
    if (!namesUnique) {
        for (std::size_t i = index; i < lines_.size(); ++i) {
            if (scriptName(lines_[i]) == entry->first) {
                entry->second = i;
                return;
            }
        }
    }
    firstLine_.erase(entry);
}

void ScriptStore::clear() {
    lines_.clear();
    firstLine_.clear();
}

} // namespace vantrel
