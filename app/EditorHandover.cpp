#include "app/EditorHandover.h"

#include "platform/ProcessImage.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace vantrel {
namespace {

// The places the editor program is looked for, in order, for a program in programFolder.
std::vector<std::string> editorProgramPlaces(const std::string& programFolder) {
    const std::filesystem::path folder(programFolder);
    return {(folder / VANTREL_EDITOR_FROM_BINDIR / VANTREL_EDITOR_FILE).lexically_normal().string(),
            (folder / VANTREL_EDITOR_FILE).string()};
}

} // namespace

std::string handOverToEditor(int argc, char** argv) {
    const std::string program = platform::executablePath();
    if (program.empty())
        return "the program's own folder is unknown, so " VANTREL_EDITOR_FILE " cannot be found";
    const std::vector<std::string> places =
        editorProgramPlaces(std::filesystem::path(program).parent_path().string());
    std::vector<std::string> arguments(argv, argv + argc);
    if (arguments.empty())
        arguments.emplace_back("vantrel");
    for (const std::string& place : places) {
        std::error_code error;
        if (std::filesystem::exists(place, error))
            return place + ": " + platform::replaceProgram(place, arguments);
    }
    return VANTREL_EDITOR_FILE " is neither in " +
           std::filesystem::path(places.front()).parent_path().string() + " nor in " +
           std::filesystem::path(places.back()).parent_path().string();
}

} // namespace vantrel
