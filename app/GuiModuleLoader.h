#pragma once

#include "app/GuiModule.h"

#include <string>
#include <vector>

namespace vantrel {

// The windows loaded from their shared module when first asked for: the installed module at
// its fixed place relative to the program's folder, or else the one beside the program (the
// build tree).
class GuiModuleLoader : public GuiModuleSource {
public:
    GuiModule* load(std::string& whyNot) override;

    // The places tried, in order, for a program in programFolder.
    static std::vector<std::string> candidates(const std::string& programFolder);

private:
    GuiModule* module_ = nullptr;
};

} // namespace vantrel
