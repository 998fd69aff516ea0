#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace vantrel::test {

// A fresh folder under /tmp (short enough for a socket path), removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The simulated driver run as its own process, its output collected as it comes.
class SimDriverProcess {
public:
    SimDriverProcess(const std::string& socketPath, const std::vector<std::string>& options = {});
    ~SimDriverProcess();
    SimDriverProcess(const SimDriverProcess&) = delete;
    SimDriverProcess& operator=(const SimDriverProcess&) = delete;

    // True once the driver listens; false when it exited instead.
    bool ready() { return waitFor("listening on "); }
    // Waits until the output holds the text or the driver has ended.
    bool waitFor(const std::string& text);
    std::string output();
    // Sends Ctrl-C and returns the exit status.
    int interrupt();
    // Waits for the driver to end by itself and returns the exit status.
    int wait();

private:
    void collect(int fd);

    pid_t pid_ = -1;
    int status_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string output_;
    bool ended_ = false;
};

} // namespace vantrel::test
