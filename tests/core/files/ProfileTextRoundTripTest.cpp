#include "files/ProfileTextModel.h"
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
#include "profile/SlotTable.h"

#include <gtest/gtest.h>

#include <random>

namespace vantrel {
namespace {

// Random profiles made only of what the editor lets a user type.
class ProfileGenerator {
public:
    explicit ProfileGenerator(unsigned seed) : random_(seed) {}

    ProfileTextModel next() {
        ProfileTextModel model;
        model.resetProfile();
        model.setPressDelay(static_cast<std::uint32_t>(random_()));
        model.setReleaseDelay(static_cast<std::uint32_t>(pick(0, 1000)));
        for (int i = pick(0, 30); i > 0; --i)
            model.addScript(scriptLine());
        for (int c = pick(0, 4); c > 0; --c) {
            model.addChain(name());
            for (int g = pick(0, 3); g > 0; --g) {
                const int count = pick(0, 255);
                model.addGroupLine(formatGroupLine(pick(kAxisMin, kAxisMax),
                                                   pick(kAxisMin, kAxisMax), count, name(), name()),
                                   count, model.chainCount() - 1);
            }
        }
        for (int m = pick(0, 4); m > 0; --m) {
            model.addMode(pick(0, 3) == 0 ? std::string(kDefaultModeName) : name());
            for (int a = pick(0, 20); a > 0; --a)
                model.setLastModeAssignment(pick(1, kSlotCount), name());
        }
        return model;
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

TEST(ProfileTextRoundTrip, WriteReadWriteGivesIdenticalBytes) {
    ProfileGenerator generator(20261208);
    for (int round = 0; round < 300; ++round) {
        const ProfileTextModel original = generator.next();
        const std::string first =
            composeProfileText(original.profile(), original.listedScriptNames(), "R.vtp");
        ProfileTextModel reread;
        readProfileTextFrom(reread, first);
        const std::string second =
            composeProfileText(reread.profile(), reread.listedScriptNames(), "R.vtp");
        ASSERT_EQ(first, second) << "round " << round;
        EXPECT_EQ(reread.profile().modes, original.profile().modes);
        EXPECT_EQ(reread.profile().chains, original.profile().chains);
        EXPECT_EQ(reread.profile().pressDelay, original.profile().pressDelay);
        EXPECT_EQ(reread.profile().scripts.size(), original.profile().scripts.size());
    }
}

} // namespace
} // namespace vantrel
