#pragma once

#include "app/GuiModule.h"

#include <string>

namespace vantrel {

// The windows of one run. The module is loaded and the display opened at the first need,
// once; a module that cannot be loaded is said once on stderr, in one line.
class GuiSession {
public:
    GuiSession(GuiModuleSource& source, std::string programPath);
    ~GuiSession(); // ends Qt, if it was started
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    // The windows with the display open; nullptr when the module cannot be loaded or the
    // display cannot be reached.
    GuiModule* windows();
    // Whether windows() failed because the module could not be loaded.
    bool moduleMissing() const { return state_ == State::ModuleMissing; }

private:
    enum class State { NotTried, Open, NoDisplay, ModuleMissing };

    GuiModuleSource& source_;
    std::string programPath_;
    GuiModule* module_ = nullptr;
    State state_ = State::NotTried;
};

} // namespace vantrel
