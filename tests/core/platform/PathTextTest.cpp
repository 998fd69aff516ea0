#include "platform/PathText.h"

#include <gtest/gtest.h>

namespace vantrel::platform {
namespace {

TEST(PathText, KeepsEveryLetterOfAUtf8Path) {
    const std::string path = "Profilé ü/Ωμέγα Ő/Fähre.vtp";
    EXPECT_EQ(utf8FromPath(pathFromUtf8(path)), path);
    EXPECT_EQ(fileNameOf(path), "Fähre.vtp");
    EXPECT_EQ(fileNameOf(""), "");
    EXPECT_EQ(fileNameOf("air.vtp"), "air.vtp");
#ifdef _WIN32
    // The system sees the letters themselves, not their bytes read in the ANSI code page.
    EXPECT_EQ(pathFromUtf8("Ωμέγα.vtp").wstring(), L"\u03A9\u03BC\u03AD\u03B3\u03B1.vtp");
    EXPECT_EQ(fileNameOf("C:\\Profilé\\Fähre.vtp"), "Fähre.vtp");
#else
    // A Linux file name need not be UTF-8: its bytes pass unchanged.
    const std::string latin1 = "F\xE4hre.vtp";
    EXPECT_EQ(utf8FromPath(pathFromUtf8(latin1)), latin1);
    EXPECT_EQ(fileNameOf("old/" + latin1), latin1);
#endif
}

} // namespace
} // namespace vantrel::platform
