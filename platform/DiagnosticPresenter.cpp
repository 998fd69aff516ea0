#include "platform/DiagnosticPresenter.h"

namespace vantrel::platform {

Message messageFor(const Diagnostic& diagnostic) {
    // A note reports an outcome that went well (a complete load): news, not a warning.
    const MessageIcon icon =
        diagnostic.severity == Severity::Note ? MessageIcon::Information : MessageIcon::Standard;
    return {diagnostic.text, diagnostic.title, MessageButtons::Ok, diagnostic.owner, icon};
}

void PresentingDiagnosticSink::report(Diagnostic diagnostic) {
    messagePresenter().present(messageFor(diagnostic));
}

} // namespace vantrel::platform
