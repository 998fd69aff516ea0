#pragma once

#include "panels/AssignmentPanel.h"

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
// from the slot table: "P >>", press box, release box, "<< R". It shows the active mode of
// the profile document as it finds it when built, and stores its assignments there.
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

    void showActiveMode() override;
    std::vector<Assignment> collectAssignments() const override;
    void setSelectedScript(const std::string& name) override { selectedScript_ = name; }
    const std::string& selectedScript() const { return selectedScript_; }

    // Enter: re-read every box, then hide.
    void accept() override;
    void setVisible(bool visible) override;

protected:
    ButtonPanel(const Look& look, EditedProfile& document, QWidget* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* buildButtonGroup();
    QGroupBox* buildHatGroup(const Control& hat);
    void addRow(QGridLayout& grid, int row, const QString& label, const QString& control);
    int slotIndex(const QString& slotName) const;

    std::vector<Assignment> reread() const;
    // Writes the values into the boxes and the active mode's name into its box.
    void refresh(const std::vector<Assignment>& values);
    void assign(int index, const std::string& value);

    Look look_;
    int firstPosition_;
    EditedProfile& document_;
    std::vector<platform::ByteLineEdit*> boxes_;
    std::string selectedScript_;
    platform::ByteLineEdit* modeBox_ = nullptr;
    bool placed_ = false;
    bool showing_ = false;
};

} // namespace vantrel
