// The device link's steps against a scripted connection that counts its handles.
#include "device/DeviceProgrammer.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

namespace vantrel {
namespace {

class ScriptedConnection : public platform::DriverConnection {
public:
    std::optional<platform::DriverHandle> openFile(const std::string&) override {
        if (!fileOpens)
            return fail(2);
        return open();
    }
    std::optional<platform::DriverHandle> openDriver() override {
        ++driverOpens;
        if (!driverOpensOk)
            return fail(5);
        driver = open();
        return driver;
    }
    std::optional<std::uint64_t> fileSize(platform::DriverHandle) override {
        if (!sizeKnown)
            return fail(22);
        return fileBytes.size();
    }
    std::optional<std::size_t> read(platform::DriverHandle handle,
                                    std::span<std::uint8_t> buffer) override {
        if (handle != driver) {
            if (!fileReadOk)
                return fail(13);
            const std::size_t count = std::min(buffer.size(), fileBytes.size());
            std::copy_n(fileBytes.begin(), count, buffer.begin());
            return count;
        }
        if (replies.empty())
            return std::size_t{0};
        buffer[0] = replies.front();
        replies.pop_front();
        return std::size_t{1};
    }
    std::optional<std::size_t> write(platform::DriverHandle,
                                     std::span<const std::uint8_t> data) override {
        writes.emplace_back(data.begin(), data.end());
        return data.size();
    }
    void close(platform::DriverHandle handle) override { open_.erase(handle); }
    long lastError() const override { return error; }

    bool fileOpens = true;
    bool sizeKnown = true;
    bool driverOpensOk = true;
    bool fileReadOk = true;
    std::vector<std::uint8_t> fileBytes{4, 16, 0, 0, 0};
    std::deque<std::uint8_t> replies;
    std::vector<std::vector<std::uint8_t>> writes;
    int driverOpens = 0;
    platform::DriverHandle driver = -1;
    long error = 0;

    std::size_t openHandles() const { return open_.size(); }

private:
    std::nullopt_t fail(long code) {
        error = code;
        return std::nullopt;
    }
    platform::DriverHandle open() {
        open_[next_] = true;
        return next_++;
    }
    std::map<platform::DriverHandle, bool> open_;
    platform::DriverHandle next_ = 10;
};

TEST(DeviceProgrammerHandles, ClosesEveryHandleOnEveryPath) {
    struct Case {
        const char* name;
        void (*setUp)(ScriptedConnection&);
        std::string log;
    };
    const std::vector<Case> cases{
        {"file missing", [](ScriptedConnection& c) { c.fileOpens = false; },
         "Error: unable to open file p.bpf.   Error 2\n"},
        {"size unknown", [](ScriptedConnection& c) { c.sizeKnown = false; },
         "Error reading file.  Value: 22\n"},
        {"no driver", [](ScriptedConnection& c) { c.driverOpensOk = false; },
         "Error opening driver.  Error: 5\n"},
        {"ping", [](ScriptedConnection& c) { c.replies = {7}; }, "Ping error.  Value: 7\n"},
        {"clear", [](ScriptedConnection& c) { c.replies = {0}; },
         "Profile clear error.  Value: 1\n"},
        {"prepare",
         [](ScriptedConnection& c) {
             c.replies = {0, 0, 0x80};
         },
         "Error setting up profile load.  Value: -128\n"},
        {"file read",
         [](ScriptedConnection& c) {
             c.replies = {0, 0, 0};
             c.fileReadOk = false;
         },
         "Error reading file.  Value: 13\n"},
        {"final",
         [](ScriptedConnection& c) {
             c.replies = {0, 0, 0, 0};
         },
         ""},
    };
    for (const Case& testCase : cases) {
        ScriptedConnection connection;
        testCase.setUp(connection);
        const DeviceResult result = DeviceProgrammer(connection).program("p.bpf");
        EXPECT_EQ(connection.openHandles(), 0u) << testCase.name;
        if (!testCase.log.empty()) {
            EXPECT_EQ(result.log, testCase.log) << testCase.name;
        }
        EXPECT_EQ(result.loaded, testCase.log.empty()) << testCase.name;
    }
}

TEST(DeviceProgrammerHandles, SendsTheCommandsInOrderThenTheWholeFile) {
    ScriptedConnection connection;
    connection.replies = {0, 0, 0, 0};
    EXPECT_TRUE(DeviceProgrammer(connection).program("p.bpf").loaded);
    const std::vector<std::vector<std::uint8_t>> expected{{0}, {3}, {1}, connection.fileBytes};
    EXPECT_EQ(connection.writes, expected);
}

} // namespace
} // namespace vantrel
