#pragma once

#include "editor/AssignmentPanels.h"
#include "editor/EditorControls.h"
#include "profile/DefaultDelays.h"
#include "profile/ModeListEditor.h"
#include "profile/ScriptListEditor.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

struct Profile;

class AxisPanel;
class NameListModel;
class ScriptListBinding;
class SetDefaultDelaysDialog;
class StickPanel;
class ThrottlePanel;

// The program's main window, "Vantrel Generator": the script list with its commands, the
// programming modes, and the three assignment panels that edit the active mode. The lists'
// rules live in the core's list editors; the window binds them to its controls.
class EditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit EditorWindow(QWidget* parent = nullptr);
    ~EditorWindow() override;

    // Script list.
    void addScript(const std::string& line);
    // addScript for the lines of a file, without their status texts, between a begin and an
    // end that show the list once.
    void beginLoadingScripts();
    void addLoadedScript(const std::string& line);
    void endLoadingScripts();
    // Empties the list; the status text of Clear All.
    std::string clearScripts();
    void refreshScriptButtons();
    void showSelectedScript();

    // Programming modes.
    void switchMode();
    void addMode(const std::string& name);

    // The whole profile.
    void resetProfile();
    void newProfile();

    const std::vector<Script>& scripts() const { return scripts_.lines(); }
    std::vector<ProgrammingMode>& modes() { return modes_.modes(); }
    int activeModeIndex() const { return activeModeIndex_; }
    void setActiveModeIndex(int index) { activeModeIndex_ = index; }

    const std::string& profilePath() const { return profilePath_; }
    const std::string& profileFileName() const { return profileFileName_; }
    // Sets the full path and its file-name part; an empty path clears both.
    void setProfilePath(const std::string& fullPath);
    bool profileSaved() const { return profileSaved_; }
    // The one place the flag changes; the title's modified mark follows it.
    void setProfileSaved(bool saved);

    std::string statusText() const;
    void setStatusText(const std::string& text);

    // The panels are built the first time they are asked for; what they hold is kept in
    // panels() from the start.
    StickPanel& stickPanel() { return panels_->stick(); }
    ThrottlePanel& throttlePanel() { return panels_->throttle(); }
    AxisPanel& axisPanel() { return panels_->axis(); }
    AssignmentPanels& panels() { return *panels_; }
    // The profile's default delays; their dialog is built the first time it is asked for.
    DefaultDelays& defaultDelays() { return delays_; }
    SetDefaultDelaysDialog& delaysDialog();
    // Puts the stored delays into the dialog's boxes, if it has been built.
    void showDelayValues();

    // The script list in its on-screen order.
    std::vector<std::string> listedScriptNames() const;
    // Scripts, modes, the delays from the delays dialog and the chains from the axis panel.
    Profile profileSnapshot() const;

    QMenuBar* menuBar() const { return ui_.menuBar; }

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
    void connectControls();
    void fixWindowSize();
    void addSystemMenuEntry();
    void refreshTitle();

    // Mode commands.
    void onModeNameEdited();
    void trimModeNameBox();
    void onCreateModeClicked();
    void onRenameModeClicked();
    void onDuplicateModeClicked();
    void onSetDefaultClicked();
    void onDeleteModeClicked();

    // Selections made by the window itself, which do not run the selection handlers.
    void selectRow(QListView* list, int row);
    template <typename Change> void withoutSelectionHandlers(Change change);

    void showPanel(QDialog& panel);
    void showAbout();

    // The profile held by the window itself.
    ScriptListEditor scripts_;
    ModeListEditor modes_;
    int activeModeIndex_ = -1;
    std::string profilePath_;
    std::string profileFileName_;
    bool profileSaved_ = true;
    bool changingSelection_ = false;

    EditorControls ui_;
    ScriptListBinding* scriptBinding_ = nullptr;
    NameListModel* modeModel_ = nullptr;
    std::unique_ptr<AssignmentPanels> panels_;
    DefaultDelays delays_;
    SetDefaultDelaysDialog* delaysDialog_ = nullptr;
};

} // namespace vantrel
