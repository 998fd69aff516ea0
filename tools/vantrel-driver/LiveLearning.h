#pragma once

#include "DriverMonitor.h"
#include "InputWatch.h"

#include "io/ControlCatch.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace vantrel::driver {

// Learns a control while the driver runs, at a monitor client's request, from the devices the
// driver holds: the next press (or push, or far move) of any of them becomes the control's
// binding, the control map file is saved (the previous one kept as <file>~) and the devices
// are mapped by the new map at once. Requests and answers are monitor records:
//     learn control=NAME    ->  learn waiting control=NAME [direction=up|right|down|left]
//                               learn bound control=NAME device=LABEL code=CODES map=PATH
//                               or learn failed control=NAME reason=...
//     learn cancel          ->  learn cancelled control=NAME
// A new request replaces the one waiting; a client that leaves cancels its own.
class LiveLearning {
public:
    LiveLearning(std::filesystem::path mapPath, InputWatch& input, DriverMonitor& monitor,
                 std::ostream& log);
    ~LiveLearning();

    bool active() const { return catch_ != nullptr; }
    void request(int client, std::string_view line);
    void clientLeft(int client);
    // Offers the raw events of the last input step. Once the control is caught, the devices
    // are mapped anew and the releases of what they held are appended to the changes.
    void take(const std::vector<SourcedEvent>& events, std::vector<player::ControlInput>& changes,
              std::vector<ControlOrigin>& origins);

private:
    void start(int client, std::string_view name);
    void stop();
    void fail(std::string_view control, const std::string& reason);
    void tellWaiting();
    void bindCaught(std::vector<player::ControlInput>& changes,
                    std::vector<ControlOrigin>& origins);

    std::filesystem::path mapPath_;
    InputWatch& input_;
    DriverMonitor& monitor_;
    std::ostream& log_;
    std::unique_ptr<CatchMemory> memory_;
    std::unique_ptr<ControlCatch> catch_;
    int client_ = -1;
};

} // namespace vantrel::driver
