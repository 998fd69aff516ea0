#include "OutputChoice.h"

#include "PrintOutput.h"

namespace vantrel::driver {

const char* const kUinputAdvice =
    "to play through /dev/uinput, load its module (sudo modprobe uinput) and install the udev "
    "rule 60-vantrel-driver.rules into /etc/udev/rules.d/ (the package puts it in "
    "/usr/lib/udev/rules.d/), then run sudo udevadm trigger or log in again";

OutputOpeners systemOutputOpeners(NoticeHandler notices) {
    OutputOpeners openers;
    openers.uinput = [notices](std::string& error) { return openUinputBackend(error, notices); };
    openers.xtest = [notices](std::string& error) { return openXTestBackend("", error, notices); };
    return openers;
}

ChosenOutput chooseOutput(OutputKind requested, const OutputOpeners& openers, bool uinputWritable,
                          bool displaySet, std::ostream& printTo) {
    ChosenOutput chosen;
    std::string error;
    switch (requested) {
    case OutputKind::Uinput:
        chosen.backend = openers.uinput(error);
        chosen.why = chosen.backend ? "output uinput, as asked" : "output uinput failed: " + error;
        if (!chosen.backend)
            chosen.advice = kUinputAdvice;
        return chosen;
    case OutputKind::XTest:
        chosen.backend = openers.xtest(error);
        chosen.why = chosen.backend ? "output xtest, as asked" : "output xtest failed: " + error;
        return chosen;
    case OutputKind::Print:
        chosen.backend = std::make_unique<PrintOutput>(printTo);
        chosen.why = "output print, as asked";
        return chosen;
    case OutputKind::Automatic:
        break;
    }
    std::string notes;
    if (!uinputWritable) {
        notes = "/dev/uinput is not writable";
        chosen.advice = kUinputAdvice;
    } else if ((chosen.backend = openers.uinput(error))) {
        chosen.why = "output uinput: /dev/uinput is writable";
        return chosen;
    } else {
        notes = "uinput failed (" + error + ")";
    }
    if (!displaySet) {
        notes += ", and DISPLAY is not set";
    } else if ((chosen.backend = openers.xtest(error))) {
        chosen.why = "output xtest: " + notes + ", and the display answers";
        return chosen;
    } else {
        notes += ", and xtest failed (" + error + ")";
    }
    chosen.backend = std::make_unique<PrintOutput>(printTo);
    chosen.why = "output print: " + notes;
    return chosen;
}

} // namespace vantrel::driver
