#include "profile/ModeListEditor.h"
#include "profile/ScriptListEditor.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel {
namespace {

// Records the notifications a view would receive, checking each "before" has its "after".
class RecordingObserver : public ListObserver {
public:
    std::vector<std::string> events;

    void beforeInsert(std::size_t row) override { open("insert " + std::to_string(row)); }
    void afterInsert() override { close(); }
    void beforeRemove(std::size_t row) override { open("remove " + std::to_string(row)); }
    void afterRemove() override { close(); }
    void beforeReset() override { open("reset"); }
    void afterReset() override { close(); }
    void renamed(std::size_t row) override { events.push_back("rename " + std::to_string(row)); }

private:
    void open(std::string event) {
        EXPECT_FALSE(pending_);
        pending_ = true;
        events.push_back(std::move(event));
    }
    void close() {
        EXPECT_TRUE(pending_);
        pending_ = false;
    }
    bool pending_ = false;
};

ScriptListEditor scriptsWith(std::initializer_list<const char*> lines) {
    ScriptListEditor editor;
    for (const char* line : lines)
        EXPECT_TRUE(editor.add(line).done) << line;
    return editor;
}

// A file's lines reach a view as one reset, and the list comes out as added one by one.
TEST(ScriptListEditor, LoadingTellsTheObserverOnce) {
    RecordingObserver observer;
    ScriptListEditor loaded;
    loaded.setObserver(&observer);
    loaded.beginLoading();
    for (const char* line : {"_NULL", "zeta z Z", "Alpha a A", "alpha b B", "", "Mid m M"})
        loaded.add(line);
    EXPECT_EQ(observer.events, std::vector<std::string>{"reset"});
    loaded.endLoading();
    loaded.endLoading(); // a second end is no second reset
    EXPECT_EQ(observer.events, std::vector<std::string>{"reset"});

    const ScriptListEditor added = scriptsWith({"_NULL", "zeta z Z", "Alpha a A", "Mid m M"});
    EXPECT_EQ(loaded.names().names(), added.names().names());
    EXPECT_EQ(loaded.lines(), added.lines());

    loaded.add("Late l L");
    EXPECT_EQ(observer.events.back(), "insert 2") << "rows are told one by one again";
    loaded.setObserver(nullptr);
}

TEST(ScriptListEditor, AddsSortedAndRefusesNamelessOrListedLines) {
    ScriptListEditor editor;
    RecordingObserver observer;
    editor.setObserver(&observer);
    EXPECT_EQ(editor.add("_NULL").status, "Script '_NULL' added.");
    EXPECT_EQ(editor.add("Fire a^40 A").status, "Script 'Fire' added.");
    EXPECT_EQ(editor.add("Brake b").status, "Script 'Brake' added.");
    EXPECT_EQ(editor.names().names(), (std::vector<std::string>{"_NULL", "Brake", "Fire"}));
    EXPECT_EQ(editor.lines(), (std::vector<Script>{"_NULL", "Fire a^40 A", "Brake b"}));
    EXPECT_EQ(observer.events, (std::vector<std::string>{"insert 0", "insert 1", "insert 1"}));

    for (const char* nameless : {"", " x", "\tx"}) {
        const EditResult refused = editor.add(nameless);
        EXPECT_FALSE(refused.done);
        EXPECT_EQ(refused.status, "Add Error:  Zero length script not allowed.");
    }
    EXPECT_EQ(editor.add("fire b B").status, "Add Error:  Script 'fire' already exists.");
    EXPECT_EQ(editor.size(), 3u);
    EXPECT_EQ(observer.events.size(), 3u);
}

TEST(ScriptListEditor, UpdatesOnlyALineOfTheExactName) {
    ScriptListEditor editor = scriptsWith({"_NULL", "Fire a^40 A"});
    EXPECT_EQ(editor.update("Fire b B").status, "Script 'Fire' updated.");
    EXPECT_EQ(editor.lines().back(), "Fire b B");
    // Listed, but only in another letter case: nothing is stored under "fire".
    const EditResult refused = editor.update("fire c C");
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(refused.status, "Update Error:  Script 'fire' does not exist.");
    EXPECT_EQ(editor.update("Gear g").status, "Update Error:  Script 'Gear' does not exist.");
    EXPECT_EQ(editor.lines().back(), "Fire b B");
}

TEST(ScriptListEditor, DuplicatesUnderTheFirstFreeNumberedName) {
    ScriptListEditor editor = scriptsWith({"_NULL", "Fire a^40 A", "Fire_2 x", "Gear"});
    EXPECT_EQ(editor.duplicate(editor.findRow("Fire")).status,
              "Duplicate 'Fire_3' created successfully.");
    EXPECT_EQ(editor.lines().back(), "Fire_3 a^40 A");
    // A name alone gets a trailing blank after the new name.
    editor.duplicate(editor.findRow("Gear"));
    EXPECT_EQ(editor.lines().back(), "Gear_2 ");
    EXPECT_EQ(editor.duplicate(std::nullopt).status, "Duplication error:  No current selection.");

    ScriptListEditor full = scriptsWith({"A"});
    for (int n = 2; n <= 254; ++n)
        ASSERT_TRUE(full.add("A_" + std::to_string(n)).done);
    const EditResult none = full.duplicate(full.findRow("A"));
    EXPECT_FALSE(none.done);
    EXPECT_EQ(none.status, "Duplicate error:  Original name could not be created, or script to "
                           "duplicate not found.");
}

TEST(ScriptListEditor, RemovesAnyScriptButNullAndClearsAll) {
    ScriptListEditor editor = scriptsWith({"_NULL", "Alpha a", "Bravo b"});
    RecordingObserver observer;
    editor.setObserver(&observer);
    const std::string refused = "Error:  Unable to delete selected script.";
    EXPECT_EQ(editor.remove(0, "_NULL").status, refused);
    EXPECT_EQ(editor.remove(1, "").status, refused); // the SCRIPT box is empty
    EXPECT_EQ(editor.remove(std::nullopt, "Alpha a").status, refused);
    EXPECT_EQ(editor.remove(7, "Alpha a").status, refused);
    EXPECT_EQ(editor.remove(1, "Alpha a").status, "Script deleted.");
    EXPECT_EQ(editor.lines(), (std::vector<Script>{"_NULL", "Bravo b"}));
    EXPECT_EQ(editor.names().names(), (std::vector<std::string>{"_NULL", "Bravo"}));

    EXPECT_EQ(editor.clear().status, "Script list cleared.");
    EXPECT_EQ(editor.size(), 0u);
    EXPECT_TRUE(editor.lines().empty());
    EXPECT_EQ(observer.events, (std::vector<std::string>{"remove 1", "reset"}));
}

TEST(ScriptListEditor, TellsWhichOfAddAndUpdateTheLineAllows) {
    ScriptListEditor editor = scriptsWith({"_NULL", "Fire a"});
    EXPECT_TRUE(editor.buttonsFor("fire b").update);
    EXPECT_EQ(editor.buttonsFor("fire b").add, false);
    EXPECT_FALSE(editor.buttonsFor("_null").update);
    EXPECT_EQ(editor.buttonsFor("Gear g").add, true);
    EXPECT_FALSE(editor.buttonsFor("Gear g").update);
    EXPECT_EQ(editor.buttonsFor("").add, std::nullopt);
    EXPECT_FALSE(ScriptListEditor::rowMayBeCopiedOrRemoved(0));
    EXPECT_TRUE(ScriptListEditor::rowMayBeCopiedOrRemoved(1));
    EXPECT_FALSE(ScriptListEditor::rowMayBeCopiedOrRemoved(std::nullopt));
    ASSERT_NE(editor.lineAt(1), nullptr);
    EXPECT_EQ(*editor.lineAt(1), "Fire a");
    EXPECT_EQ(editor.lineAt(2), nullptr);
}

std::vector<std::string> namesOf(const ModeListEditor& editor) {
    std::vector<std::string> names;
    for (const ProgrammingMode& mode : editor.modes())
        names.push_back(mode.name());
    return names;
}

TEST(ModeListEditor, RenamesUnlessTheNameIsTakenInAnyCase) {
    ModeListEditor editor;
    editor.add("DEFAULT");
    editor.add("Combat");
    RecordingObserver observer;
    editor.setObserver(&observer);
    EXPECT_EQ(editor.rename(1, "combat").status, "Duplicate mode names detected.");
    EXPECT_EQ(editor.rename(1, "default").status, "Duplicate mode names detected.");
    EXPECT_FALSE(editor.rename(1, "").done);
    EXPECT_FALSE(editor.rename(5, "Climb").done);
    const EditResult renamed = editor.rename(1, "Climb");
    EXPECT_TRUE(renamed.done);
    EXPECT_EQ(renamed.status, "Mode 'Combat' renamed to 'Climb'");
    EXPECT_EQ(namesOf(editor), (std::vector<std::string>{"DEFAULT", "Climb"}));
    EXPECT_EQ(observer.events, std::vector<std::string>{"rename 1"});
    EXPECT_EQ(editor.findRow("CLIMB"), 1);
    EXPECT_EQ(editor.findRow("Clim"), -1);
}

TEST(ModeListEditor, DuplicatesWithItsAssignmentsUnderTheCutBase) {
    ModeListEditor editor;
    editor.add("DEFAULT");
    editor.modes()[0].setAssignment(1, "Fire");
    EXPECT_EQ(editor.duplicate(0).status, "Mode duplicated as 'DEFAULT_2'.");
    EXPECT_EQ(editor.duplicate(0).status, "Mode duplicated as 'DEFAULT_3'.");
    EXPECT_EQ(editor.modes()[2].assignment(1), "Fire");
    editor.add("Climb (steep)");
    editor.duplicate(3);
    EXPECT_EQ(namesOf(editor).back(), "Climb_2");
    EXPECT_EQ(ModeListEditor::duplicateBase("Climb \t(steep)"), "Climb");
    EXPECT_EQ(ModeListEditor::duplicateBase("(x)"), "");

    ModeListEditor full;
    full.add("A");
    for (int n = 2; n <= 254; ++n)
        full.add("a_" + std::to_string(n));
    EXPECT_EQ(full.duplicate(0).status, "Duplicate error:  No free name for a copy of mode 'A'.");
    EXPECT_EQ(full.size(), 254);
}

TEST(ModeListEditor, SetAsDefaultRenamesTheOldDefaultToAFreeUnknownName) {
    ModeListEditor editor;
    editor.add("DEFAULT");
    editor.add("Climb");
    EXPECT_EQ(editor.setDefault(1).status, "New DEFAULT mode set.");
    EXPECT_EQ(namesOf(editor), (std::vector<std::string>{"unknown", "DEFAULT"}));
    editor.add("Climb");
    editor.setDefault(2);
    EXPECT_EQ(namesOf(editor), (std::vector<std::string>{"unknown", "unknown_1", "DEFAULT"}));
    // Only the exact name DEFAULT is moved aside; "default" stays.
    editor.add("default");
    editor.add("Dive");
    editor.setDefault(4);
    EXPECT_EQ(namesOf(editor), (std::vector<std::string>{"unknown", "unknown_1", "unknown_2",
                                                         "default", "DEFAULT"}));

    // With every unknown name taken the old default keeps its name.
    ModeListEditor crowded;
    crowded.add("DEFAULT");
    crowded.add("UNKNOWN");
    for (int n = 1; n <= 253; ++n)
        crowded.add("unknown_" + std::to_string(n));
    crowded.add("Dive");
    EXPECT_EQ(crowded.freeUnknownName(), "");
    crowded.setDefault(crowded.size() - 1);
    EXPECT_EQ(crowded.nameAt(0), "DEFAULT");
    EXPECT_EQ(crowded.nameAt(crowded.size() - 1), "DEFAULT");
}

TEST(ModeListEditor, NeverRemovesANameBeginningWithDefault) {
    ModeListEditor editor;
    for (const char* name : {"DEFAULT", "DEFAULT_2", "Combat", "default_x"})
        editor.add(name);
    RecordingObserver observer;
    editor.setObserver(&observer);
    EXPECT_FALSE(editor.remove(0).done);
    EXPECT_FALSE(editor.remove(1).done);
    EXPECT_EQ(editor.remove(2).status, "Mode 'Combat' deleted.");
    EXPECT_EQ(editor.remove(2).status, "Mode 'default_x' deleted.");
    EXPECT_FALSE(editor.remove(-1).done);
    EXPECT_EQ(namesOf(editor), (std::vector<std::string>{"DEFAULT", "DEFAULT_2"}));
    editor.clear();
    EXPECT_EQ(editor.size(), 0);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"remove 2", "remove 2", "reset"}));
}

} // namespace
} // namespace vantrel
