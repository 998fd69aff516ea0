#include "app/GuiSession.h"

#include <iostream>

namespace vantrel {

GuiSession::GuiSession(GuiModuleSource& source, std::string programPath)
    : source_(source), programPath_(std::move(programPath)) {}

GuiSession::~GuiSession() {
    if (module_)
        module_->closeDisplay();
}

GuiModule* GuiSession::windows() {
    if (state_ == State::NotTried) {
        std::string whyNot;
        module_ = source_.load(whyNot);
        if (!module_) {
            std::cerr << "vantrel: no window can be shown: " << whyNot << std::endl;
            state_ = State::ModuleMissing;
        } else {
            state_ = module_->openDisplay(programPath_) ? State::Open : State::NoDisplay;
        }
    }
    return state_ == State::Open ? module_ : nullptr;
}

} // namespace vantrel
