#include "profile/ScriptStore.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>

namespace vantrel {
namespace {

constexpr std::size_t kSmallestTable = 16;

std::uint32_t hashOf(std::string_view name) {
    return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
}

} // namespace

std::uint32_t ScriptStore::slotOf(std::string_view name, std::uint32_t hash) const {
    for (std::uint32_t i = hash & mask();; i = (i + 1) & mask()) {
        const Slot& slot = slots_[i];
        if (slot.line == 0 || (slot.hash == hash && scriptName(lines_[slot.line - 1]) == name))
            return i;
    }
}

void ScriptStore::grow() {
    std::vector<Slot> old(std::max(kSmallestTable, 2 * slots_.size()));
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.line == 0)
            continue;
        std::uint32_t i = slot.hash & mask();
        while (slots_[i].line != 0)
            i = (i + 1) & mask();
        slots_[i] = slot;
    }
}

void ScriptStore::vacate(std::uint32_t hole) {
    for (std::uint32_t i = (hole + 1) & mask(); slots_[i].line != 0; i = (i + 1) & mask()) {
        // The slot at i may fill the hole when the hole lies between its probe start and i.
        const std::uint32_t start = slots_[i].hash & mask();
        if (((i - start) & mask()) >= ((i - hole) & mask())) {
            slots_[hole] = slots_[i];
            hole = i;
        }
    }
    slots_[hole] = Slot{};
}

void ScriptStore::append(Script line) {
    if (lines_.size() >= std::numeric_limits<std::uint32_t>::max() - 1)
        throw std::length_error("a script store holds fewer than 2^32 lines");
    // Half full at most, so that a probe soon reaches an empty slot.
    if (2 * (names_ + 1) > slots_.size())
        grow();
    const std::string_view name = scriptName(line);
    const std::uint32_t hash = hashOf(name);
    Slot& slot = slots_[slotOf(name, hash)];
    if (slot.line == 0) { // the first line of a name keeps its place in the index
        slot = {hash, static_cast<std::uint32_t>(lines_.size() + 1)};
        ++names_;
    }
    lines_.push_back(std::move(line));
}

void ScriptStore::insert(std::size_t index, Script line) {
    if (index >= lines_.size()) {
        append(std::move(line));
        return;
    }
    const auto inserted = static_cast<std::uint32_t>(index + 1);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    for (Slot& slot : slots_)
        if (slot.line >= inserted)
            ++slot.line;
    if (2 * (names_ + 1) > slots_.size())
        grow();
    const std::string_view name = scriptName(lines_[index]);
    const std::uint32_t hash = hashOf(name);
    Slot& slot = slots_[slotOf(name, hash)];
    if (slot.line == 0)
        ++names_;
    // A line placed before the first of its name becomes the first.
    if (slot.line == 0 || slot.line > inserted)
        slot = {hash, inserted};
}

std::optional<std::size_t> ScriptStore::findExact(std::string_view name) const {
    if (names_ == 0)
        return std::nullopt;
    const Slot& slot = slots_[slotOf(name, hashOf(name))];
    if (slot.line == 0)
        return std::nullopt;
    return slot.line - 1;
}

void ScriptStore::replace(std::size_t index, Script line) {
    if (scriptName(line) != scriptName(lines_.at(index)))
        throw std::invalid_argument("a script line keeps its name when it is replaced");
    lines_[index] = std::move(line);
}

void ScriptStore::erase(std::size_t index) {
    const std::string name(scriptName(lines_.at(index)));
    const std::uint32_t found = slotOf(name, hashOf(name));
    const auto erased = static_cast<std::uint32_t>(index + 1);
    const bool wasFirst = slots_[found].line == erased;
    // With every name stored once, as the editor's list keeps them, no later line can take
    // the erased one's place: the search below would read every later line for nothing.
    const bool namesUnique = names_ == lines_.size();
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    for (Slot& slot : slots_)
        if (slot.line > erased)
            --slot.line;
    if (!wasFirst)
        return;
    if (namesUnique) {
        vacate(found);
        --names_;
        return;
    }
    // A later line of the same name, if the store holds one, becomes the first of its name;
    // its hash, and so its slot, are those of the erased line.
    for (std::size_t i = index; i < lines_.size(); ++i) {
        if (scriptName(lines_[i]) == name) {
            slots_[found].line = static_cast<std::uint32_t>(i + 1);
            return;
        }
    }
    vacate(found);
    --names_;
}

void ScriptStore::clear() {
    lines_.clear();
    slots_.clear();
    names_ = 0;
}

} // namespace vantrel
