#include "editor/EditorWindow.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "panels/StickPanel.h"
#include "profile/Profile.h"
#include "profile/SlotTable.h"
#include "support/GuiTestSupport.h"
#include "widgets/RenameDialog.h"

#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using namespace vantrel;

namespace {

using platform::MessageAnswer;

// A shown, active editor window with the seams answering every box and dialog.
struct Editor {
    test::GuiSeams seams;
    EditorWindow window;

    Editor() {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the editor window did not become active");
    }

    QLineEdit* box(const char* name) const { return test::child<QLineEdit>(&window, name); }
    QPushButton* button(const char* name) const { return test::child<QPushButton>(&window, name); }
    QListView* scriptList() const { return test::child<QListView>(&window, "scriptList"); }
    QListView* modeList() const { return test::child<QListView>(&window, "modeList"); }
    QString status() const { return box("statusBox")->text(); }

    void click(const char* name) const {
        if (!test::clickButton(&window, name))
            qFatal("button %s is missing or disabled", name);
    }

    // Clicks into a box, empties it and types, as a user would.
    void type(const char* boxName, const QString& text) const {
        QLineEdit* target = box(boxName);
        QTest::mouseClick(target, Qt::LeftButton);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, text);
    }
    void addScript(const QString& line) const {
        type("scriptBox", line);
        click("scriptAddButton");
    }

    QStringList listedScripts() const {
        QStringList names;
        auto* model = scriptList()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }
    int scriptRow(const QString& name) const { return int(listedScripts().indexOf(name)); }
    void clickScript(const QString& name) const {
        const QModelIndex index = scriptList()->model()->index(scriptRow(name), 0);
        QTest::mouseClick(scriptList()->viewport(), Qt::LeftButton, {},
                          scriptList()->visualRect(index).center());
    }
    int selectedScriptRow() const {
        const auto rows = scriptList()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    QStringList listedModes() const {
        QStringList names;
        auto* model = modeList()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }
    void clickMode(const QString& name) const {
        const QModelIndex index = modeList()->model()->index(int(listedModes().indexOf(name)), 0);
        QTest::mouseClick(modeList()->viewport(), Qt::LeftButton, {},
                          modeList()->visualRect(index).center());
    }
    int selectedModeRow() const {
        const auto rows = modeList()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    QString panelModeName() {
        return test::child<QLineEdit>(&window.stickPanel(), "activeModeBox")->text();
    }
    QStringList storedModeNames() {
        QStringList names;
        for (const auto& mode : window.modes())
            names << QString::fromStdString(mode.name());
        return names;
    }
};

int slot(const char* name) {
    return *SlotTable::instance().positionOf(name);
}

// Works the Rename dialog's real widgets: types a name and presses OK.
platform::ScriptedDesktop::ModalScript renameTo(const QString& name) {
    return [name](QDialog& dialog) {
        auto* box = test::child<QLineEdit>(&dialog, "renameNameBox");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, name);
        QTest::mouseClick(test::child<QPushButton>(&dialog, "renameOkButton"), Qt::LeftButton);
        return dialog.result();
    };
}

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithANewProfile() {
        Editor e;
        QCOMPARE(test::shownTitle(e.window), QString("Vantrel Generator"));
        QCOMPARE(e.listedScripts(), QStringList{"_NULL"});
        QCOMPARE(e.window.scripts(), std::vector<Script>{"_NULL"});
        QCOMPARE(e.listedModes(), QStringList{"DEFAULT"});
        QCOMPARE(e.selectedModeRow(), 0);
        QCOMPARE(e.box("modeNameBox")->text(), QString("DEFAULT"));
        QCOMPARE(e.panelModeName(), QString("DEFAULT"));
        QVERIFY(e.window.profileSaved());
        QCOMPARE(e.status(), QString());
        QVERIFY(e.box("statusBox")->isReadOnly());
        for (const char* name : {"scriptAddButton", "scriptUpdateButton", "scriptDuplicateButton",
                                 "scriptDeleteButton", "modeCreateButton"})
            QVERIFY2(!e.button(name)->isEnabled(), name);
        for (const char* name : {"scriptClearAllButton", "modeRenameButton", "modeDuplicateButton",
                                 "modeSetDefaultButton", "modeDeleteButton", "joystickButton",
                                 "throttleButton", "axisButton"})
            QVERIFY2(e.button(name)->isEnabled(), name);
        QVERIFY(!e.window.stickPanel().isVisible());
        QVERIFY(!e.window.delaysDialog().isVisible());
        QCOMPARE(e.modeList()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(e.window.menuBar() && e.window.menuBar()->objectName() == "menuBar");
        for (QWidget* widget : e.window.findChildren<QWidget*>())
            if (qobject_cast<QPushButton*>(widget) || qobject_cast<QLineEdit*>(widget))
                QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
    }

    void addingAndRefusingScripts() {
        Editor e;
        e.addScript("Fire a^40 A");
        QCOMPARE(e.status(), QString("Script 'Fire' added."));
        QCOMPARE(e.listedScripts(), (QStringList{"_NULL", "Fire"}));
        QCOMPARE(e.window.scripts().back(), std::string("Fire a^40 A"));
        QCOMPARE(e.box("scriptBox")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), e.box("scriptBox"));
        QVERIFY(!e.window.profileSaved());

        // Add stays enabled after a successful Add; an empty box is then refused.
        QVERIFY(e.button("scriptAddButton")->isEnabled());
        e.click("scriptAddButton");
        QCOMPARE(e.status(), QString("Add Error:  Zero length script not allowed."));
        QCOMPARE(e.window.scripts().size(), std::size_t(2));

        // The list finds Fire whatever the letter case.
        e.type("scriptBox", "fire b B");
        QVERIFY(!e.button("scriptAddButton")->isEnabled());
        QVERIFY(e.button("scriptUpdateButton")->isEnabled());
        e.window.addScript("fire b B");
        QCOMPARE(e.status(), QString("Add Error:  Script 'fire' already exists."));
        QCOMPARE(e.listedScripts(), (QStringList{"_NULL", "Fire"}));
    }

    void theScriptBoxIsTrimmed() {
        Editor e;
        // Leading blanks vanish while typing.
        e.type("scriptBox", "   Jump kp_1 # note");
        QCOMPARE(e.box("scriptBox")->text(), QString("Jump kp_1 # note"));
        // Leaving the box cuts at the comment sign and trims.
        QTest::keyClick(e.box("scriptBox"), Qt::Key_Tab);
        QCOMPARE(e.box("scriptBox")->text(), QString("Jump kp_1"));

        // Add reached as its mnemonic reaches it, the focus staying in the box, stores the cut
        // line too.
        e.type("scriptBox", "Gear g=1 # x");
        e.button("scriptAddButton")->click();
        QCOMPARE(e.status(), QString("Script 'Gear' added."));
        QCOMPARE(e.window.scripts().back(), std::string("Gear g"));

        // Enter and Escape do nothing: no command, and the window stays open.
        e.type("scriptBox", "Brake b");
        QTest::keyClick(e.box("scriptBox"), Qt::Key_Return);
        QTest::keyClick(e.box("scriptBox"), Qt::Key_Escape);
        QVERIFY(e.window.isVisible());
        QCOMPARE(e.listedScripts(), (QStringList{"_NULL", "Gear"}));
    }

    void updatingAScript() {
        Editor e;
        e.addScript("Fire a^40 A");
        e.type("scriptBox", "Fire b B # old");
        e.click("scriptUpdateButton");
        QCOMPARE(e.status(), QString("Script 'Fire' updated."));
        QCOMPARE(e.window.scripts().back(), std::string("Fire b B"));

        // Only the letter case differs: nothing is stored under that exact name.
        e.type("scriptBox", "fire c C");
        QVERIFY(e.button("scriptUpdateButton")->isEnabled());
        e.click("scriptUpdateButton");
        QCOMPARE(e.status(), QString("Update Error:  Script 'fire' does not exist."));
        QCOMPARE(e.window.scripts().back(), std::string("Fire b B"));

        e.type("scriptBox", "_NULL");
        QVERIFY(!e.button("scriptUpdateButton")->isEnabled());
    }

    void duplicatingAScript() {
        Editor e;
        e.addScript("Fire a^40 A");
        e.addScript("Fire_2 x");
        e.clickScript("Fire");
        QCOMPARE(e.box("scriptBox")->text(), QString("Fire a^40 A"));
        e.click("scriptDuplicateButton");
        QCOMPARE(e.status(), QString("Duplicate 'Fire_3' created successfully."));
        QCOMPARE(e.window.scripts().back(), std::string("Fire_3 a^40 A"));
        QCOMPARE(e.listedScripts(), (QStringList{"_NULL", "Fire", "Fire_2", "Fire_3"}));
        QCOMPARE(e.selectedScriptRow(), e.scriptRow("Fire"));
    }

    void selectingAndDeletingScripts() {
        Editor e;
        e.addScript("Alpha a");
        e.addScript("Bravo b");
        e.clickScript("_NULL");
        QCOMPARE(e.box("scriptBox")->text(), QString("_NULL"));
        QVERIFY(!e.button("scriptDeleteButton")->isEnabled());
        QVERIFY(!e.button("scriptDuplicateButton")->isEnabled());
        QVERIFY(!e.button("scriptUpdateButton")->isEnabled());

        // The panels are handed the selection.
        e.clickScript("Bravo");
        e.click("joystickButton");
        test::clickButton(&e.window.stickPanel(), "triggerPressButton");
        QCOMPARE(test::child<QLineEdit>(&e.window.stickPanel(), "triggerPressBox")->text(),
                 QString("Bravo"));

        e.clickScript("Alpha");
        QVERIFY(e.button("scriptDeleteButton")->isEnabled());
        e.click("scriptDeleteButton");
        QCOMPARE(e.status(), QString("Script deleted."));
        QCOMPARE(e.listedScripts(), (QStringList{"_NULL", "Bravo"}));
        QCOMPARE(e.window.scripts(), (std::vector<Script>{"_NULL", "Bravo b"}));
        QCOMPARE(e.selectedScriptRow(), 0);
        QCOMPARE(e.box("scriptBox")->text(), QString("_NULL"));
    }

    void clearingAllScripts() {
        Editor e;
        e.addScript("Alpha a");
        e.window.document().markSaved();
        e.seams.messages.queueAnswer(MessageAnswer::No);
        e.click("scriptClearAllButton");
        QCOMPARE(e.seams.messages.shown().size(), std::size_t(1));
        QCOMPARE(e.seams.messages.shown()[0].title, std::string("Confirm Clear"));
        QCOMPARE(e.seams.messages.shown()[0].text,
                 std::string("This will delete all currently listed scripts.  Continue?"));
        QCOMPARE(e.listedScripts(), (QStringList{"_NULL", "Alpha"}));
        QVERIFY(e.window.profileSaved()); // a declined Clear All changes nothing

        e.seams.messages.queueAnswer(MessageAnswer::Yes);
        e.click("scriptClearAllButton");
        QCOMPARE(e.listedScripts(), QStringList{});
        QVERIFY(e.window.scripts().empty());
        QCOMPARE(e.status(), QString("Script list cleared."));

        e.window.newProfile();
        e.window.switchMode();
        QCOMPARE(e.listedScripts(), QStringList{"_NULL"});
    }

    void renamingModes() {
        Editor e;
        e.type("modeNameBox", "Combat");
        e.click("modeCreateButton");
        QCOMPARE(e.listedModes(), (QStringList{"DEFAULT", "Combat"}));
        e.window.document().markSaved();

        // Letter case alone is a taken name: the dialog opens again until cancelled.
        e.seams.desktop.queueModal(renameTo("combat"));
        e.click("modeRenameButton");
        QCOMPARE(e.seams.desktop.modalTitles().size(), std::size_t(2));
        QCOMPARE(e.status(), QString("Duplicate mode names detected."));
        QCOMPARE(e.listedModes(), (QStringList{"DEFAULT", "Combat"}));
        QVERIFY(e.window.profileSaved()); // a cancelled rename changes nothing

        e.seams.desktop.queueModal(renameTo("DEFAULT"));
        e.seams.desktop.queueModal(renameTo("Climb (steep)"));
        e.click("modeRenameButton");
        QCOMPARE(e.status(), QString("Mode 'Combat' renamed to 'Climb'"));
        QCOMPARE(e.listedModes(), (QStringList{"DEFAULT", "Climb"}));
        QCOMPARE(e.storedModeNames(), (QStringList{"DEFAULT", "Climb"}));
        QCOMPARE(e.selectedModeRow(), 1);
        QCOMPARE(e.panelModeName(), QString("Climb"));
    }

    void typingAModeNameFollowsTheList() {
        Editor e;
        e.addScript("Fire a^40 A");
        e.window.addMode("Combat");
        e.window.switchMode();
        e.clickMode("DEFAULT");

        e.type("modeNameBox", "combat");
        QCOMPARE(e.selectedModeRow(), 1);
        QCOMPARE(e.box("modeNameBox")->text(), QString("Combat"));
        QVERIFY(!e.button("modeCreateButton")->isEnabled());
        QCOMPARE(e.panelModeName(), QString("Combat"));

        // An edit in the stick panel, then one letter more in the name box.
        e.clickScript("Fire");
        e.click("joystickButton");
        QVERIFY(test::clickButton(&e.window.stickPanel(), "triggerPressButton"));
        QTest::keyClicks(e.box("modeNameBox"), "s");
        QCOMPARE(e.selectedModeRow(), -1);
        QVERIFY(e.button("modeCreateButton")->isEnabled());
        QVERIFY(!e.button("joystickButton")->isEnabled());
        QCOMPARE(e.panelModeName(), QString());
        QCOMPARE(e.window.activeModeIndex(), -1);
        QCOMPARE(e.window.modes()[1].assignment(slot("TriggerPress")), std::string("Fire"));

        // Leaving the box cuts the name; Create Mode then adds it.
        e.type("modeNameBox", "  Strike = fast");
        QTest::keyClick(e.box("modeNameBox"), Qt::Key_Tab);
        QCOMPARE(e.box("modeNameBox")->text(), QString("Strike"));
        e.click("modeCreateButton");
        QCOMPARE(e.listedModes(), (QStringList{"DEFAULT", "Combat", "Strike"}));
        QCOMPARE(e.selectedModeRow(), 2);

        // Reached as by its mnemonic, the focus still in the box, the name is cut all the same.
        e.type("modeNameBox", "Land#x");
        QVERIFY(e.button("modeCreateButton")->isEnabled());
        e.button("modeCreateButton")->click();
        QCOMPARE(e.listedModes(), (QStringList{"DEFAULT", "Combat", "Strike", "Land"}));
    }

    void duplicatingAndDeletingModes() {
        Editor e;
        e.click("modeDuplicateButton");
        QCOMPARE(e.status(), QString("Mode duplicated as 'DEFAULT_2'."));
        e.click("modeDuplicateButton");
        QCOMPARE(e.listedModes(), (QStringList{"DEFAULT", "DEFAULT_2", "DEFAULT_3"}));
        QCOMPARE(e.selectedModeRow(), 0);

        // Names beginning with DEFAULT are never deleted, silently.
        e.clickMode("DEFAULT_2");
        e.window.setStatusText("");
        e.click("modeDeleteButton");
        QCOMPARE(e.listedModes(), (QStringList{"DEFAULT", "DEFAULT_2", "DEFAULT_3"}));
        QCOMPARE(e.status(), QString());
    }

    void deletingTheFirstMode() {
        Editor e;
        e.window.resetProfile();
        e.window.addMode("Combat");
        e.window.addMode("DEFAULT");
        e.window.switchMode();
        e.clickMode("Combat");
        QCOMPARE(e.panelModeName(), QString("Combat"));
        e.click("modeDeleteButton");
        QCOMPARE(e.status(), QString("Mode 'Combat' deleted."));
        QCOMPARE(e.listedModes(), QStringList{"DEFAULT"});
        QCOMPARE(e.storedModeNames(), QStringList{"DEFAULT"});
        QCOMPARE(e.selectedModeRow(), -1);
        QCOMPARE(e.window.activeModeIndex(), -1);
        QCOMPARE(e.panelModeName(), QString());
        QVERIFY(!e.button("joystickButton")->isEnabled());
        QVERIFY(e.button("modeCreateButton")->isEnabled());
    }

    void settingTheDefaultMode() {
        Editor e;
        e.window.addMode("Climb");
        e.window.switchMode();
        e.window.document().markSaved();
        e.click("modeSetDefaultButton");
        QCOMPARE(e.listedModes(), (QStringList{"unknown", "DEFAULT"}));
        QCOMPARE(e.storedModeNames(), (QStringList{"unknown", "DEFAULT"}));
        QCOMPARE(e.status(), QString("New DEFAULT mode set."));
        QCOMPARE(e.selectedModeRow(), 1);
        QCOMPARE(e.panelModeName(), QString("DEFAULT"));
        QVERIFY(!e.window.profileSaved()); // two modes were renamed

        // With a mode "unknown" present the old default becomes unknown_1.
        e.window.addMode("Climb");
        e.window.switchMode();
        e.click("modeSetDefaultButton");
        QCOMPARE(e.listedModes(), (QStringList{"unknown", "unknown_1", "DEFAULT"}));
        QCOMPARE(e.storedModeNames(), e.listedModes());
    }

    void panelsFollowTheActiveMode() {
        // The typical road: a script added, put on the trigger of DEFAULT, stored by switchMode.
        Editor e;
        e.addScript("Fire a^40 A");
        QCOMPARE(e.selectedModeRow(), 0);
        e.clickScript("Fire");
        e.window.document().markSaved();
        e.click("joystickButton");
        QVERIFY(e.window.profileSaved()); // opening a panel changes nothing
        QVERIFY(e.window.stickPanel().isVisible());
        QVERIFY(test::clickButton(&e.window.stickPanel(), "triggerPressButton"));
        QVERIFY(!e.window.profileSaved());
        e.window.switchMode();
        QCOMPARE(e.window.modes()[0].assignment(slot("TriggerPress")), std::string("Fire"));
        QCOMPARE(e.window.document().profile().modes[0].assignment(slot("TriggerPress")),
                 std::string("Fire"));

        // resetProfile empties everything and the panels with it.
        e.window.resetProfile();
        QVERIFY(e.window.scripts().empty());
        QVERIFY(e.window.modes().empty());
        QCOMPARE(e.panelModeName(), QString());
        QVERIFY(e.window.profileSaved());
    }

    void nothingIsClipped() {
        Editor e;
        e.addScript("Fire a^40 A");
        const QRect inside = e.window.rect();
        for (QWidget* widget : e.window.findChildren<QWidget*>()) {
            if (!widget->isVisible() || widget->window() != &e.window)
                continue;
            const QRect area(widget->mapTo(&e.window, QPoint(0, 0)), widget->size());
            QVERIFY2(inside.contains(area), qPrintable(widget->objectName()));
            if (auto* button = qobject_cast<QPushButton*>(widget))
                QVERIFY2(button->width() >= button->minimumSizeHint().width(),
                         qPrintable(button->objectName()));
        }
        QCOMPARE(e.window.minimumSize(), e.window.maximumSize());
        test::saveScreenshot(&e.window, "editor-window.png");
    }
};

QTEST_MAIN(EditorWindowTest)
#include "EditorWindowTest.moc"
