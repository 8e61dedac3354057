#include "reports/print_layout.h"

#include "report_fixture.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using test::FullLaserDisc;
using test::MakeTitle;

constexpr int H = 10;

class PrintLayoutTest : public ::testing::Test {
  protected:
    // Pages of height rows * H, 1000 pixels wide unless told; every character 10 pixels wide.
    std::vector<PrintedPage> LayOut(int rows, const ExportChoices& choices, int width = 1000) {
        PrintMetrics m{H, width, rows * H,
                       [](std::string_view s, PrintStyle) { return static_cast<int>(s.size()) * 10; }};
        std::vector<std::uint16_t> browse(collection.ListeIndex.begin(), collection.ListeIndex.end());
        return LayOutPrintedList(context, browse, choices, m);
    }
    void AddTitles(int n, const TitleRecord& model) {
        for (int i = 0; i < n; ++i) {
            TitleRecord t = model;
            t.SetTitle("T" + std::to_string(100 + i));
            AppendTitle(collection, t);
        }
    }
    // Every page's lines as "row:text".
    static std::vector<std::vector<std::string>> Rows(const std::vector<PrintedPage>& pages) {
        std::vector<std::vector<std::string>> out;
        for (const auto& page : pages) {
            out.emplace_back();
            for (const auto& l : page)
                out.back().push_back(std::to_string(l.y / H) + ":" + l.text);
        }
        return out;
    }

    Collection collection = test::ReportCollection();
    MessageCatalogue catalogue;
    ReportTexts texts{catalogue};
    DateFormat dates{"dd/MM/yyyy"};
    ReportContext context{collection, texts, dates};
};

TEST_F(PrintLayoutTest, LineHeightAndRowsPerPage) {
    EXPECT_EQ(PrintLineHeight(10, 600), 116);
    EXPECT_EQ(PrintLineHeight(-10, 600), 116);
    EXPECT_EQ(PrintLineHeight(12, 72), 16);
    EXPECT_EQ(PrintLineHeight(0, 600), 1);
    EXPECT_EQ(LinesPerPage(6000, 116), 47);
    EXPECT_EQ(LinesPerPage(100, 0), 96);
}

TEST_F(PrintLayoutTest, BlockEstimateCountsTheTickedBoxes) {
    EXPECT_EQ(BlockEstimate(DetailChoices::None()), 0);
    EXPECT_EQ(BlockEstimate(DetailChoices::All()), 22);
    DetailChoices d;
    d.Set(DetailBox::BT);
    d.Set(DetailBox::MPAAT);
    d.Set(DetailBox::TextT);
    EXPECT_EQ(BlockEstimate(d), 3);
}

TEST_F(PrintLayoutTest, TitleListStartsOnRowTwoUnderACentredHeading) {
    TitleRecord dvd = MakeTitle("B", 2001);
    dvd.SetSupport(1);
    dvd.SetZone(2);
    AppendTitle(collection, MakeTitle("A", 1999));
    AppendTitle(collection, dvd);
    ExportChoices choices;
    choices.listName = "MY LIST";
    const auto pages = LayOut(40, choices);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Rows(pages)[0],
              (std::vector<std::string>{"0:MY LIST", "2:A (1999) LD", "3:B (2001) DVD Zone 2"}));
    EXPECT_EQ(pages[0][0].x, (1000 - 70) / 2);
    EXPECT_EQ(pages[0][0].style, PrintStyle::BoldUnderlined);
    EXPECT_EQ(pages[0][1].x, PrintLeftMargin);
    EXPECT_EQ(pages[0][1].style, PrintStyle::Normal);
}

TEST_F(PrintLayoutTest, TitleListFillsRowsUpToTheLastOneWithoutABlankPageAtTheEnd) {
    // 10 rows high: the last row is 6, so the first page holds rows 2..6 and the next 0..6.
    AddTitles(12, MakeTitle("X"));
    const auto rows = Rows(LayOut(10, ExportChoices{}));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), 6u);
    EXPECT_EQ(rows[0].back(), "6:T104 (1990) LD");
    EXPECT_EQ(rows[1].front(), "0:T105 (1990) LD");
    EXPECT_EQ(rows[1].back(), "6:T111 (1990) LD");
}

TEST_F(PrintLayoutTest, DetailListLeavesAnEmptyRowBeforeEachTitle) {
    AddTitles(2, MakeTitle("X"));
    ExportChoices choices;
    choices.kind = ExportKind::OtherInformations;
    const auto pages = LayOut(60, choices);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Rows(pages)[0], (std::vector<std::string>{"0:TAVRIN LIST", "2:T100 (1990) LD - NTSC",
                                                        "3:", "5:T101 (1990) LD - NTSC", "6:"}));
    EXPECT_EQ(pages[0][1].style, PrintStyle::Bold);
    EXPECT_EQ(pages[0][2].style, PrintStyle::Normal);
}

TEST_F(PrintLayoutTest, EstimateStartsANewPageBetweenTitles) {
    // Two boxes (BT 3 rows + DT 1): a page of 20 rows has its last row at 16; after a block
    // ending below row 12 the next title goes to row 1 of a new page.
    TitleRecord t = FullLaserDisc();
    AddTitles(4, t);
    ExportChoices choices;
    choices.kind = ExportKind::OtherInformations;
    choices.details.Set(DetailBox::BT);
    choices.details.Set(DetailBox::DT);
    const auto rows = Rows(LayOut(20, choices));
    // Each block: heading, director, length line, box = 4 rows, plus the empty row before it.
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), 1u + 3 * 4);
    EXPECT_EQ(rows[0].back(), "15:Included in ALIEN LEGACY");
    EXPECT_EQ(rows[1].front(), "1:T103 (1979) LD - NTSC");
}

TEST_F(PrintLayoutTest, ABlockTallerThanThePageGoesOnOverTheNextPage) {
    AddTitles(2, FullLaserDisc());
    ExportChoices choices;
    choices.kind = ExportKind::OtherInformations;
    choices.details = DetailChoices::All();
    // 12 rows high: the last row is 8, while a block takes 20 rows.
    const auto pages = LayOut(12, choices);
    const int lastRow = LinesPerPage(12 * H, H);
    std::vector<std::string> all;
    for (const auto& page : pages) {
        ASSERT_FALSE(page.empty());
        for (const auto& line : page) {
            EXPECT_LE(line.y, lastRow * H) << line.text;
            all.push_back(line.text);
        }
    }
    // Nothing is lost: the heading and both blocks in order.
    std::vector<std::string> expected{"TAVRIN LIST"};
    for (int i = 0; i < 2; ++i)
        for (auto& l : DetailBlock(context, collection.RecordAt(static_cast<std::size_t>(i)), choices.details,
                                   BlockForm::Print))
            expected.push_back(l.text);
    EXPECT_EQ(all, expected);
    EXPECT_GE(pages.size(), 5u);
}

TEST_F(PrintLayoutTest, LinesWiderThanThePageAreWrappedAtBlanksOrWithinALongWord) {
    // 300 pixels less both margins: ten characters a row.
    AppendTitle(collection, MakeTitle("AAAA BBBB CCCC", 1999));
    AppendTitle(collection, MakeTitle("ABCDEFGHIJKLMNO", 2000));
    ExportChoices choices;
    choices.listName = "MY OWN LIST";
    const auto pages = LayOut(10, choices, 300);
    EXPECT_EQ(Rows(pages), (std::vector<std::vector<std::string>>{
                               {"0:MY OWN", "1:LIST", "3:AAAA BBBB", "4:CCCC", "5:(1999) LD", "6:ABCDEFGHIJ"},
                               {"0:KLMNO", "1:(2000) LD"}}));
    for (const auto& page : pages)
        for (const auto& line : page)
            EXPECT_EQ(line.x, line.style == PrintStyle::BoldUnderlined
                                  ? (300 - 10 * static_cast<int>(line.text.size())) / 2
                                  : PrintLeftMargin);
}

TEST_F(PrintLayoutTest, TheNewPageBetweenTitlesCountsWrappedRows) {
    // Blocks of four lines (BT 3 rows + DT 1 expected) on pages whose last row is 16: three fit one
    // wide page; on a narrow one each line takes two rows, and after the second block (row 16)
    // the third starts a new page.
    AddTitles(3, FullLaserDisc());
    ExportChoices choices;
    choices.kind = ExportKind::OtherInformations;
    choices.details.Set(DetailBox::BT);
    choices.details.Set(DetailBox::DT);
    EXPECT_EQ(Rows(LayOut(20, choices)).size(), 1u);
    const auto narrow = Rows(LayOut(20, choices, 360));
    ASSERT_EQ(narrow.size(), 2u);
    EXPECT_EQ(narrow[0].back(), "16:ALIEN LEGACY");
    EXPECT_EQ(narrow[1].front(), "1:T102 (1979) LD -");
}

TEST_F(PrintLayoutTest, LinesReachThePrinterPageByPageAndStopWhenItCannotGoOn) {
    // A printer that records "page" and each line's row, and cannot begin a third page.
    class Printer final : public PrintedLineSink {
      public:
        bool StartPage() override {
            events.push_back("page");
            return ++pages < 3;
        }
        void PutLine(const PrintedLine& line) override { events.push_back(std::to_string(line.y / H)); }
        std::vector<std::string> events;
        int pages = 0;
    } printer;
    AddTitles(20, MakeTitle("X"));
    std::vector<std::uint16_t> browse(collection.ListeIndex.begin(), collection.ListeIndex.end());
    const PrintMetrics metrics{H, 1000, 10 * H, {}};
    EXPECT_FALSE(LayOutPrintedList(context, browse, ExportChoices{}, metrics, printer));
    // Rows 0 and 2..6 on the first page, 0..6 on the second; nothing after the refused third.
    EXPECT_EQ(printer.events, (std::vector<std::string>{"page", "0", "2", "3", "4", "5", "6", "page", "0",
                                                        "1", "2", "3", "4", "5", "6", "page"}));
}

TEST_F(PrintLayoutTest, TinyPagesStillTakeEveryLine) {
    AddTitles(3, MakeTitle("X"));
    const auto pages = LayOut(2, ExportChoices{}); // a last row below zero
    ASSERT_EQ(pages.size(), 4u);
    for (const auto& page : pages)
        EXPECT_EQ(page.size(), 1u);
}

} // namespace
} // namespace tavrin
