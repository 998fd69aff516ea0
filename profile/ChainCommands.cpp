#include "profile/ChainCommands.h"

namespace vantrel {
namespace {

ProfileChange chainChange(int index) {
    return ProfileChange::ofChain(index);
}

AxisChain& chainAt(ProfileParts& parts, int index) {
    return parts.chains.chains().chain(index);
}

class ChainAdded : public ProfileCommand {
public:
    ChainAdded(std::string text, int index) : text_(std::move(text)), index_(index) {}
    std::string text() const override { return text_; }
    ProfileChange undo(ProfileParts& parts) override {
        chain_ = std::move(chainAt(parts, index_));
        parts.chains.chains().deleteChain(index_);
        return chainChange(index_);
    }
    ProfileChange redo(ProfileParts& parts) override {
        parts.chains.chains().insertChain(index_, std::move(chain_));
        chain_ = AxisChain{};
        return chainChange(index_);
    }

private:
    std::string text_;
    int index_;
    // The chain while it is out of the list.
    AxisChain chain_;
};

class ChainDeleted : public ProfileCommand {
public:
    ChainDeleted(int index, AxisChain chain)
        : text_("Delete Chain '" + chain.name() + "'"), index_(index), chain_(std::move(chain)) {}
    std::string text() const override { return text_; }
    ProfileChange undo(ProfileParts& parts) override {
        parts.chains.chains().insertChain(index_, std::move(chain_));
        chain_ = AxisChain{};
        return chainChange(index_);
    }
    ProfileChange redo(ProfileParts& parts) override {
        chain_ = std::move(chainAt(parts, index_));
        parts.chains.chains().deleteChain(index_);
        return chainChange(index_);
    }

private:
    std::string text_;
    int index_;
    AxisChain chain_;
};

class ChainRenamed : public ProfileCommand {
public:
    ChainRenamed(int index, std::string before, std::string after)
        : index_(index), before_(std::move(before)), after_(std::move(after)) {}
    std::string text() const override {
        return "Rename Chain '" + before_ + "' to '" + after_ + "'";
    }
    ProfileChange undo(ProfileParts& parts) override {
        chainAt(parts, index_).setName(before_);
        return chainChange(index_);
    }
    ProfileChange redo(ProfileParts& parts) override {
        chainAt(parts, index_).setName(after_);
        return chainChange(index_);
    }

private:
    int index_;
    std::string before_;
    std::string after_;
};

// Adding and removing a group are each other's inverse.
class GroupMoved : public ProfileCommand {
public:
    GroupMoved(std::string text, GroupChange change, bool added)
        : text_(std::move(text)), change_(std::move(change)), added_(added) {}
    std::string text() const override { return text_; }
    ProfileChange undo(ProfileParts& parts) override {
        return added_ ? erase(parts, change_.capacityBefore)
                      : insert(parts, change_.capacityBefore);
    }
    ProfileChange redo(ProfileParts& parts) override {
        return added_ ? insert(parts, change_.capacityAfter) : erase(parts, change_.capacityAfter);
    }

private:
    ProfileChange insert(ProfileParts& parts, int capacity) {
        chainAt(parts, change_.chain).insertGroup(change_.group, change_.line, capacity);
        return chainChange(change_.chain);
    }
    ProfileChange erase(ProfileParts& parts, int capacity) {
        chainAt(parts, change_.chain).eraseGroup(change_.group, capacity);
        return chainChange(change_.chain);
    }

    std::string text_;
    GroupChange change_;
    bool added_;
};

class GroupsCleared : public ProfileCommand {
public:
    GroupsCleared(std::string text, int chain, std::vector<std::string> groups, int capacityBefore)
        : text_(std::move(text)), chain_(chain), groups_(std::move(groups)),
          capacity_(capacityBefore) {}
    std::string text() const override { return text_; }
    ProfileChange undo(ProfileParts& parts) override {
        chainAt(parts, chain_).restoreGroups(std::move(groups_), capacity_);
        groups_.clear();
        return chainChange(chain_);
    }
    ProfileChange redo(ProfileParts& parts) override {
        AxisChain& chain = chainAt(parts, chain_);
        capacity_ = chain.freeCapacity();
        groups_ = chain.takeGroups();
        return chainChange(chain_);
    }

private:
    std::string text_;
    int chain_;
    std::vector<std::string> groups_;
    int capacity_;
};

} // namespace

ProfileCommandPtr chainAdded(std::string text, int index) {
    return std::make_unique<ChainAdded>(std::move(text), index);
}

ProfileCommandPtr chainRenamed(int index, std::string before, std::string after) {
    return std::make_unique<ChainRenamed>(index, std::move(before), std::move(after));
}

ProfileCommandPtr chainDeleted(int index, AxisChain chain) {
    return std::make_unique<ChainDeleted>(index, std::move(chain));
}

ProfileCommandPtr groupAdded(std::string chainName, GroupChange change) {
    return std::make_unique<GroupMoved>("Add Breakpoints to '" + chainName + "'", std::move(change),
                                        true);
}

ProfileCommandPtr groupRemoved(std::string chainName, GroupChange change) {
    return std::make_unique<GroupMoved>("Remove Breakpoints from '" + chainName + "'",
                                        std::move(change), false);
}

ProfileCommandPtr groupsCleared(std::string chainName, int chain, std::vector<std::string> groups,
                                int capacityBefore) {
    return std::make_unique<GroupsCleared>("Clear Breakpoints of '" + chainName + "'", chain,
                                           std::move(groups), capacityBefore);
}

} // namespace vantrel
