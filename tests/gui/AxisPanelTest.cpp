#include "panels/AxisPanel.h"
#include "panels/NumberSpinBox.h"
#include "profile/SlotTable.h"
#include "support/GuiTestSupport.h"
#include "widgets/DialogUnits.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace vantrel;
using platform::MessageAnswer;

namespace {

const QString kGroupLine = "(-20000 : 20000 ; 10) ( + GearUp  - GearDown )";

QLineEdit* box(const AxisPanel& panel, const char* name) {
    return test::child<QLineEdit>(&panel, name);
}
QPushButton* button(const AxisPanel& panel, const char* name) {
    return test::child<QPushButton>(&panel, name);
}
QListWidget* list(const AxisPanel& panel, const char* name) {
    return test::child<QListWidget>(&panel, name);
}

QStringList rows(const QListWidget* widget) {
    QStringList texts;
    for (int i = 0; i < widget->count(); ++i)
        texts << widget->item(i)->text();
    return texts;
}

QString selectedRow(const QListWidget* widget) {
    const auto selected = widget->selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

// Clicks into the box and replaces its text by typing.
void typeInto(QLineEdit* target, const QString& text) {
    QTest::mouseClick(target, Qt::LeftButton);
    target->selectAll();
    if (text.isEmpty())
        QTest::keyClick(target, Qt::Key_Delete);
    else
        QTest::keyClicks(target, text);
}

// Types a number into a box and leaves it with Tab, as a user moving on.
void enterNumber(AxisPanel& panel, const char* name, const QString& text) {
    typeInto(box(panel, name), text);
    QTest::keyClick(box(panel, name), Qt::Key_Tab);
}

void addChainNamed(AxisPanel& panel, const QString& name) {
    typeInto(box(panel, "chainNameBox"), name);
    QVERIFY(test::clickButton(&panel, "chainAddButton"));
}

void clickRow(QListWidget* widget, int row) {
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                      widget->visualItemRect(widget->item(row)).center());
}

void pressKey(QWidget* target, Qt::Key key, bool autoRepeat) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &press);
}
void releaseKey(QWidget* target, Qt::Key key) {
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

// Where a spin box's arrows are: at its right edge, the up arrow over the down arrow.
QPoint upArrow(const NumberSpinBox& spin) {
    return {spin.width() - 4, spin.height() / 4};
}
QPoint downArrow(const NumberSpinBox& spin) {
    return {spin.width() - 4, spin.height() * 3 / 4};
}

// Answers every box as a real message box does to the window behind it: the box takes the
// focus into a window of its own until it is answered.
class FocusTakingPresenter : public platform::MessagePresenter {
public:
    std::vector<std::string> texts;

    platform::MessageAnswer present(const platform::Message& message) override {
        texts.push_back(message.text);
        QDialog box;
        box.show();
        box.activateWindow();
        if (!QTest::qWaitForWindowActive(&box))
            qWarning("the stand-in box did not get the focus");
        box.hide();
        return MessageAnswer::Ok;
    }
};

// The axis names in slot order, as the editor collects them.
std::vector<Assignment> axes(std::initializer_list<const char*> names) {
    return {names.begin(), names.end()};
}

} // namespace

class AxisPanelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<EditedProfile> document_;
    std::unique_ptr<AxisPanel> panel_;
    std::unique_ptr<test::GuiSeams> seams_;

    AxisPanel& shownPanel() {
        panel_->show();
        if (!QTest::qWaitForWindowActive(panel_.get()))
            qFatal("panel not active");
        return *panel_;
    }

    // A selected chain Gear with the Increase and Decrease scripts GearUp and GearDown.
    // The six names become the active mode's, which the panel then shows, as the editor
    // window shows a mode it selects.
    void showAxes(const std::vector<Assignment>& names) {
        const int first = SlotTable::instance().group(SlotGroup::Axis).front().position;
        std::vector<EditedProfile::SlotValue> values;
        for (int i = 0; i < kAxisSlotCount; ++i)
            values.push_back({first + i, names.at(static_cast<std::size_t>(i))});
        document_->assign(values);
        panel_->showActiveMode();
    }
    void showNoMode() {
        document_->selectMode(-1);
        panel_->showActiveMode();
    }
    // A new profile, or one read from a file with these chains: the panel then shows the
    // chains as the editor window does after reading.
    void loadChains(const AxisChainList& chains) {
        Profile profile = Profile::newProfile();
        profile.chains = chains;
        document_->load(profile);
        document_->selectMode(0);
        panel_->refreshChainSelection();
    }

    AxisPanel& panelWithGear() {
        AxisPanel& panel = shownPanel();
        addChainNamed(panel, "Gear");
        panel.setSelectedScript("GearUp");
        test::clickButton(&panel, "increaseButton");
        panel.setSelectedScript("GearDown");
        test::clickButton(&panel, "decreaseButton");
        return panel;
    }

private slots:
    void init() {
        seams_ = std::make_unique<test::GuiSeams>();
        document_ = std::make_unique<EditedProfile>();
        panel_ = std::make_unique<AxisPanel>(*document_);
    }
    void cleanup() {
        panel_.reset();
        document_.reset();
        seams_.reset();
    }

    void startsHiddenWithItsValues() {
        AxisPanel& panel = *panel_;
        QVERIFY(!panel.isVisible());
        QCOMPARE(panel.windowTitle(), QString("Axis Programming"));
        QCOMPARE(box(panel, "countBox")->text(), QString("10"));
        QCOMPARE(box(panel, "startBox")->text(), QString("-20000"));
        QCOMPARE(box(panel, "endBox")->text(), QString("20000"));
        QCOMPARE(box(panel, "increaseBox")->text(), QString("_NULL"));
        QCOMPARE(box(panel, "decreaseBox")->text(), QString("_NULL"));
        QVERIFY(button(panel, "chainAddButton")->isEnabled());
        for (const char* name : {"chainRenameButton", "chainDuplicateButton", "chainDeleteButton",
                                 "breakpointAddButton", "breakpointRemoveButton"})
            QVERIFY2(!button(panel, name)->isEnabled(), name);
        QCOMPARE(panel.chainCount(), 0);
    }

    void nameBoxCutsAndSelectsWithoutRegardToCase() {
        AxisPanel& panel = shownPanel();
        QLineEdit* name = box(panel, "chainNameBox");
        QApplication::clipboard()->setText("Gear Up");
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(name->text(), QString("Gear"));
        QVERIFY(test::clickButton(&panel, "chainAddButton"));
        QCOMPARE(rows(list(panel, "chainList")), QStringList{"Gear"});
        QCOMPARE(selectedRow(list(panel, "chainList")), QString("Gear"));
        QVERIFY(!button(panel, "chainAddButton")->isEnabled());
        QVERIFY(button(panel, "chainRenameButton")->isEnabled());
        QVERIFY(button(panel, "breakpointAddButton")->isEnabled());
        QVERIFY(test::clickButton(&panel, "breakpointAddButton"));

        // A new name clears the selection; the old name in other letters finds the chain again.
        typeInto(name, "Flaps");
        QCOMPARE(selectedRow(list(panel, "chainList")), QString());
        QVERIFY(button(panel, "chainAddButton")->isEnabled());
        QCOMPARE(list(panel, "breakpointList")->count(), 0);
        typeInto(name, "gear");
        QCOMPARE(selectedRow(list(panel, "chainList")), QString("Gear"));
        QCOMPARE(name->text(), QString("Gear"));
        QCOMPARE(list(panel, "breakpointList")->count(), 1);

        // Characters the file grammar reserves never reach a chain name.
        typeInto(name, "Trim=");
        QCOMPARE(name->text(), QString("Trim"));
    }

    void addTakesTheCutNameWhateverTriggersIt() {
        AxisPanel& panel = shownPanel();
        QLineEdit* name = box(panel, "chainNameBox");
        // Text set without an edit notification, then Add by its mnemonic.
        name->setText("Brake [left]");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
        // A mnemonic presses the button visibly, so the click comes a moment later.
        QTRY_COMPARE(panel.chainCount(), 1);
        QCOMPARE(panel.chains().chain(0).name(), std::string("Brake"));
        QCOMPARE(rows(list(panel, "chainList")), QStringList{"Brake"});
        // The same name in other letters is not added twice, however Add is reached.
        typeInto(name, "Other");
        name->setText("BRAKE");
        QVERIFY(test::clickButton(&panel, "chainAddButton"));
        QCOMPARE(panel.chainCount(), 1);
    }

    void tenChainsIsThePanelsLimit() {
        AxisPanel& panel = shownPanel();
        for (int i = 1; i <= 9; ++i)
            addChainNamed(panel, QString("Chain%1").arg(i));
        QVERIFY(button(panel, "chainDuplicateButton")->isEnabled());
        addChainNamed(panel, "Chain10");
        QCOMPARE(panel.chainCount(), 10);
        QVERIFY(!button(panel, "chainDuplicateButton")->isEnabled());
        typeInto(box(panel, "chainNameBox"), "Eleven");
        QVERIFY(!button(panel, "chainAddButton")->isEnabled());

        typeInto(box(panel, "chainNameBox"), "Chain3");
        QVERIFY(test::clickButton(&panel, "chainDeleteButton"));
        QCOMPARE(panel.chainCount(), 9);
        QVERIFY(button(panel, "chainAddButton")->isEnabled());
        QCOMPARE(rows(list(panel, "chainList")).size(), 9);
        QVERIFY(!rows(list(panel, "chainList")).contains("Chain3"));
    }

    void breakpointAddStoresTheGroupLine() {
        AxisPanel& panel = panelWithGear();
        QCOMPARE(box(panel, "increaseBox")->text(), QString("GearUp"));
        QVERIFY(test::clickButton(&panel, "breakpointAddButton"));
        QCOMPARE(rows(list(panel, "breakpointList")), QStringList{kGroupLine});
        QCOMPARE(panel.chains().chain(0).group(0), kGroupLine.toStdString());
        QCOMPARE(panel.chains().chain(0).freeCapacity(), 245);

        // Count's arrows stop at the free capacity.
        enterNumber(panel, "countBox", "244");
        QTest::keyClick(box(panel, "countBox"), Qt::Key_Up);
        QTest::keyClick(box(panel, "countBox"), Qt::Key_Up);
        QCOMPARE(box(panel, "countBox")->text(), QString("245"));
        enterNumber(panel, "countBox", "300");
        QCOMPARE(box(panel, "countBox")->text(), QString("245"));
    }

    void countIsDrainedAndGivenBack() {
        AxisPanel& panel = panelWithGear();
        enterNumber(panel, "countBox", "200");
        QVERIFY(test::clickButton(&panel, "breakpointAddButton"));
        enterNumber(panel, "countBox", "55");
        QVERIFY(test::clickButton(&panel, "breakpointAddButton"));
        QCOMPARE(box(panel, "countBox")->text(), QString("0"));
        QTest::keyClick(box(panel, "countBox"), Qt::Key_Up);
        QCOMPARE(box(panel, "countBox")->text(), QString("0"));
        // A group of no breakpoints still fits.
        QVERIFY(button(panel, "breakpointAddButton")->isEnabled());

        QListWidget* lines = list(panel, "breakpointList");
        QVERIFY(!button(panel, "breakpointRemoveButton")->isEnabled());
        clickRow(lines, 1);
        QVERIFY(button(panel, "breakpointRemoveButton")->isEnabled());
        QVERIFY(test::clickButton(&panel, "breakpointRemoveButton"));
        QCOMPARE(panel.chains().chain(0).freeCapacity(), 55);
        QCOMPARE(lines->count(), 1);
        // The line above is selected; removing the first leaves none and disables Remove.
        QCOMPARE(selectedRow(lines), lines->item(0)->text());
        QVERIFY(test::clickButton(&panel, "breakpointRemoveButton"));
        QCOMPARE(lines->count(), 0);
        QCOMPARE(panel.chains().chain(0).freeCapacity(), 255);
        QVERIFY(!button(panel, "breakpointRemoveButton")->isEnabled());
        // The spin limit follows the removal; Count itself is not raised.
        QCOMPARE(box(panel, "countBox")->text(), QString("0"));
        QTest::keyClick(box(panel, "countBox"), Qt::Key_Up);
        QCOMPARE(box(panel, "countBox")->text(), QString("1"));
    }

    void countAboveTheLimitIsLoweredOnLeaving() {
        AxisPanel& panel = shownPanel();
        enterNumber(panel, "countBox", "300");
        QCOMPARE(box(panel, "countBox")->text(), QString("255"));
        addChainNamed(panel, "Gear");
        enterNumber(panel, "countBox", "300");
        QCOMPARE(box(panel, "countBox")->text(), QString("255"));
    }

    void negativeCountIsNeverStored() {
        AxisPanel& panel = panelWithGear();
        typeInto(box(panel, "countBox"), "-5");
        QVERIFY(test::clickButton(&panel, "breakpointAddButton"));
        QCOMPARE(list(panel, "breakpointList")->count(), 0);
        QCOMPARE(panel.chains().chain(0).groupCount(), 0);
        QCOMPARE(seams_->messages.shown().size(), std::size_t(1));
        QCOMPARE(seams_->messages.shown()[0].text,
                 std::string("Please enter a Count from 0 to 255."));
        QCOMPARE(seams_->messages.shown()[0].title, std::string("Vantrel"));
    }

    void overfullChainFromAFileOffersNothing() {
        AxisPanel& panel = shownPanel();
        AxisChainList read;
        read.addChain("Over");
        read.addGroupLine("(0 : 100 ; 200) ( + a  - b )", 200, 0);
        read.addGroupLine("(0 : 100 ; 100) ( + a  - b )", 100, 0);
        loadChains(read);
        QCOMPARE(panel.chains().chain(0).freeCapacity(), -45);
        QCOMPARE(box(panel, "countBox")->text(), QString("0"));
        QVERIFY(!button(panel, "breakpointAddButton")->isEnabled());
        QTest::keyClick(box(panel, "countBox"), Qt::Key_Up);
        QCOMPARE(box(panel, "countBox")->text(), QString("0"));
        // Removing a group can make room again.
        clickRow(list(panel, "breakpointList"), 1);
        QVERIFY(test::clickButton(&panel, "breakpointRemoveButton"));
        QCOMPARE(panel.chains().chain(0).freeCapacity(), 55);
        QVERIFY(button(panel, "breakpointAddButton")->isEnabled());
    }

    void startAndEndSpinsDragEachOther() {
        AxisPanel& panel = shownPanel();
        enterNumber(panel, "startBox", "0");
        enterNumber(panel, "endBox", "100");
        QLineEdit* end = box(panel, "endBox");
        QTest::keyClick(end, Qt::Key_Down);
        QTest::keyClick(end, Qt::Key_Down);
        QCOMPARE(end->text(), QString("0"));
        QCOMPARE(box(panel, "startBox")->text(), QString("0"));
        QTest::mouseClick(&panel.endSpin(), Qt::LeftButton, {}, downArrow(panel.endSpin()));
        QCOMPARE(end->text(), QString("-50"));
        QCOMPARE(box(panel, "startBox")->text(), QString("-50"));

        // Start stepping up past End pushes End up.
        QLineEdit* start = box(panel, "startBox");
        QTest::mouseClick(&panel.startSpin(), Qt::LeftButton, {}, upArrow(panel.startSpin()));
        QTest::keyClick(start, Qt::Key_Up);
        QCOMPARE(start->text(), QString("50"));
        QCOMPARE(end->text(), QString("50"));

        // Typed values do not drag.
        enterNumber(panel, "startBox", "0");
        enterNumber(panel, "endBox", "-100");
        QCOMPARE(start->text(), QString("0"));
        QCOMPARE(end->text(), QString("-100"));
    }

    void heldArrowSpeedsUpAfterThreeSeconds() {
        AxisPanel& panel = shownPanel();
        auto now = std::chrono::steady_clock::time_point{};
        panel.startSpin().setClock([&now] { return now; });
        enterNumber(panel, "startBox", "0");
        QLineEdit* start = box(panel, "startBox");
        pressKey(start, Qt::Key_Up, false);
        now += std::chrono::milliseconds(2900);
        pressKey(start, Qt::Key_Up, true);
        QCOMPARE(start->text(), QString("100"));
        now += std::chrono::milliseconds(200);
        pressKey(start, Qt::Key_Up, true);
        QCOMPARE(start->text(), QString("1100"));
        releaseKey(start, Qt::Key_Up);
        // A new press starts slow again; the range holds at the top.
        pressKey(start, Qt::Key_Up, false);
        QCOMPARE(start->text(), QString("1150"));
        releaseKey(start, Qt::Key_Up);
        enterNumber(panel, "startBox", "32760");
        pressKey(start, Qt::Key_Up, false);
        QCOMPARE(start->text(), QString("32767"));
        releaseKey(start, Qt::Key_Up);

        // The mouse: holding the down arrow repeats, and after 3 seconds steps by 1000.
        enterNumber(panel, "startBox", "0");
        NumberSpinBox& spin = panel.startSpin();
        QTest::mousePress(&spin, Qt::LeftButton, {}, downArrow(spin));
        QCOMPARE(start->text(), QString("-50"));
        now += std::chrono::seconds(4);
        QTRY_VERIFY(start->text().toInt() <= -1050);
        QTest::mouseRelease(&spin, Qt::LeftButton, {}, downArrow(spin));
        QCOMPARE((start->text().toInt() + 50) % 1000, 0);
    }

    void numberBoxesKeepTheirLimitsAndRefuseText() {
        AxisPanel& panel = shownPanel();
        enterNumber(panel, "startBox", "40000");
        QCOMPARE(box(panel, "startBox")->text(), QString("32767"));
        enterNumber(panel, "endBox", "-99999");
        QCOMPARE(box(panel, "endBox")->text(), QString("-32767"));
        QVERIFY(seams_->messages.shown().empty());

        enterNumber(panel, "endBox", "25abc");
        QCOMPARE(box(panel, "endBox")->text(), QString("-32767"));
        QCOMPARE(seams_->messages.shown().size(), std::size_t(1));
        QCOMPARE(seams_->messages.shown()[0].text, std::string("Please enter an integer."));
        QCOMPARE(seams_->messages.shown()[0].title, std::string("Vantrel"));

        // Enter with a refused box keeps the panel open; with good numbers it closes it.
        typeInto(box(panel, "countBox"), "x");
        QTest::keyClick(box(panel, "countBox"), Qt::Key_Return);
        QVERIFY(panel.isVisible());
        QCOMPARE(seams_->messages.shown().size(), std::size_t(2));
        typeInto(box(panel, "countBox"), " 12 ");
        QTest::keyClick(box(panel, "countBox"), Qt::Key_Return);
        QVERIFY(!panel.isVisible());
    }

    void oneRefusalShowsOneBox() {
        AxisPanel& panel = shownPanel();
        FocusTakingPresenter boxes;
        platform::ScopedMessagePresenter scoped(boxes);

        // Enter re-reads the boxes; the refusal's box takes the focus out of Count, which
        // is no second refusal.
        typeInto(box(panel, "countBox"), "x");
        QTest::keyClick(box(panel, "countBox"), Qt::Key_Return);
        QCOMPARE(boxes.texts, std::vector<std::string>{"Please enter an integer."});
        QVERIFY(panel.isVisible());
        QCOMPARE(box(panel, "countBox")->text(), QString("10"));

        // Leaving a box with Tab.
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        enterNumber(panel, "startBox", "5-");
        QCOMPARE(boxes.texts.size(), std::size_t(2));
        QCOMPARE(box(panel, "startBox")->text(), QString("-20000"));

        // A click on a button after typing: the box is left, then the button works.
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        typeInto(box(panel, "endBox"), "many");
        QVERIFY(test::clickButton(&panel, "increaseButton"));
        QCOMPARE(boxes.texts.size(), std::size_t(3));
        QCOMPARE(box(panel, "endBox")->text(), QString("20000"));
    }

    void labelSitsOnItsBoxAndTheSizeFollowsTheDialogUnits() {
        AxisPanel& panel = shownPanel();
        QLabel* label = nullptr;
        for (QLabel* candidate : panel.findChildren<QLabel*>())
            if (candidate->text() == "Active Programming Mode:")
                label = candidate;
        QVERIFY(label);
        const QWidget* modeBox = box(panel, "activeModeBox");
        const int labelBottom = label->mapTo(&panel, QPoint(0, label->height())).y();
        const int boxTop = modeBox->mapTo(&panel, QPoint(0, 0)).y();
        QVERIFY2(
            boxTop >= labelBottom && boxTop - labelBottom <= 6,
            qPrintable(QString("label ends at %1, box starts at %2").arg(labelBottom).arg(boxTop)));
        // Nothing above the label but the window's margin.
        QVERIFY(label->mapTo(&panel, QPoint(0, 0)).y() <= 12);
        QCOMPARE(panel.size(), dialogUnitsToPixels(panel, 482, 302));
    }

    void renameAsksAgainUntilTheNameIsFree() {
        AxisPanel& panel = shownPanel();
        addChainNamed(panel, "Gear");
        addChainNamed(panel, "Flaps");
        QStringList offered;
        auto answer = [&offered](const QString& typed) {
            return [&offered, typed](QDialog& dialog) {
                auto* name = test::child<QLineEdit>(&dialog, "renameNameBox");
                offered << name->text();
                if (!typed.isEmpty()) {
                    name->setFocus(Qt::MouseFocusReason);
                    name->selectAll();
                    QTest::keyClicks(name, typed);
                }
                QTest::keyClick(name, Qt::Key_Return);
                return dialog.result();
            };
        };
        seams_->desktop.queueModal(answer("GEAR"));
        seams_->desktop.queueModal(answer("")); // its own name
        seams_->desktop.queueModal(answer("flaps"));
        seams_->desktop.queueModal(answer("Brakes (rear)"));
        QVERIFY(test::clickButton(&panel, "chainRenameButton"));
        QCOMPARE(offered, (QStringList{"Flaps", "Flaps", "Flaps", "Flaps"}));
        QCOMPARE(rows(list(panel, "chainList")), (QStringList{"Gear", "Brakes"}));
        QCOMPARE(panel.chains().chain(1).name(), std::string("Brakes"));
        QCOMPARE(box(panel, "chainNameBox")->text(), QString("Brakes"));
        QCOMPARE(selectedRow(list(panel, "chainList")), QString("Brakes"));
        QVERIFY(seams_->messages.shown().empty());

        // Cancel changes nothing.
        QVERIFY(test::clickButton(&panel, "chainRenameButton"));
        QCOMPARE(rows(list(panel, "chainList")), (QStringList{"Gear", "Brakes"}));
        QCOMPARE(seams_->desktop.modalTitles().size(), std::size_t(5));
    }

    void duplicateAndDeleteKeepRowsAndChainsInStep() {
        AxisPanel& panel = shownPanel();
        for (const char* name : {"A", "B", "C"}) {
            addChainNamed(panel, name);
            enterNumber(panel, "countBox", "7");
            enterNumber(panel, "startBox", name[0] == 'B' ? "-5" : "0");
            QVERIFY(test::clickButton(&panel, "breakpointAddButton"));
        }
        typeInto(box(panel, "chainNameBox"), "b");
        QVERIFY(test::clickButton(&panel, "chainDuplicateButton"));
        QCOMPARE(rows(list(panel, "chainList")), (QStringList{"A", "B", "C", "B_2"}));
        QCOMPARE(selectedRow(list(panel, "chainList")), QString("B"));
        QCOMPARE(panel.chains().chain(3).groups(), panel.chains().chain(1).groups());

        clickRow(list(panel, "chainList"), 0);
        QVERIFY(test::clickButton(&panel, "chainDeleteButton"));
        QCOMPARE(rows(list(panel, "chainList")), (QStringList{"B", "C", "B_2"}));
        QCOMPARE(selectedRow(list(panel, "chainList")), QString());
        QVERIFY(!button(panel, "chainDeleteButton")->isEnabled());
        QCOMPARE(list(panel, "breakpointList")->count(), 0);
        clickRow(list(panel, "chainList"), 0);
        QCOMPARE(rows(list(panel, "breakpointList")),
                 QStringList{QString::fromStdString(panel.chains().chain(0).group(0))});
        QVERIFY(list(panel, "breakpointList")->item(0)->text().startsWith("(-5 : 20000 ; 7)"));
    }

    void clearAsksFirst() {
        AxisPanel& panel = panelWithGear();
        QVERIFY(test::clickButton(&panel, "breakpointAddButton"));
        seams_->messages.queueAnswer(MessageAnswer::No);
        QVERIFY(test::clickButton(&panel, "breakpointClearButton"));
        QCOMPARE(list(panel, "breakpointList")->count(), 1);
        const platform::Message question = seams_->messages.shown().at(0);
        QCOMPARE(question.text,
                 std::string("This will delete all currently listed breakpoints.  Continue?"));
        QCOMPARE(question.title, std::string("Confirm Clear"));
        QCOMPARE(question.buttons, platform::MessageButtons::YesNo);

        seams_->messages.queueAnswer(MessageAnswer::Yes);
        QVERIFY(test::clickButton(&panel, "breakpointClearButton"));
        QCOMPARE(list(panel, "breakpointList")->count(), 0);
        QCOMPARE(panel.chains().chain(0).freeCapacity(), 255);
    }

    void axisBoxesFollowThePanelRules() {
        AxisPanel& panel = shownPanel();
        showAxes(axes({"Pitch", "Roll", "Thr", "Rud", "R1", "R2"}));
        QCOMPARE(box(panel, "activeModeBox")->text(), QString("DEFAULT"));
        QCOMPARE(box(panel, "r1AxisBox")->text(), QString("R1"));
        QCOMPARE(panel.collectAssignments(), axes({"Pitch", "Roll", "Thr", "Rud", "R1", "R2"}));

        // Entering a box empties it; "X >>" without a chain leaves it empty.
        QTest::mouseClick(box(panel, "xAxisBox"), Qt::LeftButton);
        QCOMPARE(box(panel, "xAxisBox")->text(), QString());
        QVERIFY(test::clickButton(&panel, "xAxisButton"));
        QCOMPARE(box(panel, "xAxisBox")->text(), QString());
        // Tab into a box empties it as well; typing is collected only after a re-read.
        QVERIFY(test::clickButton(&panel, "yAxisButton"));
        QCOMPARE(box(panel, "yAxisBox")->text(), QString("Roll"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(panel, "yAxisBox"));
        QCOMPARE(box(panel, "yAxisBox")->text(), QString());
        QTest::keyClicks(box(panel, "yAxisBox"), "Typed");
        QCOMPARE(panel.collectAssignments(), axes({"", "", "Thr", "Rud", "R1", "R2"}));

        addChainNamed(panel, "Gear");
        QVERIFY(test::clickButton(&panel, "rAxisButton"));
        QCOMPARE(box(panel, "rAxisBox")->text(), QString("Gear"));
        QCOMPARE(panel.collectAssignments(), axes({"", "Typed", "Thr", "Gear", "R1", "R2"}));

        // The Increase box does not empty on entry.
        QTest::mouseClick(box(panel, "increaseBox"), Qt::LeftButton);
        QCOMPARE(box(panel, "increaseBox")->text(), QString("_NULL"));

        showNoMode();
        QCOMPARE(panel.collectAssignments(), std::vector<Assignment>(6));
        QCOMPARE(box(panel, "activeModeBox")->text(), QString());
    }

    void comingBackToThePanelKeepsTheFocusedBox() {
        AxisPanel& panel = shownPanel();
        QTest::mouseClick(box(panel, "zAxisBox"), Qt::LeftButton);
        showAxes(axes({"", "", "Thr", "", "", ""}));
        QCOMPARE(QApplication::focusWidget(), box(panel, "zAxisBox"));

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        QCOMPARE(QApplication::focusWidget(), box(panel, "zAxisBox"));
        QCOMPARE(box(panel, "zAxisBox")->text(), QString("Thr"));
        QCOMPARE(panel.collectAssignments()[2], std::string("Thr"));
    }

    void enterRereadsEscapeAndCloseDoNot() {
        AxisPanel& panel = shownPanel();
        QTest::mouseClick(box(panel, "xAxisBox"), Qt::LeftButton);
        QTest::keyClicks(box(panel, "xAxisBox"), "Pitch");
        QTest::keyClick(box(panel, "xAxisBox"), Qt::Key_Escape);
        QVERIFY(!panel.isVisible());
        QCOMPARE(panel.collectAssignments()[0], std::string());

        // Shown again, the box that had the focus keeps what was typed into it.
        shownPanel();
        QCOMPARE(QApplication::focusWidget(), box(panel, "xAxisBox"));
        QCOMPARE(box(panel, "xAxisBox")->text(), QString("Pitch"));
        QVERIFY(test::clickButton(&panel, "panelCloseButton"));
        QVERIFY(!panel.isVisible());
        QCOMPARE(panel.collectAssignments()[0], std::string());

        shownPanel();
        QTest::mouseClick(box(panel, "increaseBox"), Qt::LeftButton);
        QTest::keyClick(box(panel, "increaseBox"), Qt::Key_Return);
        QVERIFY(!panel.isVisible());
        QCOMPARE(panel.collectAssignments(), axes({"Pitch", "", "", "", "", ""}));
    }

    void theProfileFileSeesTheChainsInListOrder() {
        AxisPanel& panel = shownPanel();
        addChainNamed(panel, "Old");
        panel.setSelectedScript("Up");
        QVERIFY(test::clickButton(&panel, "increaseButton"));
        enterNumber(panel, "countBox", "30");
        document_->newProfile();
        QCOMPARE(panel.chainCount(), 0);
        QCOMPARE(list(panel, "chainList")->count(), 0);
        QCOMPARE(box(panel, "chainNameBox")->text(), QString());
        QCOMPARE(box(panel, "increaseBox")->text(), QString("_NULL"));
        QCOMPARE(box(panel, "countBox")->text(), QString("30"));
        QVERIFY(button(panel, "chainAddButton")->isEnabled());

        AxisChainList read;
        read.addChain("Flaps");
        read.addGroupLine("(0 : 10 ; 2) ( + a  - b )", 2, 0);
        read.addChain("Gear");
        read.addGroupLine("(1 : 2 ; 3) ( + c  - d )", 3, 1);
        read.addGroupLine("(4 : 5 ; 6) ( + e  - f )", 6, 1);
        loadChains(read);
        QCOMPARE(rows(list(panel, "chainList")), (QStringList{"Flaps", "Gear"}));
        QCOMPARE(selectedRow(list(panel, "chainList")), QString("Gear"));
        QCOMPARE(box(panel, "chainNameBox")->text(), QString("Gear"));
        QCOMPARE(list(panel, "breakpointList")->count(), 2);
        QVERIFY(!button(panel, "chainAddButton")->isEnabled());

        std::vector<std::string> written;
        panel.chains().writeChains(
            [&written](std::string_view line) { written.emplace_back(line); });
        QCOMPARE(written, (std::vector<std::string>{
                              "", "[Flaps]", "(0 : 10 ; 2) ( + a  - b )", "{Flaps}", "", "[Gear]",
                              "(1 : 2 ; 3) ( + c  - d )", "(4 : 5 ; 6) ( + e  - f )", "{Gear}"}));
    }

    void screenshot() {
        AxisPanel& panel = panelWithGear();
        QVERIFY(test::clickButton(&panel, "breakpointAddButton"));
        showAxes(axes({"Gear", "", "", "", "", ""}));
        const QString path = test::saveScreenshot(&panel, "AxisPanel.png");
        QVERIFY(QFile::exists(path));
        // Nothing of the chain group is cut off by the window's edge.
        auto* chains = panel.findChild<QWidget*>("breakpointAddButton");
        QVERIFY(panel.rect().contains(chains->mapTo(&panel, chains->rect().bottomRight())));
    }
};

QTEST_MAIN(AxisPanelTest)
#include "AxisPanelTest.moc"
