#include "panels/AxisPanel.h"

#include "panels/NumberSpinBox.h"
#include "platform/MessageBox.h"
#include "platform/qt/ByteText.h"
#include "platform/qt/ScreenPlacement.h"
#include "profile/Script.h"
#include "profile/SlotTable.h"
#include "widgets/DialogUnits.h"
#include "widgets/RenameDialog.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

namespace vantrel {
namespace {

constexpr const char* kTitle = "Vantrel";

bool entersByUser(Qt::FocusReason reason) {
    // A window coming back to the front with the focus already in the box is no entry.
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

} // namespace

AxisPanel::AxisPanel(EditedProfile& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    setObjectName("axisPanel");
    setWindowTitle(tr("Axis Programming"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    useDialogFont(*this);
    ui_ = AxisPanelControls::build(*this, this);
    lists_ = ChainListBoxes(ui_.chainList, ui_.groupList);
    connectControls();
    listChains();
    selectChain(chainCount() - 1);
    applyChainSelection();
    if (const ProgrammingMode* mode = document_.activeModeValues()) {
        values_.modeName = mode->name();
        const std::vector<Assignment> axes = mode->groupValues(SlotGroup::Axis);
        std::copy(axes.begin(), axes.end(), values_.axes.begin());
    }
    refreshBoxes();
    AxisPanelControls::arrange(*this);
    platform::keepOnScreenWhenShown(*this);
    document_.addObserver(this);
}

AxisPanel::~AxisPanel() {
    document_.removeObserver(this);
}

void AxisPanel::connectControls() {
    connect(ui_.closeButton, &QPushButton::clicked, this, &AxisPanel::hide);
    connect(ui_.nameBox, &QLineEdit::textEdited, this, &AxisPanel::nameEdited);
    connect(ui_.chainList, &QListWidget::itemSelectionChanged, this, [this] {
        if (lists_.updating())
            return;
        selectedChain_ = lists_.selectedChain();
        handle([this] { refreshChainSelection(); });
    });
    connect(ui_.groupList, &QListWidget::itemSelectionChanged, this, [this] {
        if (!lists_.updating())
            updateRemoveButton();
    });
    connect(ui_.addChainButton, &QPushButton::clicked, this, &AxisPanel::addChainFromNameBox);
    connect(ui_.renameButton, &QPushButton::clicked, this, &AxisPanel::renameSelectedChain);
    connect(ui_.duplicateButton, &QPushButton::clicked, this, &AxisPanel::duplicateSelectedChain);
    connect(ui_.deleteButton, &QPushButton::clicked, this, &AxisPanel::deleteSelectedChain);
    connect(ui_.addGroupButton, &QPushButton::clicked, this, &AxisPanel::addGroup);
    connect(ui_.removeButton, &QPushButton::clicked, this, &AxisPanel::removeGroup);
    connect(ui_.clearButton, &QPushButton::clicked, this, &AxisPanel::clearGroups);
    connect(ui_.startSpin, &NumberSpinBox::stepped, this, &AxisPanel::startStepped);
    connect(ui_.endSpin, &NumberSpinBox::stepped, this, &AxisPanel::endStepped);
    connect(ui_.countSpin, &NumberSpinBox::stepped, this, [this] { handle([] {}); });
    connect(ui_.increaseButton, &QPushButton::clicked, this,
            [this] { handle([this] { values_.increase = selectedScript_; }); });
    connect(ui_.decreaseButton, &QPushButton::clicked, this,
            [this] { handle([this] { values_.decrease = selectedScript_; }); });
    for (int i = 0; i < kAxisSlotCount; ++i) {
        connect(ui_.axisButtons[i], &QPushButton::clicked, this, [this, i] {
            handle(
                [this, i] {
                    if (const int chain = selectedChain(); chain >= 0)
                        values_.axes[i] = chains().chain(chain).name();
                },
                i);
        });
    }
}

// ----- the values and the boxes -----

bool AxisPanel::rereadBoxes() {
    if (readAxisBoxes(values_, ui_))
        return true;
    ++refusing_;
    platform::showMessage("Please enter an integer.", kTitle, platform::MessageButtons::Ok,
                          static_cast<const QWidget*>(this));
    --refusing_;
    return false;
}

void AxisPanel::refreshBoxes() {
    writeAxisBoxes(values_, ui_);
}

template <typename Command> void AxisPanel::handle(Command command, int ownAxis) {
    ++editing_;
    rereadBoxes();
    command();
    storeAxes(ownAxis);
    --editing_;
    refreshBoxes();
}

void AxisPanel::storeAxes(int ownAxis) {
    storeGroupValues(document_, SlotGroup::Axis, {values_.axes.begin(), values_.axes.end()},
                     ownAxis);
}

// ----- the assignment panel operations -----

void AxisPanel::showActiveMode() {
    rereadBoxes();
    const ProgrammingMode* mode = document_.activeModeValues();
    values_.modeName = mode ? mode->name() : std::string();
    const std::vector<Assignment> axes = activeGroupValues(document_, SlotGroup::Axis);
    std::copy(axes.begin(), axes.end(), values_.axes.begin());
    refreshBoxes();
}

std::vector<Assignment> AxisPanel::collectAssignments() const {
    return activeGroupValues(document_, SlotGroup::Axis);
}

// ----- the chains as the document changes them -----

void AxisPanel::profileChanged(const ProfileChange& change) {
    if (editing_)
        return;
    if (change.part == ProfileChange::Part::Whole)
        showNewChains();
    else if (change.part == ProfileChange::Part::Chains)
        showChangedChains(change.chain);
}

void AxisPanel::listChains() {
    lists_.clear();
    for (const AxisChain& chain : chains().chains())
        lists_.appendChain(chain.name());
}

void AxisPanel::showNewChains() {
    listChains();
    selectChain(chainCount() - 1);
    values_.chainName.clear();
    values_.increase = std::string(kNullScriptName);
    values_.decrease = std::string(kNullScriptName);
    ui_.nameBox->setBytes(values_.chainName);
    ui_.increaseBox->setBytes(values_.increase);
    ui_.decreaseBox->setBytes(values_.decrease);
    applyChainSelection();
}

void AxisPanel::showChangedChains(int chain) {
    listChains();
    selectChain(rules().holds(chain) ? chain : -1);
    refreshChainSelection();
}

void AxisPanel::listAddedChain() {
    lists_.appendChain(chains().chains().back().name());
    selectChain(chainCount() - 1);
}

void AxisPanel::refreshChainSelection() {
    applyChainSelection();
    ui_.nameBox->setBytes(values_.chainName);
    ui_.countBox->setText(QString::number(values_.limits.count));
    ui_.countSpin->setPosition(values_.limits.count);
}

// ----- selection -----

void AxisPanel::selectChain(int row) {
    lists_.selectChain(row);
    selectedChain_ = lists_.selectedChain();
}

void AxisPanel::limitCountToSelectedChain() {
    const int chain = selectedChain();
    ui_.countSpin->setRange(0, rules().countLimit(chain));
    rules().limitCount(chain, values_.limits);
}

void AxisPanel::applyChainSelection() {
    const int chain = selectedChain();
    const bool selected = chain >= 0;
    // The selected chain's name becomes the name value.
    if (selected)
        values_.chainName = chains().chain(chain).name();
    lists_.showGroups(selected ? chains().chain(chain).groups() : std::vector<std::string>{});
    limitCountToSelectedChain();

    const bool roomForChains = rules().roomForChains();
    ui_.addChainButton->setEnabled(!selected && roomForChains);
    ui_.renameButton->setEnabled(selected);
    ui_.duplicateButton->setEnabled(selected && roomForChains);
    ui_.deleteButton->setEnabled(selected);
    ui_.addGroupButton->setEnabled(rules().takesGroups(chain));
    updateRemoveButton();
}

void AxisPanel::updateRemoveButton() {
    ui_.removeButton->setEnabled(selectedChain() >= 0 && lists_.selectedGroup() >= 0);
}

// ----- the chain commands -----

void AxisPanel::nameEdited(const QString&) {
    handle([this] { applyNameRule(); });
}

void AxisPanel::applyNameRule() {
    values_.chainName = cutAndTrim(values_.chainName, kChainNameCutSet);
    const QString cut = platform::displayText(values_.chainName);
    if (ui_.nameBox->text() != cut) {
        const int cursor = std::min(ui_.nameBox->cursorPosition(), static_cast<int>(cut.size()));
        ui_.nameBox->setBytes(values_.chainName);
        ui_.nameBox->setCursorPosition(cursor);
    } else {
        ui_.nameBox->setBytes(values_.chainName);
    }
    selectChain(values_.chainName.empty() ? -1 : chains().findIgnoringCase(values_.chainName));
    applyChainSelection();
}

void AxisPanel::addChainFromNameBox() {
    handle([this] {
        // The editor cuts the name too, whatever way the command was given.
        if (document_.addChain(values_.chainName))
            listAddedChain();
        applyChainSelection();
    });
}

void AxisPanel::renameSelectedChain() {
    handle([this] {
        const int chain = selectedChain();
        if (chain < 0)
            return;
        // An empty or taken name is refused, and the dialog asks again.
        askForNewName(this, chains().chain(chain).name(), [this, chain](const std::string& name) {
            if (!document_.renameChain(chain, name))
                return false;
            lists_.renameChain(chain, name);
            values_.chainName = name;
            applyNameRule();
            return true;
        });
    });
}

void AxisPanel::duplicateSelectedChain() {
    handle([this] {
        if (document_.duplicateChain(selectedChain()))
            lists_.appendChain(chains().chains().back().name());
        applyChainSelection();
    });
}

void AxisPanel::deleteSelectedChain() {
    handle([this] {
        const int chain = selectedChain();
        if (chain < 0)
            return;
        lists_.removeChain(chain);
        selectedChain_ = -1;
        document_.deleteChain(chain);
        applyChainSelection();
    });
}

// ----- the breakpoint commands -----

void AxisPanel::addGroup() {
    handle([this] {
        const ChainEditor::GroupResult added =
            document_.addGroup(selectedChain(), values_.limits, values_.increase, values_.decrease);
        if (!added.error.empty())
            platform::showMessage(added.error, kTitle, platform::MessageButtons::Ok,
                                  static_cast<const QWidget*>(this));
        if (!added.line)
            return;
        lists_.appendGroup(*added.line);
        limitCountToSelectedChain();
    });
}

void AxisPanel::removeGroup() {
    // Removal writes the boxes back without reading them first.
    const int chain = selectedChain();
    const int group = lists_.selectedGroup();
    if (chain < 0 || group < 0)
        return;
    ++editing_;
    document_.removeGroup(chain, group);
    --editing_;
    lists_.removeGroup(group);
    ui_.countSpin->setRange(0, rules().countLimit(chain));
    ui_.addGroupButton->setEnabled(rules().takesGroups(chain));
    updateRemoveButton();
    refreshBoxes();
}

void AxisPanel::clearGroups() {
    handle([this] {
        const auto answer = platform::showMessage(
            "This will delete all currently listed breakpoints.  Continue?", "Confirm Clear",
            platform::MessageButtons::YesNo, static_cast<const QWidget*>(this));
        const int chain = selectedChain();
        if (answer != platform::MessageAnswer::Yes || chain < 0)
            return;
        document_.clearGroups(chain);
        applyChainSelection();
    });
}

// ----- the number boxes -----

void AxisPanel::startStepped() {
    handle([this] { ChainEditor::startStepped(values_.limits); });
}

void AxisPanel::endStepped() {
    handle([this] { ChainEditor::endStepped(values_.limits); });
}

void AxisPanel::numberBoxLeft(QLineEdit* box) {
    handle([this, box] {
        if (box == ui_.countBox)
            rules().limitCount(selectedChain(), values_.limits);
        else if (box == ui_.startBox)
            values_.limits.start = ChainEditor::limitAxis(values_.limits.start);
        else
            values_.limits.end = ChainEditor::limitAxis(values_.limits.end);
    });
}

bool AxisPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const auto box = std::find(ui_.axisBoxes.begin(), ui_.axisBoxes.end(), watched);
        // Showing a dialog again sends its focus widget a focus-in of its own, with the Tab
        // reason, before the widget really has the focus: that is no entry either.
        if (box != ui_.axisBoxes.end() && entersByUser(reason) &&
            QApplication::focusWidget() == watched) {
            const auto index = static_cast<std::size_t>(box - ui_.axisBoxes.begin());
            handle([this, index] { values_.axes[index].clear(); }, static_cast<int>(index));
        }
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && !refusing_ &&
            (watched == ui_.countSpin || watched == ui_.startSpin || watched == ui_.endSpin))
            numberBoxLeft(static_cast<NumberSpinBox*>(watched)->box());
    }
    return QDialog::eventFilter(watched, event);
}

// ----- Enter and Escape -----

void AxisPanel::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier &&
        !qobject_cast<QPushButton*>(focusWidget())) {
        confirm();
        return;
    }
    // Escape closes through reject(), which only hides the panel.
    QDialog::keyPressEvent(event);
}

void AxisPanel::confirm() {
    if (rereadBoxes()) {
        ++editing_;
        storeAxes(-1);
        --editing_;
        hide();
    }
}

} // namespace vantrel
