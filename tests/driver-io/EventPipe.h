#pragma once

#include <linux/input.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace vantrel::driver::testing {

// A pipe that a test fills with raw input_event records, as a recording or a FIFO would.
class EventPipe {
public:
    EventPipe() {
        int fds[2] = {-1, -1};
        EXPECT_EQ(::pipe2(fds, O_CLOEXEC), 0);
        read_ = fds[0];
        write_ = fds[1];
    }
    ~EventPipe() {
        closeWriter();
        if (read_ >= 0)
            ::close(read_);
    }
    EventPipe(const EventPipe&) = delete;
    EventPipe& operator=(const EventPipe&) = delete;

    // The read end, handed over to whoever closes it.
    int takeReader() {
        const int fd = read_;
        read_ = -1;
        return fd;
    }
    int reader() const { return read_; }

    static input_event event(int type, int code, int value) {
        input_event record{};
        record.type = static_cast<__u16>(type);
        record.code = static_cast<__u16>(code);
        record.value = value;
        return record;
    }

    void write(const std::vector<input_event>& records) {
        writeBytes(std::string(reinterpret_cast<const char*>(records.data()),
                               records.size() * sizeof(input_event)));
    }
    // One event and the report that ends its frame.
    void frame(int type, int code, int value) {
        write({event(type, code, value), event(EV_SYN, SYN_REPORT, 0)});
    }
    void writeBytes(const std::string& bytes) {
        ASSERT_EQ(::write(write_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    void closeWriter() {
        if (write_ >= 0)
            ::close(write_);
        write_ = -1;
    }

private:
    int read_ = -1;
    int write_ = -1;
};

} // namespace vantrel::driver::testing
