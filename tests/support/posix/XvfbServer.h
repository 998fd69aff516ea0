#pragma once

#include <string>
#include <sys/types.h>

namespace vantrel::test {

// A real X server (Xvfb) on a display number it picks itself, stopped with the object.
class XvfbServer {
public:
    XvfbServer() = default;
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;
    ~XvfbServer();

    // Starts the server; on failure says why in problem (for a test's skip message).
    bool start(std::string& problem);
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace vantrel::test
