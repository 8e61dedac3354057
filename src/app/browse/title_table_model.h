// The model of the browse list for the title list ListDisc and the title table TitleTable: row i
// is record ListeIndexTri[i]; column 0 its title (all the list shows), the others its year,
// medium, director, genre, length, price, purchase and watch dates and marks.
#pragma once

#include "app/browse/title_table.h"
#include "lang/catalogue.h"
#include "store/collection.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <vector>

namespace tavrin {

class TitleTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // All three are owned by the main window and outlive the model.
    TitleTableModel(const Collection& collection, const std::vector<std::uint16_t>& browse,
                    const MessageCatalogue& catalogue, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // The views ask for the index of every row at each layout; the base class checks the bounds
    // through more virtual calls per row.
    QModelIndex index(int row, int column = 0, const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Column i of the model is AllTableColumns[i], whatever the table shows and in what order.
    static TableColumn ColumnAt(int section) { return AllTableColumns[static_cast<std::size_t>(section)]; }
    static int SectionOf(TableColumn column) { return static_cast<int>(column); }

    // After any change of the titles or of the browse list: the views are rebuilt once, never row
    // by row. Nothing reads the model between a change and this call (one thread, one handler).
    void Refresh() {
        beginResetModel();
        endResetModel();
    }
    // After a language switch: the headers and the genre names, the rows and selection kept.
    void Relabel();
    // The same titles in the same rows, some of them edited: shown again, selection and scroll
    // position kept.
    void TextsChanged();
    // The same, for the lines showing one record.
    void RecordChanged(std::size_t record);

  private:
    const Collection& collection_;
    const std::vector<std::uint16_t>& browse_;
    const MessageCatalogue& catalogue_;
};

} // namespace tavrin
