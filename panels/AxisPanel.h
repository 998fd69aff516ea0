#pragma once

#include "panels/AssignmentPanel.h"
#include "panels/AxisPanelControls.h"
#include "panels/AxisPanelValues.h"
#include "panels/ChainListBoxes.h"
#include "profile/ChainEditor.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

namespace vantrel {

class NumberSpinBox;

// "Axis Programming": builds the profile's axis chains with their breakpoint groups and binds
// chains by name to the six axes of the active programming mode. It works on a state that its
// owner keeps (the profile's one AxisChainList in a ChainEditor, whose rules the commands
// follow, and the values of the boxes); the chain list box shows the chains row for row.
//
// Every handler first reads all boxes into the values and ends by writing all values back,
// so text typed into a box counts only from the next handler on.
class AxisPanel : public QDialog, public AssignmentPanel {
    Q_OBJECT
public:
    // Shows what the state holds: its chains, its selected chain and its values.
    explicit AxisPanel(AxisPanelState& state, QWidget* parent = nullptr);

    // AssignmentPanel: the six values are XAxis, YAxis, ZAxis, RAxis, R1Axis, R2Axis.
    void showAssignments(const std::vector<Assignment>& values,
                         const std::string& modeName) override;
    std::vector<Assignment> collectAssignments() const override;
    void clearAssignments() override;
    void setSelectedScript(const std::string& name) override { selectedScript_ = name; }

    // The chains, for the profile text file. The list boxes follow every change.
    const AxisChainList& chains() const { return editor_.chains(); }
    void resetChains();
    // Appends a chain and selects its row (the reader adds its lines next).
    void addChain(const std::string& name);
    int chainCount() const { return editor_.chains().chainCount(); }
    void addGroupLine(const std::string& line, int count, int chainIndex);
    void writeChains(const LineSink& sink) const { editor_.chains().writeChains(sink); }
    // Shows the selected chain (its name, its lines, Count's limit) and sets which buttons work.
    void refreshChainSelection();

    // The arrows of the Start and End boxes, for setting their clock.
    NumberSpinBox& startSpin() const { return *ui_.startSpin; }
    NumberSpinBox& endSpin() const { return *ui_.endSpin; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectControls();

    // Reads every box into the values; false (after one message) when a number box does not
    // hold an integer, whose value then stays as it was.
    bool rereadBoxes();
    void refreshBoxes();
    // Runs one user command between a re-read and a refresh of the boxes.
    template <typename Command> void handle(Command command);

    int selectedChain() const { return state_.selectedChain; }
    // Selects the row in the chain list and remembers it in the state.
    void selectChain(int row);
    // Shows the chain just appended to the list and selects it.
    void listAddedChain();
    void applyChainSelection();
    void limitCountToSelectedChain();
    void updateRemoveButton();

    void nameEdited(const QString& text);
    void applyNameRule();
    void addChainFromNameBox();
    void renameSelectedChain();
    void duplicateSelectedChain();
    void deleteSelectedChain();
    void addGroup();
    void removeGroup();
    void clearGroups();
    void startStepped();
    void endStepped();
    void numberBoxLeft(QLineEdit* box);
    void confirm();

    AxisPanelState& state_;
    ChainEditor& editor_;
    AxisPanelValues& values_;
    std::string& selectedScript_;
    // Set while the refusal of a number box is shown; the focus it takes is no leaving.
    int refusing_ = 0;

    AxisPanelControls ui_;
    ChainListBoxes lists_;
};

} // namespace vantrel
