#include "profile/ScriptStore.h"

#include <stdexcept>

namespace vantrel {

void ScriptStore::append(Script line) {
    firstByName_.try_emplace(std::string(scriptName(line)), lines_.size());
    lines_.push_back(std::move(line));
}

std::optional<std::size_t> ScriptStore::findExact(std::string_view name) const {
    const auto found = firstByName_.find(name);
    if (found == firstByName_.end())
        return std::nullopt;
    return found->second;
}

void ScriptStore::replace(std::size_t index, Script line) {
    if (scriptName(line) != scriptName(lines_.at(index)))
        throw std::invalid_argument("a script line keeps its name when it is replaced");
    lines_[index] = std::move(line);
}

void ScriptStore::erase(std::size_t index) {
    const std::string name(scriptName(lines_.at(index)));
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    const bool wasFirst = firstByName_.at(name) == index;
    if (wasFirst)
        firstByName_.erase(name);
    for (auto& [key, first] : firstByName_)
        if (first > index)
            --first;
    if (!wasFirst)
        return;
    // A later line of the same name, if the store holds one, becomes the first of its name.
    for (std::size_t i = index; i < lines_.size(); ++i) {
        if (scriptName(lines_[i]) == name) {
            firstByName_.emplace(name, i);
            break;
        }
    }
}

void ScriptStore::clear() {
    lines_.clear();
    firstByName_.clear();
}

} // namespace vantrel
