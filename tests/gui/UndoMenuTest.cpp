#include "editor/EditorWindow.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "profile/SlotTable.h"
#include "support/GuiTestSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;

namespace {

using platform::MessageAnswer;

// A shown editor window, its boxes and dialogs answered by the seams.
struct Editor {
    test::GuiSeams seams;
    EditorWindow window;

    Editor() {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the editor window did not become active");
    }

    QLineEdit* box(const char* name) const { return test::child<QLineEdit>(&window, name); }
    QString text(const char* name) const { return box(name)->text(); }
    QListView* list(const char* name) const { return test::child<QListView>(&window, name); }
    QAction* action(const char* name) const { return test::child<QAction>(&window, name); }

    void click(const char* name) const {
        if (!test::clickButton(&window, name))
            qFatal("button %s is missing or disabled", name);
    }
    void type(const char* boxName, const QString& typed) const {
        QLineEdit* target = box(boxName);
        QTest::mouseClick(target, Qt::LeftButton);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, typed);
    }
    void choose(const QString& entry) {
        test::chooseMenuEntry(window, window.menuBar(), "editMenu", entry);
    }
    // A shortcut pressed with the focus on the script list, where no box takes it.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers) const {
        list("scriptList")->setFocus();
        QTest::keyClick(list("scriptList"), key, modifiers);
    }

    QStringList listed(const char* listName) const {
        QStringList names;
        auto* model = list(listName)->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }
    void select(const char* listName, const QString& name) const {
        QListView* view = list(listName);
        const QModelIndex index = view->model()->index(int(listed(listName).indexOf(name)), 0);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    QString selected(const char* listName) const {
        const auto rows = list(listName)->selectionModel()->selectedRows();
        return rows.isEmpty() ? QString() : rows.first().data().toString();
    }
};

} // namespace

class UndoMenuTest : public QObject {
    Q_OBJECT
private slots:
    // Undo and Redo are named after the command they take, and only offered when there is one;
    // undoing every command returns the new profile, unmarked.
    void scriptCommandsThroughTheMenuAndShortcuts() {
        Editor e;
        QVERIFY(!e.action("editUndoAction")->isEnabled());
        QVERIFY(!e.action("editRedoAction")->isEnabled());

        e.type("scriptBox", "Fire a A");
        e.click("scriptAddButton");
        e.select("scriptList", "Fire");
        e.click("scriptDeleteButton");
        QCOMPARE(e.listed("scriptList"), QStringList{"_NULL"});
        QCOMPARE(test::plainText(e.action("editUndoAction")), QString("Undo Delete Script 'Fire'"));
        QCOMPARE(test::shownTitle(e.window), QString("Vantrel Generator*"));

        e.choose("Undo Delete Script 'Fire'");
        QCOMPARE(e.listed("scriptList"), (QStringList{"_NULL", "Fire"}));
        QCOMPARE(e.selected("scriptList"), QString("Fire"));
        QCOMPARE(e.text("scriptBox"), QString("Fire a A"));
        QCOMPARE(e.text("statusBox"), QString("Delete Script 'Fire' undone."));
        QCOMPARE(test::plainText(e.action("editRedoAction")), QString("Redo Delete Script 'Fire'"));

        e.press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e.listed("scriptList"), QStringList{"_NULL"});
        QCOMPARE(e.text("statusBox"), QString("Delete Script 'Fire' redone."));
        e.press(Qt::Key_Z, Qt::ControlModifier);
        e.press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.listed("scriptList"), QStringList{"_NULL"});
        QCOMPARE(e.text("statusBox"), QString("Add Script 'Fire' undone."));
        QVERIFY(!e.action("editUndoAction")->isEnabled());
        QVERIFY(e.window.profileSaved());
        QCOMPARE(test::shownTitle(e.window), QString("Vantrel Generator"));

        e.press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(e.listed("scriptList"), (QStringList{"_NULL", "Fire"}));
        QCOMPARE(e.text("statusBox"), QString("Add Script 'Fire' redone."));

        // Clear All, confirmed, comes back whole.
        e.seams.messages.queueAnswer(MessageAnswer::Yes);
        e.click("scriptClearAllButton");
        QCOMPARE(e.listed("scriptList"), QStringList{});
        e.choose("Undo Clear All Scripts");
        QCOMPARE(e.listed("scriptList"), (QStringList{"_NULL", "Fire"}));
    }

    // Undoing a mode command selects the mode again and shows it in the name box and panels.
    void modeCommandsRestoreTheSelection() {
        Editor e;
        e.type("modeNameBox", "Combat");
        e.click("modeCreateButton");
        e.click("modeDeleteButton");
        QCOMPARE(e.listed("modeList"), QStringList{"DEFAULT"});
        QCOMPARE(e.selected("modeList"), QString("DEFAULT"));

        e.choose("Undo Delete Mode 'Combat'");
        QCOMPARE(e.listed("modeList"), (QStringList{"DEFAULT", "Combat"}));
        QCOMPARE(e.selected("modeList"), QString("Combat"));
        QCOMPARE(e.text("modeNameBox"), QString("Combat"));
        QCOMPARE(e.window.activeModeIndex(), 1);
        QCOMPARE(test::child<QLineEdit>(&e.window.stickPanel(), "activeModeBox")->text(),
                 QString("Combat"));
        QVERIFY(test::child<QPushButton>(&e.window, "modeDeleteButton")->isEnabled());

        // Typing the new name had left no mode selected.
        e.choose("Undo Create Mode 'Combat'");
        QCOMPARE(e.listed("modeList"), QStringList{"DEFAULT"});
        QCOMPARE(e.selected("modeList"), QString());
        QCOMPARE(e.window.activeModeIndex(), -1);
        QVERIFY(test::child<QPushButton>(&e.window, "modeCreateButton")->isEnabled());
        QVERIFY(e.window.profileSaved());
    }

    // A panel's assignment is a command: opening the panel changes nothing, Undo empties the
    // box again and the mode's stored value with it.
    void panelAssignmentsAreUndone() {
        Editor e;
        e.type("scriptBox", "Fire a A");
        e.click("scriptAddButton");
        e.window.document().markSaved();
        e.select("scriptList", "Fire");
        e.click("joystickButton");
        QVERIFY(e.window.profileSaved());
        StickPanel& stick = e.window.stickPanel();
        QVERIFY(QTest::qWaitForWindowExposed(&stick));
        QVERIFY(test::clickButton(&stick, "triggerPressButton"));
        const int trigger = *SlotTable::instance().positionOf("TriggerPress");
        QCOMPARE(e.window.modes()[0].assignment(trigger), Assignment("Fire"));
        QVERIFY(!e.window.profileSaved());

        e.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.window));
        e.choose("Undo Assign 'Fire' to TriggerPress");
        QCOMPARE(test::child<QLineEdit>(&stick, "triggerPressBox")->text(), QString());
        QCOMPARE(e.window.modes()[0].assignment(trigger), Assignment());
        QCOMPARE(e.text("statusBox"), QString("Assign 'Fire' to TriggerPress undone."));
        QVERIFY(e.window.profileSaved());
        e.choose("Redo Assign 'Fire' to TriggerPress");
        QCOMPARE(test::child<QLineEdit>(&stick, "triggerPressBox")->text(), QString("Fire"));

        // Text typed into another box is taken with the next assignment, in one command.
        stick.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&stick));
        auto* launch = test::child<QLineEdit>(&stick, "launchPressBox");
        QTest::mouseClick(launch, Qt::LeftButton);
        QTest::keyClicks(launch, "Flare");
        QVERIFY(test::clickButton(&stick, "triggerReleaseButton"));
        const int launchPress = *SlotTable::instance().positionOf("LaunchPress");
        QCOMPARE(e.window.modes()[0].assignment(launchPress), Assignment("Flare"));
        e.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.window));
        e.choose("Undo Assign 'Fire' to TriggerRelease");
        QCOMPARE(launch->text(), QString());
        QCOMPARE(test::child<QLineEdit>(&stick, "triggerReleaseBox")->text(), QString());
        QCOMPARE(e.window.modes()[0].assignment(launchPress), Assignment());
        QCOMPARE(test::plainText(e.action("editUndoAction")),
                 QString("Undo Assign 'Fire' to TriggerPress"));
    }

    // The axis panel's chain commands and its assignments are commands as well: Undo gives
    // the chain list, the selection and the boxes back as they were.
    void chainCommandsAreUndone() {
        Editor e;
        e.click("axisButton");
        QVERIFY(e.window.profileSaved()); // opening the panel changes nothing
        AxisPanel& axis = e.window.axisPanel();
        QVERIFY(QTest::qWaitForWindowActive(&axis));
        auto* name = test::child<QLineEdit>(&axis, "chainNameBox");
        auto* chains = test::child<QListWidget>(&axis, "chainList");
        auto* xAxis = test::child<QLineEdit>(&axis, "xAxisBox");
        QTest::mouseClick(name, Qt::LeftButton);
        QTest::keyClicks(name, "Gear");
        QVERIFY(test::clickButton(&axis, "chainAddButton"));
        QVERIFY(test::clickButton(&axis, "xAxisButton"));
        QVERIFY(test::clickButton(&axis, "chainDeleteButton"));
        QCOMPARE(chains->count(), 0);
        QCOMPARE(xAxis->text(), QString("Gear"));

        e.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&e.window));
        e.choose("Undo Delete Chain 'Gear'");
        QCOMPARE(chains->count(), 1);
        QCOMPARE(chains->selectedItems().size(), 1);
        QCOMPARE(name->text(), QString("Gear"));
        QVERIFY(test::child<QPushButton>(&axis, "chainDeleteButton")->isEnabled());
        QCOMPARE(e.text("statusBox"), QString("Delete Chain 'Gear' undone."));
        e.choose("Undo Assign 'Gear' to XAxis");
        QCOMPARE(xAxis->text(), QString());
        e.choose("Undo Add Chain 'Gear'");
        QCOMPARE(chains->count(), 0);
        QVERIFY(test::child<QPushButton>(&axis, "chainAddButton")->isEnabled());
        QVERIFY(e.window.profileSaved());

        e.press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        e.press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(chains->count(), 1);
        QCOMPARE(xAxis->text(), QString("Gear"));
        const int x = *SlotTable::instance().positionOf("XAxis");
        QCOMPARE(e.window.modes()[0].assignment(x), Assignment("Gear"));
    }

    // Set Default Delays is taken by Close; Undo puts the old values back into the boxes.
    void delaysAreUndone() {
        Editor e;
        test::chooseMenuEntry(e.window, e.window.menuBar(), "profileMenu", "Set Default Delays");
        SetDefaultDelaysDialog& dialog = e.window.delaysDialog();
        QVERIFY(e.window.profileSaved());
        auto* press = test::child<QLineEdit>(&dialog, "pressDelayBox");
        press->selectAll();
        QTest::keyClicks(press, "25");
        QVERIFY(test::clickButton(&dialog, "delaysCloseButton"));
        QCOMPARE(e.window.document().delays().press, 25u);
        QVERIFY(!e.window.profileSaved());

        e.choose("Undo Set Default Delays");
        QCOMPARE(e.window.document().delays().press, 10u);
        QCOMPARE(press->text(), QString("10"));
        QVERIFY(e.window.profileSaved());
        e.press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(press->text(), QString("25"));
        QCOMPARE(e.window.document().profile().pressDelay, 25u);
    }

    // The save question asks only while the profile differs from its file.
    void saveQuestionFollowsTheHistory() {
        QTemporaryDir folder;
        Editor e;
        e.type("scriptBox", "Gear g G");
        e.click("scriptAddButton");
        e.seams.desktop.queueFileName(folder.filePath("Hornet.vtp"));
        test::chooseMenuEntry(e.window, e.window.menuBar(), "fileMenu", "Save As...");
        QCOMPARE(test::shownTitle(e.window), QString("Vantrel Generator - Hornet.vtp"));

        e.type("scriptBox", "Flaps f F");
        e.click("scriptAddButton");
        QCOMPARE(test::shownTitle(e.window), QString("Vantrel Generator - Hornet.vtp*"));
        e.choose("Undo Add Script 'Flaps'");
        QCOMPARE(test::shownTitle(e.window), QString("Vantrel Generator - Hornet.vtp"));
        // Undone past the save, the profile differs from the file again.
        e.choose("Undo Add Script 'Gear'");
        QVERIFY(!e.window.profileSaved());
        e.choose("Redo Add Script 'Gear'");

        test::chooseMenuEntry(e.window, e.window.menuBar(), "fileMenu", "New");
        QVERIFY(e.seams.messages.shown().empty());
        QCOMPARE(e.listed("scriptList"), QStringList{"_NULL"});
        QVERIFY(!e.action("editUndoAction")->isEnabled());
        QVERIFY(!e.action("editRedoAction")->isEnabled());
    }

    // A file that cannot be read leaves the profile, its history and its mark as they were.
    void anUnreadableFileKeepsTheChanges() {
        QTemporaryDir folder;
        Editor e;
        e.type("scriptBox", "Gear g G");
        e.click("scriptAddButton");
        e.seams.messages.queueAnswer(MessageAnswer::No);
        e.seams.desktop.queueFileName(folder.path()); // a folder, not a file
        test::chooseMenuEntry(e.window, e.window.menuBar(), "fileMenu", "Open...");
        QCOMPARE(e.seams.messages.shown().back().title, std::string("Load Error"));
        QCOMPARE(e.listed("scriptList"), (QStringList{"_NULL", "Gear"}));
        QVERIFY(!e.window.profileSaved());
        QVERIFY(e.action("editUndoAction")->isEnabled());
    }
};

QTEST_MAIN(UndoMenuTest)
#include "UndoMenuTest.moc"
