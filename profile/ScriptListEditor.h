#pragma once

#include "profile/ListObserver.h"
#include "profile/ScriptStore.h"
#include "profile/SortedNameList.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The rules of the editor's script list: the stored lines in order of addition and their
// names in the list's sorted order, changed together by the list's commands. Each command
// hands back the status text the editor shows.
class ScriptListEditor {
public:
    // Which of Add and Update the SCRIPT box's line allows; nullopt leaves Add as it is.
    struct Buttons {
        bool update = false;
        std::optional<bool> add;
    };

    const std::vector<Script>& lines() const { return store_.lines(); }
    const SortedNameList& names() const { return names_; }
    std::size_t size() const { return names_.size(); }
    // The row of the name when letter case is ignored.
    std::optional<std::size_t> findRow(std::string_view name) const {
        return names_.findIgnoringCase(name);
    }
    const std::string& nameAt(std::size_t row) const { return names_.at(row); }
    // The stored line of the script listed at this row, if it has one of its exact name.
    const Script* lineAt(std::size_t row) const;

    void setObserver(ListObserver* observer) { observer_ = observer; }
    // Between these two, lines are added as a file is read: the observer hears of one reset
    // around all of them instead of one insertion per row, which a view follows far faster.
    // Only add() may be called in between.
    void beginLoading();
    void endLoading();

    // Adds the line under its name; refused for a line without a name or a listed name.
    EditResult add(const Script& line);
    // Replaces the stored line of the same name.
    EditResult update(const Script& line);
    // Adds a copy of the script at the row under the first free name name_2 .. name_254.
    EditResult duplicate(std::optional<std::size_t> row);
    // Removes the script at the row; shownLine is the SCRIPT box's text, which must not be
    // empty. _NULL is never removed.
    EditResult remove(std::optional<std::size_t> row, std::string_view shownLine);
    // Empties the list.
    EditResult clear();

    // The exact inverses of the commands, for undo and redo: each changes the store and the
    // sorted names together and tells the observer as the commands do. The list's rules keep
    // one line per name, so a line's name finds its row.
    // The store index of the line listed at this row.
    std::optional<std::size_t> lineIndexAt(std::size_t row) const;
    // Puts a line at an index of the store and its name at its sorted row.
    void insertLine(std::size_t index, Script line);
    // Removes the line at an index of the store and its row; gives the line back.
    Script eraseLine(std::size_t index);
    // Gives back the line that the one of the same name replaces.
    Script replaceLine(std::size_t index, Script line);
    // The whole list moved out (Clear All) and back.
    struct Contents {
        ScriptStore store;
        SortedNameList names;
    };
    Contents takeAll();
    void restoreAll(Contents contents);

    Buttons buttonsFor(std::string_view line) const;
    // Duplicate and Delete work on any selected row but the first (_NULL sorts first).
    static bool rowMayBeCopiedOrRemoved(std::optional<std::size_t> row) { return row && *row > 0; }

private:
    void insertName(std::string name);

    ScriptStore store_;
    SortedNameList names_;
    ListObserver* observer_ = nullptr;
    bool loading_ = false;
};

} // namespace vantrel
