#pragma once

#include "files/ProfileOutput.h"

#include <filesystem>
#include <fstream>

namespace vantrel {

// Writes to a temporary file beside the target and renames it over the target only when
// every byte is on disk, so a failed or interrupted save leaves the old file whole.
class AtomicFileOutput : public ProfileOutput {
public:
    explicit AtomicFileOutput(std::filesystem::path target);
    ~AtomicFileOutput() override;
    AtomicFileOutput(const AtomicFileOutput&) = delete;
    AtomicFileOutput& operator=(const AtomicFileOutput&) = delete;

    bool isOpen() const override { return stream_.is_open(); }
    bool write(std::string_view bytes) override;
    bool finish() override;

private:
    void discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::ofstream stream_;
    bool finished_ = false;
};

} // namespace vantrel
