// The model of the title list ListDisc: row i shows the title of record ListeIndexTri[i].
#pragma once

#include "store/collection.h"

#include <QAbstractListModel>

#include <cstdint>
#include <vector>

namespace tavrin {

class TitleListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    // Both are owned by the main window and outlive the model.
    TitleListModel(const Collection& collection, const std::vector<std::uint16_t>& browse,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // The view asks for the index of every row at each layout; the base class checks the bounds
    // through two more virtual calls per row.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // After any change of the titles or of the browse list: the view is rebuilt once, never row
    // by row. Nothing reads the model between a change and this call (one thread, one handler).
    void Refresh() {
        beginResetModel();
        endResetModel();
    }

  private:
    const Collection& collection_;
    const std::vector<std::uint16_t>& browse_;
};

} // namespace tavrin
