#pragma once

#include "panels/AssignmentPanel.h"
#include "profile/ButtonPanelState.h"

#include <QDialog>
#include <QPoint>
#include <QSize>
#include <QString>

#include <string>
#include <vector>

class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace vantrel::platform {
class ByteLineEdit;
}

namespace vantrel {

enum class SlotGroup;
struct Control;

// A modeless panel with one row per button or hat direction of one half of the X36, built
// from the slot table: "P >>", press box, release box, "<< R". Its working copy of the active
// mode's assignments for its group, in slot-position order, lives in a state that its owner
// keeps; the panel shows the state as it finds it when built.
class ButtonPanel : public QDialog, public AssignmentPanel {
    Q_OBJECT

public:
    struct Look {
        SlotGroup group;
        QString title;
        QString picture;       // picture resource
        QSize dialogSize;      // dialog units
        QPoint dialogPosition; // dialog units, from the owner's top left
        bool minimizeBox;
    };

    void showAssignments(const std::vector<Assignment>& values,
                         const std::string& modeName) override;
    std::vector<Assignment> collectAssignments() const override { return values_; }
    void clearAssignments() override;
    void setSelectedScript(const std::string& name) override { selectedScript_ = name; }
    const std::string& selectedScript() const { return selectedScript_; }

    // Enter: re-read every box, then hide.
    void accept() override;
    void setVisible(bool visible) override;

protected:
    ButtonPanel(const Look& look, ButtonPanelState& state, QWidget* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* buildButtonGroup();
    QGroupBox* buildHatGroup(const Control& hat);
    void addRow(QGridLayout& grid, int row, const QString& label, const QString& control);
    int slotIndex(const QString& slotName) const;

    void reread();
    void refresh();
    void assign(int index, const std::string& value);

    Look look_;
    int firstPosition_;
    ButtonPanelState& state_;
    std::vector<Assignment>& values_;
    std::vector<platform::ByteLineEdit*> boxes_;
    std::string& modeName_;
    std::string& selectedScript_;
    platform::ByteLineEdit* modeBox_ = nullptr;
    bool placed_ = false;
    bool showing_ = false;
};

} // namespace vantrel
