#ifdef VANTREL_SIMDRIVER
#include "SimDriverProcess.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vantrel::test {

TempFolder::TempFolder() {
    std::string pattern = "/tmp/vantrel-device-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

SimDriverProcess::SimDriverProcess(const std::string& socketPath,
                                   const std::vector<std::string>& options) {
    std::vector<std::string> arguments{VANTREL_SIMDRIVER, "--socket", socketPath};
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        throw std::runtime_error("cannot create a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        throw std::runtime_error("cannot start the simulated driver");
    }
    reader_ = std::thread([this, fd = pipeFds[0]] { collect(fd); });
}

SimDriverProcess::~SimDriverProcess() {
    if (status_ < 0 && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (reader_.joinable())
        reader_.join();
}

void SimDriverProcess::collect(int fd) {
    char chunk[4096];
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        std::lock_guard lock(mutex_);
        if (count <= 0) {
            ended_ = true;
            changed_.notify_all();
            break;
        }
        output_.append(chunk, static_cast<std::size_t>(count));
        changed_.notify_all();
    }
    ::close(fd);
}

bool SimDriverProcess::waitFor(const std::string& text) {
    std::unique_lock lock(mutex_);
    // The bound only keeps a broken driver from hanging the suite.
    changed_.wait_for(lock, std::chrono::seconds(30),
                      [&] { return ended_ || output_.find(text) != std::string::npos; });
    return output_.find(text) != std::string::npos;
}

std::string SimDriverProcess::output() {
    std::lock_guard lock(mutex_);
    return output_;
}

int SimDriverProcess::interrupt() {
    if (status_ < 0)
        ::kill(pid_, SIGINT);
    return wait();
}

int SimDriverProcess::wait() {
    if (status_ < 0) {
        int raw = 0;
        ::waitpid(pid_, &raw, 0);
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }
    if (reader_.joinable())
        reader_.join();
    return status_;
}

} // namespace vantrel::test
#endif
