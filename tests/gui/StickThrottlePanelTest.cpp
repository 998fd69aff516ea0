#include "profile/SlotTable.h"

#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "support/GuiTestSupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vantrel;

namespace {

QLineEdit* box(const QWidget& panel, const char* name) {
    return test::child<QLineEdit>(&panel, name);
}

// A distinct value for every slot of a group, so a value shown in the wrong box shows up.
std::vector<Assignment> numberedValues(SlotGroup group) {
    std::vector<Assignment> values;
    for (const Slot& slot : SlotTable::instance().group(group))
        values.push_back("S_" + slot.name);
    return values;
}

std::size_t indexOf(SlotGroup group, const std::string& slotName) {
    const int first = SlotTable::instance().group(group).front().position;
    return static_cast<std::size_t>(*SlotTable::instance().positionOf(slotName) - first);
}

// A profile whose one mode holds these values of the group becomes the document, its mode
// active and shown in the panel, as the editor window shows a mode it selects.
void showMode(EditedProfile& document, AssignmentPanel& panel, SlotGroup group,
              const std::vector<Assignment>& values, const std::string& name) {
    Profile profile = Profile::newProfile();
    ProgrammingMode mode(name);
    mode.setGroupValues(group, values);
    profile.modes = {mode};
    document.load(profile);
    document.selectMode(0);
    panel.showActiveMode();
}

void openPanel(QDialog& panel) {
    panel.show();
    QVERIFY(QTest::qWaitForWindowActive(&panel));
}

// The stick and throttle slots, in position order.
std::vector<Slot> allButtonSlots() {
    std::vector<Slot> all;
    for (SlotGroup group : {SlotGroup::Stick, SlotGroup::Throttle})
        for (const Slot& slot : SlotTable::instance().group(group))
            all.push_back(slot);
    return all;
}

} // namespace

class StickThrottlePanelTest : public QObject {
    Q_OBJECT

private slots:
    void panelsAreHiddenModelessAndTitled() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        EditedProfile throttleDocument;
        ThrottlePanel throttle(throttleDocument);
        QVERIFY(!stick.isVisible());
        QVERIFY(!throttle.isModal());
        QCOMPARE(stick.windowTitle(), QString("Stick Programming"));
        QCOMPARE(throttle.windowTitle(), QString("Throttle Programming"));
        QCOMPARE(stick.collectAssignments().size(), std::size_t(kStickSlotCount));
        QCOMPARE(throttle.collectAssignments().size(), std::size_t(kThrottleSlotCount));
        QVERIFY(throttle.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!stick.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    }

    void everySlotHasItsBoxAndButtonsWithTheirTexts() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        EditedProfile throttleDocument;
        ThrottlePanel throttle(throttleDocument);
        openPanel(stick);
        openPanel(throttle);
        for (const Slot& slot : allButtonSlots()) {
            const QDialog& panel =
                slot.group == SlotGroup::Stick ? static_cast<QDialog&>(stick) : throttle;
            QString name = QString::fromStdString(slot.name);
            name[0] = name[0].toLower();
            auto* slotBox = panel.findChild<QLineEdit*>(name + "Box");
            auto* button = panel.findChild<QPushButton*>(name + "Button");
            QVERIFY2(slotBox && button, qPrintable(name));
            QVERIFY(!slotBox->accessibleName().isEmpty());
            QCOMPARE(button->text(), slot.isPress ? QString("P >>") : QString("<< R"));
            // "P >>" left of the press box, "<< R" right of the release box.
            const int buttonX = button->mapTo(&panel, QPoint()).x();
            const int boxX = slotBox->mapTo(&panel, QPoint()).x();
            QVERIFY(slot.isPress ? buttonX < boxX : buttonX > boxX);
        }
    }

    void assignButtonsCopyTheSelectedScriptIntoTheirOwnBox() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        openPanel(stick);
        const auto shown = numberedValues(SlotGroup::Stick);
        showMode(stickDocument, stick, SlotGroup::Stick, shown, "DEFAULT");
        QCOMPARE(box(stick, "activeModeBox")->text(), QString("DEFAULT"));
        QVERIFY(box(stick, "activeModeBox")->isReadOnly());

        stick.setSelectedScript("Fire");
        QCOMPARE(box(stick, "triggerPressBox")->text(), QString("S_TriggerPress"));
        QVERIFY(test::clickButton(&stick, "triggerPressButton"));
        QVERIFY(test::clickButton(&stick, "stickHat2DownLeftReleaseButton"));
        auto expected = shown;
        expected[indexOf(SlotGroup::Stick, "TriggerPress")] = "Fire";
        expected[indexOf(SlotGroup::Stick, "StickHat2DownLeftRelease")] = "Fire";
        QCOMPARE(stick.collectAssignments(), expected);
        QCOMPARE(box(stick, "triggerPressBox")->text(), QString("Fire"));

        stick.setSelectedScript("");
        QVERIFY(test::clickButton(&stick, "triggerPressButton"));
        QCOMPARE(box(stick, "triggerPressBox")->text(), QString());
        QCOMPARE(stick.collectAssignments()[0], Assignment());
    }

    void typedTextIsCollectedOnlyAfterARereadOfThePanel() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        openPanel(stick);
        showMode(stickDocument, stick, SlotGroup::Stick, numberedValues(SlotGroup::Stick),
                 "DEFAULT");
        QTest::mouseClick(box(stick, "launchPressBox"), Qt::LeftButton);
        QTest::keyClicks(box(stick, "launchPressBox"), "Flare");
        // Entering the box emptied it; the typing itself is not read yet.
        QCOMPARE(stick.collectAssignments()[indexOf(SlotGroup::Stick, "LaunchPress")],
                 Assignment());
        QVERIFY(test::clickButton(&stick, "shiftReleaseButton"));
        QCOMPARE(stick.collectAssignments()[indexOf(SlotGroup::Stick, "LaunchPress")],
                 Assignment("Flare"));

        QTest::keyClicks(box(stick, "launchPressBox"), "2");
        QTest::keyClick(box(stick, "launchPressBox"), Qt::Key_Return);
        QVERIFY(!stick.isVisible());
        QCOMPARE(stick.collectAssignments()[indexOf(SlotGroup::Stick, "LaunchPress")],
                 Assignment("Flare2"));
    }

    void escapeAndCloseHideWithoutAReread() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        openPanel(stick);
        QTest::mouseClick(box(stick, "fireAPressBox"), Qt::LeftButton);
        QTest::keyClicks(box(stick, "fireAPressBox"), "Gun");
        QTest::keyClick(box(stick, "fireAPressBox"), Qt::Key_Escape);
        QVERIFY(!stick.isVisible());
        QCOMPARE(stick.collectAssignments()[indexOf(SlotGroup::Stick, "FireAPress")], Assignment());

        openPanel(stick);
        QCOMPARE(box(stick, "fireAPressBox")->text(), QString("Gun")); // kept on screen
        QVERIFY(test::clickButton(&stick, "panelCloseButton"));
        QVERIFY(!stick.isVisible());
        QCOMPARE(stick.collectAssignments()[indexOf(SlotGroup::Stick, "FireAPress")], Assignment());
        openPanel(stick);
        QVERIFY(stick.close());
        QVERIFY(!stick.isVisible());
    }

    void clickingOrTabbingIntoABoxEmptiesIt() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        openPanel(stick);
        const auto shown = numberedValues(SlotGroup::Stick);
        showMode(stickDocument, stick, SlotGroup::Stick, shown, "DEFAULT");
        QTest::mouseClick(box(stick, "fireBPressBox"), Qt::LeftButton);
        QCOMPARE(box(stick, "fireBPressBox")->text(), QString());
        // Tab on: the release box, then the "<< R" button, then the next row's "P >>" ...
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(stick, "fireBReleaseBox"));
        QCOMPARE(box(stick, "fireBReleaseBox")->text(), QString());
        // ... and back: press box, "P >>", the row above's "<< R", its release box.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), box(stick, "fireAReleaseBox"));
        QCOMPARE(box(stick, "fireAReleaseBox")->text(), QString());
        QCOMPARE(box(stick, "fireAPressBox")->text(), QString("S_FireAPress"));

        auto expected = shown;
        for (const char* name : {"FireBPress", "FireBRelease", "FireARelease"})
            expected[indexOf(SlotGroup::Stick, name)].clear();
        QCOMPARE(stick.collectAssignments(), expected);
    }

    void tabbingThroughThePanelEmptiesEveryBox() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        openPanel(stick);
        showMode(stickDocument, stick, SlotGroup::Stick, numberedValues(SlotGroup::Stick),
                 "DEFAULT");
        QTest::mouseClick(box(stick, "triggerPressBox"), Qt::LeftButton);
        for (int i = 0; i < 250; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(stick.collectAssignments(), std::vector<Assignment>(kStickSlotCount));
        QCOMPARE(box(stick, "activeModeBox")->text(), QString("DEFAULT"));
    }

    void comingBackToThePanelKeepsTheFocusedBox() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        QWidget other;
        openPanel(stick);
        showMode(stickDocument, stick, SlotGroup::Stick, numberedValues(SlotGroup::Stick), "M2");
        QTest::mouseClick(box(stick, "triggerPressBox"), Qt::LeftButton);
        stick.setSelectedScript("Fire");
        QVERIFY(test::clickButton(&stick, "triggerPressButton")); // focus moves to the button
        box(stick, "triggerPressBox")->setFocus(Qt::OtherFocusReason);
        QCOMPARE(box(stick, "triggerPressBox")->text(), QString("Fire"));

        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        stick.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stick));
        QCOMPARE(QApplication::focusWidget(), box(stick, "triggerPressBox"));
        QCOMPARE(box(stick, "triggerPressBox")->text(), QString("Fire"));
    }

    void showThenCollectGivesTheSameValues() {
        EditedProfile throttleDocument;
        ThrottlePanel throttle(throttleDocument);
        const auto shown = numberedValues(SlotGroup::Throttle);
        showMode(throttleDocument, throttle, SlotGroup::Throttle, shown, "Landing");
        QCOMPARE(throttle.collectAssignments(), shown);
        // A second show re-reads the boxes first and then replaces everything.
        showMode(throttleDocument, throttle, SlotGroup::Throttle,
                 std::vector<Assignment>(kThrottleSlotCount, "X"), "Two");
        QCOMPARE(throttle.collectAssignments(), std::vector<Assignment>(kThrottleSlotCount, "X"));
        throttleDocument.selectMode(-1);
        throttle.showActiveMode();
        QCOMPARE(throttle.collectAssignments(), std::vector<Assignment>(kThrottleSlotCount));
        QCOMPARE(box(throttle, "activeModeBox")->text(), QString());
        QCOMPARE(box(throttle, "mouseHatUpPressBox")->text(), QString());
    }

    void throttleShowsModeOneInItsRowBelowTheAuxRows() {
        EditedProfile throttleDocument;
        ThrottlePanel throttle(throttleDocument);
        openPanel(throttle);
        showMode(throttleDocument, throttle, SlotGroup::Throttle,
                 numberedValues(SlotGroup::Throttle), "DEFAULT");
        QCOMPARE(box(throttle, "mode1PressBox")->text(), QString("S_Mode1Press"));
        QCOMPARE(box(throttle, "fireDPressBox")->text(), QString("S_FireDPress"));
        QCOMPARE(box(throttle, "throttleHat1CenterReleaseBox")->text(),
                 QString("S_ThrottleHat1CenterRelease"));
        auto y = [&](const char* name) {
            return box(throttle, name)->mapTo(&throttle, QPoint()).y();
        };
        QVERIFY(y("fireDPressBox") < y("mouseButtonPressBox"));
        QVERIFY(y("mouseButtonPressBox") < y("aux1PressBox"));
        QVERIFY(y("aux3PressBox") < y("mode1PressBox"));
        QVERIFY(y("mode1PressBox") < y("mode3PressBox"));

        throttle.setSelectedScript("Gear");
        QVERIFY(test::clickButton(&throttle, "mode1PressButton"));
        QCOMPARE(throttle.collectAssignments()[indexOf(SlotGroup::Throttle, "Mode1Press")],
                 Assignment("Gear"));
        QCOMPARE(throttle.collectAssignments().front(), Assignment("S_FireDPress"));
    }

    void groupsAndRowLabelsAreShownAndNothingIsClipped() {
        EditedProfile stickDocument;
        StickPanel stick(stickDocument);
        EditedProfile throttleDocument;
        ThrottlePanel throttle(throttleDocument);
        for (QDialog* panel : {static_cast<QDialog*>(&stick), static_cast<QDialog*>(&throttle)}) {
            openPanel(*panel);
            QStringList titles;
            for (auto* group : panel->findChildren<QGroupBox*>())
                titles << group->title();
            QVERIFY(titles.contains("BUTTON GROUP"));
            QVERIFY(titles.contains("HAT 1 GROUP"));
            QVERIFY(titles.contains(panel == &stick ? "HAT 2 GROUP" : "MOUSE HAT GROUP"));
            QStringList labels;
            for (auto* label : panel->findChildren<QLabel*>())
                labels << label->text();
            QCOMPARE(labels.count("UP-LEFT:"), 2);
            QCOMPARE(labels.count("(press)"), 3);
            QVERIFY(labels.contains("Active Programming Mode:"));
            QVERIFY(labels.contains(panel == &stick ? "BUTTON C:" : "MOUSE BTN:"));
            const QRect inside = panel->rect();
            for (auto* widget : panel->findChildren<QWidget*>())
                if (widget->isVisible())
                    QVERIFY2(inside.contains(QRect(widget->mapTo(panel, QPoint()), widget->size())),
                             qPrintable(widget->objectName()));
        }
    }
};

QTEST_MAIN(StickThrottlePanelTest)
#include "StickThrottlePanelTest.moc"
