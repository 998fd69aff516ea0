#pragma once

#include "app/GuiModule.h"

#include <string>

namespace vantrel {

class EditorWindow;

// Loads a profile text file into the editor window as File > Open does, reporting a file
// that cannot be read in the same message box.
void loadProfileIntoEditor(EditorWindow& window, const std::string& path);

// The windows made with Qt: the QApplication, the editor window and Qt's message boxes.
GuiModule& qtGuiModule();

// The Qt windows linked into the program itself.
class LinkedGuiModule : public GuiModuleSource {
public:
    GuiModule* load(std::string&) override { return &qtGuiModule(); }
};

} // namespace vantrel
