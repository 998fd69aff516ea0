// Names and values of any bytes and any length pass through the editor's boxes, lists and
// panels unchanged: a profile opened, worked through the panels and saved again keeps them.
#include "editor/EditorWindow.h"
#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "platform/qt/ByteText.h"
#include "support/GuiTestSupport.h"
#include "widgets/RenameDialog.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;

namespace {

// Latin-1 bytes that are no UTF-8, and a name longer than a line edit takes by default.
const std::string kEclair = "\xE9"
                            "clair";
const std::string kChain = "\xC0"
                           "xe";
const std::string kMode = "Cl\xEF"
                          "mb";
const std::string kLong = "L" + std::string(40000, 'x');

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string profileText() {
    return crlf({"<HEADER>",
                 "DEFAULT_PRESS_DELAY=10",
                 "DEFAULT_RELEASE_DELAY=10",
                 "",
                 "<SCRIPTLIST>",
                 "_NULL",
                 kEclair + " e E",
                 kLong + " l L",
                 "",
                 "<AXIS_CHAINS>",
                 "[" + kChain + "]",
                 "(0 : 0 ; 1) ( + " + kEclair + "  - _NULL )",
                 "{" + kChain + "}",
                 "",
                 "<PROGRAM_MODES>",
                 "[DEFAULT]",
                 "{DEFAULT}",
                 "[" + kMode + "]",
                 "TriggerPress = " + kEclair,
                 "FireDPress = " + kLong,
                 "{" + kMode + "}"});
}

QByteArray bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ExactBytesTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

private slots:
    void displayShowsEveryByte() {
        QCOMPARE(platform::displayText("Gear"), QString("Gear"));
        QCOMPARE(platform::displayText("\xC3\xA9t\xC3\xA9"), QString::fromUtf8("été"));
        QCOMPARE(platform::displayText(kEclair), QString::fromUtf8("éclair"));
        // An overlong form and a lone lead byte are bytes, not characters.
        QCOMPARE(platform::displayText("\xC0\xAF\xE2"), QString::fromUtf8("À¯â"));
    }

    void boxKeepsBytesUntilTheUserChangesThem() {
        platform::ByteLineEdit box;
        box.show();
        box.setBytes(kLong + kEclair);
        QCOMPARE(box.bytes(), kLong + kEclair);
        QCOMPARE(box.text().size(), qsizetype(kLong.size() + kEclair.size()));
        box.setFocus();
        box.end(false);
        QTest::keyClick(&box, Qt::Key_Backspace);
        QCOMPARE(box.bytes(), kLong + std::string("\xC3\xA9") + "clai"); // typed text is UTF-8
    }

    void openPanelsAndSaveKeepTheBytes() {
        const QString path = folder_.filePath("Bytes.vtp");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes(profileText()));
        }
        test::GuiSeams seams;
        EditorWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        seams.desktop.queueFileName(path);
        test::chooseMenuEntry(window, window.menuBar(), "fileMenu", "Open...");

        // The last mode read is found in the mode list by its bytes and selected.
        auto* modes = test::child<QListView>(&window, "modeList");
        const QModelIndexList selectedModes = modes->selectionModel()->selectedRows();
        QCOMPARE(selectedModes.size(), 1);
        QCOMPARE(selectedModes.first().data(platform::kBytesRole).toByteArray().toStdString(),
                 kMode);
        QCOMPARE(window.activeModeIndex(), 1);

        // Enter in the stick and throttle panels re-reads every box.
        QVERIFY(test::clickButton(&window, "joystickButton"));
        QVERIFY(QTest::qWaitForWindowExposed(&window.stickPanel()));
        QTest::keyClick(&window.stickPanel(), Qt::Key_Return);
        QVERIFY(test::clickButton(&window, "throttleButton"));
        QVERIFY(QTest::qWaitForWindowExposed(&window.throttlePanel()));
        QTest::keyClick(&window.throttlePanel(), Qt::Key_Return);

        // The script selected in the list goes to a release slot by its bytes; Update writes
        // the line shown in the SCRIPT box back unchanged.
        auto* scripts = test::child<QListView>(&window, "scriptList");
        const QModelIndexList found =
            scripts->model()->match(scripts->model()->index(0, 0), Qt::DisplayRole,
                                    QString::fromUtf8("éclair"), 1, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QModelIndex eclairRow = found.first();
        QTest::mouseClick(scripts->viewport(), Qt::LeftButton, {},
                          scripts->visualRect(eclairRow).center());
        QVERIFY(test::clickButton(&window, "scriptUpdateButton"));
        QVERIFY(test::clickButton(&window, "joystickButton"));
        QVERIFY(test::clickButton(&window.stickPanel(), "triggerReleaseButton"));

        // The axis panel: the chain read last is selected; its name goes to X by bytes.
        QVERIFY(test::clickButton(&window, "axisButton"));
        AxisPanel& axes = window.axisPanel();
        QVERIFY(QTest::qWaitForWindowExposed(&axes));
        QCOMPARE(test::child<QListWidget>(&axes, "chainList")->selectedItems().size(), 1);
        QVERIFY(test::clickButton(&axes, "xAxisButton"));
        QVERIFY(test::clickButton(&axes, "increaseButton"));
        QTest::keyClick(test::child<QLineEdit>(&axes, "startBox"), Qt::Key_Return);

        test::chooseMenuEntry(window, window.menuBar(), "fileMenu", "Save");
        const QByteArray saved = fileBytes(path);
        QVERIFY(saved.contains(bytes(crlf({"", "[" + kMode + "]"}))));
        QVERIFY(saved.contains(bytes(crlf({"", "TriggerPress = " + kEclair}))));
        QVERIFY(saved.contains(bytes(crlf({"", "TriggerRelease = " + kEclair}))));
        QVERIFY(saved.contains(bytes(crlf({"", "FireDPress = " + kLong}))));
        QVERIFY(saved.contains(bytes(crlf({"", "XAxis = " + kChain}))));
        QVERIFY(saved.contains(bytes(crlf({"", kEclair + " e E"}))));
        QVERIFY(saved.contains(bytes(crlf({"", kLong + " l L"}))));
        QVERIFY(!saved.contains("\xEF\xBF\xBD"));
        QCOMPARE(test::child<QLineEdit>(&axes, "increaseBox")->text(), QString::fromUtf8("éclair"));
    }

    void renameUnchangedKeepsTheBytes() {
        test::GuiSeams seams;
        RenameDialog dialog;
        dialog.setNameBytes(kChain + kLong);
        seams.desktop.queueModal([](QDialog& shown) {
            return test::clickButton(&shown, "renameOkButton") ? shown.result() : -1;
        });
        QCOMPARE(platform::desktop().runModal(dialog), int(QDialog::Accepted));
        QCOMPARE(dialog.nameBytes(), kChain + kLong);
    }
};

QTEST_MAIN(ExactBytesTest)
#include "ExactBytesTest.moc"
