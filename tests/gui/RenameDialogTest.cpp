#include "widgets/RenameDialog.h"
#include "support/GuiTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vantrel;

namespace {

QLineEdit* nameBox(const QDialog& dialog) {
    return test::child<QLineEdit>(&dialog, "renameNameBox");
}

// Types into the name box after clicking into it, as a user would.
void typeName(QDialog& dialog, const QString& text) {
    QLineEdit* box = nameBox(dialog);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClicks(box, text);
}

} // namespace

class RenameDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheNameAndFocusOnOk() {
        RenameDialog dialog;
        dialog.setName("Flaps");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), QString("Rename"));
        QCOMPARE(nameBox(dialog)->text(), QString("Flaps"));
        QCOMPARE(QApplication::focusWidget(), test::child<QPushButton>(&dialog, "renameOkButton"));

        // Tab order: OK, Cancel, the name box, back to OK.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("renameCancelButton"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("renameNameBox"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("renameOkButton"));
    }

    void enterRightAwayAcceptsTheNameUnchanged() {
        RenameDialog dialog;
        dialog.setName("Flaps");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QString("Flaps"));
    }

    void leavingTheBoxCutsTheName() {
        RenameDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const QStringList typed{"Climb (steep)", "Gear:up", "Trim+1", "a;b",
                                "x=y",           "Flaps\t", "Gear Up"};
        const QStringList shown{"Climb", "Gear", "Trim", "a", "x", "Flaps", "Gear"};
        for (int i = 0; i < typed.size(); ++i) {
            typeName(dialog, typed[i]);
            QTest::keyClick(nameBox(dialog), Qt::Key_Tab);
            QCOMPARE(nameBox(dialog)->text(), shown[i]);
        }
    }

    // Enter in the box accepts before the box loses the focus; the name must be cut all the same,
    // or a blank or '=' would reach the saved file.
    void enterFromTheBoxHandsBackACutName() {
        RenameDialog dialog;
        dialog.setName("Old");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        typeName(dialog, "Gear=1 Up");
        QTest::keyClick(nameBox(dialog), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.name(), QString("Gear"));
    }

    void cancelAndEscapeKeepTheCallersName() {
        for (const bool useEscape : {false, true}) {
            RenameDialog dialog;
            dialog.setName("Flaps");
            dialog.show();
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            typeName(dialog, "Other");
            if (useEscape)
                QTest::keyClick(nameBox(dialog), Qt::Key_Escape);
            else
                QVERIFY(test::clickButton(&dialog, "renameCancelButton"));
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.name(), QString("Flaps"));
        }
    }

    void askForNewNameAsksUntilANameIsTakenOrCancelled() {
        test::GuiSeams seams;
        QStringList shown;
        const auto answer = [&shown](const char* typed) {
            return [typed, &shown](QDialog& dialog) {
                shown << test::child<QLineEdit>(&dialog, "renameNameBox")->text();
                typeName(dialog, typed);
                test::clickButton(&dialog, "renameOkButton");
                return dialog.result();
            };
        };
        seams.desktop.queueModal(answer("Gear"));
        seams.desktop.queueModal(answer("Brakes#2"));
        std::vector<std::string> offered;
        askForNewName(nullptr, "Flaps", [&offered](const std::string& name) {
            offered.push_back(name);
            return name != "Gear"; // the first name is refused, the cut second one taken
        });
        QCOMPARE(offered, (std::vector<std::string>{"Gear", "Brakes"}));
        QCOMPARE(seams.desktop.modalTitles(), (std::vector<QString>{"Rename", "Rename"}));
        QCOMPARE(shown, (QStringList{"Flaps", "Flaps"})); // each time the current name

        // Nothing queued: the dialog is dismissed as with Escape and nothing is offered.
        offered.clear();
        askForNewName(nullptr, "Flaps", [&offered](const std::string& name) {
            offered.push_back(name);
            return true;
        });
        QVERIFY(offered.empty());
    }
};

QTEST_MAIN(RenameDialogTest)
#include "RenameDialogTest.moc"
