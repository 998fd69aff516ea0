// The files shipped for installing the driver: the user service and the udev rules.
#include "DriverProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace vantrel {
namespace {

const std::string kDist = VANTREL_DRIVER_DIST;

std::string readText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a shell command; its status and everything it printed.
std::pair<int, std::string> run(const std::string& command) {
    std::string output;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return {-1, ""};
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, pipe))
        output += chunk;
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(DistFiles, TheUserServiceIsWellFormed) {
    const std::string unit = readText(kDist + "/vantrel-driver.service");
    ASSERT_NE(unit, "");
    // Started ready: systemctl returns once the driver's socket listens.
    EXPECT_NE(unit.find("\nType=forking\nExecStart=vantrel-driver --background\n"),
              std::string::npos);
    EXPECT_NE(unit.find("\nRestart=on-failure\n"), std::string::npos);
    if (run("command -v systemd-analyze").first != 0)
        GTEST_SKIP() << "systemd-analyze is not installed; only the keys were checked";
    // Installed, ExecStart finds the program on systemd's own search path; here it is named
    // by its place in the build, which verify requires to exist.
    test::DriverFolder folder;
    const std::string copy = folder.file("vantrel-driver.service");
    std::ofstream(copy) << std::regex_replace(unit, std::regex("ExecStart=vantrel-driver"),
                                              "ExecStart=" + std::string(VANTREL_DRIVER));
    const auto [status, output] = run("systemd-analyze verify --man=no '" + copy + "'");
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output, ""); // verify only warns about unknown keys
}

TEST(DistFiles, TheUdevRulesAreWellFormed) {
    std::ifstream in(kDist + "/60-vantrel-driver.rules");
    ASSERT_TRUE(in);
    // Match keys compare, assignment keys assign; each value is quoted.
    const std::regex match(R"re((KERNEL|SUBSYSTEM|ENV\{[A-Z_]+\}|ATTRS?\{\w+\})(==|!=)"[^"]*")re");
    const std::regex assign(R"re((TAG|OPTIONS|MODE|GROUP)(=|\+=|-=|:=)"[^"]*")re");
    std::string line;
    std::vector<std::string> rules;
    while (std::getline(in, line)) {
        if (line.empty() || line.starts_with("#"))
            continue;
        rules.push_back(line);
        std::istringstream pairs(line);
        std::string pair;
        int assignments = 0;
        while (std::getline(pairs, pair, ',')) {
            pair.erase(0, pair.find_first_not_of(' '));
            if (std::regex_match(pair, assign))
                ++assignments;
            else
                EXPECT_TRUE(std::regex_match(pair, match)) << "in " << line << ": " << pair;
        }
        EXPECT_GT(assignments, 0) << line;
    }
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0], R"(KERNEL=="uinput", SUBSYSTEM=="misc", TAG+="uaccess", )"
                        R"(OPTIONS+="static_node=uinput")");
}

} // namespace
} // namespace vantrel
