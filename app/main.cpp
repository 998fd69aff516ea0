#include "app/ProgramStart.h"

#ifdef VANTREL_GUI_LINKED
#include "app/Application.h"
#else
#include "app/GuiModuleLoader.h"
#endif

int main(int argc, char** argv) {
#ifdef VANTREL_GUI_LINKED
    vantrel::LinkedGuiModule windows;
#else
    vantrel::GuiModuleLoader windows;
#endif
    return vantrel::runApplication(argc, argv, windows);
}
