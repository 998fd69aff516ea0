#pragma once

#include "editor/EditorControls.h"
#include "profile/ScriptListEditor.h"

#include <QObject>

#include <functional>
#include <string>

class QWidget;

namespace vantrel {

class NameListModel;

// Binds the editor window's SCRIPT box, script list and script buttons to the script list
// editor: runs the commands, shows their status texts and keeps the buttons enabled as the
// rules allow.
class ScriptListBinding : public QObject {
    Q_OBJECT
public:
    ScriptListBinding(const EditorControls& ui, ScriptListEditor& scripts, QWidget& window);

    // Told the name of the script selected in the list (empty for none).
    std::function<void(const std::string& name)> scriptSelected = [](const std::string&) {};
    // Told that a command changed the profile or may have.
    std::function<void()> edited = [] {};

    void addScript(const std::string& line);
    // Adds a line read from a file. No status text: the reader shows its own once the whole
    // file is in, and laying out a text per line would cost more than reading the lines.
    void addLoadedScript(const std::string& line);
    // Around the lines of one file: the list is shown again once, at the end.
    void beginLoading();
    void endLoading();
    // Empties the list; the status text of Clear All.
    std::string clearScripts();
    void refreshScriptButtons();
    void showSelectedScript();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onAddClicked();
    void onUpdateClicked();
    void onDuplicateClicked();
    void onDeleteClicked();
    void onClearAllClicked();
    void trimScriptBox();
    void setStatusText(const std::string& text);

    int selectedRow() const;
    void selectRow(int row);
    template <typename Change> void withoutSelectionHandler(Change change);

    EditorControls ui_;
    ScriptListEditor& scripts_;
    QWidget& window_;
    NameListModel* model_;
    // Set while the binding itself changes the list, so that only the user's own
    // selections run the selection handler.
    bool changingSelection_ = false;
};

} // namespace vantrel
