#include "app/browse/title_table_model.h"

#include "lang/vocabulary.h"
#include "platform/text.h"
#include "store/day_number.h"

#include <QDate>
#include <QLocale>

namespace tavrin {
namespace {

// The user's short date; an empty cell for no date.
QString DateCell(DayNumber day) {
    if (day < 1) return {};
    const CivilDate d = DateFromDayNumber(day);
    return QLocale::system().toString(QDate(d.year, d.month, d.day), QLocale::ShortFormat);
}

QString PriceCell(float price) {
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(price), 'f', 2);
}

// A number; an empty cell for 0, which a title without that value holds.
QString NumberCell(int value) {
    return value == 0 ? QString() : QString::number(value);
}

bool AlignsRight(TableColumn column) {
    return column == TableColumn::Year || column == TableColumn::Length || column == TableColumn::Price;
}

} // namespace

TitleTableModel::TitleTableModel(const Collection& collection, const std::vector<std::uint16_t>& browse,
                                 const MessageCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), collection_(collection), browse_(browse), catalogue_(catalogue) {}

int TitleTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(browse_.size());
}

int TitleTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(TableColumnCount);
}

QModelIndex TitleTableModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || column < 0 || column >= static_cast<int>(TableColumnCount) || row < 0 ||
        static_cast<std::size_t>(row) >= browse_.size())
        return {};
    return createIndex(row, column);
}

QVariant TitleTableModel::data(const QModelIndex& index, int role) const {
    if ((role != Qt::DisplayRole && role != Qt::TextAlignmentRole) ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TableColumn column = ColumnAt(index.column());
    if (role == Qt::TextAlignmentRole) {
        if (!AlignsRight(column)) return {};
        return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
    }
    const std::size_t record = browse_[static_cast<std::size_t>(index.row())];
    if (record >= collection_.Count()) return {};
    const TitleRecord& t = collection_.RecordAt(record);
    switch (column) {
    case TableColumn::Title:
        return QStringFromCp1252(t.TitleView());
    case TableColumn::Year:
        return NumberCell(t.Year());
    case TableColumn::Medium:
        return QStringFromCp1252(ItemText(SupportNames, t.Support()));
    case TableColumn::Director:
        return QStringFromCp1252(NameAt(collection_.List(ListId::Director), t.Director()));
    case TableColumn::Genre:
        return QStringFromUtf8(GenreName(catalogue_, t.Genre()));
    case TableColumn::Length:
        return NumberCell(t.Length());
    case TableColumn::Price:
        return PriceCell(t.Price());
    case TableColumn::Purchased:
        return DateCell(t.BuyDate());
    case TableColumn::Watched:
        return DateCell(t.WatchDate());
    case TableColumn::Marks:
        return QStringLiteral("%1 / %2 / %3").arg(t.FilmRating()).arg(t.PictureRating()).arg(t.SoundRating());
    }
    return {};
}

QVariant TitleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(TableColumnCount))
        return QAbstractTableModel::headerData(section, orientation, role);
    return QText(catalogue_, TableColumnHeader(ColumnAt(section)));
}

void TitleTableModel::Relabel() {
    emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(TableColumnCount) - 1);
    TextsChanged();
}

void TitleTableModel::RecordChanged(std::size_t record) {
    const int last = static_cast<int>(TableColumnCount) - 1;
    for (std::size_t row = 0; row < browse_.size(); ++row)
        if (browse_[row] == record)
            emit dataChanged(index(static_cast<int>(row), 0), index(static_cast<int>(row), last));
}

void TitleTableModel::TextsChanged() {
    if (!browse_.empty())
        emit dataChanged(index(0, 0),
                         index(static_cast<int>(browse_.size()) - 1, static_cast<int>(TableColumnCount) - 1));
}

} // namespace tavrin
