#pragma once

#include "profile/ScriptStore.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QGroupBox;
class QListView;
class QListWidget;
class QMenuBar;
class QPushButton;

namespace vantrel {
namespace platform {
class ByteLineEdit;
}

// Kept out of this header: the slot table names a member "slots", which Qt takes for a
// keyword wherever its own headers come first.
class ProgrammingMode;
struct Profile;

class AxisPanel;
class ScriptListModel;
class SetDefaultDelaysDialog;
class StickPanel;
class ThrottlePanel;

// The program's main window, "Vantrel Generator": the script list with its commands, the
// programming modes, and the three assignment panels that edit the active mode.
class EditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit EditorWindow(QWidget* parent = nullptr);
    ~EditorWindow() override;

    // Script list.
    void addScript(const std::string& line);
    void clearScripts();
    void refreshScriptButtons();
    void showSelectedScript();

    // Programming modes.
    void switchMode();
    void addMode(const std::string& name);

    // The whole profile.
    void resetProfile();
    void newProfile();

    const std::vector<Script>& scripts() const { return scripts_.lines(); }
    std::vector<ProgrammingMode>& modes() { return modes_; }
    int activeModeIndex() const { return activeModeIndex_; }
    void setActiveModeIndex(int index) { activeModeIndex_ = index; }

    const std::string& profilePath() const { return profilePath_; }
    const std::string& profileFileName() const { return profileFileName_; }
    // Sets the full path and its file-name part; an empty path clears both.
    void setProfilePath(const std::string& fullPath);
    bool profileSaved() const { return profileSaved_; }
    void setProfileSaved(bool saved) { profileSaved_ = saved; }

    std::string statusText() const;
    void setStatusText(const std::string& text);

    StickPanel& stickPanel() { return *stickPanel_; }
    ThrottlePanel& throttlePanel() { return *throttlePanel_; }
    AxisPanel& axisPanel() { return *axisPanel_; }
    SetDefaultDelaysDialog& delaysDialog() { return *delaysDialog_; }

    // The script list in its on-screen order.
    std::vector<std::string> listedScriptNames() const;
    // Scripts, modes, the delays from the delays dialog and the chains from the axis panel.
    Profile profileSnapshot() const;

    QMenuBar* menuBar() const { return menuBar_; }

    // Asked before the window closes (close box, Escape is swallowed); false keeps it open.
    std::function<bool()> closeGuard = [] { return true; };

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void buildControls();
    void fixWindowSize();
    void addSystemMenuEntry();

    // The texts of the three boxes, taken into the fields and written back.
    void readBoxes();
    void writeBoxes();

    // Script commands.
    void onAddClicked();
    void onUpdateClicked();
    void onDuplicateScriptClicked();
    void onDeleteScriptClicked();
    void onClearAllClicked();
    void trimScriptBox();
    int selectedScriptRow() const;
    void selectScriptRow(int row);

    // Mode commands.
    void onModeNameEdited();
    void onModeSelectionChanged();
    void trimModeNameBox();
    void onCreateModeClicked();
    void onRenameModeClicked();
    void onDuplicateModeClicked();
    void onSetDefaultClicked();
    void onDeleteModeClicked();
    int selectedModeRow() const;
    void selectModeRow(int row);
    int findModeRow(const std::string& name) const;
    void addModeRow(const std::string& name);
    void setModeRowText(int row, const std::string& name);

    void showPanel(QDialog& panel);
    void showAbout();

    // The profile held by the window itself.
    ScriptStore scripts_;
    std::vector<ProgrammingMode> modes_;
    int activeModeIndex_ = -1;
    std::string profilePath_;
    std::string profileFileName_;
    bool profileSaved_ = true;

    // The fields of the boxes.
    std::string scriptText_;
    std::string statusText_;
    std::string modeNameText_;
    // Set while the window itself changes a list's selection, so that only the user's own
    // selections run the selection handlers.
    bool changingSelection_ = false;

    QMenuBar* menuBar_ = nullptr;
    platform::ByteLineEdit* scriptBox_ = nullptr;
    QPushButton* scriptAddButton_ = nullptr;
    QPushButton* scriptUpdateButton_ = nullptr;
    ScriptListModel* scriptModel_ = nullptr;
    QListView* scriptList_ = nullptr;
    QPushButton* scriptDuplicateButton_ = nullptr;
    QPushButton* scriptClearAllButton_ = nullptr;
    QPushButton* scriptDeleteButton_ = nullptr;
    platform::ByteLineEdit* modeNameBox_ = nullptr;
    QListWidget* modeList_ = nullptr;
    QPushButton* modeCreateButton_ = nullptr;
    QPushButton* modeRenameButton_ = nullptr;
    QPushButton* modeDuplicateButton_ = nullptr;
    QPushButton* modeSetDefaultButton_ = nullptr;
    QPushButton* modeDeleteButton_ = nullptr;
    QPushButton* joystickButton_ = nullptr;
    QPushButton* throttleButton_ = nullptr;
    QPushButton* axisButton_ = nullptr;
    platform::ByteLineEdit* statusBox_ = nullptr;

    StickPanel* stickPanel_ = nullptr;
    ThrottlePanel* throttlePanel_ = nullptr;
    AxisPanel* axisPanel_ = nullptr;
    SetDefaultDelaysDialog* delaysDialog_ = nullptr;
};

} // namespace vantrel
