#include "files/EditedProfileFile.h"
#include "files/ProfileTextReader.h"
#include "files/ProfileTextWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own, on the real file system.
class Folder {
public:
    Folder()
        : path_(fs::temp_directory_path() /
                ("vantrel-edited-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(path_);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const char* name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(EditedProfileFile, SavesAndOpensTheSameProfileAndFollowsTheFile) {
    Folder folder;
    EditedProfile document;
    document.addScript("Fire a^40 A");
    document.addScript("brake b B");
    document.assign(1, "Fire");
    document.addChain("Gear");
    GroupLimits limits;
    document.addGroup(0, limits, "Fire", "_NULL");
    document.setDelays({15, 25});
    document.setPath(folder.file("Road.vtp"), "Road.vtp");
    DiagnosticList diagnostics;
    ASSERT_TRUE(saveProfileFile(document, diagnostics, nullptr));
    EXPECT_FALSE(document.isModified());
    // Undoing past the save makes the profile differ from its file again.
    document.undo();
    EXPECT_TRUE(document.isModified());
    document.redo();
    EXPECT_FALSE(document.isModified());

    EditedProfile opened;
    opened.addScript("Lost l L");
    ASSERT_TRUE(openProfileFile(opened, folder.file("Road.vtp"), diagnostics, nullptr));
    // The file keeps the list's order, not the order of adding: the texts are the same.
    EXPECT_EQ(composeProfileText(opened.profile(), opened.listedScriptNames(), "Road.vtp"),
              composeProfileText(document.profile(), document.listedScriptNames(), "Road.vtp"));
    EXPECT_EQ(opened.fileName(), "Road.vtp");
    EXPECT_FALSE(opened.isModified());
    EXPECT_FALSE(opened.canUndo());
    EXPECT_EQ(opened.activeMode(), -1);
    EXPECT_TRUE(diagnostics.items().empty());
}

TEST(EditedProfileFile, AFailedOpenOrSaveLosesNothing) {
    Folder folder;
    const int owner = 0;
    EditedProfile document;
    document.addScript("Fire a A");
    const Profile before = document.profile();
    DiagnosticList diagnostics;
    EXPECT_FALSE(openProfileFile(document, folder.file("missing.vtp"), diagnostics, &owner));
    ASSERT_EQ(diagnostics.items().size(), 1u);
    EXPECT_EQ(diagnostics.items()[0].text, kLoadErrorText);
    EXPECT_EQ(diagnostics.items()[0].owner, &owner);
    EXPECT_EQ(document.profile(), before);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.fileName(), "missing.vtp"); // the chosen file is kept

    // A folder stands where the file would go: nothing is written, the profile stays changed.
    fs::create_directory(folder.file("taken.vtp"));
    document.setPath(folder.file("taken.vtp"), "taken.vtp");
    EXPECT_FALSE(saveProfileFile(document, diagnostics, &owner));
    ASSERT_EQ(diagnostics.items().size(), 2u);
    EXPECT_EQ(diagnostics.items()[1].text, kSaveErrorText);
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(fs::is_directory(folder.file("taken.vtp")));
}

TEST(EditedProfileFile, WritesTheScriptsInTheListsOrder) {
    Folder folder;
    EditedProfile document;
    document.addScript("Zulu z Z");
    document.addScript("alpha a A");
    document.setPath(folder.file("Order.vtp"), "Order.vtp");
    DiagnosticList diagnostics;
    ASSERT_TRUE(saveProfileFile(document, diagnostics, nullptr));
    EXPECT_EQ(contentOf(folder.file("Order.vtp")),
              composeProfileText(document.profile(), document.listedScriptNames(), "Order.vtp"));
}

} // namespace
} // namespace vantrel
