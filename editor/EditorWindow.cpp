#include "editor/EditorWindow.h"

#include "editor/AboutBox.h"
#include "editor/MenuCommands.h"
#include "editor/NameListModel.h"
#include "editor/ScriptListBinding.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "editor/WindowTitle.h"
#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "platform/PathText.h"
#include "platform/qt/ByteText.h"
#include "platform/qt/Desktop.h"
#include "platform/qt/ScreenPlacement.h"
#include "profile/Profile.h"
#include "widgets/DialogUnits.h"
#include "widgets/PictureLabel.h"
#include "widgets/RenameDialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace vantrel {
namespace {

// The window's size in dialog units.
constexpr int kWidthUnits = 267;
constexpr int kHeightUnits = 281;
#ifdef Q_OS_WIN
// The system-menu command of "&About Vantrel..."; system commands keep their low four bits
// clear and stay below the platform's own (0xF000 and up).
constexpr UINT kAboutCommand = 0x0010;
#endif

int selectedRow(const QListView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace

EditorWindow::EditorWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("editorWindow");
    setWindowTitle("Vantrel Generator");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());

    ui_ = EditorControls::build(*this);
    scriptBinding_ = new ScriptListBinding(ui_, scripts_, *this);
    scriptBinding_->scriptSelected = [this](const std::string& name) {
        panels_->setSelectedScript(name);
    };
    scriptBinding_->edited = [this] { setProfileSaved(false); };
    modeModel_ = new NameListModel(
        [this] { return modes_.modes().size(); },
        [this](std::size_t row) -> const std::string& { return modes_.modes()[row].name(); }, this);
    modes_.setObserver(modeModel_);
    ui_.modeList->setModel(modeModel_);
    connectControls();
    addSystemMenuEntry();

    panels_ = std::make_unique<AssignmentPanels>(*this);

    setProfileSaved(true);
    newProfile();
    switchMode();
    MenuCommands::install(*this);
    fixWindowSize();
    platform::keepOnScreenWhenShown(*this);
}

void EditorWindow::fixWindowSize() {
    // A fixed size from the dialog units (the menu bar above them), grown where the font
    // needs more room so that nothing is clipped.
    const QSize units = dialogUnitsToPixels(*this, kWidthUnits, kHeightUnits) +
                        QSize(0, ui_.menuBar->sizeHint().height());
    setFixedSize(units.expandedTo(layout()->totalMinimumSize()));
}

EditorWindow::~EditorWindow() {
    // The models read the list editors, which are gone before the window's children: the
    // lists let go of them first, without running any selection handler.
    for (QListView* list : {ui_.scriptList, ui_.modeList}) {
        list->selectionModel()->disconnect();
        list->setModel(nullptr);
    }
    scripts_.setObserver(nullptr);
    modes_.setObserver(nullptr);
}

void EditorWindow::connectControls() {
    ui_.modeNameBox->installEventFilter(this);
    connect(ui_.modeNameBox, &QLineEdit::textEdited, this, &EditorWindow::onModeNameEdited);
    connect(ui_.modeList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!changingSelection_)
            switchMode();
    });
    connect(ui_.modeCreateButton, &QPushButton::clicked, this, &EditorWindow::onCreateModeClicked);
    connect(ui_.modeRenameButton, &QPushButton::clicked, this, &EditorWindow::onRenameModeClicked);
    connect(ui_.modeDuplicateButton, &QPushButton::clicked, this,
            &EditorWindow::onDuplicateModeClicked);
    connect(ui_.modeSetDefaultButton, &QPushButton::clicked, this,
            &EditorWindow::onSetDefaultClicked);
    connect(ui_.modeDeleteButton, &QPushButton::clicked, this, &EditorWindow::onDeleteModeClicked);

    connect(ui_.joystickButton, &QPushButton::clicked, this, [this] { showPanel(stickPanel()); });
    connect(ui_.throttleButton, &QPushButton::clicked, this,
            [this] { showPanel(throttlePanel()); });
    connect(ui_.axisButton, &QPushButton::clicked, this, [this] { showPanel(axisPanel()); });
}

void EditorWindow::addSystemMenuEntry() {
#ifdef Q_OS_WIN
    // The window manager owns the system menu everywhere else; Help > About serves there.
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (menu) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kAboutCommand, L"&About Vantrel...");
    }
#endif
}

#ifdef Q_OS_WIN
bool EditorWindow::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kAboutCommand) {
        showAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

void EditorWindow::showAbout() {
    AboutBox box(this);
    platform::desktop().runModal(box);
}

// ---- boxes and profile state -------------------------------------------------------------

std::string EditorWindow::statusText() const {
    return ui_.statusBox->bytes();
}

void EditorWindow::setStatusText(const std::string& value) {
    ui_.statusBox->setBytes(value);
}

void EditorWindow::setProfilePath(const std::string& fullPath) {
    profilePath_ = fullPath;
    profileFileName_ = platform::fileNameOf(fullPath);
    refreshTitle();
}

void EditorWindow::setProfileSaved(bool saved) {
    profileSaved_ = saved;
    refreshTitle();
}

void EditorWindow::refreshTitle() {
    setWindowTitle(editorWindowTitle(profileFileName_, profileSaved_));
}

std::vector<std::string> EditorWindow::listedScriptNames() const {
    return scripts_.names().names();
}

Profile EditorWindow::profileSnapshot() const {
    Profile profile;
    profile.scripts = scripts_.lines();
    profile.modes = modes_.modes();
    profile.pressDelay = delays_.press;
    profile.releaseDelay = delays_.release;
    profile.chains = panels_->chains();
    return profile;
}

SetDefaultDelaysDialog& EditorWindow::delaysDialog() {
    if (!delaysDialog_)
        delaysDialog_ = new SetDefaultDelaysDialog(delays_, this);
    return *delaysDialog_;
}

void EditorWindow::showDelayValues() {
    if (delaysDialog_)
        delaysDialog_->showValues();
}

// ---- window behaviour --------------------------------------------------------------------

void EditorWindow::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape would end the dialog; the main window ends only through its menu or
    // its close box.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void EditorWindow::reject() {
    if (!closeGuard || closeGuard())
        QDialog::reject();
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_.modeNameBox && event->type() == QEvent::FocusOut) {
        trimModeNameBox();
    }
    return QDialog::eventFilter(watched, event);
}

void EditorWindow::showPanel(QDialog& panel) {
    setProfileSaved(false);
    panel.showNormal();
    panel.raise();
    panel.activateWindow();
}

// ---- whole profile -----------------------------------------------------------------------

void EditorWindow::resetProfile() {
    clearScripts();
    withoutSelectionHandlers([this] { modes_.clear(); });
    for (platform::ByteLineEdit* box : {ui_.scriptBox, ui_.statusBox, ui_.modeNameBox})
        box->setBytes({});
    panels_->resetChains();
    delays_ = DefaultDelays{};
    showDelayValues();
    activeModeIndex_ = -1;
    switchMode();
    setProfileSaved(true);
}

void EditorWindow::newProfile() {
    resetProfile();
    setProfilePath({});
    addMode(std::string(kDefaultModeName));
    scripts_.add(std::string(kNullScriptName));
}

// ---- selections --------------------------------------------------------------------------

template <typename Change> void EditorWindow::withoutSelectionHandlers(Change change) {
    changingSelection_ = true;
    change();
    changingSelection_ = false;
}

void EditorWindow::selectRow(QListView* list, int row) {
    withoutSelectionHandlers([list, row] {
        QItemSelectionModel* selection = list->selectionModel();
        if (row < 0 || row >= list->model()->rowCount()) {
            selection->clearSelection();
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        } else {
            const QModelIndex index = list->model()->index(row, 0);
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            list->scrollTo(index);
        }
    });
}

// ---- script list -------------------------------------------------------------------------

void EditorWindow::addScript(const std::string& line) {
    scriptBinding_->addScript(line);
}

void EditorWindow::beginLoadingScripts() {
    scriptBinding_->beginLoading();
}

void EditorWindow::addLoadedScript(const std::string& line) {
    scriptBinding_->addLoadedScript(line);
}

void EditorWindow::endLoadingScripts() {
    scriptBinding_->endLoading();
}

std::string EditorWindow::clearScripts() {
    return scriptBinding_->clearScripts();
}

void EditorWindow::refreshScriptButtons() {
    scriptBinding_->refreshScriptButtons();
}

void EditorWindow::showSelectedScript() {
    scriptBinding_->showSelectedScript();
}

// ---- programming modes -------------------------------------------------------------------

void EditorWindow::switchMode() {
    if (modes_.holds(activeModeIndex_)) {
        panels_->collectInto(modes_.modes()[static_cast<std::size_t>(activeModeIndex_)]);
    }
    int selected = selectedRow(ui_.modeList);
    if (!modes_.holds(selected))
        selected = -1;
    const bool modeSelected = selected >= 0;
    ui_.modeCreateButton->setEnabled(!modeSelected);
    for (QPushButton* button :
         {ui_.modeRenameButton, ui_.modeDuplicateButton, ui_.modeSetDefaultButton,
          ui_.modeDeleteButton, ui_.joystickButton, ui_.throttleButton, ui_.axisButton})
        button->setEnabled(modeSelected);
    if (modeSelected) {
        const ProgrammingMode& mode = modes_.modes()[static_cast<std::size_t>(selected)];
        panels_->showMode(mode);
        ui_.modeNameBox->setBytes(mode.name());
    } else {
        panels_->clearAssignments();
    }
    activeModeIndex_ = selected;
}

void EditorWindow::addMode(const std::string& name) {
    modes_.add(name);
    selectRow(ui_.modeList, modes_.findRow(name));
    ui_.modeNameBox->setBytes(name);
}

void EditorWindow::onModeNameEdited() {
    const std::string name(trimLeadingFileSpace(ui_.modeNameBox->bytes()));
    selectRow(ui_.modeList, modes_.findRow(name));
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
    setProfileSaved(false);
    addMode(name);
    switchMode();
}

void EditorWindow::onRenameModeClicked() {
    setProfileSaved(false);
    const int row = selectedRow(ui_.modeList);
    if (!modes_.holds(row))
        return;
    askForNewName(this, modes_.nameAt(row), [this, row](const std::string& newName) {
        // Nothing is left of a name made only of cut characters: no mode goes nameless.
        if (newName.empty())
            return true;
        const EditResult result = modes_.rename(row, newName);
        setStatusText(result.status);
        if (result.done)
            ui_.modeNameBox->setBytes(newName);
        return result.done;
    });
    onModeNameEdited();
}

void EditorWindow::onDuplicateModeClicked() {
    setProfileSaved(false);
    const int row = selectedRow(ui_.modeList);
    if (!modes_.holds(row))
        return;
    EditResult result;
    withoutSelectionHandlers([this, row, &result] { result = modes_.duplicate(row); });
    if (result.done)
        switchMode();
    setStatusText(result.status);
}

void EditorWindow::onSetDefaultClicked() {
    const int selected = selectedRow(ui_.modeList);
    if (!modes_.holds(selected))
        return;
    const EditResult result = modes_.setDefault(selected);
    ui_.modeNameBox->setBytes(std::string(kDefaultModeName));
    selectRow(ui_.modeList, selected);
    setStatusText(result.status);
    switchMode();
}

void EditorWindow::onDeleteModeClicked() {
    setProfileSaved(false);
    const int row = selectedRow(ui_.modeList);
    EditResult result;
    withoutSelectionHandlers([this, row, &result] { result = modes_.remove(row); });
    if (result.done) {
        selectRow(ui_.modeList, row - 1);
        activeModeIndex_ = -1;
        setStatusText(result.status);
    }
    switchMode();
}

} // namespace vantrel
