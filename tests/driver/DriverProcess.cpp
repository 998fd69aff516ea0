#include "DriverProcess.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vantrel::test {

DriverFolder::DriverFolder() {
    std::string pattern = "/tmp/vantrel-driver-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

DriverFolder::~DriverFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

DriverProcess::DriverProcess(const std::vector<std::string>& arguments,
                             const std::vector<std::string>& environment, Input input) {
    std::vector<std::string> argvText{VANTREL_DRIVER};
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argvText)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // The test's own environment, without a display (so no X server is tried), plus additions.
    std::vector<std::string> envText;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view line(*entry);
        if (!line.starts_with("DISPLAY=") && !line.starts_with("WAYLAND_DISPLAY="))
            envText.emplace_back(line);
    }
    envText.insert(envText.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& entry : envText)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    int outPipe[2];
    int errPipe[2];
    int inPipe[2] = {-1, -1};
    if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0 ||
        (input == Input::Answers && ::pipe2(inPipe, O_CLOEXEC) != 0))
        throw std::runtime_error("cannot create a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input == Input::Answers)
        posix_spawn_file_actions_adddup2(&actions, inPipe[0], STDIN_FILENO);
    else // no answers: a prompt sees its end at once
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (input == Input::Answers) {
        ::close(inPipe[0]);
        answers_ = inPipe[1];
    }
    if (spawned != 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        throw std::runtime_error("cannot start vantrel-driver");
    }
    outReader_ = std::thread([this, fd = outPipe[0]] { collect(fd, out_); });
    errReader_ = std::thread([this, fd = errPipe[0]] { collect(fd, err_); });
}

DriverProcess::~DriverProcess() {
    if (answers_ >= 0)
        ::close(answers_);
    if (status_ < 0 && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (outReader_.joinable())
        outReader_.join();
    if (errReader_.joinable())
        errReader_.join();
}

void DriverProcess::collect(int fd, Stream& stream) {
    char chunk[4096];
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof chunk);
        std::lock_guard lock(mutex_);
        if (count <= 0) {
            stream.ended = true;
            changed_.notify_all();
            break;
        }
        stream.text.append(chunk, static_cast<std::size_t>(count));
        changed_.notify_all();
    }
    ::close(fd);
}

bool DriverProcess::waitFor(Stream& stream, const std::string& text, std::size_t from) {
    std::unique_lock lock(mutex_);
    auto found = [&] {
        return stream.text.size() >= from && stream.text.find(text, from) != std::string::npos;
    };
    // The bound only keeps a broken driver from hanging the suite.
    changed_.wait_for(lock, std::chrono::seconds(30), [&] { return stream.ended || found(); });
    return found();
}

bool DriverProcess::waitForOutput(const std::string& text, std::size_t from) {
    return waitFor(out_, text, from);
}

bool DriverProcess::waitForLog(const std::string& text, std::size_t from) {
    return waitFor(err_, text, from);
}

std::string DriverProcess::output() {
    std::lock_guard lock(mutex_);
    return out_.text;
}

std::string DriverProcess::log() {
    std::lock_guard lock(mutex_);
    return err_.text;
}

bool DriverProcess::answer(const std::string& text) {
    if (answers_ < 0)
        return false;
    // A process that has ended must fail the write, not kill the test with SIGPIPE: the
    // signal is held for this thread and taken back if the write raised it.
    sigset_t pipeSignal;
    sigset_t before;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
    const ssize_t written = ::write(answers_, text.data(), text.size());
    const timespec now{};
    while (::sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
    }
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return written == static_cast<ssize_t>(text.size());
}

int DriverProcess::stop() {
    if (status_ < 0)
        ::kill(pid_, SIGTERM);
    return wait();
}

int DriverProcess::wait() {
    if (status_ < 0) {
        int raw = 0;
        ::waitpid(pid_, &raw, 0);
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }
    if (outReader_.joinable())
        outReader_.join();
    if (errReader_.joinable())
        errReader_.join();
    return status_;
}

} // namespace vantrel::test
