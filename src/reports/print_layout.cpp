#include "reports/print_layout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tavrin {
namespace {

// Places lines row by row, starting pages as lines need them, and hands each to the sink.
class PageWriter {
  public:
    PageWriter(PrintedLineSink& sink, int lineHeight, int lastRow)
        : sink_(sink), lineHeight_(lineHeight), lastRow_(lastRow) {}

    void Put(std::string_view text, PrintStyle style, int x = PrintLeftMargin) {
        if (failed_) return;
        if (!started_ || newPagePending_) {
            started_ = true;
            newPagePending_ = false;
            if (!Start()) return;
        } else if (row_ > lastRow_) {
            // Below the last row: the rest goes on over a new page.
            row_ = 0;
            if (!Start()) return;
        }
        line_.x = x;
        line_.y = row_ * lineHeight_;
        line_.style = style;
        line_.text.assign(text);
        sink_.PutLine(line_);
        ++row_;
    }
    int Row() const { return row_; }
    void SkipTo(int row) { row_ = row; }
    // Row 0 of a new page, which is started when a line comes to it.
    void NewPage() {
        newPagePending_ = true;
        row_ = 0;
    }
    bool Failed() const { return failed_; }

  private:
    bool Start() {
        failed_ = !sink_.StartPage();
        return !failed_;
    }

    PrintedLineSink& sink_;
    int lineHeight_;
    int lastRow_;
    int row_ = 0;
    bool started_ = false;
    bool newPagePending_ = false;
    bool failed_ = false;
    PrintedLine line_; // reused: its text keeps its room from line to line
};

// Hands on the parts of a line no wider than width each: broken at the last blank that fits (the
// blanks there dropped), or within a word that alone is wider.
template <class WidthOf, class Part>
void WrapToWidth(std::string_view text, int width, const WidthOf& widthOf, const Part& part) {
    std::string_view rest = text;
    bool wrapped = false;
    while (width > 0 && rest.size() > 1 && widthOf(rest) > width) {
        std::size_t cut = 0;
        for (std::size_t blank = rest.find(' ', 1); blank != std::string_view::npos;
             blank = rest.find(' ', blank + 1)) {
            if (widthOf(rest.substr(0, blank)) > width) break;
            cut = blank;
        }
        std::size_t next = cut;
        if (cut == 0) {
            // One word wider than the page: as many characters as fit, at least one.
            std::size_t low = 1, high = rest.size() - 1;
            while (low < high) {
                const std::size_t mid = (low + high + 1) / 2;
                if (widthOf(rest.substr(0, mid)) <= width)
                    low = mid;
                else
                    high = mid - 1;
            }
            cut = next = low;
        }
        part(rest.substr(0, cut));
        wrapped = true;
        while (next < rest.size() && rest[next] == ' ')
            ++next;
        rest.remove_prefix(next);
    }
    if (!wrapped || !rest.empty()) part(rest);
}

// Keeps the pages a layout gives.
class PageCollector final : public PrintedLineSink {
  public:
    bool StartPage() override {
        pages.emplace_back();
        return true;
    }
    void PutLine(const PrintedLine& line) override { pages.back().push_back(line); }

    std::vector<PrintedPage> pages;
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

bool LayOutPrintedList(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices, const PrintMetrics& metrics, PrintedLineSink& sink) {
    const int lineHeight = std::max(1, metrics.lineHeight);
    const int lastRow = LinesPerPage(metrics.pageHeight, lineHeight);
    PageWriter page(sink, lineHeight, lastRow);
    const int textWidth = metrics.pageWidth - 2 * PrintLeftMargin;
    const auto put = [&](std::string_view text, PrintStyle style) {
        if (!metrics.textWidth) return page.Put(text, style);
        WrapToWidth(
            text, textWidth, [&](std::string_view part) { return metrics.textWidth(part, style); },
            [&](std::string_view part) { page.Put(part, style); });
    };

    // The heading, centred part by part.
    {
        const auto widthOf = [&](std::string_view part) {
            return metrics.textWidth ? metrics.textWidth(part, PrintStyle::BoldUnderlined) : 0;
        };
        WrapToWidth(choices.listName, metrics.textWidth ? textWidth : 0, widthOf, [&](std::string_view part) {
            const int x = std::max(0, (metrics.pageWidth - widthOf(part)) / 2);
            page.Put(part, PrintStyle::BoldUnderlined, x);
        });
    }

    const Collection& c = context.collection;
    if (choices.kind == ExportKind::JustTheTitles) {
        page.SkipTo(std::max(2, page.Row() + 1));
        for (const std::uint16_t r : browse) {
            put(PrintedTitleLine(c.RecordAt(r)), PrintStyle::Normal);
            if (page.Failed()) return false;
        }
        return !page.Failed();
    }

    const int estimate = BlockEstimate(choices.details);
    std::vector<DetailLine> lines;
    for (const std::uint16_t r : browse) {
        page.SkipTo(page.Row() + 1);
        DetailBlockInto(context, c.RecordAt(r), choices.details, BlockForm::Print, lines);
        for (const DetailLine& line : lines)
            put(line.text, line.section == DetailSection::Heading ? PrintStyle::Bold : PrintStyle::Normal);
        if (page.Failed()) return false;
        if (page.Row() > lastRow - estimate) page.NewPage();
    }
    return !page.Failed();
}

bool LayOutPrintedList(const ReportContext& context, std::span<const std::uint16_t> browse,
                       const ExportChoices& choices, const PrinterMeasures& printer, PrintedLineSink& sink) {
    const PrintMetrics metrics{PrintLineHeight(printer.pointSize, printer.dpiY), printer.pageWidth,
                               printer.pageHeight, printer.textWidth};
    return LayOutPrintedList(context, browse, choices, metrics, sink);
}

std::vector<PrintedPage> LayOutPrintedList(const ReportContext& context,
                                           std::span<const std::uint16_t> browse,
                                           const ExportChoices& choices, const PrintMetrics& metrics) {
    PageCollector collector;
    LayOutPrintedList(context, browse, choices, metrics, collector);
    return std::move(collector.pages);
}

} // namespace tavrin
