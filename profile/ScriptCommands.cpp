#include "profile/ScriptCommands.h"

namespace vantrel {
namespace {

ProfileChange scriptChange(std::string_view line) {
    return ProfileChange::ofScript(std::string(scriptName(line)));
}

std::string quotedName(std::string_view line) {
    return "'" + std::string(scriptName(line)) + "'";
}

class ScriptAdded : public ProfileCommand {
public:
    ScriptAdded(std::string text, std::size_t index, Script line)
        : text_(std::move(text)), index_(index), line_(std::move(line)) {}
    std::string text() const override { return text_; }
    ProfileChange undo(ProfileParts& parts) override {
        parts.scripts.eraseLine(index_);
        return scriptChange(line_);
    }
    ProfileChange redo(ProfileParts& parts) override {
        parts.scripts.insertLine(index_, line_);
        return scriptChange(line_);
    }

private:
    std::string text_;
    std::size_t index_;
    Script line_;
};

class ScriptUpdated : public ProfileCommand {
public:
    ScriptUpdated(std::size_t index, Script before) : index_(index), other_(std::move(before)) {}
    std::string text() const override { return "Update Script " + quotedName(other_); }
    // The store holds one of the two lines, the command the other: each step swaps them.
    ProfileChange undo(ProfileParts& parts) override { return swap(parts); }
    ProfileChange redo(ProfileParts& parts) override { return swap(parts); }

private:
    ProfileChange swap(ProfileParts& parts) {
        other_ = parts.scripts.replaceLine(index_, std::move(other_));
        return scriptChange(other_);
    }

    std::size_t index_;
    Script other_;
};

class ScriptDeleted : public ProfileCommand {
public:
    ScriptDeleted(std::size_t index, Script line) : index_(index), line_(std::move(line)) {}
    std::string text() const override { return "Delete Script " + quotedName(line_); }
    ProfileChange undo(ProfileParts& parts) override {
        parts.scripts.insertLine(index_, line_);
        return scriptChange(line_);
    }
    ProfileChange redo(ProfileParts& parts) override {
        parts.scripts.eraseLine(index_);
        return scriptChange(line_);
    }

private:
    std::size_t index_;
    Script line_;
};

class ScriptsCleared : public ProfileCommand {
public:
    explicit ScriptsCleared(ScriptListEditor::Contents contents) : contents_(std::move(contents)) {}
    std::string text() const override { return "Clear All Scripts"; }
    ProfileChange undo(ProfileParts& parts) override {
        parts.scripts.restoreAll(std::move(contents_));
        contents_ = {};
        return ProfileChange::of(ProfileChange::Part::Scripts);
    }
    ProfileChange redo(ProfileParts& parts) override {
        contents_ = parts.scripts.takeAll();
        return ProfileChange::of(ProfileChange::Part::Scripts);
    }

private:
    ScriptListEditor::Contents contents_;
};

} // namespace

ProfileCommandPtr scriptAdded(std::string text, std::size_t index, Script line) {
    return std::make_unique<ScriptAdded>(std::move(text), index, std::move(line));
}

ProfileCommandPtr scriptUpdated(std::size_t index, Script before) {
    return std::make_unique<ScriptUpdated>(index, std::move(before));
}

ProfileCommandPtr scriptDeleted(std::size_t index, Script line) {
    return std::make_unique<ScriptDeleted>(index, std::move(line));
}

ProfileCommandPtr scriptsCleared(ScriptListEditor::Contents contents) {
    return std::make_unique<ScriptsCleared>(std::move(contents));
}

} // namespace vantrel
