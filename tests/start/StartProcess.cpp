#include "StartProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vantrel::test {
namespace {

std::vector<char*> pointers(std::vector<std::string>& words) {
    std::vector<char*> list;
    for (std::string& word : words)
        list.push_back(word.data());
    list.push_back(nullptr);
    return list;
}

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

} // namespace

Process::Process(std::vector<std::string> arguments, std::vector<std::string> environment,
                 const std::filesystem::path& outputFolder)
    : stdout_(outputFolder / "stdout"), stderr_(outputFolder / "stderr") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdout_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderr_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv = pointers(arguments);
    std::vector<char*> envp = pointers(environment);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

Process::~Process() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::optional<int> Process::wait(std::chrono::milliseconds limit) {
    std::optional<int> status;
    waitUntil(
        [&] {
            int raw = 0;
            if (pid_ <= 0 || ::waitpid(pid_, &raw, WNOHANG) != pid_)
                return false;
            pid_ = -1;
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            return true;
        },
        limit);
    return status;
}

std::string Process::errors() const {
    return contents(stderr_);
}

std::string Process::output() const {
    return contents(stdout_);
}

bool waitUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::vector<std::string> mappedFiles(pid_t pid) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::vector<std::string> files;
    for (std::string line; std::getline(maps, line);) {
        const std::size_t path = line.find('/');
        if (path != std::string::npos)
            files.push_back(line.substr(path));
    }
    return files;
}

bool mapsQt(pid_t pid) {
    for (const std::string& file : mappedFiles(pid))
        if (std::filesystem::path(file).filename().string().starts_with("libQt6"))
            return true;
    return false;
}

bool waitsOnSocket(pid_t pid) {
    const std::filesystem::path process = "/proc/" + std::to_string(pid);
    // The state is the first field after the command name in parentheses.
    const std::string stat = contents(process / "stat");
    const std::size_t name = stat.rfind(')');
    if (name == std::string::npos || stat.substr(name + 2, 1) != "S")
        return false;
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator(process / "fd", error)) {
        const std::filesystem::path target = std::filesystem::read_symlink(fd.path(), error);
        if (!error && target.string().starts_with("socket:"))
            return true;
    }
    return false;
}

} // namespace vantrel::test
