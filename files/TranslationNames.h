#pragma once

#include "profile/Script.h"
#include "profile/ViewIndex.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantrel {

// The names the translation resolves, each known from the moment the translation knows it:
// a script from its line, a chain once converted (at its closing line), a mode once its
// opening line is read. The first of several equal names (exact, case included) is the one
// found. The translator and the check both resolve through this, so they cannot differ.
class TranslationNames {
public:
    explicit TranslationNames(std::size_t expectedScripts = 0) : scripts_(expectedScripts) {}

    // False when the name was there already (its first number kept).
    bool addScript(std::string_view name, std::uint32_t id) { return scripts_.insert(name, id); }
    bool addChain(std::string_view name, std::uint32_t id) { return chains_.insert(name, id); }
    bool addMode(std::string_view name, std::uint32_t id) { return modes_.insert(name, id); }
    void prefetchScript(std::string_view name) const { scripts_.prefetch(name); }

    std::optional<std::uint32_t> script(std::string_view name) const { return scripts_.find(name); }
    std::optional<std::uint32_t> chain(std::string_view name) const { return chains_.find(name); }
    std::optional<std::uint32_t> mode(std::string_view name) const { return modes_.find(name); }

    // What the device gets for a script or chain reference: the number found, 0 for none.
    std::uint16_t scriptNumber(std::string_view name) const {
        return static_cast<std::uint16_t>(script(name).value_or(0));
    }
    std::uint16_t chainNumber(std::string_view name) const {
        return static_cast<std::uint16_t>(chain(name).value_or(0));
    }

private:
    ViewIndex scripts_;
    ViewIndex chains_;
    ViewIndex modes_;
};

// A configuration ID: 0 for the base mode, else the mode's place in the mode section
// counted from 1.
inline std::uint16_t configurationId(std::string_view modeName, std::uint32_t position) {
    return modeName == kDefaultModeName ? 0 : static_cast<std::uint16_t>(position);
}

// The entries a mode's configuration declares: one per line of its block, and for the base
// mode two for each group line of the chains converted before it.
inline std::uint64_t declaredEntries(std::string_view modeName, std::uint64_t lines,
                                     std::uint64_t convertedGroupLines) {
    return modeName == kDefaultModeName ? lines + 2 * convertedGroupLines : lines;
}

} // namespace vantrel
