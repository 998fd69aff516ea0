#include "editor/AssignmentPanels.h"
#include "editor/EditorWindow.h"
#include "platform/qt/ByteText.h"
#include "widgets/RenameDialog.h"

#include <QListView>
#include <QPushButton>

// The editor window's programming modes: the mode list's selection, the mode name box and the
// mode commands, each run on the profile document.

namespace vantrel {

void EditorWindow::switchMode() {
    // What the panels took is in the document already: there is nothing to store back.
    showSelectedMode();
}

void EditorWindow::showSelectedMode() {
    int selected = selectedRow(ui_.modeList);
    if (!document_.modes().holds(selected))
        selected = -1;
    const bool modeSelected = selected >= 0;
    ui_.modeCreateButton->setEnabled(!modeSelected);
    for (QPushButton* button :
         {ui_.modeRenameButton, ui_.modeDuplicateButton, ui_.modeSetDefaultButton,
          ui_.modeDeleteButton, ui_.joystickButton, ui_.throttleButton, ui_.axisButton})
        button->setEnabled(modeSelected);
    document_.selectMode(selected);
    panels_->showActiveMode();
    if (const ProgrammingMode* mode = document_.activeModeValues())
        ui_.modeNameBox->setBytes(mode->name());
}

void EditorWindow::onModeNameEdited() {
    const std::string name(trimLeadingFileSpace(ui_.modeNameBox->bytes()));
    selectRow(ui_.modeList, document_.modes().findRow(name));
    ui_.modeNameBox->setBytes(name);
    switchMode();
}

void EditorWindow::trimModeNameBox() {
    const std::string typed = ui_.modeNameBox->bytes();
    const std::string cut = cutAndTrim(typed, kModeNameCutSet);
    if (cut == typed)
        return;
    ui_.modeNameBox->setBytes(cut);
    // The cut text is a change of the box like any typed one: it selects a mode it names.
    onModeNameEdited();
}

void EditorWindow::onCreateModeClicked() {
    // The name is made safe here too: Create Mode may be reached by its mnemonic while the
    // mode name box still has the focus.
    trimModeNameBox();
    const std::string name = ui_.modeNameBox->bytes();
    if (name.empty() || selectedRow(ui_.modeList) >= 0)
        return;
    addMode(name);
}

void EditorWindow::addMode(const std::string& name) {
    withoutSelectionHandlers([this, &name] { document_.createMode(name); });
    selectRow(ui_.modeList, document_.modes().findRow(name));
    ui_.modeNameBox->setBytes(name);
    showSelectedMode();
}

void EditorWindow::onRenameModeClicked() {
    const int row = selectedRow(ui_.modeList);
    if (!document_.modes().holds(row))
        return;
    askForNewName(this, document_.modes().nameAt(row), [this, row](const std::string& newName) {
        // Nothing is left of a name made only of cut characters: no mode goes nameless.
        if (newName.empty())
            return true;
        const EditResult result = document_.renameMode(row, newName);
        setStatusText(result.status);
        if (result.done)
            ui_.modeNameBox->setBytes(newName);
        return result.done;
    });
    onModeNameEdited();
}

void EditorWindow::onDuplicateModeClicked() {
    const int row = selectedRow(ui_.modeList);
    if (!document_.modes().holds(row))
        return;
    EditResult result;
    withoutSelectionHandlers([this, row, &result] { result = document_.duplicateMode(row); });
    if (result.done)
        switchMode();
    setStatusText(result.status);
}

void EditorWindow::onSetDefaultClicked() {
    const int selected = selectedRow(ui_.modeList);
    if (!document_.modes().holds(selected))
        return;
    const EditResult result = document_.setDefaultMode(selected);
    ui_.modeNameBox->setBytes(std::string(kDefaultModeName));
    selectRow(ui_.modeList, selected);
    setStatusText(result.status);
    switchMode();
}

void EditorWindow::onDeleteModeClicked() {
    const int row = selectedRow(ui_.modeList);
    EditResult result;
    withoutSelectionHandlers([this, row, &result] { result = document_.deleteMode(row); });
    if (!result.done) {
        switchMode();
        return;
    }
    // What the panels hold was the deleted mode's: the mode above is shown as it is stored.
    selectRow(ui_.modeList, row - 1);
    setStatusText(result.status);
    showSelectedMode();
}

} // namespace vantrel
