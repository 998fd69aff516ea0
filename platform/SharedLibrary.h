#pragma once

#include <string>

namespace vantrel::platform {

// A function or object found in a shared library, or the system's word on why not.
struct LibrarySymbol {
    void* address = nullptr;
    std::string error; // set when address is null
};

// Loads the shared library at path, resolving all its symbols now, and finds symbol in it.
// The library stays loaded for the rest of the process: one such as Qt leaves exit handlers
// and threads behind that must not outlive its code.
LibrarySymbol loadLibrarySymbol(const std::string& path, const char* symbol);

// The absolute path of the running program's executable; empty when the system does not say.
std::string executablePath();

} // namespace vantrel::platform
