#include "profile/SortedNameList.h"

#include "profile/Script.h"

#include <algorithm>
#include <stdexcept>

namespace vantrel {
namespace {

// A run is split in two when it grows beyond this many names.
constexpr std::size_t kMaxRun = 512;

bool lessName(const std::string& a, std::string_view b) {
    return scriptListLess(a, b);
}

// Of all spellings of a name that differ only in letter case, the one that sorts first:
// scriptListLess breaks ties between them by plain byte order, where capitals come first.
std::string firstSpelling(std::string_view name) {
    std::string upper(name);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return upper;
}

} // namespace

SortedNameList::Place SortedNameList::placeOf(std::size_t index) const {
    for (std::size_t run = 0; run < runs_.size(); ++run) {
        if (index < runs_[run].size())
            return {run, index};
        index -= runs_[run].size();
    }
    throw std::out_of_range("SortedNameList index");
}

std::size_t SortedNameList::indexOf(Place place) const {
    std::size_t index = place.offset;
    for (std::size_t run = 0; run < place.run; ++run)
        index += runs_[run].size();
    return index;
}

SortedNameList::Place SortedNameList::lowerBound(std::string_view name) const {
    if (runs_.empty())
        return {0, 0};
    // A profile file lists its scripts in this order, so a name read from one sorts after
    // every name already listed: one comparison with the last name places it.
    const auto& lastRun = runs_.back();
    if (!lastRun.empty() && lessName(lastRun.back(), name))
        return {runs_.size() - 1, lastRun.size()};
    // The first run whose last name does not sort before the name; the last run otherwise.
    auto runIt = std::partition_point(runs_.begin(), runs_.end() - 1,
                                      [&](const auto& run) { return lessName(run.back(), name); });
    auto at = std::lower_bound(runIt->begin(), runIt->end(), name, lessName);
    return {static_cast<std::size_t>(runIt - runs_.begin()),
            static_cast<std::size_t>(at - runIt->begin())};
}

std::size_t SortedNameList::insertionPoint(std::string_view name) const {
    return indexOf(lowerBound(name));
}

std::size_t SortedNameList::insert(std::string name) {
    if (runs_.empty())
        runs_.emplace_back();
    const Place place = lowerBound(name);
    auto& run = runs_[place.run];
    run.insert(run.begin() + static_cast<std::ptrdiff_t>(place.offset), std::move(name));
    ++size_;
    const std::size_t index = indexOf(place);
    if (run.size() > kMaxRun) {
        std::vector<std::string> upper(std::make_move_iterator(run.begin() + kMaxRun / 2),
                                       std::make_move_iterator(run.end()));
        run.resize(kMaxRun / 2);
        runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(place.run) + 1, std::move(upper));
    }
    return index;
}

std::optional<std::size_t> SortedNameList::findIgnoringCase(std::string_view name) const {
    if (size_ == 0)
        return std::nullopt;
    const Place place = lowerBound(firstSpelling(name));
    const auto& run = runs_[place.run];
    if (place.offset >= run.size() || !namesEqualIgnoringCase(run[place.offset], name))
        return std::nullopt;
    return indexOf(place);
}

const std::string& SortedNameList::at(std::size_t index) const {
    const Place place = placeOf(index);
    return runs_[place.run][place.offset];
}

void SortedNameList::erase(std::size_t index) {
    const Place place = placeOf(index);
    auto& run = runs_[place.run];
    run.erase(run.begin() + static_cast<std::ptrdiff_t>(place.offset));
    if (run.empty())
        runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(place.run));
    --size_;
}

void SortedNameList::clear() {
    runs_.clear();
    size_ = 0;
}

std::vector<std::string> SortedNameList::names() const {
    std::vector<std::string> all;
    all.reserve(size_);
    for (const auto& run : runs_)
        all.insert(all.end(), run.begin(), run.end());
    return all;
}

} // namespace vantrel
