// The report of an import from another program as a table: a line per field with how many values
// were kept, approximated or moved to the review text.
#pragma once

#include "exchange/catalogue_import.h"
#include "lang/catalogue.h"

#include <QAbstractTableModel>

#include <functional>
#include <string>
#include <vector>

namespace tavrin {

class CatalogueReportModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    // label gives a field's name as the user reads it, from the report's field name.
    using FieldLabel = std::function<QString(std::string_view field)>;
    CatalogueReportModel(const MessageCatalogue& catalogue, FieldLabel label, QObject* parent);

    void Show(const CatalogueReport& report);
    void ApplyTexts();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const MessageCatalogue& catalogue_;
    FieldLabel label_;
    std::vector<std::pair<std::string, FieldTally>> rows_;
};

} // namespace tavrin
