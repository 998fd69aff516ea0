#pragma once

#include "profile/ScriptCompiler.h"

namespace vantrel {

// The default press and release delays of the translation. They live for the whole run of
// the program: each translated file's header lines set them, and a file without such lines
// keeps the values the previous translation left.
DefaultDelays& translationDefaults();
// Back to the initial delays, as at program start.
void resetTranslationDefaults();

} // namespace vantrel
