// From a control's event at the driver to the Controls window's repaint of that control:
// vantrel-driver runs as its own process (--output print, a FIFO for a joystick), the window
// reads its monitor stream on the offscreen platform, and each iteration writes one Trigger
// change to the FIFO and waits until the stick picture has been painted again. Reports the
// p50 and p99 of that time; the target is a p99 under one frame (16 ms).
#include "controls/ControlsWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <linux/input.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The driver in a folder of its own, stopped and removed at the end.
class Driver {
public:
    Driver() {
        std::string pattern = "/tmp/vantrel-bench-XXXXXX";
        folder_ = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(folder_ / "run");
        ::mkfifo(stickPath().c_str(), 0600);
        std::vector<std::string> env{"XDG_RUNTIME_DIR=" + (folder_ / "run").string(),
                                     "XDG_STATE_HOME=" + (folder_ / "state").string(),
                                     "XDG_CONFIG_HOME=" + (folder_ / "config").string(),
                                     "HOME=" + folder_.string()};
        std::vector<std::string> args{VANTREL_DRIVER, "--device", stickPath(), "--output", "print"};
        std::vector<char*> argv, envp;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        // Opening blocks until the driver has opened its end.
        stick_ = ::open(stickPath().c_str(), O_WRONLY | O_CLOEXEC);
    }
    ~Driver() {
        ::close(stick_);
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        std::filesystem::remove_all(folder_);
    }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    std::string stickPath() const { return (folder_ / "stick").string(); }
    QString monitorPath() const {
        return QString::fromStdString((folder_ / "run" / "X36Monitor").string());
    }
    QString programPath() const {
        return QString::fromStdString((folder_ / "run" / "X36Program").string());
    }
    void trigger(int value) {
        const input_event events[] = {{{}, EV_KEY, BTN_TRIGGER, value},
                                      {{}, EV_SYN, SYN_REPORT, 0}};
        benchmark::DoNotOptimize(::write(stick_, events, sizeof events));
    }

private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int stick_ = -1;
};

// Notes when a widget is next painted.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, std::size_t(fraction * double(samples.size())))];
}

void eventToRepaint(benchmark::State& state) {
    Driver driver;
    vantrel::ControlsWindow window(nullptr, {}, driver.monitorPath(), driver.programPath());
    window.show();
    auto* status = window.findChild<QLabel*>("driverStatusLabel");
    QElapsedTimer waited;
    waited.start();
    while (!status->text().startsWith("vantrel-driver is running") && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!status->text().startsWith("vantrel-driver is running")) {
        state.SkipWithError("the window never saw the driver");
        return;
    }
    QWidget* stick = window.findChild<QWidget*>("stickPicture");
    PaintWatch watch;
    stick->installEventFilter(&watch);

    std::vector<double> samples;
    int value = 1;
    for (auto _ : state) {
        QCoreApplication::processEvents(); // nothing left over from the last round
        watch.painted = false;
        const Clock::time_point start = Clock::now();
        driver.trigger(value);
        value = 1 - value;
        while (!watch.painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1000.0);
    }
    state.counters["p50_ms"] = percentile(samples, 0.50);
    state.counters["p99_ms"] = percentile(samples, 0.99);
}
BENCHMARK(eventToRepaint)->UseManualTime()->Iterations(500)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
