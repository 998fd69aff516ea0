#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace vantrel::test {

// A fresh folder under /tmp (short enough for a socket path), removed with all it holds.
class DriverFolder {
public:
    DriverFolder();
    ~DriverFolder();
    DriverFolder(const DriverFolder&) = delete;
    DriverFolder& operator=(const DriverFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// vantrel-driver run as its own process with the given environment additions ("NAME=value"),
// its standard output (the played actions) and error (the log) collected as they come. Its
// standard input is empty, or a pipe the test writes answers into, as a script would.
class DriverProcess {
public:
    enum class Input { None, Answers };
    DriverProcess(const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment, Input input = Input::None);
    ~DriverProcess();
    DriverProcess(const DriverProcess&) = delete;
    DriverProcess& operator=(const DriverProcess&) = delete;

    // Wait until the stream holds the text (counted from `from`) or the process has ended.
    bool waitForOutput(const std::string& text, std::size_t from = 0);
    bool waitForLog(const std::string& text, std::size_t from = 0);
    std::string output();
    std::string log();
    // Writes text to standard input (with Input::Answers); false when the process took none.
    bool answer(const std::string& text);
    pid_t pid() const { return pid_; }
    // SIGTERM, then the exit status.
    int stop();
    int wait();

private:
    struct Stream {
        std::string text;
        bool ended = false;
    };
    void collect(int fd, Stream& stream);
    bool waitFor(Stream& stream, const std::string& text, std::size_t from);

    pid_t pid_ = -1;
    int status_ = -1;
    int answers_ = -1;
    std::mutex mutex_;
    std::condition_variable changed_;
    Stream out_;
    Stream err_;
    std::thread outReader_;
    std::thread errReader_;
};

} // namespace vantrel::test
