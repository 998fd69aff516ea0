#include "app/GuiModuleLoader.h"

#include "platform/SharedLibrary.h"

#include <filesystem>
#include <system_error>

namespace vantrel {

std::vector<std::string> GuiModuleLoader::candidates(const std::string& programFolder) {
    const std::filesystem::path folder(programFolder);
    return {(folder / VANTREL_GUI_MODULE_FROM_BINDIR / VANTREL_GUI_MODULE_FILE)
                .lexically_normal()
                .string(),
            (folder / VANTREL_GUI_MODULE_FILE).string()};
}

GuiModule* GuiModuleLoader::load(std::string& whyNot) {
    if (module_)
        return module_;
    const std::string program = platform::executablePath();
    if (program.empty()) {
        whyNot =
            "the program's own folder is unknown, so " VANTREL_GUI_MODULE_FILE " cannot be found";
        return nullptr;
    }
    const std::vector<std::string> places =
        candidates(std::filesystem::path(program).parent_path().string());
    for (const std::string& place : places) {
        std::error_code error;
        if (!std::filesystem::exists(place, error))
            continue;
        const platform::LibrarySymbol entry = platform::loadLibrarySymbol(place, kGuiModuleEntry);
        if (!entry.address) {
            whyNot = entry.error;
            return nullptr;
        }
        module_ = reinterpret_cast<GuiModuleEntry>(entry.address)();
        if (!module_)
            whyNot = place + " offers no windows";
        return module_;
    }
    whyNot = VANTREL_GUI_MODULE_FILE " is neither in " +
             std::filesystem::path(places.front()).parent_path().string() + " nor in " +
             std::filesystem::path(places.back()).parent_path().string();
    return nullptr;
}

} // namespace vantrel
