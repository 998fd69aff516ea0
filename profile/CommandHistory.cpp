#include "profile/CommandHistory.h"

namespace vantrel {

void CommandHistory::push(Entry entry) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(done_), entries_.end());
    if (clean_ && *clean_ > done_)
        clean_.reset();
    entries_.push_back(std::move(entry));
    ++done_;
}

void CommandHistory::clear() {
    entries_.clear();
    done_ = 0;
    clean_ = 0;
}

} // namespace vantrel
