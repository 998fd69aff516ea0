#include "editor/CheckReportDialog.h"
#include "editor/EditorWindow.h"
#include "editor/MenuCommands.h"
#include "support/GuiTestSupport.h"

#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QtTest>

using namespace vantrel;

namespace {

struct Editor {
    test::GuiSeams seams;
    EditorWindow window;

    Editor() {
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the editor window did not become active");
    }

    void typeScript(const QString& line) {
        auto* box = test::child<QLineEdit>(&window, "scriptBox");
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, line);
        QVERIFY(test::clickButton(&window, "scriptAddButton"));
    }

    CheckReportDialog* check() {
        test::chooseMenuEntry(window, window.menuBar(), "profileMenu", "Check Profile");
        return window.findChild<CheckReportDialog*>("checkReportDialog");
    }

    QString selectedScript() const {
        const QModelIndex index = test::child<QListView>(&window, "scriptList")->currentIndex();
        return index.data().toString();
    }
};

int rowHolding(QListWidget& list, const QString& text) {
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->text().contains(text))
            return row;
    }
    return -1;
}

} // namespace

class CheckReportTest : public QObject {
    Q_OBJECT
private slots:
    // Clicking a problem selects the script it was found in, whichever script was selected.
    void choosingAProblemSelectsItsScript() {
        Editor editor;
        editor.typeScript("Alpha a");
        editor.typeScript("Bravo xyz b");
        editor.typeScript("Charlie c");
        CheckReportDialog* dialog = editor.check();
        QVERIFY(dialog);
        QListWidget& list = dialog->list();
        QCOMPARE(list.objectName(), QString("checkReportList"));
        QVERIFY(!list.accessibleName().isEmpty());
        const int row = rowHolding(list, "xyz");
        QVERIFY2(row >= 0, "the faulty token is listed");
        QVERIFY(editor.selectedScript() != "Bravo");
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(row)).center());
        QCOMPARE(editor.selectedScript(), QString("Bravo"));
        dialog->close();
    }

    void aCleanProfileSaysSo() {
        Editor editor;
        CheckReportDialog* dialog = editor.check();
        QVERIFY(dialog);
        QCOMPARE(dialog->list().count(), 1);
        QCOMPARE(dialog->list().item(0)->text(), QString("No problems found."));
        dialog->close();
    }
};

QTEST_MAIN(CheckReportTest)
#include "CheckReportTest.moc"
