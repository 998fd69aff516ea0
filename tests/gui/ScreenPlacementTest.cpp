// Every window the editor opens lies on the screen's available area, wherever its owner is.
#include "editor/EditorWindow.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "panels/AxisPanel.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "support/GuiTestSupport.h"
#include "widgets/RenameDialog.h"

#include <QScreen>
#include <QtTest>

using namespace vantrel;

namespace {

// The window's frame inside the area; a window larger than the area at least starts in it.
bool placedOn(const QWidget& window, const QRect& area, QString& where) {
    const QRect frame = window.frameGeometry();
    where = QString("%1 at %2,%3 %4x%5 on %6,%7 %8x%9")
                .arg(window.windowTitle())
                .arg(frame.x())
                .arg(frame.y())
                .arg(frame.width())
                .arg(frame.height())
                .arg(area.x())
                .arg(area.y())
                .arg(area.width())
                .arg(area.height());
    const bool fitsAcross = frame.width() > area.width()
                                ? frame.left() == area.left()
                                : frame.left() >= area.left() && frame.right() <= area.right();
    const bool fitsDown = frame.height() > area.height()
                              ? frame.top() == area.top()
                              : frame.top() >= area.top() && frame.bottom() <= area.bottom();
    return fitsAcross && fitsDown;
}

} // namespace

class ScreenPlacementTest : public QObject {
    Q_OBJECT

private slots:
    void windowsOpenedNearTheEdgeStayOnTheScreen() {
        test::GuiSeams seams;
        EditorWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = window.screen()->availableGeometry();
        // The main window in the lower right corner: the panels' places beside it lie
        // beyond the screen's edges.
        window.move(area.right() - window.frameGeometry().width() / 2,
                    area.bottom() - window.frameGeometry().height() / 2);
        QCoreApplication::processEvents();

        QString where;
        for (const char* button : {"joystickButton", "throttleButton", "axisButton"})
            QVERIFY(test::clickButton(&window, button));
        for (QWidget* panel : std::initializer_list<QWidget*>{
                 &window.stickPanel(), &window.throttlePanel(), &window.axisPanel()}) {
            QVERIFY(QTest::qWaitForWindowExposed(panel));
            QVERIFY2(placedOn(*panel, area, where), qPrintable(where));
        }

        SetDefaultDelaysDialog& delays = window.delaysDialog();
        delays.move(area.right() - 10, area.bottom() - 10);
        delays.show();
        QVERIFY(QTest::qWaitForWindowExposed(&delays));
        QVERIFY2(placedOn(delays, area, where), qPrintable(where));

        // Hidden and moved off the screen, a window comes back onto it when shown again.
        window.stickPanel().hide();
        window.stickPanel().move(area.left() - 400, area.top() - 300);
        QVERIFY(test::clickButton(&window, "joystickButton"));
        QVERIFY2(placedOn(window.stickPanel(), area, where), qPrintable(where));
    }

    void renameDialogStaysOnTheScreen() {
        RenameDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QRect area = dialog.screen()->availableGeometry();
        dialog.hide();
        dialog.move(area.right() - 5, area.top() - 50);
        dialog.show();
        QString where;
        QVERIFY2(placedOn(dialog, area, where), qPrintable(where));
    }
};

QTEST_MAIN(ScreenPlacementTest)
#include "ScreenPlacementTest.moc"
