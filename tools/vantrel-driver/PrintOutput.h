#pragma once

#include "io/DriverIo.h"

#include <ostream>

namespace vantrel::driver {

// The output of last resort, and the one tests read: a line per action on a stream, such as
// "   1.250 key down, usage 4" (seconds since the driver started).
class PrintOutput : public OutputBackend {
public:
    explicit PrintOutput(std::ostream& out, std::string reason = {});

    void emit(const player::OutputAction& action, player::Time at) override;
    std::string describe() const override;
    bool offersJoystick() const override { return true; } // every action is shown

private:
    std::ostream& out_;
    std::string reason_;
};

} // namespace vantrel::driver
