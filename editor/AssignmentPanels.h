#pragma once

#include <QPoint>

#include <string>
#include <vector>

class QWidget;

namespace vantrel {

class AssignmentPanel;
class AxisPanel;
class EditedProfile;
class StickPanel;
class ThrottlePanel;

// The editor window's three assignment panels over the profile document. Each panel with its
// picture is built the first time it is asked for and then shows the document as it finds it;
// a panel not built yet has nothing to show or keep.
class AssignmentPanels {
public:
    AssignmentPanels(QWidget& owner, EditedProfile& document);
    ~AssignmentPanels();
    AssignmentPanels(const AssignmentPanels&) = delete;
    AssignmentPanels& operator=(const AssignmentPanels&) = delete;

    // The panels, built on first use, hidden.
    StickPanel& stick();
    ThrottlePanel& throttle();
    AxisPanel& axis();

    // Each panel built so far shows the document's active mode again.
    void showActiveMode();
    // The script selected in the editor's list, which every panel remembers.
    void setSelectedScript(const std::string& name);
    // After a profile was read: the axis panel shows its selected chain.
    void refreshChainSelection();

private:
    void built(AssignmentPanel& panel);

    QWidget& owner_;
    EditedProfile& document_;
    // Where the owner stood when the panels came into being: the axis panel is placed by it.
    QPoint ownerOrigin_;
    std::string selectedScript_;
    std::vector<AssignmentPanel*> built_;
    StickPanel* stick_ = nullptr;
    ThrottlePanel* throttle_ = nullptr;
    AxisPanel* axis_ = nullptr;
};

} // namespace vantrel
