// The entry of the loadable window module: the one symbol it exports.
#include "app/Application.h"

extern "C" __attribute__((visibility("default"))) vantrel::GuiModule* vantrel_gui_module() {
    return &vantrel::qtGuiModule();
}
