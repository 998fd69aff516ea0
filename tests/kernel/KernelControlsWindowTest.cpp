// The Controls window on a real kernel: a stick made through uinput, held by vantrel-driver,
// and its press seen in the window through the driver's monitor stream.
#include "KernelDevices.h"

#include "DriverProcess.h"
#include "controls/ControlsWindow.h"
#include "platform/posix/PosixDriverConnection.h"
#include "support/GuiTestSupport.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

#include <unistd.h>

using namespace vantrel;

class KernelControlsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void aPressOnAFakeStickLightsItsControl();
};

void KernelControlsWindowTest::aPressOnAFakeStickLightsItsControl() {
    if (::access("/dev/uinput", W_OK) != 0)
        QSKIP("no writable /dev/uinput: this case runs in the kernel stage's machine");
    test::DriverFolder folder;
    const std::string run = folder.file("run");
    QVERIFY(QDir().mkpath(QString::fromStdString(run)));
    test::FakeDevice stick(test::genericStick("Kernel Window Stick"));
    test::DriverProcess driver({"--device", stick.devnode(), "--output", "print"},
                               {"XDG_RUNTIME_DIR=" + run, "XDG_STATE_HOME=" + folder.file("state"),
                                "XDG_CONFIG_HOME=" + folder.file("config")});
    QVERIFY2(driver.waitForLog("input " + stick.devnode()), driver.log().c_str());

    const std::string program = run + "/X36Program";
    ControlsWindow window(nullptr, {}, QString::fromStdString(platform::monitorSocketPath(program)),
                          QString::fromStdString(program));
    window.show();
    const auto* devices = test::child<QListWidget>(&window, "devicesList");
    QTRY_COMPARE(devices->count(), 1);
    QCOMPARE(devices->item(0)->text(),
             QString::fromStdString(stick.devnode()) + QStringLiteral(" (Kernel Window Stick)"));

    stick.press(BTN_THUMB, true);
    const auto* controls = test::child<QListWidget>(&window, "controlsList");
    const auto pressed = [controls]() -> const QListWidgetItem* {
        for (int i = 0; i < controls->count(); ++i)
            if (controls->item(i)->text().startsWith("FireA: pressed"))
                return controls->item(i);
        return nullptr;
    };
    QTRY_VERIFY2(pressed(), driver.log().c_str());
    QCOMPARE(controls->currentItem(), pressed());
    QCOMPARE(driver.stop(), 0);
}

QTEST_MAIN(KernelControlsWindowTest)
#include "KernelControlsWindowTest.moc"
