#pragma once

#include "profile/ListObserver.h"
#include "profile/ProgrammingMode.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The rules of the programming-mode list. Row i of the list is mode i, and the modes' own
// names are the only copy of the listed names.
class ModeListEditor {
public:
    std::vector<ProgrammingMode>& modes() { return modes_; }
    const std::vector<ProgrammingMode>& modes() const { return modes_; }
    int size() const { return static_cast<int>(modes_.size()); }
    bool holds(int row) const { return row >= 0 && row < size(); }
    const std::string& nameAt(int row) const {
        return modes_.at(static_cast<std::size_t>(row)).name();
    }
    // The first row whose name equals this one when letter case is ignored, or -1.
    int findRow(std::string_view name) const;

    void setObserver(ListObserver* observer) { observer_ = observer; }

    // Appends a mode without assignments.
    void add(std::string name);
    void clear();

    // Renames the mode at the row unless another row (or this one) already has the name in
    // any letter case; the status tells which.
    EditResult rename(int row, const std::string& newName);
    // Appends a copy named after the mode's duplicateBase with the first free _n.
    EditResult duplicate(int row);
    // Names the mode DEFAULT; a mode already named so becomes "unknown" or "unknown_n".
    EditResult setDefault(int row);
    // Removes the mode unless its name begins with DEFAULT.
    EditResult remove(int row);

    // The exact inverses of the commands, for undo and redo, told to the observer as the
    // commands are.
    void insert(int row, ProgrammingMode mode);
    ProgrammingMode take(int row);
    void setNameAt(int row, std::string name) {
        setName(static_cast<std::size_t>(row), std::move(name));
    }

    // The name cut before its first "(", trailing blanks removed.
    static std::string duplicateBase(std::string_view name);
    // "unknown" when no mode has that name, else the first free "unknown_1" .. "unknown_253";
    // empty when all are taken.
    std::string freeUnknownName() const;

private:
    void setName(std::size_t row, std::string name);

    std::vector<ProgrammingMode> modes_;
    ListObserver* observer_ = nullptr;
};

} // namespace vantrel
