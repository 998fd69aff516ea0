#include "platform/DiagnosticPresenter.h"

namespace vantrel::platform {

Message messageFor(const Diagnostic& diagnostic) {
    return {diagnostic.text, diagnostic.title, MessageButtons::Ok, diagnostic.owner};
}

void PresentingDiagnosticSink::report(Diagnostic diagnostic) {
    messagePresenter().present(messageFor(diagnostic));
}

} // namespace vantrel::platform
