#include "files/DeviceFileWriter.h"

#include "files/AtomicFileOutput.h"

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
    const std::size_t dot = profileTextPath.find('.');
    // With no '.' the prefix is empty, so only a path of five characters or fewer keeps it.
    const std::string prefix =
        dot == std::string::npos ? std::string() : profileTextPath.substr(0, dot);
    const long long shortest = static_cast<long long>(profileTextPath.size()) - 5;
    const std::string base =
        static_cast<long long>(prefix.size()) < shortest ? profileTextPath : prefix;
    return base + ".bpf";
}

} // namespace vantrel
