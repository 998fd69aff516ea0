#pragma once

#include "profile/ProfileCommand.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {

// The commands done on a profile, in order, with the place of the last one done and the
// place at which the profile equals its file (the clean place). A command done after some
// were undone drops those; if the clean place was among them, no place is clean any more.
class CommandHistory {
public:
    // A done command with the active mode before and after it.
    struct Entry {
        ProfileCommandPtr command;
        int activeBefore = -1;
        int activeAfter = -1;
    };

    void push(Entry entry);
    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < entries_.size(); }
    // The entry the next undo or redo takes; only when there is one.
    Entry& nextUndo() { return entries_.at(done_ - 1); }
    Entry& nextRedo() { return entries_.at(done_); }
    void stepBack() { --done_; }
    void stepForward() { ++done_; }

    std::string undoText() const { return canUndo() ? entries_[done_ - 1].command->text() : ""; }
    std::string redoText() const { return canRedo() ? entries_[done_].command->text() : ""; }

    bool isClean() const { return clean_ == done_; }
    void markClean() { clean_ = done_; }
    // Forgets every command; the empty history is clean.
    void clear();

    std::size_t size() const { return entries_.size(); }
    // How many commands an undo after another would take back.
    std::size_t doneCount() const { return done_; }

private:
    std::vector<Entry> entries_;
    std::size_t done_ = 0;
    std::optional<std::size_t> clean_ = 0;
};

} // namespace vantrel
