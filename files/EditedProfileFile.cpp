#include "files/EditedProfileFile.h"

#include "files/AtomicFileOutput.h"
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
#include "platform/PathText.h"

namespace vantrel {

bool openProfileFile(EditedProfile& document, const std::string& path, DiagnosticSink& diagnostics,
                     MessageOwner owner) {
    document.setPath(path, platform::fileNameOf(path));
    const ProfileRead read = readProfileText(path, diagnostics, owner);
    if (read.read)
        document.load(read.profile);
    return read.read;
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
