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

ScriptListBinding::ScriptListBinding(const EditorControls& ui, ScriptListEditor& scripts,
                                     QWidget& window)
    : QObject(&window), ui_(ui), scripts_(scripts), window_(window),
      model_(new NameListModel(
          [this] { return scripts_.size(); },
          [this](std::size_t row) -> const std::string& { return scripts_.nameAt(row); }, this)) {
    scripts_.setObserver(model_);
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
    if (watched == ui_.scriptBox) {
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
    const EditResult result = scripts_.add(line);
    if (result.done)
        selectRow(-1);
    setStatusText(result.status);
}

void ScriptListBinding::beginLoading() {
    // Loading starts from an empty list, so nothing is selected while it runs.
    selectRow(-1);
    scripts_.beginLoading();
}

void ScriptListBinding::addLoadedScript(const std::string& line) {
    scripts_.add(line);
}

void ScriptListBinding::endLoading() {
    scripts_.endLoading();
}

std::string ScriptListBinding::clearScripts() {
    EditResult result;
    withoutSelectionHandler([this, &result] { result = scripts_.clear(); });
    selectRow(-1);
    refreshScriptButtons();
    showSelectedScript();
    return result.status;
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
    const ScriptListEditor::Buttons buttons = scripts_.buttonsFor(full);
    ui_.scriptUpdateButton->setEnabled(buttons.update);
    if (buttons.add)
        ui_.scriptAddButton->setEnabled(*buttons.add);
}

void ScriptListBinding::showSelectedScript() {
    const int row = selectedRow();
    std::string name;
    if (row >= 0) {
        name = scripts_.nameAt(static_cast<std::size_t>(row));
        if (const Script* line = scripts_.lineAt(static_cast<std::size_t>(row)))
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
    edited();
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
    edited();
    trimScriptBox();
    setStatusText(scripts_.update(ui_.scriptBox->bytes()).status);
}

void ScriptListBinding::onDuplicateClicked() {
    edited();
    const auto row = rowIfAny(selectedRow());
    EditResult result;
    withoutSelectionHandler([this, row, &result] { result = scripts_.duplicate(row); });
    setStatusText(result.status);
}

void ScriptListBinding::onDeleteClicked() {
    edited();
    const int row = selectedRow();
    const std::string shown = ui_.scriptBox->bytes();
    EditResult result;
    withoutSelectionHandler(
        [this, row, &shown, &result] { result = scripts_.remove(rowIfAny(row), shown); });
    if (result.done)
        selectRow(row - 1);
    setStatusText(result.status);
    refreshScriptButtons();
    showSelectedScript();
}

void ScriptListBinding::onClearAllClicked() {
    edited();
    const auto answer =
        platform::showMessage("This will delete all currently listed scripts.  Continue?",
                              "Confirm Clear", platform::MessageButtons::YesNo, &window_);
    if (answer != platform::MessageAnswer::Yes)
        return;
    setStatusText(clearScripts());
}

} // namespace vantrel
