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

class AssignmentsSet : public ProfileCommand {
public:
    AssignmentsSet(int row, std::vector<SlotChange> changes)
        : row_(row), changes_(std::move(changes)) {}
    std::string text() const override {
        const SlotChange& last = changes_.back();
        const std::string& slot = SlotTable::instance().atPosition(last.position).name;
        return last.after.empty() ? "Clear " + slot : "Assign '" + last.after + "' to " + slot;
    }
    ProfileChange undo(ProfileParts& parts) override {
        for (auto it = changes_.rbegin(); it != changes_.rend(); ++it)
            set(parts, it->position, it->before);
        return ProfileChange::ofSlot(row_, changes_.front().position);
    }
    ProfileChange redo(ProfileParts& parts) override {
        for (const SlotChange& change : changes_)
            set(parts, change.position, change.after);
        return ProfileChange::ofSlot(row_, changes_.back().position);
    }

private:
    void set(ProfileParts& parts, int position, const Assignment& value) {
        parts.modes.modes().at(static_cast<std::size_t>(row_)).setAssignment(position, value);
    }

    int row_;
    std::vector<SlotChange> changes_;
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

ProfileCommandPtr assignmentsSet(int row, std::vector<SlotChange> changes) {
    return std::make_unique<AssignmentsSet>(row, std::move(changes));
}

ProfileCommandPtr delaysSet(DefaultDelays before, DefaultDelays after) {
    return std::make_unique<DelaysSet>(before, after);
}

} // namespace vantrel
