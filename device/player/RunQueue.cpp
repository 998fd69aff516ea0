#include "device/player/RunQueue.h"

#include <algorithm>

namespace vantrel::player {
namespace {

// std::push_heap keeps the largest on top; "later" puts the earliest run there.
bool later(const ScriptRun& a, const ScriptRun& b) {
    if (a.due != b.due)
        return a.due > b.due;
    return a.order > b.order;
}

} // namespace

void RunQueue::push(ScriptRun run) {
    run.order = nextOrder_++;
    heap_.push_back(run);
    std::push_heap(heap_.begin(), heap_.end(), later);
}

std::optional<ScriptRun> RunQueue::popDue(Time now) {
    if (heap_.empty() || heap_.front().due > now)
        return std::nullopt;
    std::pop_heap(heap_.begin(), heap_.end(), later);
    const ScriptRun run = heap_.back();
    heap_.pop_back();
    return run;
}

std::optional<Time> RunQueue::nextDue() const {
    if (heap_.empty())
        return std::nullopt;
    return heap_.front().due;
}

} // namespace vantrel::player
