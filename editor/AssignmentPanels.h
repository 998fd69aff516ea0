#pragma once

#include "profile/AxisPanelState.h"
#include "profile/ButtonPanelState.h"

#include <QPoint>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace vantrel {

class AxisPanel;
class StickPanel;
class ThrottlePanel;

// The editor window's three assignment panels. What they hold lives here from the start;
// each panel with its picture is built the first time it is asked for, shows that state and
// edits it from then on. Until then the operations below act on the state alone, which is
// what the panel would have done with boxes nobody could have typed into.
class AssignmentPanels {
public:
    explicit AssignmentPanels(QWidget& owner);
    ~AssignmentPanels();
    AssignmentPanels(const AssignmentPanels&) = delete;
    AssignmentPanels& operator=(const AssignmentPanels&) = delete;

    // The panels, built on first use, hidden.
    StickPanel& stick();
    ThrottlePanel& throttle();
    AxisPanel& axis();

    // The active mode's three groups, as the panels last read them from their boxes.
    void collectInto(ProgrammingMode& mode) const;
    void showMode(const ProgrammingMode& mode);
    void clearAssignments();
    void setSelectedScript(const std::string& name);

    // The chains, for the profile text file.
    const AxisChainList& chains() const { return axisState_.editor.chains(); }
    void resetChains();
    void addChain(const std::string& name);
    int chainCount() const { return chains().chainCount(); }
    void addGroupLine(const std::string& line, int count, int chainIndex);
    void refreshChainSelection();

    // Told after each of the user's commands in any built panel.
    std::function<void()> commandDone = [] {};

private:
    QWidget& owner_;
    // Where the owner stood when the panels came into being: the axis panel is placed by it.
    QPoint ownerOrigin_;
    ButtonPanelState stickState_{SlotGroup::Stick};
    ButtonPanelState throttleState_{SlotGroup::Throttle};
    AxisPanelState axisState_;
    StickPanel* stick_ = nullptr;
    ThrottlePanel* throttle_ = nullptr;
    AxisPanel* axis_ = nullptr;
};

} // namespace vantrel
