#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pthread.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vantrel::test {

namespace fs = std::filesystem;

// A fresh folder of the test's own on the real file system, removed with its content.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "vantrel-files-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            ADD_FAILURE() << "cannot create a scratch folder";
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

inline std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A FIFO with a writer waiting on its other end: a reader that opens it the blocking way
// gets the text and then the end of the file, so code that wrongly reads a FIFO finishes
// (and fails its test) instead of hanging. Code that refuses the FIFO never wakes the
// writer; the destructor does, by opening the FIFO itself.
class FifoWriter {
public:
    FifoWriter(std::string path, std::string text) : path_(std::move(path)) {
        made_ = ::mkfifo(path_.c_str(), 0600) == 0;
        if (!made_) {
            ADD_FAILURE() << "cannot make a FIFO at " << path_;
            return;
        }
        writer_ = std::thread([this, text = std::move(text)] {
            // Code that refuses the FIFO still opens it for a moment, which lets this open
            // return; the write then finds no reader and must fail instead of raising SIGPIPE.
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
            const int fd = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
            if (fd < 0)
                return;
            [[maybe_unused]] const auto written = ::write(fd, text.data(), text.size());
            ::close(fd);
        });
    }
    ~FifoWriter() {
        if (!made_)
            return;
        // Lets the writer's open return if no reader has come; it then writes into the
        // FIFO's buffer, which this reader drops.
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        writer_.join();
        if (fd >= 0)
            ::close(fd);
    }
    FifoWriter(const FifoWriter&) = delete;
    FifoWriter& operator=(const FifoWriter&) = delete;

private:
    std::string path_;
    bool made_ = false;
    std::thread writer_;
};

} // namespace vantrel::test
