#include "files/DeviceFileWriter.h"

#include "files/AtomicFileOutput.h"

#include <string_view>
#include <vector>

namespace vantrel {

bool writeFileAtomically(const std::string& path,
                         std::span<const std::span<const std::uint8_t>> pieces,
                         platform::FileError* error) {
    std::vector<std::string_view> texts;
    texts.reserve(pieces.size());
    for (const auto piece : pieces)
        texts.emplace_back(reinterpret_cast<const char*>(piece.data()), piece.size());
    AtomicFileOutput output(path);
    const bool written = output.write(std::span<const std::string_view>(texts)) && output.finish();
    if (!written && error)
        *error = output.error();
    return written;
}

std::string deviceFilePathFor(const std::string& profileTextPath) {
    // Only the file name's own dots count: a folder such as "./", "~/.config/" or
    // "C:\\my.profiles\\" leaves the extension to be replaced as anywhere else.
    const std::size_t slash = profileTextPath.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::string_view name = std::string_view(profileTextPath).substr(nameStart);
    const std::size_t dot = name.find('.');
    // With no '.' the prefix is empty, so only a name of five characters or fewer keeps it.
    const std::size_t prefix = dot == std::string_view::npos ? 0 : dot;
    const long long shortest = static_cast<long long>(name.size()) - 5;
    const std::size_t kept = static_cast<long long>(prefix) < shortest ? name.size() : prefix;
    return profileTextPath.substr(0, nameStart + kept) + ".bpf";
}

} // namespace vantrel
