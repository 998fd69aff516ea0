#include "editor/MenuCommands.h"

#include "controls/ControlsWindow.h"
#include "device/DeviceProgrammer.h"
#include "editor/AboutBox.h"
#include "editor/CheckReportDialog.h"
#include "editor/EditorWindow.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "files/DeviceFileWriter.h"
#include "files/ProfileCheck.h"
#include "files/ProfileTextWriter.h"
#include "files/ProfileTranslator.h"
#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "platform/DiagnosticPresenter.h"
#include "platform/MessageBox.h"
#include "platform/qt/ByteText.h"
#include "platform/qt/Desktop.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>

namespace vantrel {
namespace {

constexpr const char* kSaveChangesText = "Do you want to save changes made to this profile?";
constexpr const char* kTranslateQuestion = "This action requires that the current profile be "
                                           "saved.  Do you want to save the current profile?";
constexpr const char* kTranslatedStatus = ".bpf Translation completed";

// The text as it reads, without the '&' that marks the mnemonic letter.
QString withoutMnemonic(QString text) {
    return text.remove('&');
}

QStringList profileFilters() {
    return {"Vantrel Files (*.vtp)", "All Files (*.*)"};
}

} // namespace

MenuCommands::MenuCommands(EditorWindow& window) : QObject(&window), window_(window) {
    // Mnemonics are chosen so that the menu bar's letters (F, I, O, H) meet none of the
    // window's buttons (A, U, C, D, R, P, E).
    QMenu* file = addMenu("&File", "fileMenu");
    addCommand(file, "&New", "fileNewAction", &MenuCommands::newProfile, Qt::CTRL | Qt::Key_N);
    addCommand(file, "&Open...", "fileOpenAction", &MenuCommands::openProfile,
               Qt::CTRL | Qt::Key_O);
    addCommand(file, "&Save", "fileSaveAction", &MenuCommands::saveProfile, Qt::CTRL | Qt::Key_S);
    addCommand(file, "Save &As...", "fileSaveAsAction", &MenuCommands::saveProfileAs,
               Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    file->addSeparator();
    addCommand(file, "E&xit", "fileExitAction", &MenuCommands::exit, Qt::CTRL | Qt::Key_Q);

    QMenu* edit = addMenu("Ed&it", "editMenu");
    undoAction_ =
        addCommand(edit, "&Undo", "editUndoAction", &MenuCommands::undo, Qt::CTRL | Qt::Key_Z);
    redoAction_ = addCommand(edit, "&Redo", "editRedoAction", &MenuCommands::redo);
    redoAction_->setShortcuts({Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y});
    connect(&window_, &EditorWindow::historyChanged, this, &MenuCommands::refreshUndoActions);
    refreshUndoActions();

    QMenu* profile = addMenu("Pr&ofile", "profileMenu");
    addCommand(profile, "Set Default &Delays", "profileDelaysAction", &MenuCommands::showDelays);
    addCommand(profile, "&Translate to .bpf File", "profileTranslateAction",
               &MenuCommands::translate);
    addCommand(profile, "&Check Profile", "profileCheckAction", &MenuCommands::checkProfile);
    addCommand(profile, "&Query HOTAS", "profileQueryAction", &MenuCommands::queryHotas);
    addCommand(profile, "Co&ntrols...", "profileControlsAction", &MenuCommands::showControls,
               Qt::CTRL | Qt::Key_K);

    QMenu* help = addMenu("&Help", "helpMenu");
    addCommand(help, "&Readme...", "helpReadmeAction", &MenuCommands::openReadme, Qt::Key_F1);
    addCommand(help, "Home&page...", "helpHomepageAction", &MenuCommands::openHomePage);
    help->addSeparator();
    addCommand(help, "&About...", "helpAboutAction", &MenuCommands::showAbout);

    window_.closeGuard = [this] { return confirmDiscardOrSave("Exit"); };
}

MenuCommands& MenuCommands::install(EditorWindow& window) {
    if (auto* existing = window.findChild<MenuCommands*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new MenuCommands(window);
}

QMenu* MenuCommands::addMenu(const QString& title, const char* objectName) {
    QMenu* menu = window_.menuBar()->addMenu(title);
    menu->setObjectName(objectName);
    menu->setAccessibleName(withoutMnemonic(title) + " menu");
    return menu;
}

QAction* MenuCommands::addCommand(QMenu* menu, const QString& text, const char* objectName,
                                  void (MenuCommands::*command)(), const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setObjectName(objectName);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, command);
    return action;
}

platform::WindowHandle MenuCommands::owner() const {
    return static_cast<const QWidget*>(&window_);
}

bool MenuCommands::confirmDiscardOrSave(const QString& title) {
    if (window_.profileSaved())
        return true;
    switch (platform::showMessage(kSaveChangesText, title.toStdString(),
                                  platform::MessageButtons::YesNoCancel, owner())) {
    case platform::MessageAnswer::Yes:
        saveProfile();
        return window_.profileSaved();
    case platform::MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void MenuCommands::newProfile() {
    if (confirmDiscardOrSave("New Profile"))
        window_.newProfile();
    window_.switchMode();
}

void MenuCommands::openProfile() {
    if (!confirmDiscardOrSave("Open Profile"))
        return;
    const QString path = platform::desktop().openFileName(
        &window_, {"Load Vantrel File", profileFilters(), QString(), false});
    if (path.isEmpty())
        return;
    // The profile read counts as saved once it is in; one that cannot be read stays as it was.
    platform::PresentingDiagnosticSink diagnostics;
    window_.openProfile(QDir::toNativeSeparators(path).toStdString(), diagnostics);
}

void MenuCommands::saveProfile() {
    if (!window_.profileFileName().empty()) {
        platform::PresentingDiagnosticSink diagnostics;
        window_.saveProfile(diagnostics);
    } else
        saveProfileAs();
}

void MenuCommands::saveProfileAs() {
    const QString path = platform::desktop().saveFileName(
        &window_, {"Save Vantrel File As...", profileFilters(), "vtp", true});
    if (path.isEmpty())
        return;
    window_.setProfilePath(QDir::toNativeSeparators(path).toStdString());
    platform::PresentingDiagnosticSink diagnostics;
    window_.saveProfile(diagnostics);
}

void MenuCommands::exit() {
    window_.reject();
}

void MenuCommands::undo() {
    window_.undo();
}

void MenuCommands::redo() {
    window_.redo();
}

void MenuCommands::refreshUndoActions() {
    const EditedProfile& document = window_.document();
    const auto name = [](const char* verb, const std::string& command) {
        // A script's or mode's '&' is shown, not taken for a mnemonic.
        QString text = QString::fromUtf8(verb);
        if (!command.empty())
            text += ' ' + platform::displayText(command).replace('&', "&&");
        return text;
    };
    undoAction_->setText(name("&Undo", document.undoText()));
    undoAction_->setEnabled(document.canUndo());
    redoAction_->setText(name("&Redo", document.redoText()));
    redoAction_->setEnabled(document.canRedo());
}

void MenuCommands::showDelays() {
    // The boxes keep what was typed before the dialog was last hidden; only New, Open and
    // Close put the stored values into them.
    SetDefaultDelaysDialog& dialog = window_.delaysDialog();
    dialog.showNormal();
    dialog.raise();
    dialog.activateWindow();
}

void MenuCommands::checkProfile() {
    window_.switchMode();
    const EditedProfile& document = window_.document();
    const std::string text =
        composeProfileText(document.profile(), document.listedScriptNames(), document.fileName());
    auto* dialog = new CheckReportDialog(window_, checkProfileText(text));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

void MenuCommands::translate() {
    if (!window_.profileSaved() &&
        platform::showMessage(kTranslateQuestion, "Translate Profile to .bpf",
                              platform::MessageButtons::YesNo,
                              owner()) == platform::MessageAnswer::Yes)
        saveProfile();
    {
        // A box per problem while the pass runs, as each is found.
        platform::PresentingDiagnosticSink diagnostics;
        ProfileTranslator translator(window_.profilePath(), diagnostics);
        translator.writeDeviceFile();
    }
    window_.setStatusText(kTranslatedStatus);
}

void MenuCommands::queryHotas() {
    platform::PresentingDiagnosticSink diagnostics;
    programDevice(deviceFilePathFor(window_.profilePath()), diagnostics);
}

MenuCommands::~MenuCommands() {
    delete controls_;
}

void MenuCommands::showControls() {
    if (!controls_) {
        controls_ = new ControlsWindow(
            &window_,
            [this] {
                window_.switchMode();
                const EditedProfile& document = window_.document();
                return OpenProfile{window_.profilePath(),
                                   composeProfileText(document.profile(),
                                                      document.listedScriptNames(),
                                                      document.fileName())};
            },
            ControlsWindow::defaultMonitorPath(), ControlsWindow::defaultProgramPath());
        controls_->setSlotShower([this](SlotGroup group, const QString& boxName) {
            // Opened as the window's own button opens it, with all that goes with that.
            const char* opener = group == SlotGroup::Stick      ? "joystickButton"
                                 : group == SlotGroup::Throttle ? "throttleButton"
                                                                : "axisButton";
            if (auto* button = window_.findChild<QPushButton*>(opener))
                button->click();
            QDialog& panel = group == SlotGroup::Stick ? static_cast<QDialog&>(window_.stickPanel())
                             : group == SlotGroup::Throttle
                                 ? static_cast<QDialog&>(window_.throttlePanel())
                                 : static_cast<QDialog&>(window_.axisPanel());
            if (auto* box = panel.findChild<QWidget*>(boxName))
                box->setFocus();
            // The pilot goes on trying controls in the Controls window.
            controls_->activateWindow();
        });
    }
    controls_->show();
    controls_->raise();
    controls_->activateWindow();
}

void MenuCommands::openReadme() {
    QFileInfo readme(QDir::current().filePath(kReadmePath));
    // Else beside the executable (a build folder), else where the install layout puts it.
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const char* fromProgram : {kReadmePath, VANTREL_README_FROM_EDITOR}) {
        const QFileInfo installed(programDir.filePath(fromProgram));
        if (!readme.exists() && installed.exists())
            readme = installed;
    }
    platform::desktop().openUrl(QUrl::fromLocalFile(readme.absoluteFilePath()));
}

void MenuCommands::openHomePage() {
    platform::desktop().openUrl(QUrl(kHomePage));
}

void MenuCommands::showAbout() {
    AboutBox box(&window_);
    platform::desktop().runModal(box);
}

} // namespace vantrel
