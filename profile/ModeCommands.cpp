#include "profile/ModeCommands.h"

#include "profile/SlotTable.h"

namespace vantrel {
namespace {

ProfileChange modeChange(int row) {
    return ProfileChange::of(ProfileChange::Part::Modes, row);
}

class ModeAdded : public ProfileCommand {
public:
    ModeAdded(std::string text, int row) : text_(std::move(text)), row_(row) {}
    std::string text() const override { return text_; }
    ProfileChange undo(ProfileParts& parts) override {
        mode_ = parts.modes.take(row_);
        return modeChange(row_);
    }
    ProfileChange redo(ProfileParts& parts) override {
        parts.modes.insert(row_, std::move(mode_));
        return modeChange(row_);
    }

private:
    std::string text_;
    int row_;
    // The mode while it is out of the list; nothing while it is in.
    ProgrammingMode mode_;
};

class ModeDeleted : public ProfileCommand {
public:
    ModeDeleted(int row, ProgrammingMode mode)
        : text_("Delete Mode '" + mode.name() + "'"), row_(row), mode_(std::move(mode)) {}
    std::string text() const override { return text_; }
    ProfileChange undo(ProfileParts& parts) override {
        parts.modes.insert(row_, std::move(mode_));
        return modeChange(row_);
    }
    ProfileChange redo(ProfileParts& parts) override {
        mode_ = parts.modes.take(row_);
        return modeChange(row_);
    }

private:
    std::string text_;
    int row_;
    ProgrammingMode mode_;
};

class ModesRenamed : public ProfileCommand {
public:
    ModesRenamed(std::string text, std::vector<ModeNameChange> changes)
        : text_(std::move(text)), changes_(std::move(changes)) {}
    std::string text() const override { return text_; }
    ProfileChange undo(ProfileParts& parts) override {
        for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
            parts.modes.setNameAt(it->row, it->before);
        return modeChange(changes_.back().row);
    }
    ProfileChange redo(ProfileParts& parts) override {
        for (const ModeNameChange& change : changes_)
            parts.modes.setNameAt(change.row, change.after);
        return modeChange(changes_.back().row);
    }

private:
    std::string text_;
    std::vector<ModeNameChange> changes_;
};

class AssignmentSet : public ProfileCommand {
public:
    AssignmentSet(int row, int position, Assignment before, Assignment after)
        : row_(row), position_(position), before_(std::move(before)), after_(std::move(after)) {}
    std::string text() const override {
        const std::string& slot = SlotTable::instance().atPosition(position_).name;
        return after_.empty() ? "Clear " + slot : "Assign '" + after_ + "' to " + slot;
    }
    ProfileChange undo(ProfileParts& parts) override { return set(parts, before_); }
    ProfileChange redo(ProfileParts& parts) override { return set(parts, after_); }

private:
    ProfileChange set(ProfileParts& parts, const Assignment& value) {
        parts.modes.modes().at(static_cast<std::size_t>(row_)).setAssignment(position_, value);
        return ProfileChange::ofSlot(row_, position_);
    }

    int row_;
    int position_;
    Assignment before_;
    Assignment after_;
};

class DelaysSet : public ProfileCommand {
public:
    DelaysSet(DefaultDelays before, DefaultDelays after) : before_(before), after_(after) {}
    std::string text() const override { return "Set Default Delays"; }
    ProfileChange undo(ProfileParts& parts) override {
        parts.delays = before_;
        return ProfileChange::of(ProfileChange::Part::Delays);
    }
    ProfileChange redo(ProfileParts& parts) override {
        parts.delays = after_;
        return ProfileChange::of(ProfileChange::Part::Delays);
    }

private:
    DefaultDelays before_;
    DefaultDelays after_;
};

} // namespace

ProfileCommandPtr modeAdded(std::string text, int row) {
    return std::make_unique<ModeAdded>(std::move(text), row);
}

ProfileCommandPtr modeDeleted(int row, ProgrammingMode mode) {
    return std::make_unique<ModeDeleted>(row, std::move(mode));
}

ProfileCommandPtr modesRenamed(std::string text, std::vector<ModeNameChange> changes) {
    return std::make_unique<ModesRenamed>(std::move(text), std::move(changes));
}

ProfileCommandPtr assignmentSet(int row, int position, Assignment before, Assignment after) {
    return std::make_unique<AssignmentSet>(row, position, std::move(before), std::move(after));
}

ProfileCommandPtr delaysSet(DefaultDelays before, DefaultDelays after) {
    return std::make_unique<DelaysSet>(before, after);
}

} // namespace vantrel
