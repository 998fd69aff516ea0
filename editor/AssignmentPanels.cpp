#include "editor/AssignmentPanels.h"

#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"

#include <QWidget>

namespace vantrel {

AssignmentPanels::AssignmentPanels(QWidget& owner, EditedProfile& document)
    : owner_(owner), document_(document), ownerOrigin_(owner.window()->geometry().topLeft()) {}

AssignmentPanels::~AssignmentPanels() {
    // The panels follow the document, which outlives this: they let go of it first.
    delete stick_;
    delete throttle_;
    delete axis_;
}

void AssignmentPanels::built(AssignmentPanel& panel) {
    panel.setSelectedScript(selectedScript_);
    built_.push_back(&panel);
}

StickPanel& AssignmentPanels::stick() {
    if (!stick_) {
        stick_ = new StickPanel(document_, &owner_);
        built(*stick_);
    }
    return *stick_;
}

ThrottlePanel& AssignmentPanels::throttle() {
    if (!throttle_) {
        throttle_ = new ThrottlePanel(document_, &owner_);
        built(*throttle_);
    }
    return *throttle_;
}

AxisPanel& AssignmentPanels::axis() {
    if (!axis_) {
        axis_ = new AxisPanel(document_, &owner_);
        built(*axis_);
        // It places itself beside the owner as it stands now; it opens where it would have
        // opened had it been built with the owner.
        axis_->move(axis_->pos() + ownerOrigin_ - owner_.window()->geometry().topLeft());
    }
    return *axis_;
}

void AssignmentPanels::showActiveMode() {
    for (AssignmentPanel* panel : built_)
        panel->showActiveMode();
}

void AssignmentPanels::setSelectedScript(const std::string& name) {
    // The panels only remember the name; nothing on screen shows it.
    selectedScript_ = name;
    for (AssignmentPanel* panel : built_)
        panel->setSelectedScript(name);
}

void AssignmentPanels::refreshChainSelection() {
    // A panel built later shows the chains as it finds them.
    if (axis_)
        axis_->refreshChainSelection();
}

} // namespace vantrel
