#pragma once

#include "files/ProfileOutput.h"
#include "platform/FileAccess.h"

#include <span>
#include <string>

namespace vantrel {

// Writes to a temporary file beside the target and renames it over the target once the
// bytes have been flushed to the disk, so a failed or interrupted save leaves the old file
// whole. A symbolic link at the target is followed and the file it names replaced; the old
// file's permissions are kept (see platform::ReplacementFile for the details).
class AtomicFileOutput : public ProfileOutput {
public:
    // The target is a UTF-8 path, as the program keeps every path.
    explicit AtomicFileOutput(const std::string& target);

    bool isOpen() const override { return file_.isOpen(); }
    bool write(std::string_view bytes) override;
    // Writes the pieces one after the other in one gathered write where the system has one.
    bool write(std::span<const std::string_view> pieces);
    bool finish() override;

    // Why opening, writing or finishing failed: the system's code and text.
    const platform::FileError& error() const { return file_.error(); }

private:
    platform::ReplacementFile file_;
};

} // namespace vantrel
