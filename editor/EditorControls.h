#pragma once

class QDialog;
class QListView;
class QMenuBar;
class QPushButton;

namespace vantrel {
namespace platform {
class ByteLineEdit;
}

// The controls of the editor window, created and laid out in the window by build(); the
// window binds them to its commands.
struct EditorControls {
    static EditorControls build(QDialog& window);

    QMenuBar* menuBar = nullptr;
    platform::ByteLineEdit* scriptBox = nullptr;
    QPushButton* scriptAddButton = nullptr;
    QPushButton* scriptUpdateButton = nullptr;
    QListView* scriptList = nullptr;
    QPushButton* scriptDuplicateButton = nullptr;
    QPushButton* scriptClearAllButton = nullptr;
    QPushButton* scriptDeleteButton = nullptr;
    platform::ByteLineEdit* modeNameBox = nullptr;
    QListView* modeList = nullptr;
    QPushButton* modeCreateButton = nullptr;
    QPushButton* modeRenameButton = nullptr;
    QPushButton* modeDuplicateButton = nullptr;
    QPushButton* modeSetDefaultButton = nullptr;
    QPushButton* modeDeleteButton = nullptr;
    QPushButton* joystickButton = nullptr;
    QPushButton* throttleButton = nullptr;
    QPushButton* axisButton = nullptr;
    platform::ByteLineEdit* statusBox = nullptr;
};

} // namespace vantrel
