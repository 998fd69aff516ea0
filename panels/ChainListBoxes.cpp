#include "panels/ChainListBoxes.h"

#include "platform/qt/ByteText.h"

#include <QListWidget>

namespace vantrel {
namespace {

int selectedRow(const QListWidget& list) {
    const auto selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.constFirst());
}

} // namespace

int ChainListBoxes::selectedChain() const {
    return selectedRow(*chains_);
}

int ChainListBoxes::selectedGroup() const {
    return selectedRow(*groups_);
}

void ChainListBoxes::selectChain(int row) {
    ++updating_;
    chains_->clearSelection();
    if (row >= 0 && row < chains_->count()) {
        chains_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    } else {
        chains_->setCurrentItem(nullptr, QItemSelectionModel::Clear);
    }
    --updating_;
}

void ChainListBoxes::appendChain(const std::string& name) {
    ++updating_;
    chains_->addItem(platform::displayText(name));
    --updating_;
}

void ChainListBoxes::renameChain(int row, const std::string& name) {
    chains_->item(row)->setText(platform::displayText(name));
}

void ChainListBoxes::removeChain(int row) {
    selectChain(-1);
    ++updating_;
    delete chains_->takeItem(row);
    chains_->setCurrentItem(nullptr, QItemSelectionModel::Clear);
    --updating_;
}

void ChainListBoxes::showGroups(const std::vector<std::string>& lines) {
    ++updating_;
    groups_->clear();
    for (const std::string& line : lines)
        groups_->addItem(platform::displayText(line));
    --updating_;
}

void ChainListBoxes::appendGroup(const std::string& line) {
    ++updating_;
    groups_->addItem(platform::displayText(line));
    --updating_;
}

void ChainListBoxes::removeGroup(int row) {
    ++updating_;
    delete groups_->takeItem(row);
    groups_->clearSelection();
    if (row > 0)
        groups_->setCurrentRow(row - 1, QItemSelectionModel::ClearAndSelect);
    else
        groups_->setCurrentItem(nullptr, QItemSelectionModel::Clear);
    --updating_;
}

void ChainListBoxes::clear() {
    ++updating_;
    chains_->clear();
    groups_->clear();
    --updating_;
}

} // namespace vantrel
