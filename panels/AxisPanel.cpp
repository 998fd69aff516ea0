#include "panels/AxisPanel.h"

#include "editor/DialogUnits.h"
#include "editor/RenameDialog.h"
#include "panels/PictureLabel.h"
#include "panels/SpinArrows.h"
#include "platform/MessageBox.h"
#include "platform/qt/ByteText.h"
#include "platform/qt/Desktop.h"
#include "platform/qt/ScreenPlacement.h"
#include "profile/Script.h"
#include "profile/SlotTable.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vantrel {
namespace {

constexpr const char* kTitle = "Vantrel";
constexpr QSize kPictureSize(336, 293);
// Button texts of the six axes, in the order of the axis slots.
constexpr std::array<const char*, 6> kAxisButtonTexts{
    "X >>", "Y >>", "Z (Throttle) >>", "R (Rudder) >>", "Rotary 1 >>", "Rotary 2 >>"};

QString qs(const std::string& text) {
    return platform::displayText(text);
}

// "XAxis" -> "xAxis", "R1Axis" -> "r1Axis".
QString lowerFirst(std::string_view name) {
    QString text = QString::fromLatin1(name.data(), static_cast<int>(name.size()));
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

QPushButton* makeButton(const QString& text, const QString& objectName) {
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    QString accessible = text;
    accessible.remove('&');
    button->setAccessibleName(accessible);
    return button;
}

template <typename Box = QLineEdit>
Box* makeBox(const QString& objectName, const QString& accessibleName) {
    auto* box = new Box;
    box->setObjectName(objectName);
    box->setAccessibleName(accessibleName);
    return box;
}

bool entersByUser(Qt::FocusReason reason) {
    // A window coming back to the front with the focus already in the box is no entry.
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

} // namespace

AxisPanel::AxisPanel(QWidget* parent) : QDialog(parent) {
    setObjectName("axisPanel");
    setWindowTitle(tr("Axis Programming"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
    useDialogFont(*this);
    buildWidgets();
    refreshBoxes();
    applyChainSelection();
    arrangeWindow();
    platform::keepOnScreenWhenShown(*this);
}

// ----- construction -----

void AxisPanel::buildWidgets() {
    modeBox_ = makeBox<platform::ByteLineEdit>("activeModeBox", tr("Active Programming Mode"));
    modeBox_->setReadOnly(true);
    closeButton_ = makeButton(tr("&Close"), "panelCloseButton");
    connect(closeButton_, &QPushButton::clicked, this, &AxisPanel::hide);

    picture_ = makePictureLabel(this, QStringLiteral(":/axes.svg"), kPictureSize);
    picture_->setObjectName("axesPicture");
    picture_->setAccessibleName(tr("The device's axes"));

    auto* modeLabel = new QLabel(tr("Active Programming Mode:"));
    modeLabel->setBuddy(modeBox_);
    auto* top = new QGridLayout;
    top->addWidget(modeLabel, 0, 0, 1, 2);
    top->addWidget(modeBox_, 1, 0);
    top->addWidget(closeButton_, 1, 1);
    modeBox_->setMinimumWidth(dialogUnitsToPixels(*this, 110, 0).width());

    top->setVerticalSpacing(1);
    top->setColumnStretch(2, 1);

    // The label stays on its box and the picture under them; room to spare goes between the
    // picture and the axis group at the foot.
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(picture_, 0, Qt::AlignHCenter);
    left->addStretch(1);
    left->addWidget(buildAxisGroup());

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buildChainGroup(), 1);
}

QWidget* AxisPanel::buildChainGroup() {
    auto* group = new QGroupBox(tr("CHAIN CONSTRUCTION"));
    const int boxWidth = dialogUnitsToPixels(*this, 40, 0).width();

    nameBox_ = makeBox<platform::ByteLineEdit>("chainNameBox", tr("Chain name"));
    chainList_ = new QListWidget;
    chainList_->setObjectName("chainList");
    chainList_->setAccessibleName(tr("Axis chains"));
    chainList_->setSelectionMode(QAbstractItemView::SingleSelection);
    addChainButton_ = makeButton(tr("&Add"), "chainAddButton");
    renameButton_ = makeButton(tr("&Rename"), "chainRenameButton");
    duplicateButton_ = makeButton(tr("&Duplicate"), "chainDuplicateButton");
    deleteButton_ = makeButton(tr("D&elete"), "chainDeleteButton");

    groupList_ = new QListWidget;
    groupList_->setObjectName("breakpointList");
    groupList_->setAccessibleName(tr("Breakpoints"));
    groupList_->setSelectionMode(QAbstractItemView::SingleSelection);
    clearButton_ = makeButton(tr("&Clear"), "breakpointClearButton");
    removeButton_ = makeButton(tr("Re&move"), "breakpointRemoveButton");

    countBox_ = makeBox("countBox", tr("Count"));
    countSpin_ = new SpinArrows(countBox_);
    addGroupButton_ = makeButton(tr("A&dd"), "breakpointAddButton");
    startBox_ = makeBox("startBox", tr("Start"));
    startSpin_ = new SpinArrows(startBox_);
    increaseButton_ = makeButton(tr("Increase >>"), "increaseButton");
    increaseBox_ = makeBox<platform::ByteLineEdit>("increaseBox", tr("Increase script"));
    endBox_ = makeBox("endBox", tr("End"));
    endSpin_ = new SpinArrows(endBox_);
    decreaseButton_ = makeButton(tr("Decrease >>"), "decreaseButton");
    decreaseBox_ = makeBox<platform::ByteLineEdit>("decreaseBox", tr("Decrease script"));

    const std::vector<SpinArrows::Acceleration> axisSteps{{std::chrono::seconds(0), 50},
                                                          {std::chrono::seconds(3), 1000}};
    for (auto [spin, name] : {std::pair{countSpin_, "count"}, std::pair{startSpin_, "start"},
                              std::pair{endSpin_, "end"}}) {
        spin->setObjectName(QString(name) + "Spin");
        spin->upArrow()->setObjectName(QString(name) + "SpinUp");
        spin->upArrow()->setAccessibleName(QString(name) + " up");
        spin->downArrow()->setObjectName(QString(name) + "SpinDown");
        spin->downArrow()->setAccessibleName(QString(name) + " down");
    }
    countSpin_->setRange(0, kChainCapacity);
    for (SpinArrows* spin : {startSpin_, endSpin_}) {
        spin->setRange(kAxisMin, kAxisMax);
        spin->setAcceleration(axisSteps);
    }
    for (QLineEdit* box : {countBox_, startBox_, endBox_}) {
        box->setAlignment(Qt::AlignRight);
        box->setFixedWidth(boxWidth);
        box->installEventFilter(this);
    }

    auto* layout = new QGridLayout(group);
    auto* chainButtons = new QVBoxLayout;
    for (QPushButton* button : {addChainButton_, renameButton_, duplicateButton_, deleteButton_})
        chainButtons->addWidget(button);
    chainButtons->addStretch();
    layout->addWidget(nameBox_, 0, 0, 1, 5);
    layout->addWidget(chainList_, 1, 0, 1, 5);
    layout->addLayout(chainButtons, 0, 5, 2, 2);

    auto* breakpointLabel = new QLabel(tr("BREAKPOINTS"));
    breakpointLabel->setBuddy(groupList_);
    layout->addWidget(breakpointLabel, 2, 0, 1, 7);
    layout->addWidget(groupList_, 3, 0, 1, 7);
    auto* listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(clearButton_);
    listButtons->addWidget(removeButton_);
    layout->addLayout(listButtons, 4, 0, 1, 7);

    const std::array<std::tuple<QString, QLineEdit*, SpinArrows*>, 3> numberRows{
        std::tuple{tr("Count"), countBox_, countSpin_},
        std::tuple{tr("Start:"), startBox_, startSpin_}, std::tuple{tr("End:"), endBox_, endSpin_}};
    for (int row = 0; row < 3; ++row) {
        auto [text, box, spin] = numberRows[row];
        auto* label = new QLabel(text);
        label->setBuddy(box);
        layout->addWidget(label, 5 + row, 0);
        layout->addWidget(box, 5 + row, 1);
        layout->addWidget(spin, 5 + row, 2);
    }
    layout->addWidget(addGroupButton_, 5, 3);
    layout->addWidget(increaseButton_, 6, 3);
    layout->addWidget(increaseBox_, 6, 4, 1, 3);
    layout->addWidget(decreaseButton_, 7, 3);
    layout->addWidget(decreaseBox_, 7, 4, 1, 3);
    layout->setColumnStretch(4, 1);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(3, 1);

    connect(nameBox_, &QLineEdit::textEdited, this, &AxisPanel::nameEdited);
    connect(chainList_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!updating_)
            handle([this] { refreshChainSelection(); });
    });
    connect(groupList_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!updating_)
            updateRemoveButton();
    });
    connect(addChainButton_, &QPushButton::clicked, this, &AxisPanel::addChainFromNameBox);
    connect(renameButton_, &QPushButton::clicked, this, &AxisPanel::renameSelectedChain);
    connect(duplicateButton_, &QPushButton::clicked, this, &AxisPanel::duplicateSelectedChain);
    connect(deleteButton_, &QPushButton::clicked, this, &AxisPanel::deleteSelectedChain);
    connect(addGroupButton_, &QPushButton::clicked, this, &AxisPanel::addGroup);
    connect(removeButton_, &QPushButton::clicked, this, &AxisPanel::removeGroup);
    connect(clearButton_, &QPushButton::clicked, this, &AxisPanel::clearGroups);
    connect(startSpin_, &SpinArrows::stepped, this, &AxisPanel::startStepped);
    connect(endSpin_, &SpinArrows::stepped, this, &AxisPanel::endStepped);
    connect(countSpin_, &SpinArrows::stepped, this, [this] { handle([] {}); });
    connect(increaseButton_, &QPushButton::clicked, this,
            [this] { handle([this] { increase_ = selectedScript_; }); });
    connect(decreaseButton_, &QPushButton::clicked, this,
            [this] { handle([this] { decrease_ = selectedScript_; }); });
    return group;
}

QWidget* AxisPanel::buildAxisGroup() {
    auto* group = new QGroupBox(tr("AXIS ASSIGNMENTS"));
    auto* layout = new QGridLayout(group);
    const auto axisSlots = SlotTable::instance().group(SlotGroup::Axis);
    for (int i = 0; i < kAxisSlotCount; ++i) {
        const QString name = lowerFirst(axisSlots[i].name);
        const QString text = tr(kAxisButtonTexts[i]);
        axisButtons_[i] = makeButton(text, name + "Button");
        axisBoxes_[i] = makeBox<platform::ByteLineEdit>(name + "Box", text.chopped(3));
        axisBoxes_[i]->installEventFilter(this);
        // X, Y and Z in the left column, R and the rotaries in the right.
        const int row = i % 3;
        const int column = (i / 3) * 2;
        layout->addWidget(axisButtons_[i], row, column);
        layout->addWidget(axisBoxes_[i], row, column + 1);
        connect(axisButtons_[i], &QPushButton::clicked, this, [this, i] {
            handle([this, i] {
                if (const int chain = selectedChain(); chain >= 0)
                    axes_[i] = chains_.chain(chain).name();
            });
        });
    }
    return group;
}

void AxisPanel::arrangeWindow() {
    // Dialog units of the window's own font, grown only where the controls cannot be fitted
    // in (the lists' preferred sizes would make it much taller than designed).
    const QSize designed = dialogUnitsToPixels(*this, 482, 302);
    resize(designed.expandedTo(minimumSizeHint()));
    QPoint origin = dialogPointToPixels(*this, 220, 40);
    if (parentWidget())
        origin += parentWidget()->window()->geometry().topLeft();
    move(origin);
}

// ----- the values and the boxes -----

bool AxisPanel::rereadBoxes() {
    modeName_ = modeBox_->bytes();
    chainName_ = nameBox_->bytes();
    increase_ = increaseBox_->bytes();
    decrease_ = decreaseBox_->bytes();
    for (int i = 0; i < kAxisSlotCount; ++i)
        axes_[i] = axisBoxes_[i]->bytes();

    bool refused = false;
    for (auto [box, value] : {std::pair{countBox_, &count_}, std::pair{startBox_, &start_},
                              std::pair{endBox_, &end_}}) {
        if (const auto number = parseBoxInteger(box->text())) {
            *value = *number;
        } else {
            // The box shows its kept value again at once, so that whatever handler runs
            // next (the box losing the focus to the message, the command that follows a
            // click) finds nothing more to refuse: one refusal, one message.
            box->setText(QString::number(*value));
            refused = true;
        }
    }
    if (refused) {
        ++refusing_;
        platform::showMessage("Please enter an integer.", kTitle, platform::MessageButtons::Ok,
                              static_cast<const QWidget*>(this));
        --refusing_;
        return false;
    }
    return true;
}

void AxisPanel::refreshBoxes() {
    modeBox_->setBytes(modeName_);
    nameBox_->setBytes(chainName_);
    countBox_->setText(QString::number(count_));
    startBox_->setText(QString::number(start_));
    endBox_->setText(QString::number(end_));
    countSpin_->setPosition(count_);
    startSpin_->setPosition(start_);
    endSpin_->setPosition(end_);
    increaseBox_->setBytes(increase_);
    decreaseBox_->setBytes(decrease_);
    for (int i = 0; i < kAxisSlotCount; ++i)
        axisBoxes_[i]->setBytes(axes_[i]);
}

template <typename Command> void AxisPanel::handle(Command command) {
    rereadBoxes();
    command();
    refreshBoxes();
}

// ----- the assignment panel operations -----

void AxisPanel::showAssignments(const std::vector<Assignment>& values,
                                const std::string& modeName) {
    rereadBoxes();
    for (int i = 0; i < kAxisSlotCount; ++i)
        axes_[i] = i < static_cast<int>(values.size()) ? values[i] : Assignment();
    modeName_ = modeName;
    refreshBoxes();
}

std::vector<Assignment> AxisPanel::collectAssignments() const {
    return {axes_.begin(), axes_.end()};
}

void AxisPanel::clearAssignments() {
    rereadBoxes();
    modeName_.clear();
    axes_.fill({});
    refreshBoxes();
}

// ----- the chains for the profile text file -----

void AxisPanel::resetChains() {
    ++updating_;
    chainList_->clear();
    groupList_->clear();
    --updating_;
    chains_.resetChains();
    chainName_.clear();
    nameBox_->setBytes(chainName_);
    increase_ = std::string(kNullScriptName);
    decrease_ = std::string(kNullScriptName);
    increaseBox_->setBytes(increase_);
    decreaseBox_->setBytes(decrease_);
    applyChainSelection();
}

void AxisPanel::addChain(const std::string& name) {
    const int before = chains_.chainCount();
    chains_.addChain(name);
    if (chains_.chainCount() == before)
        return;
    ++updating_;
    chainList_->addItem(qs(name));
    --updating_;
    selectChainRow(before);
}

void AxisPanel::addGroupLine(const std::string& line, int count, int chainIndex) {
    if (chainIndex < 0 || chainIndex >= chains_.chainCount())
        return;
    chains_.addGroupLine(line, count, chainIndex);
    if (chainIndex == selectedChain()) {
        ++updating_;
        groupList_->addItem(qs(line));
        --updating_;
    }
}

void AxisPanel::refreshChainSelection() {
    applyChainSelection();
    nameBox_->setBytes(chainName_);
    countBox_->setText(QString::number(count_));
    countSpin_->setPosition(count_);
}

// ----- selection -----

int AxisPanel::selectedChain() const {
    const auto selected = chainList_->selectedItems();
    return selected.isEmpty() ? -1 : chainList_->row(selected.constFirst());
}

int AxisPanel::selectedGroup() const {
    const auto selected = groupList_->selectedItems();
    return selected.isEmpty() ? -1 : groupList_->row(selected.constFirst());
}

void AxisPanel::selectChainRow(int row) {
    ++updating_;
    chainList_->clearSelection();
    if (row >= 0 && row < chainList_->count()) {
        chainList_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    } else {
        chainList_->setCurrentItem(nullptr, QItemSelectionModel::Clear);
    }
    --updating_;
}

int AxisPanel::countLimit() const {
    const int chain = selectedChain();
    // A chain read from a file may be over-full: it then offers no further breakpoints.
    return chain < 0 ? kChainCapacity : std::max(0, chains_.chain(chain).freeCapacity());
}

void AxisPanel::limitCountToSelectedChain() {
    countSpin_->setRange(0, countLimit());
    count_ = std::min(count_, countLimit());
}

void AxisPanel::applyChainSelection() {
    const int chain = selectedChain();
    const bool selected = chain >= 0;
    ++updating_;
    groupList_->clear();
    if (selected) {
        const AxisChain& current = chains_.chain(chain);
        chainName_ = current.name();
        for (const std::string& line : current.groups())
            groupList_->addItem(qs(line));
    }
    --updating_;
    limitCountToSelectedChain();

    const bool roomForChains = chains_.chainCount() < kPanelChainLimit;
    addChainButton_->setEnabled(!selected && roomForChains);
    renameButton_->setEnabled(selected);
    duplicateButton_->setEnabled(selected && roomForChains);
    deleteButton_->setEnabled(selected);
    addGroupButton_->setEnabled(selected && chains_.chain(chain).freeCapacity() >= 0);
    updateRemoveButton();
}

void AxisPanel::updateRemoveButton() {
    removeButton_->setEnabled(selectedChain() >= 0 && selectedGroup() >= 0);
}

// ----- the chain commands -----

void AxisPanel::nameEdited(const QString&) {
    handle([this] { applyNameRule(); });
}

void AxisPanel::applyNameRule() {
    chainName_ = cutAndTrim(chainName_, kChainNameCutSet);
    const QString cut = qs(chainName_);
    if (nameBox_->text() != cut) {
        const int cursor = std::min(nameBox_->cursorPosition(), static_cast<int>(cut.size()));
        nameBox_->setBytes(chainName_);
        nameBox_->setCursorPosition(cursor);
    } else {
        nameBox_->setBytes(chainName_);
    }
    selectChainRow(chainName_.empty() ? -1 : chains_.findIgnoringCase(chainName_));
    applyChainSelection();
}

void AxisPanel::addChainFromNameBox() {
    handle([this] {
        // Cut here too, whatever way the command was given.
        const std::string name = cutAndTrim(chainName_, kChainNameCutSet);
        if (name.empty() || chains_.chainCount() >= kPanelChainLimit ||
            chains_.findIgnoringCase(name) >= 0) {
            applyChainSelection();
            return;
        }
        addChain(name);
        applyChainSelection();
    });
}

void AxisPanel::renameSelectedChain() {
    handle([this] {
        const int chain = selectedChain();
        if (chain < 0)
            return;
        while (true) {
            RenameDialog dialog(this);
            dialog.setNameBytes(chains_.chain(chain).name());
            if (platform::desktop().runModal(dialog) != QDialog::Accepted)
                return;
            const std::string name = dialog.nameBytes();
            // An empty name would leave the chain nameless in the saved file: ask again.
            if (!name.empty() && chains_.renameChain(chain, name)) {
                chainList_->item(chain)->setText(qs(name));
                chainName_ = name;
                applyNameRule();
                return;
            }
        }
    });
}

void AxisPanel::duplicateSelectedChain() {
    handle([this] {
        const int chain = selectedChain();
        if (chain >= 0 && chains_.chainCount() < kPanelChainLimit &&
            chains_.duplicateChain(chain)) {
            ++updating_;
            chainList_->addItem(qs(chains_.chain(chains_.chainCount() - 1).name()));
            --updating_;
        }
        applyChainSelection();
    });
}

void AxisPanel::deleteSelectedChain() {
    handle([this] {
        const int chain = selectedChain();
        if (chain < 0)
            return;
        selectChainRow(-1);
        ++updating_;
        delete chainList_->takeItem(chain);
        chainList_->setCurrentItem(nullptr, QItemSelectionModel::Clear);
        --updating_;
        chains_.deleteChain(chain);
        applyChainSelection();
    });
}

// ----- the breakpoint commands -----

void AxisPanel::addGroup() {
    handle([this] {
        const int chain = selectedChain();
        if (chain < 0 || chains_.chain(chain).freeCapacity() < 0)
            return;
        // The limits that leaving the boxes would apply, in case the command came by key.
        start_ = std::clamp(start_, kAxisMin, kAxisMax);
        end_ = std::clamp(end_, kAxisMin, kAxisMax);
        count_ = std::min(count_, countLimit());
        if (count_ < 0) {
            platform::showMessage(
                "Please enter a Count from 0 to " + std::to_string(countLimit()) + ".", kTitle,
                platform::MessageButtons::Ok, static_cast<const QWidget*>(this));
            return;
        }
        const std::string line = formatGroupLine(start_, end_, count_, increase_, decrease_);
        chains_.addGroupLine(line, count_, chain);
        ++updating_;
        groupList_->addItem(qs(line));
        --updating_;
        limitCountToSelectedChain();
    });
}

void AxisPanel::removeGroup() {
    // Removal writes the boxes back without reading them first.
    const int chain = selectedChain();
    const int group = selectedGroup();
    if (chain < 0 || group < 0)
        return;
    chains_.chain(chain).removeGroup(group);
    ++updating_;
    delete groupList_->takeItem(group);
    groupList_->clearSelection();
    if (group > 0)
        groupList_->setCurrentRow(group - 1, QItemSelectionModel::ClearAndSelect);
    else
        groupList_->setCurrentItem(nullptr, QItemSelectionModel::Clear);
    --updating_;
    countSpin_->setRange(0, countLimit());
    addGroupButton_->setEnabled(chains_.chain(chain).freeCapacity() >= 0);
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
        chains_.chain(chain).clearGroups();
        applyChainSelection();
    });
}

// ----- the number boxes -----

void AxisPanel::startStepped() {
    handle([this] {
        if (start_ >= end_)
            end_ = start_;
    });
}

void AxisPanel::endStepped() {
    handle([this] {
        if (end_ <= start_)
            start_ = end_;
    });
}

void AxisPanel::numberBoxLeft(QLineEdit* box) {
    handle([this, box] {
        if (box == countBox_)
            count_ = std::min(count_, countLimit());
        else if (box == startBox_)
            start_ = std::clamp(start_, kAxisMin, kAxisMax);
        else
            end_ = std::clamp(end_, kAxisMin, kAxisMax);
    });
}

bool AxisPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const auto box = std::find(axisBoxes_.begin(), axisBoxes_.end(), watched);
        // Showing a dialog again sends its focus widget a focus-in of its own, with the Tab
        // reason, before the widget really has the focus: that is no entry either.
        if (box != axisBoxes_.end() && entersByUser(reason) &&
            QApplication::focusWidget() == watched) {
            const auto index = static_cast<std::size_t>(box - axisBoxes_.begin());
            handle([this, index] { axes_[index].clear(); });
        }
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && !refusing_ &&
            (watched == countBox_ || watched == startBox_ || watched == endBox_))
            numberBoxLeft(static_cast<QLineEdit*>(watched));
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
    if (rereadBoxes())
        hide();
}

} // namespace vantrel
