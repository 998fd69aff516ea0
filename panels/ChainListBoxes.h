#pragma once

#include <string>
#include <vector>

class QListWidget;

namespace vantrel {

// The axis panel's two list boxes: the chains row for row, and the lines of the selected
// chain's breakpoint groups. Every change made here is the panel's own, not a user's
// command: while one runs, updating() holds, and the panel ignores the selection signals
// the boxes send meanwhile.
class ChainListBoxes {
public:
    ChainListBoxes() = default;
    ChainListBoxes(QListWidget* chains, QListWidget* groups) : chains_(chains), groups_(groups) {}

    bool updating() const { return updating_ > 0; }

    // The selected rows, or -1.
    int selectedChain() const;
    int selectedGroup() const;
    // Selects the row; a row out of range leaves no chain selected.
    void selectChain(int row);

    void appendChain(const std::string& name);
    void renameChain(int row, const std::string& name);
    // Takes the row out and leaves no chain selected.
    void removeChain(int row);

    // Shows these lines in place of the breakpoint box's rows.
    void showGroups(const std::vector<std::string>& lines);
    void appendGroup(const std::string& line);
    // Takes the row out and selects the row above it, or none for the first.
    void removeGroup(int row);

    void clear();

private:
    QListWidget* chains_ = nullptr;
    QListWidget* groups_ = nullptr;
    int updating_ = 0;
};

} // namespace vantrel
