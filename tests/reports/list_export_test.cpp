#include "reports/list_export.h"

#include "report_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavrin {
namespace {

using test::FullLaserDisc;
using test::MakeTitle;

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "the last line has no CR LF";
    return lines;
}

std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (std::size_t end; (end = row.find('\t', start)) != std::string::npos; start = end + 1)
        cells.push_back(row.substr(start, end - start));
    cells.push_back(row.substr(start));
    return cells;
}

class ListExportTest : public ::testing::Test {
  protected:
    ListExportTest() {
        AppendTitle(collection, FullLaserDisc());
        TitleRecord bare = MakeTitle("\xC9T\xC9 ZERO", 1990); // 8-bit text passes unchanged
        bare.SetSupport(1);
        bare.SetZone(2);
        AppendTitle(collection, bare);
    }
    std::vector<std::uint16_t> Browse() const {
        return {collection.ListeIndex.begin(), collection.ListeIndex.end()};
    }

    Collection collection = test::ReportCollection();
    MessageCatalogue catalogue;
    ReportTexts texts{catalogue};
    DateFormat dates{"dd/MM/yyyy"};
    ReportContext context{collection, texts, dates};
};

TEST_F(ListExportTest, EmptyListsGiveOnlyTheHeads) {
    ExportChoices choices;
    choices.listName = "MY LIST";
    EXPECT_EQ(TextExport(context, {}, choices), "MY LIST\r\n \r\n");
    choices.kind = ExportKind::OtherInformations;
    EXPECT_EQ(TextExport(context, {}, choices), "MY LIST\r\n \r\n");
    EXPECT_EQ(SpreadsheetExport(context, {}, DetailChoices::None()),
              "Title\tYear\tLD/DVD/VHS\tDVD Zone\tStandard\r\n");
}

TEST_F(ListExportTest, JustTheTitlesWritesOneLineEach) {
    ExportChoices choices;
    EXPECT_EQ(TextExport(context, Browse(), choices), "TAVRIN LIST\r\n \r\nALIEN\r\n\xC9T\xC9 ZERO\r\n");
}

TEST_F(ListExportTest, DetailsEndEachBlockWithALineOfOneBlank) {
    ExportChoices choices;
    choices.kind = ExportKind::OtherInformations;
    const auto lines = SplitLines(TextExport(context, Browse(), choices));
    EXPECT_EQ(lines, (std::vector<std::string>{"TAVRIN LIST", " ", "ALIEN (1979) LD - NTSC", "", "", "", " ",
                                               "\xC9T\xC9 ZERO (1990) DVD Zone 2 - NTSC", "", "", "", " "}));
    choices.details = DetailChoices::All();
    const auto full = SplitLines(TextExport(context, Browse(), choices));
    EXPECT_EQ(full[3], "Genre : Science Fiction - Horror");
    EXPECT_EQ(std::count(full.begin(), full.end(), " "), 3);
}

TEST_F(ListExportTest, SpreadsheetHeaderNamesEveryColumnInOrder) {
    const auto lines = SplitLines(SpreadsheetExport(context, {}, DetailChoices::All()));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(
        lines[0],
        "Title\tYear\tLD/DVD/VHS\tDVD Zone\tStandard\tLength\tCLV/SINGLE/START/DISC\tCAV/RSDL/END\t"
        "Aspect Ratios\t16/9\tP&S/Full Frame\tMPAA\tGenre\tPublisher\tSound\tDolby Digital\tDTS\tDVD DTS\t"
        "DVD Dolby Digital\tDVD MPEG\tPCM\tSubtitled\tDVD Subtitled\tTHX\tDirector's Cut\tDubbed\t"
        "Defect/Rotted\tIncluded in \tEXTRAS\tOther Informations 1\tOther Informations 2\tDirector\tActor\t"
        "Composer\tMovie Mark\tImage Mark\tSound Mark\tPurchased the \tRetailer\tPrice\tUsed\t"
        "Watching Times\tWatched Date");
}

TEST_F(ListExportTest, SpreadsheetRowsKeepEveryColumnInPlace) {
    const auto lines = SplitLines(SpreadsheetExport(context, Browse(), DetailChoices::All()));
    ASSERT_EQ(lines.size(), 3u);
    const auto header = Cells(lines[0]);
    for (std::size_t row = 1; row < 3; ++row) {
        ASSERT_TRUE(lines[row].ends_with('\t'));
        const auto cells = Cells(lines[row]);
        // Every value is followed by a TAB: one cell more (empty) than the header has names.
        ASSERT_EQ(cells.size(), header.size() + 1) << row;
        EXPECT_EQ(cells.back(), "");
    }
    auto column = [&](std::size_t row, std::string_view name) {
        const auto at = std::find(header.begin(), header.end(), name) - header.begin();
        return Cells(lines[row])[static_cast<std::size_t>(at)];
    };
    EXPECT_EQ(column(1, "Publisher"), "FOX");
    EXPECT_EQ(column(2, "Publisher"), "");
    EXPECT_EQ(column(1, "Director"), "RIDLEY SCOTT");
    EXPECT_EQ(column(2, "Director"), "");
    EXPECT_EQ(column(1, "Actor"), "SIGOURNEY WEAVER TOM SKERRITT JOHN HURT IAN HOLM YAPHET KOTTO ");
    EXPECT_EQ(column(1, "EXTRAS"), "Audio Commentary Trailer Multi Angle ");
    EXPECT_EQ(column(1, "DVD Zone"), "-");
    EXPECT_EQ(column(2, "DVD Zone"), "Zone 2");
    EXPECT_EQ(column(1, "Genre"), "Science Fiction - Horror");
    EXPECT_EQ(column(1, "Purchased the "), "01/01/2000");
    EXPECT_EQ(column(1, "Price"), "49");
    EXPECT_EQ(column(1, "Used"), "Used");
    EXPECT_EQ(column(1, "Watched Date"), "01/01/2001");
    EXPECT_EQ(column(1, "Dolby Digital"), "Dolby Digital");
    EXPECT_EQ(column(1, "THX"), "THX");
    EXPECT_EQ(column(1, "Director's Cut"), "");
    EXPECT_EQ(column(2, "Title"), "\xC9T\xC9 ZERO");
}

TEST_F(ListExportTest, SpreadsheetDvdColumnsOnlyForDvds) {
    TitleRecord dvd = collection.RecordAt(1);
    dvd.SetDvdDd20(0b10);
    dvd.SetDvdDd51(0b110);
    dvd.SetDvdSubtitles(0b100);
    collection.RecordAt(1) = dvd;
    TitleRecord ld = collection.RecordAt(0);
    ld.SetDvdDd51(0b10); // stray bits of a disc that is not a DVD
    collection.RecordAt(0) = ld;
    DetailChoices d;
    d.Set(DetailBox::ST);
    d.Set(DetailBox::SubT);
    const auto lines = SplitLines(SpreadsheetExport(context, Browse(), d));
    EXPECT_EQ(lines[1], "ALIEN\t1979\tLD\t-\tNTSC\tDolby Surround\tDolby Digital\t\t\t\t\t\t\t\t");
    EXPECT_EQ(lines[2], "\xC9T\xC9 ZERO\t1990\tDVD\tZone 2\tNTSC\tMono\t\t\t\t"
                        "English (DD 2.0) English (DD 5.1) French (DD 5.1) \t\t\t\tFrench \t");
}

TEST_F(ListExportTest, FileIsReplacedWholeOrNotAtAll) {
    test::TempDir dir;
    const auto file = dir / "LIST.TXT";
    test::WriteBytes(file, test::Bytes("older list"));
    const ExportChoices titles;
    ASSERT_TRUE(WriteTextExport(file, context, Browse(), titles).has_value());
    const auto written = test::ReadBytes(file);
    EXPECT_EQ(written, test::Bytes(TextExport(context, Browse(), titles)));

    const auto failed =
        WriteSpreadsheetExport(dir / "missing folder" / "LIST.TXT", context, Browse(), DetailChoices::All());
    ASSERT_FALSE(failed.has_value());
    EXPECT_EQ(failed.error().error, FileError::CannotWrite);
    EXPECT_EQ(test::ReadBytes(file), written);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(ListExportTest, LongListsComeInPiecesThatJoinToTheSameBytes) {
    for (int i = 0; i < 3000; ++i)
        AppendTitle(collection, FullLaserDisc());
    ExportChoices choices{"LONG", ExportKind::OtherInformations, DetailChoices::All()};
    std::vector<std::string> pieces;
    auto collect = [&pieces](std::string_view piece) {
        pieces.emplace_back(piece);
        return true;
    };
    ASSERT_TRUE(TextExportTo(context, Browse(), choices, collect));
    EXPECT_GT(pieces.size(), 2u);
    std::string joined;
    for (const auto& p : pieces)
        joined += p;
    EXPECT_EQ(joined, TextExport(context, Browse(), choices));
    EXPECT_TRUE(joined.ends_with(" \r\n"));

    // A receiver that stops ends the export at once.
    int calls = 0;
    EXPECT_FALSE(SpreadsheetExportTo(context, Browse(), choices.details, [&calls](std::string_view) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace tavrin
