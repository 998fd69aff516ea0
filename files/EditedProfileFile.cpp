#include "files/EditedProfileFile.h"

#include "files/AtomicFileOutput.h"
#include "files/ProfileTextModel.h"
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
#include "platform/PathText.h"

namespace vantrel {
namespace {

// A failed read's error, owned by the document's window rather than by nobody.
class OwnedDiagnostics : public DiagnosticSink {
public:
    OwnedDiagnostics(DiagnosticSink& sink, MessageOwner owner) : sink_(sink), owner_(owner) {}
    void report(Diagnostic diagnostic) override {
        diagnostic.owner = owner_;
        sink_.report(std::move(diagnostic));
    }

private:
    DiagnosticSink& sink_;
    MessageOwner owner_;
};

} // namespace

bool openProfileFile(EditedProfile& document, const std::string& path, DiagnosticSink& diagnostics,
                     MessageOwner owner) {
    document.setPath(path, platform::fileNameOf(path));
    ProfileTextModel read;
    read.setProfilePath(path);
    OwnedDiagnostics owned(diagnostics, owner);
    if (!readProfileText(read, owned))
        return false;
    document.load(read.profile());
    return true;
}

bool saveProfileFile(EditedProfile& document, DiagnosticSink& diagnostics, MessageOwner owner) {
    AtomicFileOutput output(document.path());
    if (!writeProfileText(document.profile(), document.listedScriptNames(), document.fileName(),
                          output, diagnostics, owner))
        return false;
    document.markSaved();
    return true;
}

} // namespace vantrel
