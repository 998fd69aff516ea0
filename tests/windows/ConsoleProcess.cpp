#include "ConsoleProcess.h"

#include "platform/PathText.h"
#include "platform/win/WideText.h"

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace vantrel::test {
namespace {

constexpr DWORD kRunLimitMs = 60'000;

// Reads a pipe to its end on a thread of its own, so that a child that fills the pipe never
// waits on a parent that waits on the child.
class PipeReader {
public:
    explicit PipeReader(HANDLE pipe)
        : thread_([this, pipe] {
              char buffer[4096];
              DWORD count = 0;
              while (::ReadFile(pipe, buffer, sizeof buffer, &count, nullptr) && count > 0)
                  text_.append(buffer, count);
          }) {}
    std::string finish() {
        thread_.join();
        return text_;
    }

private:
    std::string text_;
    std::thread thread_;
};

} // namespace

ConsoleRun runConsole(const std::string& arguments, const std::filesystem::path& folder) {
    ConsoleRun run;
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return run;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const HANDLE nul =
        ::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      &inherit, OPEN_EXISTING, 0, nullptr);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = nul;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::wstring line = L"\"" + platform::wideFromUtf8(VANTREL_CONSOLE_EXE) + L"\"";
    if (!arguments.empty())
        line += L" " + platform::wideFromUtf8(arguments);
    const std::wstring directory = folder.wstring();
    run.started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   directory.c_str(), &startup, &process) != 0;
    ::CloseHandle(writeEnd);
    if (nul != INVALID_HANDLE_VALUE)
        ::CloseHandle(nul);
    if (!run.started) {
        ADD_FAILURE() << "cannot start " << VANTREL_CONSOLE_EXE << ": error " << ::GetLastError();
        ::CloseHandle(readEnd);
        return run;
    }
    PipeReader reader(readEnd);
    if (::WaitForSingleObject(process.hProcess, kRunLimitMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the console program did not end: " << arguments;
        ::TerminateProcess(process.hProcess, 99);
        ::WaitForSingleObject(process.hProcess, INFINITE);
    }
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    run.errors = reader.finish();
    ::CloseHandle(readEnd);
    return run;
}

ScratchFolder::ScratchFolder(const std::string& name) {
    path_ =
        std::filesystem::temp_directory_path() /
        platform::pathFromUtf8("vantrel-" + name + "-" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::filesystem::path testData(const std::string& relative) {
    return platform::pathFromUtf8(std::string(VANTREL_TEST_DATA) + "/" + relative);
}

} // namespace vantrel::test
