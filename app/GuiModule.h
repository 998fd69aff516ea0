#pragma once

#include "platform/MessageBox.h"

#include <string>

namespace vantrel {

// The program's windows: Qt, the editor and the message boxes. Kept behind this interface so
// that a run with nothing to show never loads Qt. A module is built from the same sources as
// the program that loads it, so C++ types cross between the two.
class GuiModule {
public:
    virtual ~GuiModule() = default;
    // Starts Qt on the display, once. False when the display cannot be reached: Qt then fell
    // back to a windowless platform, and messages belong on stderr.
    virtual bool openDisplay(const std::string& programPath) = 0;
    // A message box; only once openDisplay returned true.
    virtual platform::MessageAnswer present(const platform::Message& message) = 0;
    // The editor window with the profile at profilePath loaded (none when empty), until the
    // user closes it; only once openDisplay returned true. Returns the exit status.
    virtual int runEditor(const std::string& profilePath) = 0;
    // Ends Qt; called once before the program ends when openDisplay was called.
    virtual void closeDisplay() = 0;
};

// Where the program gets its windows: linked into it, or loaded when first needed.
class GuiModuleSource {
public:
    virtual ~GuiModuleSource() = default;
    // The windows, or nullptr with whyNot saying why they cannot be had.
    virtual GuiModule* load(std::string& whyNot) = 0;
};

// The C function a loadable module exports: GuiModule* vantrel_gui_module().
inline constexpr char kGuiModuleEntry[] = "vantrel_gui_module";
using GuiModuleEntry = GuiModule* (*)();

} // namespace vantrel
