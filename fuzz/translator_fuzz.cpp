// Any text translates without a crash, and whenever a device file comes out its counts
// agree with its records: the walk below must land exactly on the final zero byte.
#include "files/ProfileTranslator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Walker {
public:
    explicit Walker(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    std::uint32_t take(std::size_t width) {
        if (at_ + width > bytes_.size())
            std::abort();
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value |= static_cast<std::uint32_t>(bytes_[at_ + i]) << (8 * i);
        at_ += width;
        return value;
    }
    void skip(std::size_t count) {
        if (at_ + count > bytes_.size())
            std::abort();
        at_ += count;
    }
    std::size_t at() const { return at_; }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
};

void checkLayout(const std::vector<std::uint8_t>& bytes) {
    Walker walk(bytes);
    if (walk.take(1) != 4 || walk.take(4) != bytes.size())
        std::abort();
    for (std::uint32_t scripts = walk.take(2); scripts > 0; --scripts) {
        walk.skip(2);
        walk.skip(7 * static_cast<std::size_t>(walk.take(2)));
    }
    for (std::uint32_t modes = walk.take(2); modes > 0; --modes) {
        walk.skip(2);
        walk.skip(5 * static_cast<std::size_t>(walk.take(2)));
    }
    for (std::uint32_t chains = walk.take(2); chains > 0; --chains) {
        walk.skip(2);
        walk.skip(6 * static_cast<std::size_t>(walk.take(1)));
    }
    if (walk.take(1) != 0 || walk.at() != bytes.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantrel::DiagnosticList diagnostics;
    vantrel::ProfileTranslator translator(
        "fuzz.vtp", std::string(reinterpret_cast<const char*>(data), size), diagnostics);
    if (const auto bytes = translator.deviceBytes()) {
        checkLayout(*bytes);
        if (bytes->size() != translator.length())
            std::abort();
    }
    return 0;
}
