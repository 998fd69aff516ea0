#include "editor/AboutBox.h"
#include "editor/SetDefaultDelaysDialog.h"
#include "panels/StickPanel.h"
#include "panels/ThrottlePanel.h"
#include "support/GuiTestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QtTest>

#ifdef VANTREL_GUIDE_SCREENSHOTS
#include "GuideScreenshots.h"
#endif

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
#ifdef VANTREL_GUIDE_SCREENSHOTS
    // The pictures the guide shows are taken from an example profile, each the size of its
    // window; the guide names exactly these, and the source tree keeps a copy of each.
    void guidePictures() {
        const QString sourceRoot = QStringLiteral(VANTREL_TEST_DATA "/../..");
        const QString folder = QStringLiteral(VANTREL_SCREENSHOT_DIR "/guide");
        const GuideScreenshots shots =
            takeGuideScreenshots(sourceRoot + "/examples/flaps-gear.vtp", folder);
        QVERIFY2(shots.problems.isEmpty(), qPrintable(shots.problems.join("\n")));

        QStringList taken;
        for (const GuideScreenshot& shot : shots.taken) {
            const QImage image(folder + "/" + shot.fileName);
            QCOMPARE(image.size(), shot.size);
            QVERIFY(image.width() > 200 && image.height() > 150);
            QVERIFY(QFileInfo::exists(sourceRoot + "/docs/images/" + shot.fileName));
            taken << shot.fileName;
        }
        QFile guide(sourceRoot + "/docs/readme.html");
        QVERIFY(guide.open(QIODevice::ReadOnly));
        QStringList named;
        const QRegularExpression image("<img src=\"images/([^\"]+)\"");
        for (const auto& match : image.globalMatch(QString::fromUtf8(guide.readAll())))
            named << match.captured(1);
        named.sort();
        taken.sort();
        QCOMPARE(named, taken);
    }
#endif
    void stickPanel() {
        EditedProfile document;
        StickPanel panel(document);
        checkPicture(panel, "stickPicture", QSize(337, 276));
        shoot(panel, "stick-panel.png");
    }
    void throttlePanel() {
        EditedProfile document;
        ThrottlePanel panel(document);
        checkPicture(panel, "throttlePicture", QSize(343, 206));
        shoot(panel, "throttle-panel.png");
    }
    void delaysDialog() {
        DefaultDelays delays;
        SetDefaultDelaysDialog dialog(delays);
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
