// The model of the cover grid: row i is record ListeIndexTri[i], shown by its cover (the
// thumbnail of its first multimedia file when that is a picture, once decoded), its medium (the
// colour of the tile drawn for a title without a cover) and its title beneath.
#pragma once

#include "platform/thumbnail_cache.h"
#include "store/collection.h"

#include <QAbstractListModel>
#include <QHash>
#include <QSet>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tavrin {

class CoverGridModel : public QAbstractListModel {
    Q_OBJECT

  public:
    enum Role {
        MediumRole = Qt::UserRole + 1, // the medium's index (0 LD, 1 DVD, 2 VHS, 3 VideoCD)
        CoverRole,                     // a CoverState, as int
    };
    enum class CoverState { None, Waiting, Shown };

    // The collection, the browse list and the cache are owned by the main window and outlive
    // the model; medias is the folder of the multimedia files.
    CoverGridModel(const Collection& collection, const std::vector<std::uint16_t>& browse,
                   std::filesystem::path medias, ThumbnailCache& cache, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    // DisplayRole and ToolTipRole: the title; DecorationRole: the cover as a QImage, once
    // decoded (asking for it starts the decoding).
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The covers' side in pixels: the thumbnails are decoded for it.
    void SetCoverSide(int side);
    int CoverSide() const { return side_; }

    // As TitleTableModel's: after any change of the titles or of the browse list, one reset;
    // the same rows with edited titles; the lines of one record.
    void Refresh();
    void TextsChanged();
    void RecordChanged(std::size_t record);

  private:
    void CoverReady(const QString& key, int side);

    const Collection& collection_;
    const std::vector<std::uint16_t>& browse_;
    const std::filesystem::path medias_;
    ThumbnailCache& cache_;
    int side_;
    // The rows drawn while their cover was being decoded, by the cover's entry name: shown again
    // when it comes.
    mutable QHash<QString, QSet<int>> waitingRows_;
};

} // namespace tavrin
