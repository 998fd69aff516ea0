#pragma once

#include "DriverProcess.h"
#include "KernelDevices.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vantrel::test {

struct ProgramRun {
    int status = -1;
    std::string output; // standard output and error together
};

// A program of the build run to its end.
ProgramRun runProgram(const std::vector<std::string>& arguments);

// Each case gets fresh runtime, state and configuration folders (so its own socket, kept
// profile and control map) and prints the driver's log when it fails.
class KernelDriverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Starts vantrel-driver and waits until it has taken a joystick (its "input" line).
    void startDriver(const std::vector<std::string>& arguments = {});
    // Stops it with SIGTERM; returns the exit status.
    int stopDriver();
    // The translated kernel.vtp sent with "vantrel kernel.bpf".
    void loadProfile();

    std::string file(const std::string& name) const { return folder_.file(name); }
    static const std::string& profilePath();

    DriverFolder folder_;
    std::unique_ptr<DriverProcess> driver_;
};

} // namespace vantrel::test
