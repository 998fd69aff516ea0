#pragma once

#include <cstddef>
#include <string>

namespace vantrel {

// Told of every change of a list of names, around the change itself, so that a view over the
// list (a Qt item model) can follow it row for row without keeping a copy.
class ListObserver {
public:
    virtual ~ListObserver() = default;
    virtual void beforeInsert(std::size_t row) = 0;
    virtual void afterInsert() = 0;
    virtual void beforeRemove(std::size_t row) = 0;
    virtual void afterRemove() = 0;
    virtual void beforeReset() = 0;
    virtual void afterReset() = 0;
    virtual void renamed(std::size_t row) = 0;
};

// The result of a list command: whether it changed the list, and the status text it leaves.
struct EditResult {
    bool done = false;
    std::string status;
};

} // namespace vantrel
