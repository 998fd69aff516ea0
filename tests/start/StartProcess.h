#pragma once

#include "support/posix/XvfbServer.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vantrel::test {

// A program started with posix_spawn in an environment of the test's choosing, its stdout and
// stderr in files; killed and reaped if the test ends before it.
class Process {
public:
    Process(std::vector<std::string> arguments, std::vector<std::string> environment,
            const std::filesystem::path& outputFolder);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return pid_; }
    bool started() const { return pid_ > 0; }
    // The exit status once the process has ended within the time, else nullopt.
    std::optional<int> wait(std::chrono::milliseconds limit);
    std::string errors() const; // what it wrote on stderr so far
    std::string output() const;

private:
    pid_t pid_ = -1;
    std::filesystem::path stdout_, stderr_;
};

// Polls until ready() holds or the time is up; returns the last answer.
bool waitUntil(const std::function<bool()>& ready,
               std::chrono::milliseconds limit = std::chrono::seconds(30));

// The paths of the files mapped into a live process, read from /proc/PID/maps.
std::vector<std::string> mappedFiles(pid_t pid);
// Whether any mapped file of the process is one of Qt's libraries.
bool mapsQt(pid_t pid);

// Whether the process sleeps (waits for something) with a socket open.
bool waitsOnSocket(pid_t pid);

} // namespace vantrel::test
