#include "editor/SetDefaultDelaysDialog.h"
#include "support/GuiTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vantrel;

namespace {

const std::string kPositive = "Please enter a positive integer.";
const std::string kRange = "Please enter an integer between 1 and 4294967290.";

QLineEdit* pressBox(const QDialog& dialog) {
    return test::child<QLineEdit>(&dialog, "pressDelayBox");
}
QLineEdit* releaseBox(const QDialog& dialog) {
    return test::child<QLineEdit>(&dialog, "releaseDelayBox");
}

// Replaces a box's text the way a user does: click in, select everything, type.
void retype(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

} // namespace

class DelaysDialogTest : public QObject {
    Q_OBJECT

    void openDialog(SetDefaultDelaysDialog& dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }

private slots:
    void startsWithTenAndTheDialogsTexts() {
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.windowTitle(), QString("Set Default Delays"));
        QCOMPARE(dialog.pressDelay(), 10u);
        QCOMPARE(dialog.releaseDelay(), 10u);
        openDialog(dialog);
        QCOMPARE(pressBox(dialog)->text(), QString("10"));
        QCOMPARE(releaseBox(dialog)->text(), QString("10"));
        QCOMPARE(test::child<QPushButton>(&dialog, "delaysCloseButton")->text(), QString("Close"));
        QVERIFY(test::child<QPushButton>(&dialog, "delaysCloseButton")->isDefault());
    }

    void acceptedValuesAreStoredAndTheDialogHides() {
        test::GuiSeams seams;
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
        openDialog(dialog);
        retype(pressBox(dialog), " \t25  ");
        retype(releaseBox(dialog), "4294967290");
        QVERIFY(test::clickButton(&dialog, "delaysCloseButton"));
        QVERIFY(seams.messages.shown().empty());
        QCOMPARE(dialog.pressDelay(), 25u);
        QCOMPARE(dialog.releaseDelay(), 4294967290u);
        QVERIFY(!dialog.isVisible());
    }

    void enterInABoxClosesThroughTheDefaultButton() {
        test::GuiSeams seams;
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
        openDialog(dialog);
        retype(releaseBox(dialog), "40");
        QTest::keyClick(releaseBox(dialog), Qt::Key_Return);
        QCOMPARE(dialog.releaseDelay(), 40u);
        QVERIFY(!dialog.isVisible());
    }

    void zeroIsStoredButRefusedByTheRangeCheck() {
        test::GuiSeams seams;
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
        openDialog(dialog);
        retype(pressBox(dialog), "0");
        retype(releaseBox(dialog), "33");
        QVERIFY(test::clickButton(&dialog, "delaysCloseButton"));
        QCOMPARE(seams.messages.shown().size(), std::size_t(1));
        QCOMPARE(seams.messages.shown()[0].text, kRange);
        QCOMPARE(seams.messages.shown()[0].title, std::string("Vantrel"));
        QCOMPARE(dialog.pressDelay(), 0u);
        QCOMPARE(dialog.releaseDelay(), 10u); // the press box stopped the Close
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), pressBox(dialog));
    }

    void textThatIsNotAnUnsignedNumberStoresNothing_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("negative") << "-5";
        QTest::newRow("trailing letters") << "25abc";
        QTest::newRow("empty") << "";
        QTest::newRow("blanks only") << "   ";
        QTest::newRow("inner blank") << "2 5";
        QTest::newRow("plus sign") << "+7";
    }
    void textThatIsNotAnUnsignedNumberStoresNothing() {
        QFETCH(QString, typed);
        test::GuiSeams seams;
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
        openDialog(dialog);
        retype(releaseBox(dialog), typed);
        QVERIFY(test::clickButton(&dialog, "delaysCloseButton"));
        QCOMPARE(seams.messages.shown().size(), std::size_t(1));
        QCOMPARE(seams.messages.shown()[0].text, kPositive);
        QCOMPARE(dialog.releaseDelay(), 10u);
        QVERIFY(dialog.isVisible());
        QCOMPARE(QApplication::focusWidget(), releaseBox(dialog));
    }

    void aReleaseFailureKeepsThePressValueStored() {
        test::GuiSeams seams;
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
        openDialog(dialog);
        retype(pressBox(dialog), "70");
        retype(releaseBox(dialog), "4294967291");
        QVERIFY(test::clickButton(&dialog, "delaysCloseButton"));
        QCOMPARE(seams.messages.shown().at(0).text, kRange);
        QCOMPARE(dialog.pressDelay(), 70u);
        QCOMPARE(dialog.releaseDelay(), 4294967291u);
    }

    void aNumberBeyondThirtyTwoBitsIsOutOfRangeAndNotStored() {
        test::GuiSeams seams;
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
        openDialog(dialog);
        retype(pressBox(dialog), "4294967296");
        QVERIFY(test::clickButton(&dialog, "delaysCloseButton"));
        QCOMPARE(seams.messages.shown().at(0).text, kRange);
        QCOMPARE(dialog.pressDelay(), 10u);
    }

    void escapeHidesWithoutStoringAndKeepsTheTypedText() {
        test::GuiSeams seams;
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
        openDialog(dialog);
        retype(pressBox(dialog), "500");
        QTest::keyClick(pressBox(dialog), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.pressDelay(), 10u);
        QVERIFY(seams.messages.shown().empty());
        openDialog(dialog);
        QCOMPARE(pressBox(dialog)->text(), QString("500"));
        dialog.setPressDelay(12);
        QCOMPARE(pressBox(dialog)->text(), QString("500")); // the setter stores the field only
        dialog.showValues();
        QCOMPARE(pressBox(dialog)->text(), QString("12"));
    }
};

QTEST_MAIN(DelaysDialogTest)
#include "DelaysDialogTest.moc"
