#include "profile/Profile.h"

namespace vantrel {

Profile Profile::newProfile() {
    Profile profile;
    profile.modes.emplace_back(std::string(kDefaultModeName));
    profile.scripts.emplace_back(kNullScriptName);
    return profile;
}

} // namespace vantrel
