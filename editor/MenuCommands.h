#pragma once

#include "platform/MessageBox.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace vantrel {

class ControlsWindow;
class EditorWindow;

// The editor window's File, Edit, Profile and Help menus and what each command does. Installs the
// window's close guard, so the close box and Exit offer to save unsaved changes.
class MenuCommands : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kHomePage = VANTREL_HOMEPAGE; // set when configuring
    static constexpr const char* kReadmePath = "docs/readme.html";

    explicit MenuCommands(EditorWindow& window);
    ~MenuCommands() override;
    // The window's menu commands, created on first use; the window owns them.
    static MenuCommands& install(EditorWindow& window);

    void newProfile();
    void openProfile();
    void saveProfile();
    void saveProfileAs();
    void exit();
    void undo();
    void redo();
    void showDelays();
    void translate();
    // Checks the profile as it would be saved (without saving it) and lists the problems.
    void checkProfile();
    void queryHotas();
    // The Controls window, made on first use and kept while the editor lives.
    void showControls();
    void openReadme();
    void openHomePage();
    void showAbout();

    // Asks "Do you want to save changes made to this profile?" when there are unsaved
    // changes. True when the command may go on: no changes, No, or Yes with a save that
    // succeeded.
    bool confirmDiscardOrSave(const QString& title);

private:
    QMenu* addMenu(const QString& title, const char* objectName);
    // The text marks its mnemonic with '&'; the shortcut may be empty.
    QAction* addCommand(QMenu* menu, const QString& text, const char* objectName,
                        void (MenuCommands::*command)(), const QKeySequence& shortcut = {});
    platform::WindowHandle owner() const;
    // Names Undo and Redo after the commands they would take, enabled only when there is one.
    void refreshUndoActions();

    EditorWindow& window_;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    // Goes with these commands, as its profile source is their document. The window's
    // other children go after these commands, so it is deleted here.
    ControlsWindow* controls_ = nullptr;
};

} // namespace vantrel
