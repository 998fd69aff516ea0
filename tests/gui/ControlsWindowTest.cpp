// The Controls window against a real vantrel-driver fed from a FIFO of input_event records:
// it follows the driver's state and controls live and finds a restarted driver; its try of
// a profile gives the timeline vantrel-driver --play prints for the same events; a control
// learnt in it is bound in the driver's control map.
#include "controls/ControlsWindow.h"
#include "device/DeviceProgrammer.h"
#include "device/player/ControlNames.h"
#include "files/ProfileTranslator.h"
#include "platform/posix/PosixDriverConnection.h"
#include "support/GuiTestSupport.h"
#ifdef VANTREL_DRIVER
#include "driver/DriverProcess.h"
#endif

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QtTest>

#include <fcntl.h>
#include <fstream>
#include <linux/input.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vantrel;

namespace {

// Scripts _NULL, Fire, ToCombat, ToDefault; configurations DEFAULT (0) and Combat (2), which
// binds a chain of three breakpoints to the X axis.
const char* const kTwoModes =
    "DEFAULT_PRESS_DELAY=10\r\nDEFAULT_RELEASE_DELAY=10\r\n"
    "<SCRIPTLIST>\r\n_NULL\r\nFire a\r\nToCombat LOADMODE_Combat\r\n"
    "ToDefault LOADMODE_DEFAULT\r\n"
    "<AXIS_CHAINS>\r\n[Sweep]\r\n"
    "(-16000 : 16000 ; 3) ( + Fire  - Fire )\r\n{Sweep}\r\n"
    "<PROGRAM_MODES>\r\n[DEFAULT]\r\nTriggerPress = Fire\r\n"
    "FireAPress = ToCombat\r\nFireBPress = ToDefault\r\n{DEFAULT}\r\n"
    "[Combat]\r\nTriggerPress = ToDefault\r\nXAxis = Sweep\r\n{Combat}\r\n";

std::vector<std::uint8_t> translated(const std::string& path, const std::string& text) {
    DiagnosticList diagnostics;
    return ProfileTranslator(path, text, diagnostics)
        .deviceBytes()
        .value_or(std::vector<std::uint8_t>{});
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

QString labelText(const QWidget& window, const char* name) {
    return test::child<QLabel>(&window, name)->text();
}

QListWidgetItem* row(const QListWidget* list, const QString& start) {
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().startsWith(start))
            return list->item(i);
    return nullptr;
}

} // namespace

class ControlsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void followsTheDriverLiveAndFindsItAgainAfterARestart();
    void learnsAControlThroughTheDriver();
    void aTryPlaysWhatPlayPrints();
    void everyControlIsNamed();
};

void ControlsWindowTest::followsTheDriverLiveAndFindsItAgainAfterARestart() {
#ifndef VANTREL_DRIVER
    QSKIP("vantrel-driver is built on Linux only");
#else
    test::DriverFolder folder;
    const std::string run = folder.file("run");
    QVERIFY(QDir().mkpath(QString::fromStdString(run)));
    const std::string fifo = folder.file("stick");
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string profilePath = folder.file("two.vtp");
    const std::vector<std::uint8_t> bytes = translated(profilePath, kTwoModes);
    QVERIFY(!bytes.empty());
    writeFile(folder.file("two.bpf"), bytes);
    const std::vector<std::string> environment{
        "XDG_RUNTIME_DIR=" + run, "XDG_STATE_HOME=" + folder.file("state"),
        "XDG_CONFIG_HOME=" + folder.file("config"), "ASAN_OPTIONS=detect_leaks=1"};
    const std::vector<std::string> arguments{"--device", fifo, "--output", "print"};
    const std::string program = run + "/X36Program";

    ControlsWindow window(
        nullptr,
        [&] {
            return OpenProfile{profilePath, kTwoModes};
        },
        QString::fromStdString(platform::monitorSocketPath(program)),
        QString::fromStdString(program));
    window.show();
    QTRY_VERIFY(labelText(window, "driverStatusLabel").startsWith("No driver is running"));
    QVERIFY(labelText(window, "driverStatusLabel")
                .endsWith("Start it with: systemctl --user start vantrel-driver"));
#ifdef VANTREL_SIMDRIVER
    {
        // The simulated driver takes profiles but serves no monitor stream: the window says so.
        QProcess simulated;
        simulated.start(QStringLiteral(VANTREL_SIMDRIVER),
                        {"--socket", QString::fromStdString(program)});
        QTRY_VERIFY(labelText(window, "driverStatusLabel")
                        .startsWith("A driver answers at " + QString::fromStdString(program) +
                                    " but serves no monitor stream"));
        simulated.terminate();
        QVERIFY(simulated.waitForFinished(10000));
        std::filesystem::remove(program);
        QTRY_VERIFY(labelText(window, "driverStatusLabel").startsWith("No driver is running"));
    }
#endif

    auto driver = std::make_unique<test::DriverProcess>(arguments, environment);
    QVERIFY2(driver->waitForLog("input " + fifo), driver->log().c_str());
    const int stick = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    QVERIFY(stick >= 0);
    QTRY_VERIFY(labelText(window, "driverStatusLabel").startsWith("vantrel-driver is running"));
    QCOMPARE(labelText(window, "heldProfileLabel"), QStringLiteral("none"));
    const auto* devices = test::child<QListWidget>(&window, "devicesList");
    QTRY_COMPARE(devices->count(), 1);
    QVERIFY(devices->item(0)->text().startsWith(QString::fromStdString(fifo)));

    platform::PosixDriverConnection connection(program);
    const std::string sent = folder.file("sent.bpf");
    writeFile(sent, bytes);
    QVERIFY(DeviceProgrammer(connection).program(sent).loaded);
    QTRY_VERIFY(labelText(window, "heldProfileLabel").startsWith("4 scripts, 2 modes, 1 chain"));
    QVERIFY(
        labelText(window, "heldProfileLabel").contains(QRegularExpression(", loaded 20[0-9-]+T")));
    QCOMPARE(labelText(window, "profileMatchLabel"),
             "the driver holds " + QString::fromStdString(folder.file("two.bpf")) +
                 " (same bytes)");
    QCOMPARE(labelText(window, "activeModeLabel"), QStringLiteral("DEFAULT (configuration 0)"));

    // FireA down: the control lights and the profile switches to Combat.
    const auto* controls = test::child<QListWidget>(&window, "controlsList");
    auto* stickPicture = test::child<QWidget>(&window, "stickPicture");
    const QColor light(0, 200, 255);
    const auto fireARing = [&] { return stickPicture->grab().toImage().pixelColor(66 + 13, 122); };
    QVERIFY(fireARing() != light);
    const input_event press[] = {{{}, EV_KEY, BTN_THUMB, 1},
                                 {{}, EV_SYN, SYN_REPORT, 0},
                                 {{}, EV_ABS, ABS_X, 1200},
                                 {{}, EV_SYN, SYN_REPORT, 0}};
    QCOMPARE(::write(stick, press, sizeof press), ssize_t(sizeof press));
    QTRY_VERIFY(row(controls, "FireA: pressed"));
    QVERIFY(row(controls, "FireA: pressed")->font().bold());
    QCOMPARE(controls->currentItem(), row(controls, "FireA: pressed")); // selected by the press
    QVERIFY(row(controls, "Trigger: released"));
    QTRY_COMPARE(labelText(window, "activeModeLabel"), QStringLiteral("Combat (configuration 2)"));
    QTRY_VERIFY(row(controls, "XAxis: 1200"));
    QCOMPARE(fireARing(), light);
    QVERIFY(test::child<QWidget>(&window, "axisGauges")
                ->accessibleDescription()
                .startsWith("XAxis 1200, breakpoints at -16000 0 16000; YAxis 0;"));

    // Another profile sent: the window says it is not the open one.
    std::vector<std::uint8_t> other = translated(profilePath, "<SCRIPTLIST>\r\n_NULL\r\n"
                                                              "<PROGRAM_MODES>\r\n[DEFAULT]\r\n"
                                                              "{DEFAULT}\r\n");
    writeFile(sent, other);
    QVERIFY(DeviceProgrammer(connection).program(sent).loaded);
    QTRY_VERIFY(labelText(window, "profileMatchLabel").startsWith("the driver holds another"));
    QCOMPARE(labelText(window, "activeModeLabel"), QStringLiteral("configuration 0"));
    writeFile(sent, bytes);
    QVERIFY(DeviceProgrammer(connection).program(sent).loaded);

    // The driver stops and comes back with the profile it kept.
    QCOMPARE(driver->stop(), 0);
    ::close(stick);
    QTRY_VERIFY(labelText(window, "driverStatusLabel").startsWith("No driver is running"));
    QCOMPARE(devices->count(), 0);
    driver = std::make_unique<test::DriverProcess>(arguments, environment);
    QVERIFY2(driver->waitForLog("input " + fifo), driver->log().c_str());
    const int again = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    QTRY_VERIFY(labelText(window, "heldProfileLabel").contains("kept from its last run"));
    QVERIFY(labelText(window, "heldProfileLabel").contains(", loaded 20"));
    QVERIFY(labelText(window, "profileMatchLabel").endsWith("(same bytes)"));
    QCOMPARE(driver->stop(), 0);
    ::close(again);
#endif
}

void ControlsWindowTest::learnsAControlThroughTheDriver() {
#ifndef VANTREL_DRIVER
    QSKIP("vantrel-driver is built on Linux only");
#else
    test::DriverFolder folder;
    const std::string run = folder.file("run");
    QVERIFY(QDir().mkpath(QString::fromStdString(run)));
    const std::string fifo = folder.file("stick");
    QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string map = folder.file("config") + "/vantrel/controls.map";
    QVERIFY(QDir().mkpath(QString::fromStdString(folder.file("config") + "/vantrel")));
    const std::string before = "Trigger = BTN_TRIGGER\n";
    std::ofstream(map) << before;
    const std::string program = run + "/X36Program";
    ControlsWindow window(nullptr, {}, QString::fromStdString(platform::monitorSocketPath(program)),
                          QString::fromStdString(program));
    window.show();
    auto* controls = test::child<QListWidget>(&window, "controlsList");
    auto* learn = test::child<QPushButton>(&window, "learnButton");
    auto* cancel = test::child<QPushButton>(&window, "learnCancelButton");
    controls->setCurrentItem(row(controls, "FireB:"));
    QTest::mouseClick(learn, Qt::LeftButton);
    QVERIFY(labelText(window, "learnStatusLabel").startsWith("Learning needs vantrel-driver"));
    QVERIFY(labelText(window, "learnStatusLabel")
                .endsWith("Start it with: systemctl --user start vantrel-driver"));

    test::DriverProcess driver({"--device", fifo, "--output", "print"},
                               {"XDG_RUNTIME_DIR=" + run, "XDG_STATE_HOME=" + folder.file("state"),
                                "XDG_CONFIG_HOME=" + folder.file("config"),
                                "ASAN_OPTIONS=detect_leaks=1"});
    QVERIFY2(driver.waitForLog("input " + fifo), driver.log().c_str());
    const int stick = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    QVERIFY(stick >= 0);
    QTRY_VERIFY(labelText(window, "driverStatusLabel").startsWith("vantrel-driver is running"));
    QTest::mouseClick(learn, Qt::LeftButton);
    QTRY_COMPARE(labelText(window, "learnStatusLabel"),
                 QStringLiteral("Waiting for FireB: press the B button on the stick's head, on "
                                "any device the driver holds."));
    QVERIFY(cancel->isEnabled());
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_VERIFY(labelText(window, "learnStatusLabel").startsWith("Learning FireB was cancelled"));
    QVERIFY(!cancel->isEnabled());

    QTest::mouseClick(learn, Qt::LeftButton);
    QTRY_VERIFY(labelText(window, "learnStatusLabel").startsWith("Waiting for FireB"));
    const input_event press[] = {{{}, EV_KEY, BTN_THUMB, 1},
                                 {{}, EV_SYN, SYN_REPORT, 0},
                                 {{}, EV_KEY, BTN_THUMB, 0},
                                 {{}, EV_SYN, SYN_REPORT, 0}};
    QCOMPARE(::write(stick, press, sizeof press), ssize_t(sizeof press));
    QTRY_VERIFY(labelText(window, "learnStatusLabel")
                    .startsWith("Learnt: FireB is now BTN_THUMB on " +
                                QString::fromStdString(fifo) + ". The control map " +
                                QString::fromStdString(map) + " is saved"));
    std::ifstream saved(map);
    QVERIFY(std::string(std::istreambuf_iterator<char>(saved), {}).find("\nFireB = BTN_THUMB") !=
            std::string::npos);
    std::ifstream kept(map + "~");
    QCOMPARE(std::string(std::istreambuf_iterator<char>(kept), {}), before);

    // The driver plays by the new map: the same button is FireB now.
    QCOMPARE(::write(stick, press, sizeof press / 2), ssize_t(sizeof press / 2));
    QTRY_VERIFY(row(controls, "FireB: pressed"));
    QCOMPARE(driver.stop(), 0);
    ::close(stick);
#endif
}

void ControlsWindowTest::aTryPlaysWhatPlayPrints() {
#ifndef VANTREL_DRIVER
    QSKIP("vantrel-driver is built on Linux only");
#else
    QTemporaryDir folder;
    const std::string profilePath = folder.filePath("try.vtp").toStdString();
    // No monitor answers: the try needs no driver.
    ControlsWindow window(
        nullptr,
        [&] {
            return OpenProfile{profilePath, kTwoModes};
        },
        folder.filePath("X36Monitor"), folder.filePath("X36Program"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(labelText(window, "trySourceLabel"),
             QStringLiteral("Plays the profile in memory, translated without writing a file (it "
                            "has no .bpf file)."));
    const std::vector<std::uint8_t> bytes = translated(profilePath, kTwoModes);
    writeFile(folder.filePath("try.bpf").toStdString(), bytes);
    window.refreshProfile();
    QCOMPARE(labelText(window, "trySourceLabel"),
             "Plays the saved file " + folder.filePath("try.bpf") + ".");

    // Trigger clicked on the picture, Space on FireA in the list (to Combat), Trigger clicked
    // in the list (back to DEFAULT), an axis dragged.
    auto* controls = test::child<QListWidget>(&window, "controlsList");
    QListWidgetItem* trigger = row(controls, "Trigger:");
    QTest::mouseClick(test::child<QWidget>(&window, "stickPicture"), Qt::LeftButton, {},
                      QPoint(206, 99));
    controls->setCurrentItem(row(controls, "FireA:"));
    QTest::keyClick(controls, Qt::Key_Space);
    QTest::mouseClick(controls->viewport(), Qt::LeftButton, {},
                      controls->visualItemRect(trigger).center());
    test::child<QSlider>(&window, "tryAxisSlider")->setValue(20000);

    const std::string events = window.trial().eventsText();
    QCOMPARE(std::count(events.begin(), events.end(), '\n'), 7);
    const QString timeline = test::child<QPlainTextEdit>(&window, "timelineView")->toPlainText();
    QVERIFY(timeline.contains("key down  a (usage 4)"));

    const QString eventsPath = folder.filePath("try.events");
    writeFile(eventsPath.toStdString(), std::vector<std::uint8_t>(events.begin(), events.end()));
    QProcess play;
    play.start(QStringLiteral(VANTREL_DRIVER),
               {"--play", folder.filePath("try.bpf"), "--input", eventsPath});
    QVERIFY(play.waitForFinished(20000));
    QCOMPARE(play.exitCode(), 0);
    QCOMPARE(timeline, QString::fromUtf8(play.readAllStandardOutput()));
#endif
}

void ControlsWindowTest::everyControlIsNamed() {
    ControlsWindow window(nullptr, {}, {}, {});
    const QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        if (widget->focusPolicy() == Qt::NoFocus && !qobject_cast<const QLabel*>(widget))
            continue;
        if (qobject_cast<const QLabel*>(widget) && widget->objectName().isEmpty())
            continue; // the form's captions
        if (widget->objectName().startsWith("qt_"))
            continue;
        QVERIFY2(!widget->objectName().isEmpty(), widget->metaObject()->className());
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
    }
    // Without a monitor the window says so and still offers the try.
    QVERIFY(labelText(window, "driverStatusLabel").startsWith("Only vantrel-driver on Linux"));
}

QTEST_MAIN(ControlsWindowTest)
#include "ControlsWindowTest.moc"
