#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantrel {

// The window a message belongs to (the owning widget on the Qt side); nullptr for none.
using MessageOwner = const void*;

enum class Severity { Error, Warning, Note };

// One problem or outcome the core found, as data: the caller decides whether it becomes a
// message box, a line on stderr or an entry in a list. The text and title are the ones the
// user is shown; every such box has a single OK button.
struct Diagnostic {
    Severity severity = Severity::Error;
    std::string text;
    std::string title;
    // Where in the file, counted from 1; 0 when the problem has no place in a file.
    std::size_t line = 0;
    std::size_t column = 0;
    // True when the operation stopped here and produced nothing.
    bool endsOperation = false;
    MessageOwner owner = nullptr;

    bool operator==(const Diagnostic&) const = default;
};

// Receives the diagnostics of an operation in the order they are found.
class DiagnosticSink {
public:
    virtual ~DiagnosticSink() = default;
    virtual void report(Diagnostic diagnostic) = 0;
};

// Keeps every diagnostic, for callers that count, place or present them afterwards.
class DiagnosticList : public DiagnosticSink {
public:
    void report(Diagnostic diagnostic) override { items_.push_back(std::move(diagnostic)); }

    const std::vector<Diagnostic>& items() const { return items_; }
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    std::size_t count(Severity severity) const;
    void clear() { items_.clear(); }

private:
    std::vector<Diagnostic> items_;
};

} // namespace vantrel
