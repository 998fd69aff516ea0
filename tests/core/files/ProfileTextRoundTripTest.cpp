#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
#include "profile/EditedProfile.h"
#include "profile/SlotTable.h"

#include <gtest/gtest.h>

#include <random>

namespace vantrel {
namespace {

// Random profiles made only of what the editor lets a user type.
class ProfileGenerator {
public:
    explicit ProfileGenerator(unsigned seed) : random_(seed) {}

    Profile next() {
        Profile profile;
        profile.pressDelay = static_cast<std::uint32_t>(random_());
        profile.releaseDelay = static_cast<std::uint32_t>(pick(0, 1000));
        ScriptListing listing;
        for (int i = pick(0, 30); i > 0; --i) {
            if (Script line = scriptLine(); listing.admit(line))
                profile.scripts.push_back(std::move(line));
        }
        for (int c = pick(0, 4); c > 0; --c) {
            profile.chains.addChain(name());
            for (int g = pick(0, 3); g > 0; --g) {
                const int count = pick(0, 255);
                profile.chains.addGroupLine(formatGroupLine(pick(kAxisMin, kAxisMax),
                                                            pick(kAxisMin, kAxisMax), count, name(),
                                                            name()),
                                            count, profile.chains.chainCount() - 1);
            }
        }
        for (int m = pick(0, 4); m > 0; --m) {
            profile.modes.emplace_back(pick(0, 3) == 0 ? std::string(kDefaultModeName) : name());
            for (int a = pick(0, 20); a > 0; --a)
                profile.modes.back().setAssignment(pick(1, kSlotCount), name());
        }
        return profile;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string name() {
        static constexpr std::string_view letters =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
        std::string text;
        for (int i = pick(1, 8); i > 0; --i)
            text += letters[static_cast<std::size_t>(pick(0, int(letters.size()) - 1))];
        return text;
    }

    std::string scriptLine() {
        std::string line = name();
        for (int i = pick(0, 4); i > 0; --i) {
            line += pick(0, 1) ? ' ' : '\t';
            line += name();
            if (pick(0, 1))
                line.append("^").append(std::to_string(pick(0, 99)));
        }
        return line;
    }

    std::mt19937 random_;
};

// The file text of a profile, its scripts in the order the editor lists them.
std::string composed(const Profile& profile) {
    EditedProfile document;
    document.load(profile);
    return composeProfileText(profile, document.listedScriptNames(), "R.vtp");
}

TEST(ProfileTextRoundTrip, WriteReadWriteGivesIdenticalBytes) {
    ProfileGenerator generator(20261208);
    for (int round = 0; round < 300; ++round) {
        const Profile original = generator.next();
        const std::string first = composed(original);
        const Profile reread = readProfileTextFrom(first);
        ASSERT_EQ(first, composed(reread)) << "round " << round;
        EXPECT_EQ(reread.modes, original.modes);
        EXPECT_EQ(reread.chains, original.chains);
        EXPECT_EQ(reread.pressDelay, original.pressDelay);
        EXPECT_EQ(reread.scripts.size(), original.scripts.size());
    }
}

} // namespace
} // namespace vantrel
