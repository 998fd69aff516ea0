#pragma once

// The slot table has a member named like Qt's "slots" keyword macro, which may already be
// defined when this header is read after other Qt headers.
#pragma push_macro("slots")
#undef slots
#include "panels/AssignmentPanel.h"
#pragma pop_macro("slots")
#include "profile/AxisChain.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vantrel {

class SpinArrows;
namespace platform {
class ByteLineEdit;
}

// "Axis Programming": builds the profile's axis chains with their breakpoint groups and binds
// chains by name to the six axes of the active programming mode. It holds the profile's one
// AxisChainList; the chain list box shows it row for row.
//
// Every handler first reads all boxes into the values and ends by writing all values back,
// so text typed into a box counts only from the next handler on.
class AxisPanel : public QDialog, public AssignmentPanel {
    Q_OBJECT
public:
    // The panel refuses to add or duplicate chains once this many exist.
    static constexpr int kPanelChainLimit = 10;

    explicit AxisPanel(QWidget* parent = nullptr);

    // AssignmentPanel: the six values are XAxis, YAxis, ZAxis, RAxis, R1Axis, R2Axis.
    void showAssignments(const std::vector<Assignment>& values,
                         const std::string& modeName) override;
    std::vector<Assignment> collectAssignments() const override;
    void clearAssignments() override;
    void setSelectedScript(const std::string& name) override { selectedScript_ = name; }

    // The chains, for the profile text file. The list boxes follow every change.
    const AxisChainList& chains() const { return chains_; }
    void resetChains();
    // Appends a chain and selects its row (the reader adds its lines next).
    void addChain(const std::string& name);
    int chainCount() const { return chains_.chainCount(); }
    void addGroupLine(const std::string& line, int count, int chainIndex);
    void writeChains(const LineSink& sink) const { chains_.writeChains(sink); }
    // Shows the selected chain (its name, its lines, Count's limit) and sets which buttons work.
    void refreshChainSelection();

    // The arrows of the Start and End boxes, for setting their clock.
    SpinArrows& startSpin() const { return *startSpin_; }
    SpinArrows& endSpin() const { return *endSpin_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class NumberBox { Count, Start, End };

    void buildWidgets();
    QWidget* buildChainGroup();
    QWidget* buildAxisGroup();
    void arrangeWindow();

    // Reads every box into the values; false (after one message) when a number box does not
    // hold an integer, whose value then stays as it was.
    bool rereadBoxes();
    void refreshBoxes();
    // Runs one user command between a re-read and a refresh of the boxes.
    template <typename Command> void handle(Command command);

    int selectedChain() const;
    int selectedGroup() const;
    void selectChainRow(int row);
    int countLimit() const;
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

    AxisChainList chains_;
    std::string modeName_;
    std::string chainName_;
    int count_ = 10;
    int start_ = -20000;
    int end_ = 20000;
    std::string increase_{"_NULL"};
    std::string decrease_{"_NULL"};
    std::array<Assignment, 6> axes_;
    std::string selectedScript_;
    // Set while the panel itself changes list selections, which are not user commands.
    int updating_ = 0;
    // Set while the refusal of a number box is shown; the focus it takes is no leaving.
    int refusing_ = 0;

    platform::ByteLineEdit* modeBox_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QLabel* picture_ = nullptr;
    platform::ByteLineEdit* nameBox_ = nullptr;
    QListWidget* chainList_ = nullptr;
    QPushButton* addChainButton_ = nullptr;
    QPushButton* renameButton_ = nullptr;
    QPushButton* duplicateButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QListWidget* groupList_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QLineEdit* countBox_ = nullptr;
    SpinArrows* countSpin_ = nullptr;
    QPushButton* addGroupButton_ = nullptr;
    QLineEdit* startBox_ = nullptr;
    SpinArrows* startSpin_ = nullptr;
    QPushButton* increaseButton_ = nullptr;
    platform::ByteLineEdit* increaseBox_ = nullptr;
    QLineEdit* endBox_ = nullptr;
    SpinArrows* endSpin_ = nullptr;
    QPushButton* decreaseButton_ = nullptr;
    platform::ByteLineEdit* decreaseBox_ = nullptr;
    std::array<QPushButton*, 6> axisButtons_{};
    std::array<platform::ByteLineEdit*, 6> axisBoxes_{};
};

} // namespace vantrel
