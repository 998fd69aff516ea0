#include "editor/AssignmentPanels.h"

#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"

#include <QWidget>

namespace vantrel {

AssignmentPanels::AssignmentPanels(QWidget& owner)
    : owner_(owner), ownerOrigin_(owner.window()->geometry().topLeft()) {}

AssignmentPanels::~AssignmentPanels() {
    // The panels work on the states held here: they go first.
    delete stick_;
    delete throttle_;
    delete axis_;
}

StickPanel& AssignmentPanels::stick() {
    if (!stick_) {
        stick_ = new StickPanel(stickState_, &owner_);
        stick_->commandDone = [this] { commandDone(); };
    }
    return *stick_;
}

ThrottlePanel& AssignmentPanels::throttle() {
    if (!throttle_) {
        throttle_ = new ThrottlePanel(throttleState_, &owner_);
        throttle_->commandDone = [this] { commandDone(); };
    }
    return *throttle_;
}

AxisPanel& AssignmentPanels::axis() {
    if (!axis_) {
        axis_ = new AxisPanel(axisState_, &owner_);
        axis_->commandDone = [this] { commandDone(); };
        // It places itself beside the owner as it stands now; it opens where it would have
        // opened had it been built with the owner.
        axis_->move(axis_->pos() + ownerOrigin_ - owner_.window()->geometry().topLeft());
    }
    return *axis_;
}

void AssignmentPanels::collectInto(ProgrammingMode& mode) const {
    mode.setGroupValues(SlotGroup::Stick, stickState_.values);
    mode.setGroupValues(SlotGroup::Throttle, throttleState_.values);
    mode.setGroupValues(SlotGroup::Axis,
                        {axisState_.values.axes.begin(), axisState_.values.axes.end()});
}

void AssignmentPanels::showMode(const ProgrammingMode& mode) {
    const std::vector<Assignment> stick = mode.groupValues(SlotGroup::Stick);
    const std::vector<Assignment> throttle = mode.groupValues(SlotGroup::Throttle);
    const std::vector<Assignment> axes = mode.groupValues(SlotGroup::Axis);
    if (stick_)
        stick_->showAssignments(stick, mode.name());
    else
        stickState_.showAssignments(stick, mode.name());
    if (throttle_)
        throttle_->showAssignments(throttle, mode.name());
    else
        throttleState_.showAssignments(throttle, mode.name());
    if (axis_)
        axis_->showAssignments(axes, mode.name());
    else
        axisState_.showAssignments(axes, mode.name());
}

void AssignmentPanels::clearAssignments() {
    if (stick_)
        stick_->clearAssignments();
    else
        stickState_.clearAssignments();
    if (throttle_)
        throttle_->clearAssignments();
    else
        throttleState_.clearAssignments();
    if (axis_)
        axis_->clearAssignments();
    else
        axisState_.clearAssignments();
}

void AssignmentPanels::setSelectedScript(const std::string& name) {
    // The panels only remember the name; nothing on screen shows it.
    for (std::string* held :
         {&stickState_.selectedScript, &throttleState_.selectedScript, &axisState_.selectedScript})
        *held = name;
}

void AssignmentPanels::resetChains() {
    if (axis_)
        axis_->resetChains();
    else
        axisState_.resetChains();
}

void AssignmentPanels::addChain(const std::string& name) {
    if (axis_)
        axis_->addChain(name);
    else
        axisState_.addChain(name);
}

void AssignmentPanels::addGroupLine(const std::string& line, int count, int chainIndex) {
    if (axis_)
        axis_->addGroupLine(line, count, chainIndex);
    else
        axisState_.addGroupLine(line, count, chainIndex);
}

void AssignmentPanels::refreshChainSelection() {
    if (axis_)
        axis_->refreshChainSelection();
    else
        axisState_.applyChainSelection();
}

} // namespace vantrel
