#include "app/Branches.h"

#include "files/ProfileTranslator.h"
#include "platform/DiagnosticPresenter.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

namespace vantrel {
namespace {

// Shows each problem as it is found, as the pass goes on, and notes whether any was an error.
class PresentingCountingSink : public platform::PresentingDiagnosticSink {
public:
    void report(Diagnostic diagnostic) override {
        errors_ = errors_ || diagnostic.severity == Severity::Error;
        PresentingDiagnosticSink::report(std::move(diagnostic));
    }
    bool errors() const { return errors_; }

private:
    bool errors_ = false;
};

// The path as the shell reads it back: quoted when it holds anything but plain characters.
std::string shellWord(const std::string& path) {
#ifdef _WIN32
    if (path.find_first_of(" \t&()^;,") == std::string::npos && !path.empty())
        return path;
    return "\"" + path + "\"";
#else
    constexpr std::string_view plain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                       "0123456789_-+./,:@%";
    if (!path.empty() && path.find_first_not_of(plain) == std::string::npos)
        return path;
    std::string quoted = "'";
    for (const char c : path)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

// Why the device file could not be written, on stderr: the translation pass reports its own
// problems, but a file that could not be written would otherwise fail without a word.
void sayWhyNotWritten(const ProfileTranslator& translator) {
    if (const platform::FileError& error = translator.writeError())
        std::cerr << "Cannot write " << translator.outputPath() << ": " << error.reason
                  << std::endl;
}

} // namespace

bool translateFromCommandLine(const std::string& profileTextPath) {
    PresentingCountingSink diagnostics;
    const auto translator = std::make_unique<ProfileTranslator>(profileTextPath, diagnostics);
    // A device file is written even after a faulty token (that event is sent as nothing), but
    // the run has not done what the text says, so it does not end as a success.
    const bool written = translator->writeDeviceFile();
    if (diagnostics.errors() && translator->textRead())
        std::cerr << "vantrel --check " << shellWord(profileTextPath)
                  << " lists every problem with its line." << std::endl;
    if (!written)
        sayWhyNotWritten(*translator);
    return written && !diagnostics.errors();
}

std::optional<bool> translateWithNothingToShow(const std::string& profileTextPath) {
    DiagnosticList diagnostics;
    const auto translator = std::make_unique<ProfileTranslator>(profileTextPath, diagnostics);
    if (!diagnostics.empty())
        return std::nullopt;
    if (translator->writeDeviceFile())
        return true;
    sayWhyNotWritten(*translator);
    return false;
}

} // namespace vantrel
