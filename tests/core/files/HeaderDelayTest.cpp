// The default delays of the header, read alike by the editor and the translator.
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"
#include "files/ProfileTranslator.h"
#include "files/TranslationDefaults.h"
#include "support/core/RecordedMessages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct DelayCase {
    const char* value;
    std::uint32_t stored;
};

// Every value from -2147483648 to 4294967295 is kept modulo 2^32; beyond, the nearer end.
constexpr DelayCase kCases[] = {
    {"3000000000", 3000000000u},
    {"4294967295", 4294967295u},
    {"4294967296", 4294967295u},
    {"99999999999999999999999", 4294967295u},
    {"-1", 4294967295u},
    {"-5", 4294967291u},
    {"-2147483648", 2147483648u},
    {"-2147483649", 2147483648u},
    {"-99999999999", 2147483648u},
    {"+40", 40u},
    {"  \t 25ms", 25u},
    {"letters", 0u},
    {"", 0u},
    {"   ", 0u},
    {"- 5", 0u},
    {"0x10", 0u},
};

class HeaderDelayTest : public ::testing::Test {
protected:
    void SetUp() override { resetTranslationDefaults(); }
    void TearDown() override { resetTranslationDefaults(); }

    DiagnosticList diagnostics;
};

TEST_F(HeaderDelayTest, EditorAndTranslatorReadTheSameDelays) {
    for (const DelayCase& c : kCases) {
        const std::string header = std::string("DEFAULT_PRESS_DELAY=") + c.value +
                                   "\nDEFAULT_RELEASE_DELAY =" + c.value +
                                   "\n<PROGRAM_MODES>\n[DEFAULT]\n{DEFAULT}\n";
        const Profile editor = readProfileTextFrom(header);
        EXPECT_EQ(editor.pressDelay, c.stored) << c.value;
        EXPECT_EQ(editor.releaseDelay, c.stored) << c.value;

        resetTranslationDefaults();
        const ProfileTranslator translator("air.vtp", header, diagnostics);
        EXPECT_EQ(translationDefaults().press, c.stored) << c.value;
        EXPECT_EQ(translationDefaults().release, c.stored) << c.value;
    }
    EXPECT_TRUE(diagnostics.empty());
}

TEST_F(HeaderDelayTest, WrittenDelaysReadBackToTheSameBytes) {
    for (const DelayCase& c : kCases) {
        const Profile first = readProfileTextFrom(std::string("DEFAULT_PRESS_DELAY=") + c.value +
                                                  "\nDEFAULT_RELEASE_DELAY=7\n");
        const std::string written = composeProfileText(first, {}, "a.vtp");
        const Profile second = readProfileTextFrom(written);
        EXPECT_EQ(second.pressDelay, c.stored) << c.value;
        EXPECT_EQ(composeProfileText(second, {}, "a.vtp"), written) << c.value;
    }
}

} // namespace
} // namespace vantrel
