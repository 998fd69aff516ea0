// vantrel --edit PROFILE: the editor window starts with the profile loaded as File > Open
// loads it, so that saving writes back to that file.
#include "app/Application.h"
#include "editor/EditorWindow.h"
#include "support/GuiTestSupport.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;

namespace {

QStringList listed(const EditorWindow& window, const char* listName) {
    auto* model = test::child<QListView>(&window, listName)->model();
    QStringList names;
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, 0).data().toString();
    return names;
}

QString status(const EditorWindow& window) {
    return test::child<QLineEdit>(&window, "statusBox")->text();
}

} // namespace

class EditOptionTest : public QObject {
    Q_OBJECT
private slots:
    void loadsTheProfileNamedRelativeToTheCurrentFolder() {
        test::GuiSeams seams;
        QTemporaryDir folder;
        QVERIFY(QFile::copy(VANTREL_TEST_DATA "/translate/fire.vtp", folder.filePath("fire.vtp")));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        EditorWindow window;
        loadProfileIntoEditor(window, "fire.vtp");
        QDir::setCurrent(previous);

        QVERIFY(seams.messages.shown().empty());
        QCOMPARE(listed(window, "scriptList"),
                 QStringList({"_NULL", "Fire", "GearDown", "GearUp"}));
        QVERIFY(listed(window, "modeList").contains("DEFAULT"));
        QCOMPARE(status(window), QString("Profile loaded."));
        QVERIFY(window.profileSaved());
        // The path is made whole, so saving later writes to this file wherever the program is.
        QCOMPARE(QString::fromStdString(window.profilePath()),
                 QDir::toNativeSeparators(folder.filePath("fire.vtp")));
        QCOMPARE(QString::fromStdString(window.profileFileName()), QString("fire.vtp"));
    }

    void saveWritesBackToTheLoadedFileWithoutAsking() {
        test::GuiSeams seams;
        QTemporaryDir folder;
        const QString path = folder.filePath("fire.vtp");
        QVERIFY(QFile::copy(VANTREL_TEST_DATA "/translate/fire.vtp", path));
        QVERIFY(QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        EditorWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        loadProfileIntoEditor(window, path.toStdString());
        QVERIFY(QFile(path).resize(0)); // emptied, so the save is seen to write it again

        test::chooseMenuEntry(window, window.menuBar(), "fileMenu", "Save");
        QVERIFY(seams.desktop.fileRequests().empty());
        QCOMPARE(status(window), QString("Profile saved."));
        QVERIFY(QFileInfo(path).size() > 0);
    }

    void aFileThatCannotBeReadIsReportedAndLeavesTheNewProfile() {
        test::GuiSeams seams;
        QTemporaryDir folder;
        EditorWindow window;
        loadProfileIntoEditor(window, folder.filePath("absent.vtp").toStdString());
        QCOMPARE(seams.messages.shown().size(), std::size_t(1));
        QCOMPARE(seams.messages.shown()[0].title, std::string("Load Error"));
        QCOMPARE(seams.messages.shown()[0].text, std::string("Error reading from file."));
        QCOMPARE(listed(window, "scriptList"), QStringList({"_NULL"}));
        QCOMPARE(listed(window, "modeList"), QStringList({"DEFAULT"}));
    }
};

QTEST_MAIN(EditOptionTest)
#include "EditOptionTest.moc"
