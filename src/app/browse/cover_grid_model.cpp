#include "app/browse/cover_grid_model.h"

#include "app/browse/covers.h"
#include "editing/media_files.h"
#include "platform/text.h"

#include <QImage>

#include <utility>

namespace tavrin {

CoverGridModel::CoverGridModel(const Collection& collection, const std::vector<std::uint16_t>& browse,
                               std::filesystem::path medias, ThumbnailCache& cache, QObject* parent)
    : QAbstractListModel(parent), collection_(collection), browse_(browse), medias_(std::move(medias)),
      cache_(cache), side_(DefaultCoverSide) {
    connect(&cache_, &ThumbnailCache::Ready, this, &CoverGridModel::CoverReady);
}

int CoverGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(browse_.size());
}

QModelIndex CoverGridModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column != 0 || row < 0 || static_cast<std::size_t>(row) >= browse_.size())
        return {};
    return createIndex(row, column);
}

QVariant CoverGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    const std::size_t record = browse_[static_cast<std::size_t>(index.row())];
    if (record >= collection_.Count()) return {};
    const TitleRecord& t = collection_.RecordAt(record);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return QStringFromCp1252(t.TitleView());
    case MediumRole:
        return static_cast<int>(t.Support());
    case Qt::DecorationRole:
    case CoverRole:
        break;
    default:
        return {};
    }

    const auto entry = CoverEntry(collection_, record);
    if (!entry) return role == CoverRole ? QVariant(static_cast<int>(CoverState::None)) : QVariant();
    const QString key = QStringFromCp1252(*entry);
    // Found on a worker: the folder may be large, and a name that differs in case is looked for
    // through all of it.
    const auto lookup = cache_.Find(key, side_, [medias = medias_, name = *entry] {
        const auto file = FindMediaFile(medias, name);
        return file ? QStringFromPath(*file) : QString();
    });
    CoverState state = CoverState::None;
    switch (lookup.state) {
    case ThumbnailCache::State::Ready:
        state = CoverState::Shown;
        // Shown again when checked against its file.
        if (lookup.renewing) waitingRows_[key].insert(index.row());
        break;
    case ThumbnailCache::State::Waiting:
        state = CoverState::Waiting;
        waitingRows_[key].insert(index.row());
        break;
    case ThumbnailCache::State::Failed:
        break;
    }
    if (role == CoverRole) return static_cast<int>(state);
    return state == CoverState::Shown ? QVariant(lookup.image) : QVariant();
}

void CoverGridModel::SetCoverSide(int side) {
    if (side == side_) return;
    side_ = side;
    waitingRows_.clear();
    cache_.DropWaiting();
    TextsChanged();
}

void CoverGridModel::Refresh() {
    beginResetModel();
    waitingRows_.clear();
    cache_.DropWaiting();
    // A file added since may now give a cover.
    cache_.ForgetFailures();
    endResetModel();
}

void CoverGridModel::TextsChanged() {
    if (!browse_.empty()) emit dataChanged(index(0), index(static_cast<int>(browse_.size()) - 1));
}

void CoverGridModel::RecordChanged(std::size_t record) {
    for (std::size_t row = 0; row < browse_.size(); ++row)
        if (browse_[row] == record)
            emit dataChanged(index(static_cast<int>(row)), index(static_cast<int>(row)));
}

void CoverGridModel::CoverReady(const QString& key, int side) {
    if (side != side_) return;
    const QSet<int> rows = waitingRows_.take(key);
    for (const int row : rows)
        if (row < rowCount()) emit dataChanged(index(row), index(row), {Qt::DecorationRole, CoverRole});
}

} // namespace tavrin
