#include "editor/AboutBox.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "support/GuiTestSupport.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QtTest>

using namespace vantrel;

// Renders each window to a PNG under the build folder so that anyone can look at them.
class ScreenshotTest : public QObject {
    Q_OBJECT

    void shoot(QWidget& window, const QString& file) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString path = test::saveScreenshot(&window, file);
        QVERIFY(QFileInfo(path).size() > 0);
        qInfo("%s", qPrintable(path));
    }

    // The drawing is rendered at its stated size and is more than a blank ground.
    void checkPicture(const QWidget& window, const char* name, QSize size) {
        auto* label = test::child<QLabel>(&window, name);
        const QImage image = label->pixmap().toImage();
        QCOMPARE(image.size(), size);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 4);
    }

private slots:
    void stickPanel() {
        ButtonPanelState state(SlotGroup::Stick);
        StickPanel panel(state);
        checkPicture(panel, "stickPicture", QSize(337, 276));
        shoot(panel, "stick-panel.png");
    }
    void throttlePanel() {
        ButtonPanelState state(SlotGroup::Throttle);
        ThrottlePanel panel(state);
        checkPicture(panel, "throttlePicture", QSize(343, 206));
        shoot(panel, "throttle-panel.png");
    }
    void delaysDialog() {
        SetDefaultDelaysDialog dialog;
        shoot(dialog, "set-default-delays.png");
    }
    void aboutBox() {
        AboutBox box;
        checkPicture(box, "aboutLogo", QSize(198, 55));
        QCOMPARE(box.windowTitle(), QString("About Vantrel"));
        shoot(box, "about-box.png");
    }
};

QTEST_MAIN(ScreenshotTest)
#include "ScreenshotTest.moc"
