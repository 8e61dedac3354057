#include "exchange/catalogue_report_model.h"

#include "platform/text.h"

namespace tavrin {

CatalogueReportModel::CatalogueReportModel(const MessageCatalogue& catalogue, FieldLabel label,
                                           QObject* parent)
    : QAbstractTableModel(parent), catalogue_(catalogue), label_(std::move(label)) {}

void CatalogueReportModel::Show(const CatalogueReport& report) {
    beginResetModel();
    rows_.assign(report.fields.begin(), report.fields.end());
    endResetModel();
}

void CatalogueReportModel::ApplyTexts() {
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

int CatalogueReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CatalogueReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant CatalogueReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto& [field, tally] = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole && index.column() > 0)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case 0:
        return label_(field);
    case 1:
        return static_cast<qulonglong>(tally.kept);
    case 2:
        return static_cast<qulonglong>(tally.approximated);
    default:
        return static_cast<qulonglong>(tally.review);
    }
}

QVariant CatalogueReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    static constexpr Msg headers[] = {Msg::MsgReportField, Msg::MsgReportKept, Msg::MsgReportApproximated,
                                      Msg::MsgReportInReview};
    return section >= 0 && section < 4 ? QText(catalogue_, headers[section]) : QVariant();
}

} // namespace tavrin
