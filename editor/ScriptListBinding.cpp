#include "editor/ScriptListBinding.h"

#include "editor/NameListModel.h"
#include "platform/MessageBox.h"
#include "platform/qt/ByteText.h"

#include <QEvent>
#include <QListView>
#include <QPushButton>

namespace vantrel {
namespace {

std::optional<std::size_t> rowIfAny(int row) {
    return row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row));
}

} // namespace

ScriptListBinding::ScriptListBinding(const EditorControls& ui, EditedProfile& document,
                                     QWidget& window)
    : QObject(&window), ui_(ui), document_(document), window_(window),
      model_(new NameListModel(
          [this] { return document_.scripts().size(); },
          [this](std::size_t row) -> const std::string& { return document_.scripts().nameAt(row); },
          this)) {
    document_.setScriptListObserver(model_);
    ui_.scriptList->setModel(model_);
    connect(ui_.scriptBox, &QLineEdit::textChanged, this, [this] { refreshScriptButtons(); });
    ui_.scriptBox->installEventFilter(this);
    connect(ui_.scriptAddButton, &QPushButton::clicked, this, &ScriptListBinding::onAddClicked);
    connect(ui_.scriptUpdateButton, &QPushButton::clicked, this,
            &ScriptListBinding::onUpdateClicked);
    connect(ui_.scriptDuplicateButton, &QPushButton::clicked, this,
            &ScriptListBinding::onDuplicateClicked);
    connect(ui_.scriptDeleteButton, &QPushButton::clicked, this,
            &ScriptListBinding::onDeleteClicked);
    connect(ui_.scriptClearAllButton, &QPushButton::clicked, this,
            &ScriptListBinding::onClearAllClicked);
    connect(ui_.scriptList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!changingSelection_)
            showSelectedScript();
    });
}

bool ScriptListBinding::eventFilter(QObject* watched, QEvent* event) {
    // The box loses the focus once more while it is destroyed, when it is a ByteLineEdit no
    // longer: qobject_cast tells, and nothing is read from it then.
    if (watched == ui_.scriptBox && qobject_cast<platform::ByteLineEdit*>(watched)) {
        if (event->type() == QEvent::FocusIn)
            refreshScriptButtons();
        else if (event->type() == QEvent::FocusOut)
            trimScriptBox();
    }
    return QObject::eventFilter(watched, event);
}

void ScriptListBinding::setStatusText(const std::string& text) {
    ui_.statusBox->setBytes(text);
}

int ScriptListBinding::selectedRow() const {
    const QModelIndexList rows = ui_.scriptList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

template <typename Change> void ScriptListBinding::withoutSelectionHandler(Change change) {
    changingSelection_ = true;
    change();
    changingSelection_ = false;
}

void ScriptListBinding::selectRow(int row) {
    withoutSelectionHandler([this, row] {
        QItemSelectionModel* selection = ui_.scriptList->selectionModel();
        if (row < 0 || row >= model_->rowCount()) {
            selection->clearSelection();
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        } else {
            const QModelIndex index = model_->index(row);
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            ui_.scriptList->scrollTo(index);
        }
    });
}

void ScriptListBinding::addScript(const std::string& line) {
    const EditResult result = document_.addScript(line);
    if (result.done)
        selectRow(-1);
    setStatusText(result.status);
}

void ScriptListBinding::showNewList() {
    selectRow(-1);
    refreshScriptButtons();
    showSelectedScript();
}

void ScriptListBinding::showScript(const std::string& name) {
    const auto row = name.empty() ? std::nullopt : document_.scripts().findRow(name);
    selectRow(row ? static_cast<int>(*row) : -1);
    showSelectedScript();
}

void ScriptListBinding::refreshScriptButtons() {
    const std::string full = ui_.scriptBox->bytes();
    const std::string_view kept = trimLeadingFileSpace(full);
    if (kept.size() != full.size()) {
        const int removed = static_cast<int>(full.size() - kept.size());
        const int cursor = std::max(0, ui_.scriptBox->cursorPosition() - removed);
        ui_.scriptBox->setBytes(std::string(kept));
        ui_.scriptBox->setCursorPosition(cursor);
        return; // the change of text runs this again on the kept text
    }
    const ScriptListEditor::Buttons buttons = document_.scripts().buttonsFor(full);
    ui_.scriptUpdateButton->setEnabled(buttons.update);
    if (buttons.add)
        ui_.scriptAddButton->setEnabled(*buttons.add);
}

void ScriptListBinding::showSelectedScript() {
    const int row = selectedRow();
    std::string name;
    if (row >= 0) {
        name = document_.scripts().nameAt(static_cast<std::size_t>(row));
        if (const Script* line = document_.scripts().lineAt(static_cast<std::size_t>(row)))
            ui_.scriptBox->setBytes(*line);
    }
    scriptSelected(name);
    const bool copyable = ScriptListEditor::rowMayBeCopiedOrRemoved(rowIfAny(row));
    ui_.scriptDeleteButton->setEnabled(copyable);
    ui_.scriptDuplicateButton->setEnabled(copyable);
    refreshScriptButtons();
}

void ScriptListBinding::trimScriptBox() {
    ui_.scriptBox->setBytes(cutAndTrim(ui_.scriptBox->bytes(), kScriptLineCutSet));
}

void ScriptListBinding::onAddClicked() {
    // The line is made safe here too: Add may be reached by its mnemonic while the SCRIPT
    // box still has the focus, before the box's own trimming has run.
    trimScriptBox();
    addScript(ui_.scriptBox->bytes());
    ui_.scriptBox->setBytes({});
    refreshScriptButtons();
    showSelectedScript();
    ui_.scriptBox->setFocus(Qt::OtherFocusReason);
}

void ScriptListBinding::onUpdateClicked() {
    trimScriptBox();
    setStatusText(document_.updateScript(ui_.scriptBox->bytes()).status);
}

void ScriptListBinding::onDuplicateClicked() {
    const auto row = rowIfAny(selectedRow());
    EditResult result;
    withoutSelectionHandler([this, row, &result] { result = document_.duplicateScript(row); });
    setStatusText(result.status);
}

void ScriptListBinding::onDeleteClicked() {
    const int row = selectedRow();
    const std::string shown = ui_.scriptBox->bytes();
    EditResult result;
    withoutSelectionHandler(
        [this, row, &shown, &result] { result = document_.deleteScript(rowIfAny(row), shown); });
    if (result.done)
        selectRow(row - 1);
    setStatusText(result.status);
    refreshScriptButtons();
    showSelectedScript();
}

void ScriptListBinding::onClearAllClicked() {
    const auto answer =
        platform::showMessage("This will delete all currently listed scripts.  Continue?",
                              "Confirm Clear", platform::MessageButtons::YesNo, &window_);
    if (answer != platform::MessageAnswer::Yes)
        return;
    EditResult result;
    withoutSelectionHandler([this, &result] { result = document_.clearScripts(); });
    showNewList();
    setStatusText(result.status);
}

} // namespace vantrel
