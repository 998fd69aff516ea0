#include "editor/EditorWindow.h"

#include "editor/AboutBox.h"
#include "editor/DialogUnits.h"
#include "editor/MenuCommands.h"
#include "editor/RenameDialog.h"
#include "editor/ScriptListModel.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "panels/AxisPanel.h"
#include "panels/PictureLabel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "platform/MessageBox.h"
#include "platform/PathText.h"
#include "platform/qt/Desktop.h"
#include "profile/Profile.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

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

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

void setTextIfChanged(QLineEdit* box, const std::string& value) {
    const QString wanted = QString::fromStdString(value);
    if (box->text() != wanted)
        box->setText(wanted);
}

QPushButton* makeButton(QWidget* parent, const char* label, const char* objectName,
                        const char* accessibleName, bool enabled) {
    auto* button = new QPushButton(QString::fromUtf8(label), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAccessibleName(QString::fromUtf8(accessibleName));
    button->setEnabled(enabled);
    return button;
}

bool isNullScript(std::string_view name) {
    return namesEqualIgnoringCase(name, kNullScriptName);
}

// The mode Duplicate's base: the name cut before its first "(", trailing blanks removed.
std::string duplicateBase(const std::string& name) {
    std::string_view base(name);
    base = base.substr(0, std::min(base.find('('), base.size()));
    while (!base.empty() && isFileSpace(base.back()))
        base.remove_suffix(1);
    return std::string(base);
}

} // namespace

EditorWindow::EditorWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("editorWindow");
    setWindowTitle("Vantrel Generator");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/vantrel-icon.svg")));
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    courier.setPointSize(9);
    if (!QFontInfo(courier).fixedPitch()) {
        courier = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        courier.setPointSize(9);
    }
    setFont(courier);

    buildControls();
    addSystemMenuEntry();

    stickPanel_ = new StickPanel(this);
    throttlePanel_ = new ThrottlePanel(this);
    axisPanel_ = new AxisPanel(this);
    delaysDialog_ = new SetDefaultDelaysDialog(this);

    profileSaved_ = true;
    newProfile();
    writeBoxes();
    switchMode();
    MenuCommands::install(*this);
    fixWindowSize();
}

void EditorWindow::fixWindowSize() {
    // A fixed size from the dialog units (the menu bar above them), grown where the font
    // needs more room so that nothing is clipped.
    const QSize units = dialogUnitsToPixels(*this, kWidthUnits, kHeightUnits) +
                        QSize(0, menuBar_->sizeHint().height());
    setFixedSize(units.expandedTo(layout()->totalMinimumSize()));
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::buildControls() {
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName("menuBar");
    menuBar_->setAccessibleName("Menu bar");

    auto* scriptLabel = new QLabel("SCRIPT:", this);
    scriptBox_ = new QLineEdit(this);
    scriptBox_->setObjectName("scriptBox");
    scriptBox_->setAccessibleName("Script");
    scriptLabel->setBuddy(scriptBox_);
    scriptUpdateButton_ = makeButton(this, "&Update", "scriptUpdateButton", "Update script", false);
    scriptAddButton_ = makeButton(this, "&Add", "scriptAddButton", "Add script", false);

    auto* scriptGroup = new QGroupBox("SCRIPT LIST:", this);
    scriptModel_ = new ScriptListModel(this);
    scriptList_ = new QListView(scriptGroup);
    scriptList_->setObjectName("scriptList");
    scriptList_->setAccessibleName("Script list");
    scriptList_->setModel(scriptModel_);
    scriptList_->setUniformItemSizes(true);
    scriptList_->setSelectionMode(QAbstractItemView::SingleSelection);
    scriptList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    scriptList_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scriptDuplicateButton_ =
        makeButton(scriptGroup, "D&uplicate", "scriptDuplicateButton", "Duplicate script", false);
    scriptClearAllButton_ =
        makeButton(scriptGroup, "&Clear All", "scriptClearAllButton", "Clear all scripts", true);
    scriptDeleteButton_ =
        makeButton(scriptGroup, "&Delete", "scriptDeleteButton", "Delete script", false);

    auto* modeGroup = new QGroupBox("PROGRAMMING MODES", this);
    modeNameBox_ = new QLineEdit(modeGroup);
    modeNameBox_->setObjectName("modeNameBox");
    modeNameBox_->setAccessibleName("Mode name");
    modeList_ = new QListWidget(modeGroup);
    modeList_->setObjectName("modeList");
    modeList_->setAccessibleName("Mode list");
    modeList_->setSelectionMode(QAbstractItemView::SingleSelection);
    modeList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    modeCreateButton_ =
        makeButton(modeGroup, "C&reate Mode", "modeCreateButton", "Create mode", true);
    modeRenameButton_ = makeButton(modeGroup, "&Rename", "modeRenameButton", "Rename mode", false);
    modeDuplicateButton_ =
        makeButton(modeGroup, "Du&plicate", "modeDuplicateButton", "Duplicate mode", false);
    modeSetDefaultButton_ = makeButton(modeGroup, "S&et as Default", "modeSetDefaultButton",
                                       "Set mode as default", false);
    modeDeleteButton_ = makeButton(modeGroup, "D&elete", "modeDeleteButton", "Delete mode", false);

    auto* panelGroup = new QGroupBox("ASSIGNMENT PANELS", this);
    joystickButton_ =
        makeButton(panelGroup, "Joystick", "joystickButton", "Show stick panel", false);
    throttleButton_ =
        makeButton(panelGroup, "Throttle", "throttleButton", "Show throttle panel", false);
    axisButton_ = makeButton(panelGroup, "Axis", "axisButton", "Show axis panel", false);

    QLabel* logo = makePictureLabel(this, QStringLiteral(":/logo.svg"), QSize(198, 55));
    logo->setObjectName("logoPicture");
    logo->setAccessibleName("Vantrel logo");

    auto* statusGroup = new QGroupBox("STATUS MESSAGE:", this);
    statusBox_ = new QLineEdit(statusGroup);
    statusBox_->setObjectName("statusBox");
    statusBox_->setAccessibleName("Status message");
    statusBox_->setReadOnly(true);

    // SCRIPT box across the top, Update and Add under its right end.
    auto* scriptRow = new QHBoxLayout;
    scriptRow->addWidget(scriptLabel);
    scriptRow->addWidget(scriptBox_, 1);
    auto* scriptButtons = new QHBoxLayout;
    scriptButtons->addStretch(1);
    scriptButtons->addWidget(scriptUpdateButton_);
    scriptButtons->addWidget(scriptAddButton_);

    auto* scriptListLayout = new QGridLayout(scriptGroup);
    scriptListLayout->addWidget(scriptList_, 0, 0, 1, 2);
    scriptListLayout->addWidget(scriptDuplicateButton_, 1, 0);
    scriptListLayout->addWidget(scriptClearAllButton_, 1, 1);
    scriptListLayout->addWidget(scriptDeleteButton_, 2, 0);

    auto* modeLeft = new QVBoxLayout;
    modeLeft->addWidget(modeNameBox_);
    modeLeft->addWidget(modeList_, 1);
    auto* modeButtons = new QVBoxLayout;
    for (QPushButton* button : {modeCreateButton_, modeRenameButton_, modeDuplicateButton_,
                                modeSetDefaultButton_, modeDeleteButton_})
        modeButtons->addWidget(button);
    modeButtons->addStretch(1);
    auto* modeLayout = new QHBoxLayout(modeGroup);
    modeLayout->addLayout(modeLeft, 1);
    modeLayout->addLayout(modeButtons);

    auto* panelLayout = new QHBoxLayout(panelGroup);
    panelLayout->addWidget(joystickButton_);
    panelLayout->addWidget(throttleButton_);
    panelLayout->addWidget(axisButton_);

    auto* right = new QVBoxLayout;
    right->addWidget(modeGroup, 1);
    right->addWidget(panelGroup);
    right->addWidget(logo, 0, Qt::AlignHCenter);

    auto* middle = new QHBoxLayout;
    middle->addWidget(scriptGroup, 1);
    middle->addLayout(right, 1);

    auto* statusLayout = new QVBoxLayout(statusGroup);
    statusLayout->addWidget(statusBox_);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar_);
    layout->addLayout(scriptRow);
    layout->addLayout(scriptButtons);
    layout->addLayout(middle, 1);
    layout->addWidget(statusGroup);

    connect(scriptBox_, &QLineEdit::textChanged, this, [this] { refreshScriptButtons(); });
    scriptBox_->installEventFilter(this);
    modeNameBox_->installEventFilter(this);
    connect(scriptAddButton_, &QPushButton::clicked, this, &EditorWindow::onAddClicked);
    connect(scriptUpdateButton_, &QPushButton::clicked, this, &EditorWindow::onUpdateClicked);
    connect(scriptDuplicateButton_, &QPushButton::clicked, this,
            &EditorWindow::onDuplicateScriptClicked);
    connect(scriptDeleteButton_, &QPushButton::clicked, this, &EditorWindow::onDeleteScriptClicked);
    connect(scriptClearAllButton_, &QPushButton::clicked, this, &EditorWindow::onClearAllClicked);
    connect(scriptList_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!changingSelection_)
            showSelectedScript();
    });

    connect(modeNameBox_, &QLineEdit::textEdited, this, &EditorWindow::onModeNameEdited);
    connect(modeList_, &QListWidget::itemSelectionChanged, this,
            &EditorWindow::onModeSelectionChanged);
    connect(modeCreateButton_, &QPushButton::clicked, this, &EditorWindow::onCreateModeClicked);
    connect(modeRenameButton_, &QPushButton::clicked, this, &EditorWindow::onRenameModeClicked);
    connect(modeDuplicateButton_, &QPushButton::clicked, this,
            &EditorWindow::onDuplicateModeClicked);
    connect(modeSetDefaultButton_, &QPushButton::clicked, this, &EditorWindow::onSetDefaultClicked);
    connect(modeDeleteButton_, &QPushButton::clicked, this, &EditorWindow::onDeleteModeClicked);

    connect(joystickButton_, &QPushButton::clicked, this, [this] { showPanel(*stickPanel_); });
    connect(throttleButton_, &QPushButton::clicked, this, [this] { showPanel(*throttlePanel_); });
    connect(axisButton_, &QPushButton::clicked, this, [this] { showPanel(*axisPanel_); });
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

// ---- boxes and fields --------------------------------------------------------------------

void EditorWindow::readBoxes() {
    scriptText_ = text(scriptBox_);
    statusText_ = text(statusBox_);
    modeNameText_ = text(modeNameBox_);
}

void EditorWindow::writeBoxes() {
    setTextIfChanged(scriptBox_, scriptText_);
    setTextIfChanged(statusBox_, statusText_);
    setTextIfChanged(modeNameBox_, modeNameText_);
}

std::string EditorWindow::statusText() const {
    return text(statusBox_);
}

void EditorWindow::setStatusText(const std::string& value) {
    statusText_ = value;
    setTextIfChanged(statusBox_, statusText_);
}

void EditorWindow::setProfilePath(const std::string& fullPath) {
    profilePath_ = fullPath;
    profileFileName_ = platform::fileNameOf(fullPath);
}

std::vector<std::string> EditorWindow::listedScriptNames() const {
    return scriptModel_->names().names();
}

Profile EditorWindow::profileSnapshot() const {
    Profile profile;
    profile.scripts = scripts_.lines();
    profile.modes = modes_;
    profile.pressDelay = delaysDialog_->pressDelay();
    profile.releaseDelay = delaysDialog_->releaseDelay();
    profile.chains = axisPanel_->chains();
    return profile;
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
    if (watched == scriptBox_) {
        if (event->type() == QEvent::FocusIn)
            refreshScriptButtons();
        else if (event->type() == QEvent::FocusOut)
            trimScriptBox();
    } else if (watched == modeNameBox_ && event->type() == QEvent::FocusOut) {
        trimModeNameBox();
    }
    return QDialog::eventFilter(watched, event);
}

void EditorWindow::showPanel(QDialog& panel) {
    profileSaved_ = false;
    panel.showNormal();
    panel.raise();
    panel.activateWindow();
}

// ---- whole profile -----------------------------------------------------------------------

void EditorWindow::resetProfile() {
    readBoxes();
    clearScripts();
    modes_.clear();
    changingSelection_ = true;
    modeList_->clear();
    changingSelection_ = false;
    readBoxes();
    statusText_.clear();
    modeNameText_.clear();
    scriptText_.clear();
    writeBoxes();
    axisPanel_->resetChains();
    delaysDialog_->setPressDelay(kInitialDelay);
    delaysDialog_->setReleaseDelay(kInitialDelay);
    delaysDialog_->showValues();
    activeModeIndex_ = -1;
    switchMode();
    profileSaved_ = true;
}

void EditorWindow::newProfile() {
    resetProfile();
    setProfilePath({});
    addMode(std::string(kDefaultModeName));
    scriptModel_->addName(std::string(kNullScriptName));
    scripts_.append(std::string(kNullScriptName));
}

// ---- script list -------------------------------------------------------------------------

int EditorWindow::selectedScriptRow() const {
    const QModelIndexList rows = scriptList_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void EditorWindow::selectScriptRow(int row) {
    changingSelection_ = true;
    QItemSelectionModel* selection = scriptList_->selectionModel();
    if (row < 0 || row >= scriptModel_->rowCount()) {
        selection->clearSelection();
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else {
        const QModelIndex index = scriptModel_->index(row);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scriptList_->scrollTo(index);
    }
    changingSelection_ = false;
}

void EditorWindow::addScript(const std::string& line) {
    const std::string name(scriptName(line));
    // A line that begins with a blank has an empty name; it is refused like an empty line,
    // since a script without a name could never be assigned or told apart.
    if (line.empty() || name.empty()) {
        setStatusText("Add Error:  Zero length script not allowed.");
        return;
    }
    if (scriptModel_->findRow(name)) {
        setStatusText("Add Error:  Script '" + name + "' already exists.");
        return;
    }
    scriptModel_->addName(name);
    scripts_.append(line);
    selectScriptRow(-1);
    setStatusText("Script '" + name + "' added.");
}

void EditorWindow::clearScripts() {
    changingSelection_ = true;
    scriptModel_->clearNames();
    changingSelection_ = false;
    scripts_.clear();
    selectScriptRow(-1);
    refreshScriptButtons();
    showSelectedScript();
}

void EditorWindow::refreshScriptButtons() {
    const QString typed = scriptBox_->text();
    const std::string full = typed.toStdString();
    const std::string_view kept = trimLeadingFileSpace(full);
    if (kept.size() != full.size()) {
        const int removed = static_cast<int>(full.size() - kept.size());
        const int cursor = std::max(0, scriptBox_->cursorPosition() - removed);
        scriptBox_->setText(QString::fromStdString(std::string(kept)));
        scriptBox_->setCursorPosition(cursor);
        return; // the change of text runs this again on the kept text
    }
    scriptText_ = full;
    const std::string_view name = scriptName(scriptText_);
    if (scriptModel_->findRow(name)) {
        scriptUpdateButton_->setEnabled(!isNullScript(name));
        scriptAddButton_->setEnabled(false);
    } else {
        scriptUpdateButton_->setEnabled(false);
        if (!name.empty())
            scriptAddButton_->setEnabled(true);
    }
}

void EditorWindow::showSelectedScript() {
    const int row = selectedScriptRow();
    std::string name;
    if (row >= 0) {
        name = scriptModel_->nameAt(row);
        if (const auto index = scripts_.findExact(name)) {
            scriptText_ = scripts_.lines()[*index];
            setTextIfChanged(scriptBox_, scriptText_);
        }
    }
    stickPanel_->setSelectedScript(name);
    throttlePanel_->setSelectedScript(name);
    axisPanel_->setSelectedScript(name);
    scriptDeleteButton_->setEnabled(row > 0);
    scriptDuplicateButton_->setEnabled(row > 0);
    refreshScriptButtons();
}

void EditorWindow::trimScriptBox() {
    setTextIfChanged(scriptBox_, cutAndTrim(text(scriptBox_), kScriptLineCutSet));
}

void EditorWindow::onAddClicked() {
    profileSaved_ = false;
    // The line is made safe here too: Add may be reached by its mnemonic while the SCRIPT
    // box still has the focus, before the box's own trimming has run.
    trimScriptBox();
    readBoxes();
    addScript(scriptText_);
    scriptText_.clear();
    setTextIfChanged(scriptBox_, scriptText_);
    refreshScriptButtons();
    showSelectedScript();
    scriptBox_->setFocus(Qt::OtherFocusReason);
}

void EditorWindow::onUpdateClicked() {
    profileSaved_ = false;
    trimScriptBox();
    readBoxes();
    const std::string name(scriptName(scriptText_));
    const auto index = scripts_.findExact(name);
    // A name listed only in another letter case has no stored line of its own: updating
    // nothing would leave the stored line stale behind a success message.
    if (!scriptModel_->findRow(name) || !index) {
        statusText_ = "Update Error:  Script '" + name + "' does not exist.";
    } else {
        scripts_.replace(*index, scriptText_);
        statusText_ = "Script '" + name + "' updated.";
    }
    writeBoxes();
}

void EditorWindow::onDuplicateScriptClicked() {
    profileSaved_ = false;
    readBoxes();
    const int row = selectedScriptRow();
    if (row < 0) {
        statusText_ = "Duplication error:  No current selection.";
        writeBoxes();
        return;
    }
    const std::string old = scriptModel_->nameAt(row);
    const std::string newName = generatedName(old, [this](const std::string& candidate) {
        return scriptModel_->findRow(candidate).has_value();
    });
    const auto index = scripts_.findExact(old);
    if (newName.empty() || !index) {
        statusText_ = "Duplicate error:  Original name could not be created, or script to "
                      "duplicate not found.";
        writeBoxes();
        return;
    }
    const std::string& line = scripts_.lines()[*index];
    const std::string_view rest = trimLeadingFileSpace(std::string_view(line).substr(old.size()));
    std::string newLine = newName + " " + std::string(rest);
    changingSelection_ = true;
    scriptModel_->addName(newName);
    changingSelection_ = false;
    scripts_.append(std::move(newLine));
    statusText_ = "Duplicate '" + newName + "' created successfully.";
    writeBoxes();
}

void EditorWindow::onDeleteScriptClicked() {
    profileSaved_ = false;
    readBoxes();
    const int row = selectedScriptRow();
    const std::string name = row >= 0 ? scriptModel_->nameAt(row) : std::string();
    const auto index = row >= 0 ? scripts_.findExact(name) : std::nullopt;
    if (row >= 0 && !isNullScript(name) && !scriptText_.empty() && scripts_.size() > 0 && index) {
        scripts_.erase(*index);
        changingSelection_ = true;
        scriptModel_->removeRow(row);
        changingSelection_ = false;
        selectScriptRow(row - 1);
        statusText_ = "Script deleted.";
    } else {
        statusText_ = "Error:  Unable to delete selected script.";
    }
    writeBoxes();
    refreshScriptButtons();
    showSelectedScript();
}

void EditorWindow::onClearAllClicked() {
    profileSaved_ = false;
    const auto answer =
        platform::showMessage("This will delete all currently listed scripts.  Continue?",
                              "Confirm Clear", platform::MessageButtons::YesNo, this);
    if (answer != platform::MessageAnswer::Yes)
        return;
    clearScripts();
    setStatusText("Script list cleared.");
}

// ---- programming modes -------------------------------------------------------------------

int EditorWindow::selectedModeRow() const {
    const QList<QListWidgetItem*> selected = modeList_->selectedItems();
    return selected.isEmpty() ? -1 : modeList_->row(selected.first());
}

void EditorWindow::selectModeRow(int row) {
    changingSelection_ = true;
    if (row < 0 || row >= modeList_->count()) {
        modeList_->clearSelection();
        modeList_->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
    } else {
        modeList_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    }
    changingSelection_ = false;
}

int EditorWindow::findModeRow(const std::string& name) const {
    for (int row = 0; row < modeList_->count(); ++row)
        if (namesEqualIgnoringCase(modeList_->item(row)->text().toStdString(), name))
            return row;
    return -1;
}

void EditorWindow::setModeRowText(int row, const std::string& name) {
    modeList_->item(row)->setText(QString::fromStdString(name));
}

void EditorWindow::switchMode() {
    readBoxes();
    if (activeModeIndex_ >= 0 && activeModeIndex_ < static_cast<int>(modes_.size())) {
        ProgrammingMode& active = modes_[static_cast<std::size_t>(activeModeIndex_)];
        active.setGroupValues(SlotGroup::Stick, stickPanel_->collectAssignments());
        active.setGroupValues(SlotGroup::Throttle, throttlePanel_->collectAssignments());
        active.setGroupValues(SlotGroup::Axis, axisPanel_->collectAssignments());
    }
    int selected = selectedModeRow();
    if (selected >= static_cast<int>(modes_.size()))
        selected = -1;
    const bool modeSelected = selected >= 0;
    modeCreateButton_->setEnabled(!modeSelected);
    for (QPushButton* button : {modeRenameButton_, modeDuplicateButton_, modeSetDefaultButton_,
                                modeDeleteButton_, joystickButton_, throttleButton_, axisButton_})
        button->setEnabled(modeSelected);
    if (modeSelected) {
        const ProgrammingMode& mode = modes_[static_cast<std::size_t>(selected)];
        modeNameText_ = modeList_->item(selected)->text().toStdString();
        stickPanel_->showAssignments(mode.groupValues(SlotGroup::Stick), mode.name());
        throttlePanel_->showAssignments(mode.groupValues(SlotGroup::Throttle), mode.name());
        axisPanel_->showAssignments(mode.groupValues(SlotGroup::Axis), mode.name());
    } else {
        stickPanel_->clearAssignments();
        throttlePanel_->clearAssignments();
        axisPanel_->clearAssignments();
    }
    activeModeIndex_ = selected;
    writeBoxes();
}

void EditorWindow::addMode(const std::string& name) {
    readBoxes();
    modeNameText_ = name;
    modeList_->addItem(QString::fromStdString(name));
    selectModeRow(findModeRow(name));
    modes_.emplace_back(name);
    writeBoxes();
}

void EditorWindow::onModeSelectionChanged() {
    if (!changingSelection_)
        switchMode();
}

void EditorWindow::onModeNameEdited() {
    readBoxes();
    const std::string_view kept = trimLeadingFileSpace(modeNameText_);
    if (kept.size() != modeNameText_.size())
        modeNameText_ = std::string(kept);
    selectModeRow(findModeRow(modeNameText_));
    writeBoxes();
    switchMode();
}

void EditorWindow::trimModeNameBox() {
    const std::string typed = text(modeNameBox_);
    const std::string cut = cutAndTrim(typed, kModeNameCutSet);
    if (cut == typed)
        return;
    modeNameBox_->setText(QString::fromStdString(cut));
    // The cut text is a change of the box like any typed one: it selects a mode it names.
    onModeNameEdited();
}

void EditorWindow::onCreateModeClicked() {
    // The name is made safe here too: Create Mode may be reached by its mnemonic while the
    // mode name box still has the focus.
    trimModeNameBox();
    readBoxes();
    if (modeNameText_.empty() || selectedModeRow() >= 0)
        return;
    profileSaved_ = false;
    addMode(modeNameText_);
    switchMode();
}

void EditorWindow::onRenameModeClicked() {
    readBoxes();
    profileSaved_ = false;
    const int row = selectedModeRow();
    if (row < 0 || row >= static_cast<int>(modes_.size()))
        return;
    const std::string oldName = modeList_->item(row)->text().toStdString();
    for (;;) {
        RenameDialog dialog(this);
        dialog.setName(QString::fromStdString(oldName));
        if (platform::desktop().runModal(dialog) != QDialog::Accepted)
            break;
        const std::string newName = dialog.name().toStdString();
        // Nothing is left of a name made only of cut characters: no mode goes nameless.
        if (newName.empty())
            break;
        if (findModeRow(newName) < 0) {
            statusText_ = "Mode '" + oldName + "' renamed to '" + newName + "'";
            setModeRowText(row, newName);
            modeNameText_ = newName;
            modes_[static_cast<std::size_t>(row)].setName(newName);
            break;
        }
        statusText_ = "Duplicate mode names detected.";
        writeBoxes();
    }
    writeBoxes();
    onModeNameEdited();
}

void EditorWindow::onDuplicateModeClicked() {
    profileSaved_ = false;
    readBoxes();
    const int row = selectedModeRow();
    if (row < 0 || row >= static_cast<int>(modes_.size()))
        return;
    const std::string name = modeList_->item(row)->text().toStdString();
    const std::string newName = generatedName(
        duplicateBase(name), [this](const std::string& c) { return findModeRow(c) >= 0; });
    if (newName.empty()) {
        statusText_ = "Duplicate error:  No free name for a copy of mode '" + name + "'.";
        writeBoxes();
        return;
    }
    changingSelection_ = true;
    modeList_->addItem(QString::fromStdString(newName));
    changingSelection_ = false;
    ProgrammingMode copy = modes_[static_cast<std::size_t>(row)];
    copy.setName(newName);
    modes_.push_back(std::move(copy));
    switchMode();
    statusText_ = "Mode duplicated as '" + newName + "'.";
    writeBoxes();
}

void EditorWindow::onSetDefaultClicked() {
    readBoxes();
    const int selected = selectedModeRow();
    if (selected < 0 || selected >= static_cast<int>(modes_.size()))
        return;
    // Entry i of the list is mode i, so each mode is renamed in its own entry, even when an
    // earlier entry holds the same name in another letter case.
    for (std::size_t i = 0; i < modes_.size(); ++i) {
        if (modes_[i].name() != kDefaultModeName)
            continue;
        std::string freeName;
        if (findModeRow("unknown") < 0) {
            freeName = "unknown";
        } else {
            for (int n = 1; n <= 253 && freeName.empty(); ++n) {
                const std::string candidate = "unknown_" + std::to_string(n);
                if (findModeRow(candidate) < 0)
                    freeName = candidate;
            }
        }
        if (freeName.empty())
            continue;
        modes_[i].setName(freeName);
        setModeRowText(static_cast<int>(i), freeName);
    }
    modes_[static_cast<std::size_t>(selected)].setName(std::string(kDefaultModeName));
    setModeRowText(selected, std::string(kDefaultModeName));
    modeNameText_ = kDefaultModeName;
    selectModeRow(selected);
    statusText_ = "New DEFAULT mode set.";
    writeBoxes();
    switchMode();
}

void EditorWindow::onDeleteModeClicked() {
    profileSaved_ = false;
    readBoxes();
    const int row = selectedModeRow();
    if (row >= 0 && row < static_cast<int>(modes_.size())) {
        const std::string name = modeList_->item(row)->text().toStdString();
        if (!name.starts_with(kDefaultModeName)) {
            changingSelection_ = true;
            delete modeList_->takeItem(row);
            changingSelection_ = false;
            selectModeRow(row - 1);
            modes_.erase(modes_.begin() + row);
            activeModeIndex_ = -1;
            statusText_ = "Mode '" + name + "' deleted.";
            writeBoxes();
        }
    }
    switchMode();
}

} // namespace vantrel
