// The assignment panels and the delays dialog are built only when first shown. What they hold
// lives in the editor from the start: a profile opened before a panel exists shows in it when
// it opens, edits survive hiding, and a profile saved without any panel ever shown keeps every
// byte.
#include "editor/EditorWindow.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "files/EditedProfileFile.h"
#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "support/GuiTestSupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;

namespace {

// Two chains (Flaps read last), two modes (DEFAULT read last, so active after loading) with
// stick, throttle and axis assignments.
const char* const kProfile = "<HEADER>\r\n"
                             "DEFAULT_PRESS_DELAY=15\r\n"
                             "DEFAULT_RELEASE_DELAY=25\r\n"
                             "\r\n"
                             "<SCRIPTLIST>\r\n"
                             "_NULL\r\n"
                             "Fire a^40 A\r\n"
                             "Jump b B\r\n"
                             "Jump c C\r\n"
                             "\r\n"
                             "<AXIS_CHAINS>\r\n"
                             "[Gear]\r\n"
                             "(-20000 : 20000 ; 10) ( + Fire  - Jump )\r\n"
                             "{Gear}\r\n"
                             "[Flaps]\r\n"
                             "(0 : 100 ; 250) ( + Jump  - Fire )\r\n"
                             "{Flaps}\r\n"
                             "\r\n"
                             "<PROGRAM_MODES>\r\n"
                             "[Climb]\r\n"
                             "LaunchPress = Jump\r\n"
                             "{Climb}\r\n"
                             "[DEFAULT]\r\n"
                             "TriggerPress = Fire\r\n"
                             "StickHat2CenterRelease = Jump\r\n"
                             "FireDPress = Jump\r\n"
                             "XAxis = Gear\r\n"
                             "R2Axis = Flaps\r\n"
                             "{DEFAULT}\r\n";

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

struct Editor {
    test::GuiSeams seams;
    EditorWindow window;
    DiagnosticList diagnostics;

    Editor() {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("the editor window was not exposed");
    }

    bool open(const QString& path) { return window.openProfile(path.toStdString(), diagnostics); }
    bool save(const QString& path) {
        window.setProfilePath(path.toStdString());
        return window.saveProfile(diagnostics);
    }
    template <typename T> T* built() const { return window.findChild<T*>(); }
    void click(const char* name) const {
        if (!test::clickButton(&window, name))
            qFatal("button %s is missing or disabled", name);
    }
    QString text(QWidget* panel, const char* box) const {
        return test::child<QLineEdit>(panel, box)->text();
    }
    // Selects the script in the editor's list as a user does.
    void clickScript(const QString& name) const {
        auto* list = test::child<QListView>(&window, "scriptList");
        const QModelIndexList found = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(found.first()).center());
    }
};

QStringList rows(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

} // namespace

class LazyPanelsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    QString path(const char* name) const { return folder_.filePath(name); }

private slots:
    void aPanelOpenedAfterLoadingShowsTheLoadedValues() {
        writeFile(path("loaded.vtp"), kProfile);
        Editor editor;
        QVERIFY(editor.open(path("loaded.vtp")));
        QCOMPARE(editor.window.statusText(), std::string("Profile loaded."));
        // Nothing has asked for a panel yet: none is built.
        QVERIFY(!editor.built<StickPanel>());
        QVERIFY(!editor.built<ThrottlePanel>());
        QVERIFY(!editor.built<AxisPanel>());

        editor.click("joystickButton");
        QWidget* stick = editor.built<StickPanel>();
        QVERIFY(stick && stick->isVisible());
        QCOMPARE(editor.text(stick, "activeModeBox"), QString("DEFAULT"));
        QCOMPARE(editor.text(stick, "triggerPressBox"), QString("Fire"));
        QCOMPARE(editor.text(stick, "stickHat2CenterReleaseBox"), QString("Jump"));
        QCOMPARE(editor.text(stick, "launchPressBox"), QString());

        editor.click("throttleButton");
        QWidget* throttle = editor.built<ThrottlePanel>();
        QCOMPARE(editor.text(throttle, "fireDPressBox"), QString("Jump"));

        editor.click("axisButton");
        AxisPanel* axis = editor.built<AxisPanel>();
        QVERIFY(axis && axis->isVisible());
        QCOMPARE(editor.text(axis, "activeModeBox"), QString("DEFAULT"));
        // The chain read last is selected with its lines, and Count is held to its room.
        auto* chains = test::child<QListWidget>(axis, "chainList");
        QCOMPARE(rows(chains), QStringList({"Gear", "Flaps"}));
        QCOMPARE(chains->selectedItems().size(), 1);
        QCOMPARE(chains->selectedItems().first()->text(), QString("Flaps"));
        QCOMPARE(rows(test::child<QListWidget>(axis, "breakpointList")),
                 QStringList({"(0 : 100 ; 250) ( + Jump  - Fire )"}));
        QCOMPARE(editor.text(axis, "chainNameBox"), QString("Flaps"));
        QCOMPARE(editor.text(axis, "countBox"), QString("5"));
        QCOMPARE(editor.text(axis, "increaseBox"), QString("_NULL"));
        QCOMPARE(editor.text(axis, "xAxisBox"), QString("Gear"));
        QCOMPARE(editor.text(axis, "r2AxisBox"), QString("Flaps"));
        QVERIFY(test::child<QPushButton>(axis, "chainRenameButton")->isEnabled());
    }

    void theDelaysDialogShowsTheDelaysOfTheFilesOpenedBeforeAndAfterIt() {
        writeFile(path("delays.vtp"), kProfile);
        Editor editor;
        QVERIFY(editor.open(path("delays.vtp")));
        QVERIFY(!editor.built<SetDefaultDelaysDialog>());

        auto* action = editor.window.findChild<QAction*>("profileDelaysAction");
        QVERIFY(action);
        action->trigger();
        auto* dialog = editor.built<SetDefaultDelaysDialog>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(editor.text(dialog, "pressDelayBox"), QString("15"));
        QCOMPARE(editor.text(dialog, "releaseDelayBox"), QString("25"));

        // Typed but never closed with Close: the next file's values replace the text.
        test::child<QLineEdit>(dialog, "pressDelayBox")->setText("99");
        dialog->hide();
        QVERIFY(editor.open(path("delays.vtp")));
        QCOMPARE(editor.text(dialog, "pressDelayBox"), QString("15"));
        QCOMPARE(editor.window.document().profile().pressDelay, 15u);

        // Close takes the boxes' values into the profile.
        test::child<QLineEdit>(dialog, "releaseDelayBox")->setText("40");
        QVERIFY(test::clickButton(dialog, "delaysCloseButton"));
        QCOMPARE(editor.window.document().profile().releaseDelay, 40u);
        QVERIFY(!dialog->isVisible());
    }

    void modesSwitchedBeforeAPanelExistsKeepTheirValues() {
        writeFile(path("switched.vtp"), kProfile);
        Editor editor;
        QVERIFY(editor.open(path("switched.vtp")));
        editor.clickScript("Jump");
        // Climb, then back to DEFAULT, with no panel built: each shows its own values.
        auto* modeName = test::child<QLineEdit>(&editor.window, "modeNameBox");
        modeName->setText("Climb");
        Q_EMIT modeName->textEdited("Climb");
        editor.click("joystickButton");
        QWidget* stick = editor.built<StickPanel>();
        QCOMPARE(editor.text(stick, "activeModeBox"), QString("Climb"));
        QCOMPARE(editor.text(stick, "launchPressBox"), QString("Jump"));
        QCOMPARE(editor.text(stick, "triggerPressBox"), QString());
        // The script selected before the panel existed is the one its buttons assign.
        QVERIFY(test::clickButton(stick, "fireAPressButton"));
        QCOMPARE(editor.text(stick, "fireAPressBox"), QString("Jump"));
    }

    void editsSurviveHidingAndReopening() {
        writeFile(path("edited.vtp"), kProfile);
        Editor editor;
        QVERIFY(editor.open(path("edited.vtp")));
        editor.clickScript("Fire");

        editor.click("joystickButton");
        QWidget* stick = editor.built<StickPanel>();
        QVERIFY(test::clickButton(stick, "launchReleaseButton"));
        QVERIFY(test::clickButton(stick, "panelCloseButton"));
        QVERIFY(!stick->isVisible());

        editor.click("axisButton");
        AxisPanel* axis = editor.built<AxisPanel>();
        auto* chains = test::child<QListWidget>(axis, "chainList");
        chains->setCurrentRow(0);
        QVERIFY(test::clickButton(axis, "yAxisButton"));
        QVERIFY(test::clickButton(axis, "panelCloseButton"));
        QVERIFY(!axis->isVisible());

        editor.click("joystickButton");
        editor.click("axisButton");
        QCOMPARE(editor.built<StickPanel>(), stick);
        QCOMPARE(editor.text(stick, "launchReleaseBox"), QString("Fire"));
        QCOMPARE(editor.text(axis, "yAxisBox"), QString("Gear"));
        QCOMPARE(chains->currentItem()->text(), QString("Gear"));

        QVERIFY(editor.save(path("edited-saved.vtp")));
        const QByteArray saved = fileBytes(path("edited-saved.vtp"));
        QVERIFY(saved.contains("LaunchRelease = Fire\r\n"));
        QVERIFY(saved.contains("YAxis = Gear\r\n"));
    }

    // The bytes the editor writes are those the core writes for the same file, whether or
    // not the panels were ever built.
    void savingWithoutOpeningAPanelKeepsEveryByte() {
        // One file name in three folders: the file names its own name in its first line.
        for (const char* sub : {"core", "unopened", "opened"})
            QVERIFY(QDir(folder_.path()).mkpath(sub));
        writeFile(path("source.vtp"), kProfile);
        EditedProfile core;
        DiagnosticList diagnostics;
        QVERIFY(openProfileFile(core, path("source.vtp").toStdString(), diagnostics, nullptr));
        core.setPath(path("core/saved.vtp").toStdString(), "saved.vtp");
        QVERIFY(saveProfileFile(core, diagnostics, nullptr));
        const QByteArray expected = fileBytes(path("core/saved.vtp"));
        QVERIFY(expected.contains("R2Axis = Flaps"));

        {
            Editor editor;
            QVERIFY(editor.open(path("source.vtp")));
            QVERIFY(editor.save(path("unopened/saved.vtp")));
            QVERIFY(!editor.built<StickPanel>() && !editor.built<AxisPanel>());
        }
        QCOMPARE(fileBytes(path("unopened/saved.vtp")), expected);

        Editor editor;
        QVERIFY(editor.open(path("source.vtp")));
        for (const char* button : {"joystickButton", "throttleButton", "axisButton"})
            editor.click(button);
        QVERIFY(editor.save(path("opened/saved.vtp")));
        QCOMPARE(fileBytes(path("opened/saved.vtp")), expected);
    }
};

QTEST_MAIN(LazyPanelsTest)
#include "LazyPanelsTest.moc"
