#pragma once

#include "editor/EditorControls.h"
#include "profile/EditedProfile.h"

#include <QObject>

#include <functional>
#include <string>

class QWidget;

namespace vantrel {

class NameListModel;

// Binds the editor window's SCRIPT box, script list and script buttons to the profile's
// script list: runs the commands, shows their status texts and keeps the buttons enabled as
// the rules allow.
class ScriptListBinding : public QObject {
    Q_OBJECT
public:
    ScriptListBinding(const EditorControls& ui, EditedProfile& document, QWidget& window);

    // Told the name of the script selected in the list (empty for none).
    std::function<void(const std::string& name)> scriptSelected = [](const std::string&) {};

    void addScript(const std::string& line);
    // After the whole list was replaced (New, Open): nothing selected.
    void showNewList();
    // Selects the script of that name (none if it is not listed) and shows it in the box.
    void showScript(const std::string& name);
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
    EditedProfile& document_;
    QWidget& window_;
    NameListModel* model_;
    // Set while the binding itself changes the list, so that only the user's own
    // selections run the selection handler.
    bool changingSelection_ = false;
};

} // namespace vantrel
