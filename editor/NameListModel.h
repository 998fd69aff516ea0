#pragma once

#include "profile/ListObserver.h"

#include <QAbstractListModel>

#include <functional>
#include <string>

namespace vantrel {

// A read-only Qt view over a list of names held by one of the core's list editors: it keeps
// no copy, and the editor tells it of every change, so the screen cannot drift from the list.
// Rows show their bytes as ByteText does and hand them back under the bytes role.
class NameListModel : public QAbstractListModel, public ListObserver {
    Q_OBJECT
public:
    using CountFunction = std::function<std::size_t()>;
    using NameFunction = std::function<const std::string&(std::size_t row)>;

    NameListModel(CountFunction count, NameFunction name, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    void beforeInsert(std::size_t row) override;
    void afterInsert() override { endInsertRows(); }
    void beforeRemove(std::size_t row) override;
    void afterRemove() override { endRemoveRows(); }
    void beforeReset() override { beginResetModel(); }
    void afterReset() override { endResetModel(); }
    void renamed(std::size_t row) override;

private:
    CountFunction count_;
    NameFunction name_;
};

} // namespace vantrel
