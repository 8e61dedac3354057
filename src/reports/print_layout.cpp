#include "reports/print_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tavrin {
namespace {

// Places lines row by row, starting pages as lines need them.
class PageWriter {
  public:
    PageWriter(std::vector<PrintedPage>& pages, int lineHeight, int lastRow)
        : pages_(pages), lineHeight_(lineHeight), lastRow_(lastRow) {}

    void Put(std::string text, PrintStyle style, int x = PrintLeftMargin) {
        if (pages_.empty() || newPagePending_) {
            pages_.emplace_back();
            newPagePending_ = false;
        } else if (row_ > lastRow_) {
            // Below the last row: the rest goes on over a new page.
            pages_.emplace_back();
            row_ = 0;
        }
        pages_.back().push_back({x, row_ * lineHeight_, style, std::move(text)});
        ++row_;
    }
    int Row() const { return row_; }
    void SkipTo(int row) { row_ = row; }
    // Row 0 of a new page, which is started when a line comes to it.
    void NewPage() {
        newPagePending_ = true;
        row_ = 0;
    }

  private:
    std::vector<PrintedPage>& pages_;
    int lineHeight_;
    int lastRow_;
    int row_ = 0;
    bool newPagePending_ = false;
};

} // namespace

int PrintLineHeight(int pointSize, int dpiY) {
    const long long product = static_cast<long long>(pointSize) * dpiY;
    const long long scaled = std::llabs((product + (product >= 0 ? 36 : -36)) / 72); // rounded like MulDiv
    return std::max(1, static_cast<int>(static_cast<double>(scaled) * 1.4));
}

int LinesPerPage(int pageHeight, int lineHeight) {
    return pageHeight / std::max(1, lineHeight) - 4;
}

int BlockEstimate(const DetailChoices& d) {
    struct Weight {
        DetailBox box;
        int rows;
    };
    constexpr Weight Weights[] = {{DetailBox::DT, 1},     {DetailBox::AT, 2},   {DetailBox::CT, 1},
                                  {DetailBox::LT, 1},     {DetailBox::ET, 1},   {DetailBox::MT, 1},
                                  {DetailBox::BT, 3},     {DetailBox::TT, 1},   {DetailBox::PT, 1},
                                  {DetailBox::WT, 1},     {DetailBox::ST, 2},   {DetailBox::GT, 1},
                                  {DetailBox::SubT, 1},   {DetailBox::EdiT, 1}, {DetailBox::OtherT, 2},
                                  {DetailBox::RatioT, 1}, {DetailBox::SideT, 1}};
    int rows = 0;
    for (const auto& w : Weights)
        if (d.Has(w.box)) rows += w.rows;
    return rows;
}

std::string PrintedTitleLine(const TitleRecord& t) {
    std::string line(t.TitleView());
    line += " (";
    char digits[8];
    line.append(digits, std::to_chars(digits, digits + sizeof digits, t.Year()).ptr);
    line += ") ";
    line += MediumAndZone(t);
    return line;
}

std::vector<PrintedPage> LayOutPrintedList(const ReportContext& context,
                                           std::span<const std::uint16_t> browse,
                                           const ExportChoices& choices, const PrintMetrics& metrics) {
    std::vector<PrintedPage> pages;
    const int lineHeight = std::max(1, metrics.lineHeight);
    const int lastRow = LinesPerPage(metrics.pageHeight, lineHeight);
    PageWriter w(pages, lineHeight, lastRow);

    const int nameWidth = metrics.headingWidth ? metrics.headingWidth(choices.listName) : 0;
    w.Put(choices.listName, PrintStyle::BoldUnderlined, std::max(0, (metrics.pageWidth - nameWidth) / 2));

    const Collection& c = context.collection;
    if (choices.kind == ExportKind::JustTheTitles) {
        w.SkipTo(2);
        for (const std::uint16_t r : browse)
            w.Put(PrintedTitleLine(c.RecordAt(r)), PrintStyle::Normal);
        return pages;
    }

    const int estimate = BlockEstimate(choices.details);
    std::vector<DetailLine> lines;
    for (const std::uint16_t r : browse) {
        w.SkipTo(w.Row() + 1);
        DetailBlockInto(context, c.RecordAt(r), choices.details, BlockForm::Print, lines);
        for (DetailLine& line : lines)
            w.Put(std::move(line.text),
                  line.section == DetailSection::Heading ? PrintStyle::Bold : PrintStyle::Normal);
        if (w.Row() > lastRow - estimate) w.NewPage();
    }
    return pages;
}

} // namespace tavrin
