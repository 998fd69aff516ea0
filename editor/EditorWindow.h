#pragma once

#include "editor/AssignmentPanels.h"
#include "editor/EditorControls.h"
#include "profile/DefaultDelays.h"
#include "profile/EditedProfile.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vantrel {

class DiagnosticSink;

class AxisPanel;
class NameListModel;
class ScriptListBinding;
class SetDefaultDelaysDialog;
class StickPanel;
class ThrottlePanel;

// The program's main window, "Vantrel Generator": the script list with its commands, the
// programming modes, and the three assignment panels that edit the active mode. The profile
// and its rules live in the document; the window binds it to its controls and follows it.
class EditorWindow : public QDialog, private ProfileObserver {
    Q_OBJECT
public:
    explicit EditorWindow(QWidget* parent = nullptr);
    ~EditorWindow() override;

    // The profile being edited, its history and its file.
    EditedProfile& document() { return document_; }

    // Script list.
    void addScript(const std::string& line);
    void refreshScriptButtons();
    void showSelectedScript();

    // Programming modes: makes the selected mode active and shows it in the panels, which
    // drop whatever was typed into them and not yet taken.
    void switchMode();
    // Create Mode for that name: the new mode becomes selected and active.
    void addMode(const std::string& name);

    // The whole profile.
    void resetProfile();
    void newProfile();
    // File > Open: reads the file into the document, which then equals it; a file that cannot
    // be read is reported and leaves the profile as it was (its path taken all the same).
    bool openProfile(const std::string& path, DiagnosticSink& diagnostics);
    // File > Save: the panels show the active mode again, then the profile goes to its path.
    bool saveProfile(DiagnosticSink& diagnostics);

    const std::vector<Script>& scripts() const { return document_.scripts().lines(); }
    const std::vector<ProgrammingMode>& modes() const { return document_.modes().modes(); }
    int activeModeIndex() const { return document_.activeMode(); }

    const std::string& profilePath() const { return document_.path(); }
    const std::string& profileFileName() const { return document_.fileName(); }
    // Sets the full path and its file-name part; an empty path clears both.
    void setProfilePath(const std::string& fullPath);
    // Whether the profile equals its file; the title's modified mark follows it.
    bool profileSaved() const { return !document_.isModified(); }

    // Edit > Undo and Redo: the panels then show the active mode as the command left it; the
    // status line says what was taken back or done again.
    void undo();
    void redo();

    std::string statusText() const;
    void setStatusText(const std::string& text);

    // The panels are built the first time they are asked for and show the document then.
    StickPanel& stickPanel() { return panels_->stick(); }
    ThrottlePanel& throttlePanel() { return panels_->throttle(); }
    AxisPanel& axisPanel() { return panels_->axis(); }
    // The dialog is built the first time it is asked for; Close takes its values as the
    // document's Set Default Delays command.
    SetDefaultDelaysDialog& delaysDialog();

    // The script list in its on-screen order.
    std::vector<std::string> listedScriptNames() const;

    QMenuBar* menuBar() const { return ui_.menuBar; }

signals:
    // The history changed: what Undo and Redo would take, or its clean place.
    void historyChanged();

public:
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
    void profileChanged(const ProfileChange& change) override;
    // After a profile was read into the document: the boxes emptied as for a new profile,
    // then the last mode read selected and the chains shown.
    void showLoadedProfile();
    void emptyBoxes();
    // The document's delays go into the dialog's fields and, once it is built, its boxes.
    void showDelayValues();
    // Shows the place an undo or redo changed: the mode list's selection, the mode name, the
    // panels and the script the command concerned.
    void showReplayedChange(const EditResult& result);
    void showSelectedMode();
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
    static int selectedRow(const QListView* list);
    template <typename Change> void withoutSelectionHandlers(Change change) {
        changingSelection_ = true;
        change();
        changingSelection_ = false;
    }

    void showPanel(QDialog& panel);
    void showAbout();

    EditedProfile document_;
    bool changingSelection_ = false;
    // While an undo or redo runs: the script its command concerned.
    bool replaying_ = false;
    std::string replayedScript_;

    EditorControls ui_;
    ScriptListBinding* scriptBinding_ = nullptr;
    NameListModel* modeModel_ = nullptr;
    std::unique_ptr<AssignmentPanels> panels_;
    // The delays dialog's fields: what its boxes last showed or took.
    DefaultDelays delays_;
    SetDefaultDelaysDialog* delaysDialog_ = nullptr;
};

} // namespace vantrel
