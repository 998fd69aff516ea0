#include "editor/MenuCommands.h"
#include "editor/EditorWindow.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "files/EditedProfileFile.h"
#include "files/ProfileTranslator.h"
#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "platform/PathText.h"
#include "support/GuiTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;
using platform::MessageAnswer;
using platform::MessageButtons;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A shown editor window with every box and dialog answered by the seams.
struct Editor {
    test::GuiSeams seams;
    EditorWindow window;

    Editor() {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the editor window did not become active");
    }

    // Opens the menu from the menu bar and clicks the entry, as the user does.
    void choose(const char* menuName, const QString& entry) {
        test::chooseMenuEntry(window, window.menuBar(), menuName, entry);
    }

    void typeScript(const QString& line) {
        auto* box = test::child<QLineEdit>(&window, "scriptBox");
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, line);
        QVERIFY(test::clickButton(&window, "scriptAddButton"));
    }

    QStringList listedScripts() const {
        auto* model = test::child<QListView>(&window, "scriptList")->model();
        QStringList names;
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }
    QString status() const { return test::child<QLineEdit>(&window, "statusBox")->text(); }

    // The questions asked so far, as "title: text".
    QStringList questions() const {
        QStringList asked;
        for (const auto& message : seams.messages.shown())
            if (message.buttons != MessageButtons::Ok)
                asked << QString::fromStdString(message.title + ": " + message.text);
        return asked;
    }
};

const QString kSaveChanges = "Do you want to save changes made to this profile?";

} // namespace

class MenuCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    QString path(const QString& name) const { return folder_.filePath(name); }

    // A profile file on disk with one script, as an earlier run of the editor left it.
    QString savedProfile(const QString& name, const std::string& script) const {
        EditedProfile document; // the new profile
        document.addScript(script);
        const std::string file = path(name).toStdString();
        document.setPath(file, platform::fileNameOf(file));
        DiagnosticList diagnostics;
        if (!saveProfileFile(document, diagnostics, nullptr))
            qFatal("could not prepare %s", qPrintable(name));
        return path(name);
    }

private slots:
    void menusListTheirCommandsInOrder() {
        EditorWindow window; // the window installs its menus itself
        QStringList menus;
        for (QAction* action : window.menuBar()->actions()) {
            QStringList entries;
            for (QAction* entry : action->menu()->actions())
                entries << (entry->isSeparator() ? "-" : test::plainText(entry));
            menus << test::plainText(action) + ": " + entries.join(", ");
        }
        QCOMPARE(
            menus,
            (QStringList{
                "File: New, Open..., Save, Save As..., -, Exit", "Edit: Undo, Redo",
                "Profile: Set Default Delays, Translate to .bpf File, Check Profile, Query HOTAS, "
                "Controls...",
                "Help: Readme..., Homepage..., -, About..."}));
        QCOMPARE(&MenuCommands::install(window), &MenuCommands::install(window));
    }

    void newAsksOnlyWhenSomethingChanged() {
        Editor editor;
        editor.choose("fileMenu", "New");
        QVERIFY(editor.questions().isEmpty());
        QCOMPARE(editor.listedScripts(), QStringList{"_NULL"});
        QCOMPARE(editor.window.delaysDialog().pressDelay(), 10u);

        // Merely showing a panel counts as a change; Cancel keeps everything.
        editor.typeScript("Fire a A");
        QVERIFY(test::clickButton(&editor.window, "joystickButton"));
        editor.seams.messages.queueAnswer(MessageAnswer::Cancel);
        editor.choose("fileMenu", "New");
        QCOMPARE(editor.questions(), QStringList{"New Profile: " + kSaveChanges});
        QCOMPARE(editor.listedScripts(), (QStringList{"_NULL", "Fire"}));
        QVERIFY(!editor.window.profileSaved());

        // No discards the changes.
        editor.seams.messages.queueAnswer(MessageAnswer::No);
        editor.choose("fileMenu", "New");
        QCOMPARE(editor.listedScripts(), QStringList{"_NULL"});
        QVERIFY(editor.window.profileSaved());
    }

    void newWithYesStopsWhenTheSaveIsCancelled() {
        Editor editor;
        editor.typeScript("Fire a A");
        editor.seams.messages.queueAnswer(MessageAnswer::Yes);
        editor.choose("fileMenu", "New"); // the Save As dialog is cancelled
        QCOMPARE(editor.seams.desktop.fileRequests().size(), std::size_t(1));
        QCOMPARE(editor.listedScripts(), (QStringList{"_NULL", "Fire"}));
    }

    void saveOnANeverSavedProfileShowsSaveAs() {
        Editor editor;
        editor.typeScript("Fire a^40 A");
        editor.seams.desktop.queueFileName(path("First.vtp"));
        editor.choose("fileMenu", "Save");
        const auto& requests = editor.seams.desktop.fileRequests();
        QCOMPARE(requests.size(), std::size_t(1));
        QCOMPARE(requests[0],
                 (platform::FileDialogRequest{"Save Vantrel File As...",
                                              {"Vantrel Files (*.vtp)", "All Files (*.*)"},
                                              "vtp",
                                              true}));
        QCOMPARE(editor.status(), QString("Profile saved."));
        QVERIFY(editor.window.profileSaved());
        const QByteArray written = fileBytes(path("First.vtp"));
        QVERIFY(written.startsWith("# Vantrel: First.vtp\r\n"));
        QVERIFY(written.contains("\r\n_NULL\r\nFire a^40 A\r\n"));
    }

    void saveAfterOpenWritesBackWithoutADialog() {
        const QString file = savedProfile("Opened.vtp", "Gear g G");
        Editor editor;
        editor.seams.desktop.queueFileName(file);
        editor.choose("fileMenu", "Open...");
        QCOMPARE(editor.seams.desktop.fileRequests().at(0).title, QString("Load Vantrel File"));
        QCOMPARE(editor.seams.desktop.fileRequests().at(0).defaultSuffix, QString());
        QCOMPARE(editor.seams.desktop.fileRequests().at(0).confirmOverwrite, false);
        QCOMPARE(editor.listedScripts(), (QStringList{"_NULL", "Gear"}));
        QCOMPARE(editor.status(), QString("Profile loaded."));
        QVERIFY(editor.window.profileSaved());

        editor.typeScript("Flaps f F");
        editor.choose("fileMenu", "Save");
        QCOMPARE(editor.seams.desktop.fileRequests().size(), std::size_t(1));
        QVERIFY(fileBytes(file).contains("\r\nFlaps f F\r\nGear g G\r\n"));
    }

    void openAsksBeforeDiscardingChanges() {
        const QString file = savedProfile("Other.vtp", "Other o O");
        Editor editor;
        editor.typeScript("Mine m M");
        editor.seams.messages.queueAnswer(MessageAnswer::Cancel);
        editor.choose("fileMenu", "Open...");
        QCOMPARE(editor.questions(), QStringList{"Open Profile: " + kSaveChanges});
        QVERIFY(editor.seams.desktop.fileRequests().empty());
        QCOMPARE(editor.listedScripts(), (QStringList{"_NULL", "Mine"}));

        // A file that cannot be read leaves the profile alone.
        editor.seams.messages.queueAnswer(MessageAnswer::No);
        editor.seams.desktop.queueFileName(path("missing.vtp"));
        editor.choose("fileMenu", "Open...");
        QCOMPARE(editor.seams.messages.shown().back().text,
                 std::string("Error reading from file."));
        QCOMPARE(editor.seams.messages.shown().back().title, std::string("Load Error"));
        QCOMPARE(editor.listedScripts(), (QStringList{"_NULL", "Mine"}));
    }

    void failedSaveKeepsTheOldFile() {
        const QString file = savedProfile("Keep.vtp", "Old o O");
        const QByteArray before = fileBytes(file);
        Editor editor;
        editor.seams.desktop.queueFileName(file);
        editor.choose("fileMenu", "Open...");
        editor.typeScript("New n N");
        // The file's folder disappears under the profile: the save cannot complete.
        QTemporaryDir gone;
        const QString lost = gone.filePath("sub/Keep.vtp");
        editor.seams.desktop.queueFileName(lost);
        editor.choose("fileMenu", "Save As...");
        QCOMPARE(editor.seams.messages.shown().back(),
                 (platform::Message{"Error writing to file.", "Save Error", MessageButtons::Ok,
                                    static_cast<const QWidget*>(&editor.window)}));
        QVERIFY(!editor.window.profileSaved());
        QCOMPARE(editor.window.profilePath(), lost.toStdString()); // kept as chosen
        QCOMPARE(fileBytes(file), before);
        QVERIFY(QDir(folder_.path()).entryList({"Keep.vtp*"}, QDir::Files).size() == 1);
    }

    void delaysDialogKeepsTypedTextUntilValuesAreShown() {
        Editor editor;
        SetDefaultDelaysDialog& dialog = editor.window.delaysDialog();
        editor.choose("profileMenu", "Set Default Delays");
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* press = test::child<QLineEdit>(&dialog, "pressDelayBox");
        QTest::mouseClick(press, Qt::LeftButton);
        press->selectAll();
        QTest::keyClicks(press, "77");
        QTest::keyClick(press, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.pressDelay(), 10u);

        // Shown again from the menu, the box still holds what was typed; nothing is stored.
        editor.choose("profileMenu", "Set Default Delays");
        QVERIFY(dialog.isVisible());
        QCOMPARE(press->text(), QString("77"));
        QCOMPARE(dialog.pressDelay(), 10u);

        // New shows the stored values in the boxes again.
        QTest::keyClick(press, Qt::Key_Escape);
        editor.seams.messages.queueAnswer(MessageAnswer::No);
        editor.choose("fileMenu", "New");
        QCOMPARE(press->text(), QString("10"));
    }

    void exitAndCloseBoxAskAboutUnsavedChanges() {
        Editor editor;
        // Opening the delays dialog changes nothing; a script added does.
        editor.choose("profileMenu", "Set Default Delays");
        QVERIFY(editor.window.delaysDialog().isVisible());
        QVERIFY(editor.window.profileSaved());
        editor.typeScript("Fire a A");
        QVERIFY(!editor.window.profileSaved());

        editor.seams.messages.queueAnswer(MessageAnswer::Cancel);
        editor.choose("fileMenu", "Exit");
        QCOMPARE(editor.questions(), QStringList{"Exit: " + kSaveChanges});
        QVERIFY(editor.window.isVisible());

        editor.seams.messages.queueAnswer(MessageAnswer::Cancel);
        editor.window.close(); // the close box
        QCOMPARE(editor.questions().size(), 2);
        QVERIFY(editor.window.isVisible());

        editor.seams.messages.queueAnswer(MessageAnswer::No);
        editor.choose("fileMenu", "Exit");
        QTRY_VERIFY(!editor.window.isVisible());
    }

    void translateWithNoTranslatesTheFileAsLastSaved() {
        Editor editor;
        editor.typeScript("Fire a^40 A");
        editor.seams.desktop.queueFileName(path("Translate.vtp"));
        editor.choose("fileMenu", "Save As...");
        const QByteArray saved = fileBytes(path("Translate.vtp"));

        editor.typeScript("Later l L");
        editor.seams.messages.queueAnswer(MessageAnswer::No);
        editor.choose("profileMenu", "Translate to .bpf File");
        QCOMPARE(editor.questions(),
                 QStringList{"Translate Profile to .bpf: This action requires that the current "
                             "profile be saved.  Do you want to save the current profile?"});
        QCOMPARE(editor.status(), QString(".bpf Translation completed"));
        QCOMPARE(fileBytes(path("Translate.vtp")), saved);

        DiagnosticList diagnostics;
        ProfileTranslator expected(path("Translate.vtp").toStdString(), diagnostics);
        const auto bytes = expected.deviceBytes();
        QVERIFY(bytes.has_value());
        QCOMPARE(
            fileBytes(path("Translate.bpf")),
            QByteArray(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size())));
    }

    void queryHotasOnANeverSavedProfileSendsDotBpf() {
        Editor editor;
        editor.choose("profileMenu", "Query HOTAS");
        const auto& shown = editor.seams.messages.shown();
        QCOMPARE(shown.size(), std::size_t(1));
        QCOMPARE(shown[0].title, std::string("Device Query"));
        QVERIFY2(shown[0].text.starts_with("Error: unable to open file .bpf.   Error "),
                 shown[0].text.c_str());
    }

    // Translate and Query HOTAS name the device file by one rule, in which only the file
    // name's dots count: a hidden folder such as ~/.config/ is ordinary.
    void translateAndQueryShareTheDeviceFileInADottedFolder() {
        QVERIFY(QDir(path("")).mkpath(".config/x.y"));
        const QString file = savedProfile(".config/x.y/Hornet.vtp", "Gear g G");
        Editor editor;
        editor.seams.desktop.queueFileName(file);
        editor.choose("fileMenu", "Open...");
        editor.choose("profileMenu", "Translate to .bpf File");
        QVERIFY(QFile::exists(path(".config/x.y/Hornet.bpf")));
        QVERIFY(!QFile::exists(path(".config/x.y/Hornet.vtp.bpf")));

        // No driver listens in this folder: the file was found, only the driver is missing.
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", path("").toUtf8());
        editor.choose("profileMenu", "Query HOTAS");
        if (runtime.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", runtime);
        const auto& shown = editor.seams.messages.shown();
        QVERIFY(!shown.empty());
        QCOMPARE(shown.back().title, std::string("Device Query"));
        QVERIFY2(shown.back().text.starts_with("Error opening driver."), shown.back().text.c_str());
    }

    // The title names the file and marks unsaved changes, following the one flag that the
    // save question reads.
    void titleShowsTheFileAndUnsavedChanges() {
        Editor editor;
        const auto title = [&] { return test::shownTitle(editor.window); };
        QCOMPARE(title(), QString("Vantrel Generator"));
        editor.typeScript("Fire a A");
        QCOMPARE(title(), QString("Vantrel Generator*"));

        editor.seams.desktop.queueFileName(savedProfile("Hornet.vtp", "Gear g G"));
        editor.seams.messages.queueAnswer(MessageAnswer::No);
        editor.choose("fileMenu", "Open...");
        QCOMPARE(title(), QString("Vantrel Generator - Hornet.vtp"));

        editor.typeScript("Flaps f F");
        QCOMPARE(title(), QString("Vantrel Generator - Hornet.vtp*"));
        editor.choose("profileMenu", "Set Default Delays");
        QCOMPARE(title(), QString("Vantrel Generator - Hornet.vtp*"));

        editor.choose("fileMenu", "Save");
        QCOMPARE(title(), QString("Vantrel Generator - Hornet.vtp"));

        // A save that fails keeps the mark: the file is now a folder.
        editor.typeScript("Chaff c C");
        QVERIFY(QDir(folder_.path()).mkdir("Blocked.vtp"));
        editor.seams.desktop.queueFileName(path("Blocked.vtp"));
        editor.choose("fileMenu", "Save As...");
        QCOMPARE(title(), QString("Vantrel Generator - Blocked.vtp*"));

        editor.seams.messages.queueAnswer(MessageAnswer::No);
        editor.choose("fileMenu", "New");
        QCOMPARE(title(), QString("Vantrel Generator"));
        QCOMPARE(editor.window.profileSaved(), true);
    }

    void shortcutsRunTheirCommands() {
        Editor editor;
        const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
            QTest::keyClick(&editor.window, Qt::Key(key), modifiers);
        };
        const auto lastDialogTitle = [&] {
            const auto& requests = editor.seams.desktop.fileRequests();
            return requests.empty() ? QString() : requests.back().title;
        };

        editor.typeScript("Fire a A");
        press(Qt::Key_N); // the question is answered Cancel: nothing changes
        QCOMPARE(editor.questions(), QStringList{"New Profile: " + kSaveChanges});
        QCOMPARE(editor.listedScripts(), (QStringList{"_NULL", "Fire"}));

        // Never saved: Ctrl+S asks for a name.
        editor.seams.desktop.queueFileName(path("Keys.vtp"));
        press(Qt::Key_S);
        QCOMPARE(lastDialogTitle(), QString("Save Vantrel File As..."));
        QVERIFY(QFile::exists(path("Keys.vtp")));
        QVERIFY(editor.window.profileSaved());

        editor.seams.desktop.queueFileName(path("Other.vtp"));
        press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QFile::exists(path("Other.vtp")));
        QCOMPARE(editor.seams.desktop.fileRequests().size(), std::size_t(2));

        editor.seams.desktop.queueFileName(path("Keys.vtp"));
        press(Qt::Key_O);
        QCOMPARE(lastDialogTitle(), QString("Load Vantrel File"));
        QCOMPARE(editor.window.profileFileName(), std::string("Keys.vtp"));

        press(Qt::Key_F1, Qt::NoModifier);
        QCOMPARE(editor.seams.desktop.openedUrls().size(), std::size_t(1));
        QVERIFY(editor.seams.desktop.openedUrls()[0].toLocalFile().endsWith("readme.html"));

        // The Controls window is modeless, made once, and tries the profile as it is now.
        press(Qt::Key_K);
        auto* controls = editor.window.findChild<QWidget*>("controlsWindow");
        QVERIFY(controls && controls->isVisible() && !controls->isModal());
        QCOMPARE(test::child<QLabel>(controls, "trySourceLabel")->text(),
                 QString("Plays the profile in memory, translated without writing a file (it "
                         "has no .bpf file)."));
        // Selecting a control shows its row in its panel.
        auto* controlList = test::child<QListWidget>(controls, "controlsList");
        const auto select = [&](const QString& start) {
            for (int row = 0; row < controlList->count(); ++row)
                if (controlList->item(row)->text().startsWith(start))
                    controlList->setCurrentRow(row);
        };
        select("FireD:");
        QVERIFY(editor.window.throttlePanel().isVisible());
        QCOMPARE(editor.window.throttlePanel().focusWidget()->objectName(),
                 QString("fireDPressBox"));
        select("StickHat2 DownLeft:");
        QCOMPARE(editor.window.stickPanel().focusWidget()->objectName(),
                 QString("stickHat2DownLeftPressBox"));
        select("R1Axis:");
        QCOMPARE(editor.window.axisPanel().focusWidget()->objectName(), QString("r1AxisBox"));
        editor.choose("profileMenu", "Controls...");
        QCOMPARE(editor.window.findChildren<QWidget*>("controlsWindow").size(), 1);
        controls->close();

        // Showing the panels changes nothing; a script added does, so Exit asks first.
        QVERIFY(editor.window.profileSaved());
        editor.typeScript("Gear g G");
        QVERIFY(!editor.window.profileSaved());
        editor.seams.messages.queueAnswer(MessageAnswer::No);
        QVERIFY(editor.window.isVisible());
        press(Qt::Key_Q);
        QVERIFY(!editor.window.isVisible());
    }

    // Each menu and entry has one mnemonic letter, unique among its neighbours; the menu
    // bar's letters meet none of the window's buttons, which Alt+letter also reaches.
    void mnemonicsAreUniqueWhereTheyMeet() {
        EditorWindow window;
        const auto mnemonicOf = [](const QString& text) {
            const qsizetype at = text.indexOf('&');
            return at < 0 || at + 1 >= text.size() ? QChar() : text[at + 1].toLower();
        };
        QSet<QChar> buttonLetters;
        for (auto* button : window.findChildren<QAbstractButton*>())
            if (const QChar letter = mnemonicOf(button->text()); !letter.isNull())
                buttonLetters.insert(letter);

        QSet<QChar> barLetters;
        for (QAction* menuAction : window.menuBar()->actions()) {
            const QChar letter = mnemonicOf(menuAction->text());
            QVERIFY2(!letter.isNull() && !barLetters.contains(letter) &&
                         !buttonLetters.contains(letter),
                     qPrintable(menuAction->text()));
            barLetters.insert(letter);
            QSet<QChar> entryLetters;
            for (QAction* entry : menuAction->menu()->actions()) {
                if (entry->isSeparator())
                    continue;
                const QChar entryLetter = mnemonicOf(entry->text());
                QVERIFY2(!entryLetter.isNull() && !entryLetters.contains(entryLetter),
                         qPrintable(entry->text()));
                entryLetters.insert(entryLetter);
            }
            QCOMPARE(menuAction->menu()->accessibleName(), test::plainText(menuAction) + " menu");
        }
    }

    void helpCommandsOpenTheGuideThePageAndTheBox() {
        Editor editor;
        editor.choose("helpMenu", "Readme...");
        editor.choose("helpMenu", "Homepage...");
        editor.choose("helpMenu", "About...");
        const auto& urls = editor.seams.desktop.openedUrls();
        QCOMPARE(urls.size(), std::size_t(2));
        QVERIFY(urls[0].isLocalFile());
        QVERIFY(urls[0].toLocalFile().endsWith("docs/readme.html"));
        QCOMPARE(urls[1], QUrl(MenuCommands::kHomePage));
        QCOMPARE(editor.seams.desktop.modalTitles(), std::vector<QString>{"About Vantrel"});
        QVERIFY(editor.window.profileSaved());
    }
};

QTEST_MAIN(MenuCommandsTest)
#include "MenuCommandsTest.moc"
