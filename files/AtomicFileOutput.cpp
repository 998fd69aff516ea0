#include "files/AtomicFileOutput.h"

namespace vantrel {

AtomicFileOutput::AtomicFileOutput(const std::string& target) : file_(target) {}

bool AtomicFileOutput::write(std::string_view bytes) {
    return file_.write(bytes);
}

bool AtomicFileOutput::write(std::span<const std::string_view> pieces) {
    return file_.write(pieces);
}

bool AtomicFileOutput::finish() {
    return file_.commit();
}

} // namespace vantrel
