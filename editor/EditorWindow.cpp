#include "editor/EditorWindow.h"

#include "editor/AboutBox.h"
#include "editor/MenuCommands.h"
#include "editor/NameListModel.h"
#include "editor/ScriptListBinding.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "editor/WindowTitle.h"
#include "files/EditedProfileFile.h"
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
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

} // namespace

EditorWindow::EditorWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("editorWindow");
    setWindowTitle("Vantrel Generator");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());

    ui_ = EditorControls::build(*this);
    scriptBinding_ = new ScriptListBinding(ui_, document_, *this);
    scriptBinding_->scriptSelected = [this](const std::string& name) {
        panels_->setSelectedScript(name);
    };
    modeModel_ = new NameListModel([this] { return document_.modes().modes().size(); },
                                   [this](std::size_t row) -> const std::string& {
                                       return document_.modes().nameAt(int(row));
                                   },
                                   this);
    document_.setModeListObserver(modeModel_);
    document_.addObserver(this);
    ui_.modeList->setModel(modeModel_);
    connectControls();
    addSystemMenuEntry();

    panels_ = std::make_unique<AssignmentPanels>(*this, document_);

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
    document_.setScriptListObserver(nullptr);
    document_.setModeListObserver(nullptr);
    document_.removeObserver(this);
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
    document_.setPath(fullPath, platform::fileNameOf(fullPath));
}

void EditorWindow::refreshTitle() {
    setWindowTitle(editorWindowTitle(document_.fileName()));
    setWindowModified(!profileSaved());
}

std::vector<std::string> EditorWindow::listedScriptNames() const {
    return document_.listedScriptNames();
}

SetDefaultDelaysDialog& EditorWindow::delaysDialog() {
    if (!delaysDialog_) {
        delaysDialog_ = new SetDefaultDelaysDialog(delays_, this);
        delaysDialog_->valuesTaken = [this] { document_.setDelays(delays_); };
    }
    return *delaysDialog_;
}

void EditorWindow::showDelayValues() {
    delays_ = document_.delays();
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
    panel.showNormal();
    panel.raise();
    panel.activateWindow();
}

// ---- whole profile -----------------------------------------------------------------------

void EditorWindow::resetProfile() {
    withoutSelectionHandlers([this] { document_.load(Profile{}); });
    scriptBinding_->showNewList();
    emptyBoxes();
    switchMode();
}

void EditorWindow::emptyBoxes() {
    for (platform::ByteLineEdit* box : {ui_.scriptBox, ui_.statusBox, ui_.modeNameBox})
        box->setBytes({});
}

void EditorWindow::newProfile() {
    resetProfile();
    withoutSelectionHandlers([this] { document_.newProfile(); });
    selectRow(ui_.modeList, document_.activeMode());
    ui_.modeNameBox->setBytes(std::string(kDefaultModeName));
}

bool EditorWindow::openProfile(const std::string& path, DiagnosticSink& diagnostics) {
    bool read = false;
    withoutSelectionHandlers([&] {
        read = openProfileFile(document_, path, diagnostics, static_cast<const QWidget*>(this));
    });
    if (read)
        showLoadedProfile();
    return read;
}

bool EditorWindow::saveProfile(DiagnosticSink& diagnostics) {
    switchMode();
    if (!saveProfileFile(document_, diagnostics, static_cast<const QWidget*>(this)))
        return false;
    setStatusText(kProfileSavedText);
    return true;
}

void EditorWindow::showLoadedProfile() {
    emptyBoxes();
    // No mode is active yet: the panels are emptied before the last mode read is shown.
    switchMode();
    setStatusText(kProfileLoadedText);
    // The last mode read is the one selected, found by its name.
    const auto& modes = document_.modes();
    if (modes.size() > 0) {
        const std::string& last = modes.modes().back().name();
        selectRow(ui_.modeList, modes.findRow(last));
        ui_.modeNameBox->setBytes(last);
    }
    scriptBinding_->showNewList();
    showSelectedMode();
    panels_->refreshChainSelection();
    refreshTitle();
}

// ---- the document and its history --------------------------------------------------------

void EditorWindow::profileChanged(const ProfileChange& change) {
    if (change.part == ProfileChange::Part::Whole) {
        showDelayValues();
    } else if (change.part == ProfileChange::Part::History) {
        refreshTitle();
        Q_EMIT historyChanged();
    } else if (replaying_ && change.part == ProfileChange::Part::Scripts) {
        replayedScript_ = change.scriptName;
    } else if (replaying_ && change.part == ProfileChange::Part::Delays) {
        showDelayValues();
    }
}

void EditorWindow::undo() {
    if (!document_.canUndo())
        return;
    replaying_ = true;
    EditResult result;
    withoutSelectionHandlers([this, &result] { result = document_.undo(); });
    showReplayedChange(result);
}

void EditorWindow::redo() {
    if (!document_.canRedo())
        return;
    replaying_ = true;
    EditResult result;
    withoutSelectionHandlers([this, &result] { result = document_.redo(); });
    showReplayedChange(result);
}

void EditorWindow::showReplayedChange(const EditResult& result) {
    replaying_ = false;
    const int active = document_.activeMode();
    selectRow(ui_.modeList, active);
    if (const ProgrammingMode* mode = document_.activeModeValues())
        ui_.modeNameBox->setBytes(mode->name());
    showSelectedMode();
    if (!replayedScript_.empty())
        scriptBinding_->showScript(replayedScript_);
    replayedScript_.clear();
    setStatusText(result.status);
}

// ---- selections --------------------------------------------------------------------------

int EditorWindow::selectedRow(const QListView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
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

void EditorWindow::refreshScriptButtons() {
    scriptBinding_->refreshScriptButtons();
}

void EditorWindow::showSelectedScript() {
    scriptBinding_->showSelectedScript();
}

} // namespace vantrel
