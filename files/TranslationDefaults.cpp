#include "files/TranslationDefaults.h"

namespace vantrel {

DefaultDelays& translationDefaults() {
    static DefaultDelays delays;
    return delays;
}

void resetTranslationDefaults() {
    translationDefaults() = DefaultDelays{};
}

} // namespace vantrel
