#include "KernelTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sys/wait.h>

namespace vantrel::test {
namespace {

DriverFolder* suiteFolder = nullptr;

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

} // namespace

ProgramRun runProgram(const std::vector<std::string>& arguments) {
    std::string command;
    for (const std::string& argument : arguments)
        command += quoted(argument) + " ";
    command += "2>&1 </dev/null";
    ProgramRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char chunk[4096];
    while (const std::size_t count = std::fread(chunk, 1, sizeof chunk, pipe))
        run.output.append(chunk, count);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

void KernelDriverTest::SetUpTestSuite() {
    suiteFolder = new DriverFolder;
    const std::string text = suiteFolder->file("kernel.vtp");
    std::filesystem::copy_file(VANTREL_KERNEL_PROFILE, text);
    const ProgramRun translated = runProgram({VANTREL_CLIENT, text});
    ASSERT_EQ(translated.status, 0) << translated.output;
}

void KernelDriverTest::TearDownTestSuite() {
    delete suiteFolder;
    suiteFolder = nullptr;
}

const std::string& KernelDriverTest::profilePath() {
    static const std::string path = suiteFolder->file("kernel.bpf");
    return path;
}

void KernelDriverTest::SetUp() {
    std::filesystem::create_directory(file("run"));
    std::filesystem::permissions(file("run"), std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", file("run").c_str(), 1);
    ::setenv("XDG_STATE_HOME", file("state").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", file("config").c_str(), 1);
}

void KernelDriverTest::TearDown() {
    if (HasFailure() && driver_)
        std::cerr << "--- vantrel-driver's log:\n" << driver_->log() << "---\n";
    driver_.reset();
}

void KernelDriverTest::startDriver(const std::vector<std::string>& arguments) {
    driver_ = std::make_unique<DriverProcess>(arguments, std::vector<std::string>{});
    ASSERT_TRUE(driver_->waitForLog("vantrel-driver: input /dev/input/")) << driver_->log();
}

int KernelDriverTest::stopDriver() {
    return driver_->stop();
}

void KernelDriverTest::loadProfile() {
    const ProgramRun sent = runProgram({VANTREL_CLIENT, profilePath()});
    ASSERT_EQ(sent.status, 0) << sent.output;
    ASSERT_NE(sent.output.find("Profile load complete."), std::string::npos) << sent.output;
    ASSERT_TRUE(driver_->waitForLog("profile loaded"));
}

} // namespace vantrel::test
