#pragma once

#include <filesystem>
#include <string>

namespace vantrel::test {

// One run of the console program, started by CreateProcessW with a command line given
// character for character, as a Windows shell or shortcut would hand it over.
struct ConsoleRun {
    bool started = false;
    unsigned long exitCode = 0;
    std::string errors; // everything it wrote on stderr, as UTF-8 bytes
};

// Runs the console program in a working folder with the text after its name on the command
// line (UTF-8). A run that does not end within a minute is ended and fails.
ConsoleRun runConsole(const std::string& arguments, const std::filesystem::path& folder);

// A fresh folder of the test's own under the system's temporary folder, removed afterwards.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::string fileBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, const std::string& bytes);
std::filesystem::path testData(const std::string& relative);

} // namespace vantrel::test
