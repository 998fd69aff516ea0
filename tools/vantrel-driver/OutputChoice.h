#pragma once

#include "DriverOptions.h"
#include "io/DriverIo.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace vantrel::driver {

// How each output is opened; nothing, with the reason in error, where it cannot be.
struct OutputOpeners {
    std::function<std::unique_ptr<OutputBackend>(std::string& error)> uinput;
    std::function<std::unique_ptr<OutputBackend>(std::string& error)> xtest;
};

// The real ones: /dev/uinput, and the X server of $DISPLAY.
OutputOpeners systemOutputOpeners(NoticeHandler notices);

struct ChosenOutput {
    std::unique_ptr<OutputBackend> backend; // nothing when the requested one failed
    std::string why;                        // the log line: which output and why
    std::string advice; // what to do for the output that could not be used; empty for none
};

// What makes /dev/uinput writable for the user: the kernel module and the driver's udev rule.
extern const char* const kUinputAdvice;

// The requested output, or with Automatic the first that opens of uinput (only where
// /dev/uinput is writable), xtest (only where DISPLAY is set), and print to printTo.
ChosenOutput chooseOutput(OutputKind requested, const OutputOpeners& openers, bool uinputWritable,
                          bool displaySet, std::ostream& printTo);

} // namespace vantrel::driver
