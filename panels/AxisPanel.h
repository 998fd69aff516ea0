#pragma once

#include "panels/AssignmentPanel.h"
#include "panels/AxisPanelControls.h"
#include "panels/AxisPanelValues.h"
#include "panels/ChainListBoxes.h"
#include "profile/EditedProfile.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

namespace vantrel {

class NumberSpinBox;

// "Axis Programming": builds the profile's axis chains with their breakpoint groups and binds
// chains by name to the six axes of the active programming mode. Its chain and group commands
// and its axis assignments are commands of the profile document, whose chain rules they
// follow; the chain list box shows the document's chains row for row and follows them when
// they change otherwise (a new or opened profile, undo, redo).
//
// Every handler first reads all boxes into the values and ends by writing all values back,
// so text typed into a box counts only from the next handler on.
class AxisPanel : public QDialog, public AssignmentPanel, private ProfileObserver {
    Q_OBJECT
public:
    // Shows the document's chains with the last one selected, as a profile just read leaves
    // them, and its active mode.
    explicit AxisPanel(EditedProfile& document, QWidget* parent = nullptr);
    ~AxisPanel() override;

    // AssignmentPanel: the six values are XAxis, YAxis, ZAxis, RAxis, R1Axis, R2Axis.
    void showActiveMode() override;
    std::vector<Assignment> collectAssignments() const override;
    void setSelectedScript(const std::string& name) override { selectedScript_ = name; }

    const AxisChainList& chains() const { return document_.chains().chains(); }
    int chainCount() const { return chains().chainCount(); }
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
    void profileChanged(const ProfileChange& change) override;
    // A new or opened profile: its chains listed with the last one selected, no name, Increase
    // and Decrease "_NULL"; Count, Start, End and the axis names stay.
    void showNewChains();
    // The chains after an undo or redo, with the chain it changed selected when it is there.
    void showChangedChains(int chain);
    void listChains();

    // Reads every box into the values; false (after one message) when a number box does not
    // hold an integer, whose value then stays as it was.
    bool rereadBoxes();
    void refreshBoxes();
    // Runs one user command between a re-read and a refresh of the boxes; the axis names the
    // boxes then hold are stored, the one at ownAxis (-1 for none) as the command's own.
    template <typename Command> void handle(Command command, int ownAxis = -1);
    void storeAxes(int ownAxis);

    const ChainEditor& rules() const { return document_.chains(); }
    int selectedChain() const { return selectedChain_; }
    // Selects the row in the chain list and remembers it.
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

    EditedProfile& document_;
    AxisPanelValues values_;
    // The chain list's selected row, -1 for none.
    int selectedChain_ = -1;
    std::string selectedScript_;
    // Set while the panel's own command changes the document, which the lists follow already.
    int editing_ = 0;
    // Set while the refusal of a number box is shown; the focus it takes is no leaving.
    int refusing_ = 0;

    AxisPanelControls ui_;
    ChainListBoxes lists_;
};

} // namespace vantrel
