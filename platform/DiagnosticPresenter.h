#pragma once

#include "platform/MessageBox.h"
#include "profile/Diagnostic.h"

namespace vantrel::platform {

// The message box a diagnostic stands for: its text and title, OK only, its owner.
Message messageFor(const Diagnostic& diagnostic);

// Shows each diagnostic in a message box through the installed presenter as soon as it is
// reported, so a long operation shows its boxes while it runs, one after the other.
class PresentingDiagnosticSink : public DiagnosticSink {
public:
    void report(Diagnostic diagnostic) override;
};

} // namespace vantrel::platform
