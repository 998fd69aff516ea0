#pragma once

#include "profile/ProfileCommand.h"

#include <cstddef>

namespace vantrel {

// The script list's commands as done, to be undone and redone. Each stores the lines it
// changed and their index in the store, so that undo restores the store's order exactly.

// A line added at the end of the store, by Add or Duplicate; text names the command.
ProfileCommandPtr scriptAdded(std::string text, std::size_t index, Script line);
// The line at an index replaced by another of the same name; before is the replaced one.
ProfileCommandPtr scriptUpdated(std::size_t index, Script before);
ProfileCommandPtr scriptDeleted(std::size_t index, Script line);
// The whole list, moved into the command.
ProfileCommandPtr scriptsCleared(ScriptListEditor::Contents contents);

} // namespace vantrel
