// A pilot's whole road through the window: write a script, bind it to the trigger, save,
// translate, and send the device file to the (simulated) X36 driver.
#include "editor/EditorWindow.h"
#include "panels/StickPanel.h"
#include "support/GuiTestSupport.h"

#ifdef VANTREL_HAVE_SIMDRIVER
#include "SimulatedDriver.h"
#include <sstream>
#include <thread>
#include <unistd.h>
#endif

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace vantrel;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void choose(EditorWindow& window, const char* menuName, const QString& entry) {
    test::chooseMenuEntry(window, window.menuBar(), menuName, entry);
}

#ifdef VANTREL_HAVE_SIMDRIVER
// The simulated driver serving one profile on a thread of its own.
class DriverOnThread {
public:
    explicit DriverOnThread(const std::string& socketPath) : driver_(options(socketPath), log_) {
        if (::pipe(stop_) != 0 || !driver_.listen())
            qFatal("the simulated driver could not start: %s", driver_.error().c_str());
        thread_ = std::thread([this] { driver_.serve(stop_[0]); });
    }
    ~DriverOnThread() {
        const char byte = 0;
        [[maybe_unused]] auto written = ::write(stop_[1], &byte, 1);
        thread_.join();
        ::close(stop_[0]);
        ::close(stop_[1]);
    }

private:
    static simdriver::SimDriverOptions options(const std::string& socketPath) {
        simdriver::SimDriverOptions options;
        options.socketPath = socketPath;
        options.once = true;
        return options;
    }

    std::ostringstream log_;
    simdriver::SimulatedDriver driver_;
    int stop_[2] = {-1, -1};
    std::thread thread_;
};
#endif

} // namespace

class WholeRoadTest : public QObject {
    Q_OBJECT
private slots:
    void scriptToDevice() {
        QTemporaryDir folder;
        test::GuiSeams seams;
        EditorWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // Type Fire a^40 A and Add.
        auto* scriptBox = test::child<QLineEdit>(&window, "scriptBox");
        QTest::mouseClick(scriptBox, Qt::LeftButton);
        QTest::keyClicks(scriptBox, "Fire a^40 A");
        QVERIFY(test::clickButton(&window, "scriptAddButton"));

        // Select Fire, open the stick panel, "P >>" on TRIGGER.
        auto* list = test::child<QListView>(&window, "scriptList");
        QModelIndex fire;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            if (list->model()->index(row, 0).data().toString() == "Fire")
                fire = list->model()->index(row, 0);
        QVERIFY(fire.isValid());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(fire).center());
        QVERIFY(test::clickButton(&window, "joystickButton"));
        StickPanel& stick = window.stickPanel();
        QTRY_VERIFY(stick.isVisible());
        QVERIFY(test::clickButton(&stick, "triggerPressButton"));
        QCOMPARE(test::child<QLineEdit>(&stick, "triggerPressBox")->text(), QString("Fire"));

        // Save As, then Translate.
        const QString profilePath = folder.filePath("Road.vtp");
        seams.desktop.queueFileName(profilePath);
        choose(window, "fileMenu", "Save As...");
        QVERIFY(fileBytes(profilePath)
                    .contains("\r\n[DEFAULT]\r\nTriggerPress = Fire\r\n{DEFAULT}\r\n"));
        choose(window, "profileMenu", "Translate to .bpf File");
        QVERIFY(seams.messages.shown().empty());

        const QByteArray expected =
            QByteArray::fromHex("04"
                                "2b000000" // version, length 43
                                "0200"     // two scripts, in list order
                                "0000"
                                "0000" // _NULL: ID 0, no events
                                "0100"
                                "0200" // Fire: ID 1, two events
                                "00"
                                "0400"
                                "28000000" // key press, usage 4, delay 40
                                "01"
                                "0400"
                                "0a000000" // key release, usage 4, default delay 10
                                "0100"     // one configuration
                                "0000"
                                "0100"
                                "00"
                                "0100"
                                "0100" // DEFAULT: type 0, code 1, script 1
                                "0000" // no chains
                                "00");
        const QString devicePath = folder.filePath("Road.bpf");
        QCOMPARE(fileBytes(devicePath).toHex(), expected.toHex());

#ifdef VANTREL_HAVE_SIMDRIVER
        // Query HOTAS against the simulated driver.
        qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
        {
            DriverOnThread driver(folder.filePath("X36Program").toStdString());
            choose(window, "profileMenu", "Query HOTAS");
        }
        QCOMPARE(seams.messages.shown().size(), std::size_t(1));
        const platform::Message& query = seams.messages.shown()[0];
        QCOMPARE(query.title, std::string("Device Query"));
        QCOMPARE(QString::fromStdString(query.text),
                 "X36 Device Programming\nFile:  " + devicePath +
                     "\nPing complete.\nProfile clear complete.\nDriver open complete.\n"
                     "File read complete.  Read 43 bytes.\n"
                     "Profile send complete.  Sent 43 bytes.\nProfile load complete.\n");
#else
        QSKIP("the simulated driver is not built on this platform");
#endif
    }
};

QTEST_MAIN(WholeRoadTest)
#include "WholeRoadTest.moc"
