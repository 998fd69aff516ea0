// File > Open on paths that are not plain profile files: the editor answers at once with its
// "Load Error" box and keeps the profile it holds.
#include "editor/EditorWindow.h"
#include "support/GuiTestSupport.h"

#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace vantrel;

namespace {

// A FIFO whose writer hands a whole profile to a reader that opens it the blocking way, so
// an editor that wrongly reads FIFOs loads it (and fails the test) instead of hanging.
class ProfileFifo {
public:
    explicit ProfileFifo(const QString& path) : path_(path.toStdString()) {
        if (::mkfifo(path_.c_str(), 0600) != 0)
            qFatal("cannot make a FIFO");
        writer_ = std::thread([this] {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
            const int fd = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd < 0)
                return;
            const std::string text = "<SCRIPTLIST>\nIntruder i I\n";
            [[maybe_unused]] const auto written = ::write(fd, text.data(), text.size());
            ::close(fd);
        });
    }
    ~ProfileFifo() {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        writer_.join();
        if (fd >= 0)
            ::close(fd);
    }
    ProfileFifo(const ProfileFifo&) = delete;
    ProfileFifo& operator=(const ProfileFifo&) = delete;

private:
    std::string path_;
    std::thread writer_;
};

} // namespace

class OpenUnusualFilesTest : public QObject {
    Q_OBJECT

private slots:
    void openRefusesFoldersFifosAndDevices() {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("folder.vtp"));
        QVERIFY(QFile::link("/dev/zero", folder.filePath("zero.vtp")));
        const ProfileFifo fifo(folder.filePath("fifo.vtp"));

        test::GuiSeams seams;
        EditorWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* scripts = test::child<QListView>(&window, "scriptList")->model();
        for (const char* name : {"fifo.vtp", "folder.vtp", "zero.vtp"}) {
            seams.messages.clear();
            seams.desktop.queueFileName(folder.filePath(name));
            test::chooseMenuEntry(window, window.menuBar(), "fileMenu", "Open...");
            QCOMPARE(seams.messages.shown().size(), std::size_t(1));
            QCOMPARE(seams.messages.shown()[0].text, std::string("Error reading from file."));
            QCOMPARE(seams.messages.shown()[0].title, std::string("Load Error"));
            // Still the new profile's one script.
            QCOMPARE(scripts->rowCount(), 1);
            QCOMPARE(scripts->index(0, 0).data().toString(), QString("_NULL"));
        }
    }
};

QTEST_MAIN(OpenUnusualFilesTest)
#include "OpenUnusualFilesTest.moc"
