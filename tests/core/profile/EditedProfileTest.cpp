#include "profile/EditedProfile.h"
#include "files/ProfileTextWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace vantrel {
namespace {

// Everything a command may change, as one comparable value.
struct State {
    Profile profile;
    std::vector<std::string> listed;
    int activeMode;
    bool modified;
    bool operator==(const State&) const = default;
};

void PrintTo(const State& state, std::ostream* out) {
    *out << "{scripts:";
    for (const Script& line : state.profile.scripts)
        *out << " [" << line << "]";
    *out << "; modes:";
    for (const ProgrammingMode& mode : state.profile.modes)
        *out << " " << mode.name();
    *out << "; chains:";
    for (const AxisChain& chain : state.profile.chains.chains())
        *out << " " << chain.name() << "/" << chain.groupCount() << "/" << chain.freeCapacity();
    *out << "; delays: " << state.profile.pressDelay << "," << state.profile.releaseDelay
         << "; listed: " << state.listed.size() << "; active: " << state.activeMode
         << "; modified: " << state.modified << "}";
}

State stateOf(const EditedProfile& document) {
    return {document.profile(), document.listedScriptNames(), document.activeMode(),
            document.isModified()};
}

// Follows a name list through its observer's calls alone, as a view does: it must end up
// equal to the list after every command, undo and redo.
class MirroredList : public ListObserver {
public:
    using Reader = std::function<std::vector<std::string>()>;
    explicit MirroredList(Reader read) : read_(std::move(read)), rows_(read_()) {}
    const std::vector<std::string>& rows() const { return rows_; }

    void beforeInsert(std::size_t row) override { row_ = row; }
    void afterInsert() override {
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(row_), read_().at(row_));
    }
    void beforeRemove(std::size_t row) override { row_ = row; }
    void afterRemove() override { rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row_)); }
    void beforeReset() override {}
    void afterReset() override { rows_ = read_(); }
    void renamed(std::size_t row) override { rows_.at(row) = read_().at(row); }

private:
    Reader read_;
    std::vector<std::string> rows_;
    std::size_t row_ = 0;
};

std::vector<std::string> modeNames(const EditedProfile& document) {
    std::vector<std::string> names;
    for (const ProgrammingMode& mode : document.modes().modes())
        names.push_back(mode.name());
    return names;
}

// A saved profile with something of every kind: scripts added out of order, three modes
// with assignments, two chains with groups, delays other than the first ones.
EditedProfile sampleProfile() {
    EditedProfile document;
    for (const char* line : {"Fire a^40 A", "Brake b B", "Gear g G", "Chaff c C"})
        document.addScript(line);
    document.createMode("Climb");
    document.assign(1, "Fire");
    document.createMode("unknown");
    document.selectMode(0);
    document.assign(2, "Brake");
    document.addChain("Gear");
    GroupLimits limits{200, -100, 100};
    document.addGroup(0, limits, "Gear", "_NULL");
    limits.count = 5;
    document.addGroup(0, limits, "_NULL", "Gear");
    document.addChain("Flaps");
    document.setDelays({25, 30});
    document.markSaved();
    return document;
}

struct CommandCase {
    const char* name;
    const char* text;
    std::function<bool(EditedProfile&)> run;
};

std::ostream& operator<<(std::ostream& out, const CommandCase& c) {
    return out << c.name;
}

const CommandCase kCommands[] = {
    {"AddScript", "Add Script 'Decoy'", [](auto& d) { return d.addScript("Decoy d D").done; }},
    {"UpdateScript", "Update Script 'Gear'",
     [](auto& d) { return d.updateScript("Gear g^5 G").done; }},
    {"DuplicateScript", "Duplicate Script 'Fire'",
     [](auto& d) { return d.duplicateScript(d.scripts().findRow("Fire")).done; }},
    // Brake is the second line of the store: undo must put it back between its neighbours.
    {"DeleteScript", "Delete Script 'Brake'",
     [](auto& d) { return d.deleteScript(d.scripts().findRow("Brake"), "Brake b B").done; }},
    {"ClearScripts", "Clear All Scripts", [](auto& d) { return d.clearScripts().done; }},
    {"CreateMode", "Create Mode 'Dive'", [](auto& d) { return d.createMode("Dive").done; }},
    {"RenameMode", "Rename Mode 'Climb'", [](auto& d) { return d.renameMode(1, "Cruise").done; }},
    {"DuplicateMode", "Duplicate Mode 'Climb'", [](auto& d) { return d.duplicateMode(1).done; }},
    // DEFAULT becomes unknown_1, since a mode "unknown" exists.
    {"SetDefaultMode", "Set 'Climb' as Default", [](auto& d) { return d.setDefaultMode(1).done; }},
    {"DeleteMode", "Delete Mode 'unknown'", [](auto& d) { return d.deleteMode(2).done; }},
    {"Assign", "Assign 'Gear' to TriggerPress", [](auto& d) { return d.assign(1, "Gear"); }},
    {"ClearAssignment", "Clear TriggerRelease", [](auto& d) { return d.assign(2, ""); }},
    // A panel's typed text and its own slot, named after the last: undone in reverse order.
    {"AssignSeveral", "Clear TriggerRelease",
     [](auto& d) {
         return d.assign({{3, "Gear"}, {1, "Fire"}, {3, "Chaff"}, {2, ""}});
     }},
    {"AddChain", "Add Chain 'Brakes'", [](auto& d) { return d.addChain("Brakes"); }},
    {"DuplicateChain", "Duplicate Chain 'Gear'", [](auto& d) { return d.duplicateChain(0); }},
    {"RenameChain", "Rename Chain 'Gear' to 'Wheels'",
     [](auto& d) { return d.renameChain(0, "Wheels"); }},
    {"DeleteChain", "Delete Chain 'Gear'", [](auto& d) { return d.deleteChain(0); }},
    {"AddGroup", "Add Breakpoints to 'Flaps'",
     [](auto& d) {
         GroupLimits limits;
         return d.addGroup(1, limits, "_NULL", "_NULL").line.has_value();
     }},
    {"RemoveGroup", "Remove Breakpoints from 'Gear'", [](auto& d) { return d.removeGroup(0, 0); }},
    {"ClearGroups", "Clear Breakpoints of 'Gear'", [](auto& d) { return d.clearGroups(0); }},
    {"SetDelays", "Set Default Delays",
     [](auto& d) {
         return d.setDelays({40, 10});
     }},
};

class EachProfileCommand : public testing::TestWithParam<CommandCase> {};

TEST_P(EachProfileCommand, IsUndoneAndRedoneToTheExactStatesAroundIt) {
    EditedProfile document = sampleProfile();
    MirroredList scripts([&] { return document.listedScriptNames(); });
    MirroredList modes([&] { return modeNames(document); });
    document.setScriptListObserver(&scripts);
    document.setModeListObserver(&modes);
    const State before = stateOf(document);
    ASSERT_FALSE(before.modified);

    ASSERT_TRUE(GetParam().run(document));
    const State after = stateOf(document);
    EXPECT_NE(after.profile, before.profile);
    EXPECT_TRUE(after.modified);
    EXPECT_EQ(document.undoText(), GetParam().text);

    EXPECT_EQ(document.undo().status, std::string(GetParam().text) + " undone.");
    EXPECT_EQ(stateOf(document), before);
    EXPECT_EQ(document.redoText(), GetParam().text);
    EXPECT_EQ(document.redo().status, std::string(GetParam().text) + " redone.");
    EXPECT_EQ(stateOf(document), after);
    document.undo();
    EXPECT_EQ(stateOf(document), before);
    EXPECT_EQ(scripts.rows(), document.listedScriptNames());
    EXPECT_EQ(modes.rows(), modeNames(document));
    document.setScriptListObserver(nullptr);
    document.setModeListObserver(nullptr);
}

INSTANTIATE_TEST_SUITE_P(EditedProfile, EachProfileCommand, testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EditedProfile, RefusedCommandsAreNotKept) {
    EditedProfile document = sampleProfile();
    const std::string lastDone = document.undoText();
    EXPECT_FALSE(document.addScript("fire x").done);
    EXPECT_FALSE(document.updateScript("Nothing n").done);
    EXPECT_FALSE(document.deleteScript(0, "_NULL").done);
    EXPECT_FALSE(document.createMode("climb").done);
    EXPECT_FALSE(document.deleteMode(0).done);
    EXPECT_FALSE(document.assign(2, "Brake"));
    EXPECT_FALSE(document.assign({{2, "Brake"}, {3, ""}}));
    EXPECT_FALSE(document.clearGroups(1)) << "Flaps has no groups to clear";
    EXPECT_FALSE(document.renameChain(0, "flaps"));
    EXPECT_FALSE(document.setDelays({25, 30}));
    // Making the default mode the default again changes no name.
    EXPECT_TRUE(document.setDefaultMode(0).done);
    EXPECT_EQ(document.undoText(), lastDone);
    EXPECT_FALSE(document.isModified());
    EditedProfile fresh;
    EXPECT_FALSE(fresh.undo().done);
    EXPECT_FALSE(fresh.redo().done);
}

TEST(EditedProfile, IsModifiedExactlyAwayFromTheSavedPlace) {
    EditedProfile document;
    EXPECT_FALSE(document.isModified());
    document.addScript("Fire a A");
    document.markSaved();
    document.addScript("Brake b B");
    EXPECT_TRUE(document.isModified());
    document.undo();
    EXPECT_FALSE(document.isModified());
    document.undo();
    EXPECT_TRUE(document.isModified());
    document.redo();
    EXPECT_FALSE(document.isModified());

    // A command done after an undo past the saved place drops that place for good.
    document.undo();
    document.addScript("Gear g G");
    document.undo();
    EXPECT_TRUE(document.isModified());
    EXPECT_FALSE(document.canRedo() && document.redoText() != "Add Script 'Gear'");

    // New and Open forget the history; what they bring equals its file.
    document.load(Profile::newProfile());
    EXPECT_FALSE(document.canUndo());
    EXPECT_FALSE(document.canRedo());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.activeMode(), -1);
}

TEST(EditedProfile, UndoRestoresTheActiveModeOfEachSide) {
    EditedProfile document = sampleProfile();
    document.selectMode(2);
    document.createMode("Dive");
    EXPECT_EQ(document.activeMode(), 3);
    document.undo();
    EXPECT_EQ(document.activeMode(), 2);
    document.redo();
    EXPECT_EQ(document.activeMode(), 3);

    // An assignment goes to the mode it was made in, whichever is active when it is undone.
    document.selectMode(1);
    document.assign(5, "Chaff");
    document.selectMode(0);
    document.undo();
    EXPECT_EQ(document.activeMode(), 1);
    EXPECT_EQ(document.modes().modes()[1].assignment(5), "");
}

// A long mixed walk of commands, undos and redos: each undo and redo must give the state
// recorded at that place, and undoing everything must give back the saved file's bytes.
TEST(EditedProfile, ARandomWalkComesBackToTheSavedFile) {
    for (const unsigned seed : {1u, 7u, 2024u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        // The sample as a file brings it, with no history.
        EditedProfile document;
        document.load(sampleProfile().profile());
        document.selectMode(0);
        MirroredList scripts([&] { return document.listedScriptNames(); });
        document.setScriptListObserver(&scripts);
        const std::string savedText =
            composeProfileText(document.profile(), document.listedScriptNames(), "Walk.vtp");
        // The state after each command, and the active mode just before it: an undo gives
        // that mode back, a redo the one after.
        std::vector<State> states{stateOf(document)};
        std::vector<int> activeBefore{-1};
        std::size_t place = 0;

        for (int step = 0; step < 600; ++step) {
            const int choice = pick(24);
            if (choice < 4 && document.canUndo()) {
                const std::string undone = document.undoText();
                document.undo();
                State expected = states.at(place - 1);
                expected.activeMode = activeBefore.at(place--);
                ASSERT_EQ(stateOf(document), expected)
                    << "undo of " << undone << " at step " << step;
                continue;
            }
            if (choice < 7 && document.canRedo()) {
                document.redo();
                ASSERT_EQ(stateOf(document), states.at(++place)) << "redo at step " << step;
                continue;
            }
            if (choice < 8) {
                document.selectMode(pick(document.modes().size() + 1) - 1);
                continue;
            }
            const CommandCase& command = kCommands[pick(std::size(kCommands))];
            const int active = document.activeMode();
            // Fresh names keep the adding commands from being refused.
            const std::size_t doneBefore = document.undoCount();
            // Set as Default may succeed without changing a name, and keeps nothing then.
            const bool done =
                choice < 10   ? document.addScript("S" + std::to_string(step) + " k").done
                : choice < 11 ? document.createMode("M" + std::to_string(step)).done
                : choice < 12 ? document.assign(1 + pick(kSlotCount), pick(3) ? "Fire" : "")
                : choice < 13 ? document.addChain("C" + std::to_string(step))
                              : command.run(document);
            ASSERT_LE(document.undoCount(), doneBefore + (done ? 1 : 0)) << command.name;
            if (document.undoCount() > doneBefore) {
                states.resize(++place);
                activeBefore.resize(place);
                states.push_back(stateOf(document));
                activeBefore.push_back(active);
            }
            ASSERT_EQ(stateOf(document).profile, states.at(place).profile);
            ASSERT_EQ(scripts.rows(), document.listedScriptNames());
        }
        while (document.canUndo())
            document.undo();
        EXPECT_FALSE(document.isModified());
        EXPECT_EQ(composeProfileText(document.profile(), document.listedScriptNames(), "Walk.vtp"),
                  savedText);
        while (document.canRedo())
            document.redo();
        EXPECT_EQ(stateOf(document), states.back());
        document.setScriptListObserver(nullptr);
    }
}

} // namespace
} // namespace vantrel
