// tavrin-cli export and print: the export window's files, the Tellico file and the printed list
// from the command line.
#include "cli/cli_run.h"
#include "picture_samples.h"
#include "reports/list_export.h"
#include "reports/report_fixture.h"
#include "store/files/collection_file.h"
#include "store/text_encoding.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::RunCli;
using test::TempDir;

constexpr const char* Today = "2020-01-01";

// The report names; the full LD "ALIEN" as record 0, then DVDs "TITLE 100" ...
std::filesystem::path WriteSample(const TempDir& dir, int dvds = 2) {
    Collection c = test::ReportCollection();
    AppendTitle(c, test::FullLaserDisc());
    for (int i = 0; i < dvds; ++i) {
        TitleRecord t = test::MakeTitle("TITLE " + std::to_string(100 + i), 2001);
        t.SetSupport(1);
        t.SetZone(2);
        t.SetBuyDate(36526);
        AppendTitle(c, t);
    }
    const auto file = dir / "SAMPLE.KXT";
    EXPECT_TRUE(SaveCollection(c, file));
    return file;
}

// The bytes the logic gives for the sample, in English with the default date pattern.
std::string Expected(const std::filesystem::path& file, const ExportChoices& choices, bool spreadsheet,
                     std::string_view pattern = "dd/MM/yyyy", int language = 0) {
    const auto loaded = LoadCollectionFile(file, "Other");
    MessageCatalogue catalogue;
    catalogue.SetLanguage(language);
    const ReportTexts texts(catalogue);
    const DateFormat dates(pattern);
    const ReportContext context{loaded->collection, texts, dates};
    const auto& order = loaded->collection.ListeIndex;
    return spreadsheet ? SpreadsheetExport(context, order, choices.details)
                       : TextExport(context, order, choices);
}

std::vector<std::string> Args(const std::filesystem::path& file, std::initializer_list<std::string> rest) {
    std::vector<std::string> args{"export", file.string()};
    args.insert(args.end(), rest);
    return args;
}

TEST(ExportCliTest, WritesTheBytesOfTheExportWindow) {
    TempDir dir;
    const auto file = WriteSample(dir);
    const auto out = dir / "OUT.TXT";

    ExportChoices titles;
    auto run = RunCli(dir, Args(file, {"--format", "text", "--out", out.string(), "--today", Today}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ReadText(out), Expected(file, titles, false));
    EXPECT_EQ(test::ReadText(out), "TAVRIN LIST\r\n \r\nALIEN\r\nTITLE 100\r\nTITLE 101\r\n");

    ExportChoices all;
    all.kind = ExportKind::OtherInformations;
    all.details = DetailChoices::All();
    run = RunCli(dir, Args(file, {"--format", "text", "--details", "all", "--out", out.string()}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ReadText(out), Expected(file, all, false));

    run = RunCli(dir, Args(file, {"--format", "tsv", "--details", "all", "--out", out.string()}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ReadText(out), Expected(file, all, true));

    ExportChoices some = all;
    some.details = DetailChoices::None();
    for (auto box : {DetailBox::DT, DetailBox::AT, DetailBox::PT})
        some.details.Set(box);
    some.listName = "MY \xC9T\xC9 LIST";
    run = RunCli(
        dir, Args(file, {"--format", "text", "--details", "DT,AT,PT", "--name", "my \xC3\xA9t\xC3\xA9 list",
                         "--date-format", "yyyy-MM-dd", "--out", out.string()}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ReadText(out), Expected(file, some, false, "yyyy-MM-dd"));
    EXPECT_NE(test::ReadText(out).find("Purchased the 2000-01-01 at LASER WORLD"), std::string::npos);

    run = RunCli(dir,
                 Args(file, {"--format", "text", "--details", "DT", "--lang", "fr", "--out", out.string()}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(test::ReadText(out).find("R\xE9"
                                       "alis\xE9 par : RIDLEY SCOTT\r\n"),
              std::string::npos);
}

TEST(ExportCliTest, NameIsUpperCasedAndCutAndFiltersApply) {
    TempDir dir;
    const auto file = WriteSample(dir);
    const auto out = dir / "OUT.TXT";
    const auto run = RunCli(dir, Args(file, {"--format", "text", "--name", std::string(90, 'a'), "--filters",
                                             R"({"TSupport": 1})", "--today", Today, "--out", out.string()}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(test::ReadText(out), std::string(80, 'A') + "\r\n \r\nTITLE 100\r\nTITLE 101\r\n");
}

TEST(ExportCliTest, BadCommandLinesExit2AndWriteNothing) {
    TempDir dir;
    const auto file = WriteSample(dir);
    const auto out = (dir / "OUT.TXT").string();
    const std::vector<std::vector<std::string>> bad{
        Args(file, {"--format", "tsv", "--out", out}),                        // tsv needs details
        Args(file, {"--format", "text", "--details", "DT,XX", "--out", out}), // unknown box
        Args(file, {"--format", "text", "--details", "dt", "--out", out}),    // names are exact
        Args(file, {"--format", "rtf", "--out", out}),                        // unknown format
        Args(file, {"--format", "text"}),                                     // no --out
        Args(file, {"--out", out}),                                           // no --format
        Args(file, {"--format", "text", "--lang", "es", "--out", out}),
        Args(file, {"--format", "text", "--today", "2020-02-30", "--out", out}),
        Args(file, {"--format", "text", "--filters", "{nope", "--out", out}),
        Args(file, {"--format", "text", "--filters", R"({"TNoSuch": 1})", "--out", out}),
        Args(file, {"--format", "text", "--pdf", out}), // print's option
        Args(file, {"--format", "text", "--out", out, "--out", out}),
        Args(file, {"--format", "text", "--out", file.string()}), // over the collection
        Args(file, {"--format", "tellico", "--details", "DT", "--out", out}),
        Args(file, {"--format", "tellico", "--multi-page", "--out", out}),
    };
    const auto before = test::ReadBytes(file);
    for (const auto& args : bad) {
        const auto run = RunCli(dir, args);
        EXPECT_EQ(run.exitCode, 2) << args[args.size() - 2] << " " << args.back();
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(test::ReadBytes(file), before);
}

TEST(ExportCliTest, FileProblemsExit1) {
    TempDir dir;
    const auto file = WriteSample(dir);
    auto run =
        RunCli(dir, Args(dir / "MISSING.KXT", {"--format", "text", "--out", (dir / "A.TXT").string()}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "A.TXT"));
    const auto out = dir / "no folder" / "A.TXT";
    run = RunCli(dir, Args(file, {"--format", "text", "--out", out.string()}));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("A.TXT"), std::string::npos) << run.err;
}

// The searched list as a Tellico file: its title from --name, its TGA cover converted to PNG
// when the program has Qt's picture writers, else left out and said so.
TEST(ExportCliTest, TellicoFileOfTheSearchedList) {
    TempDir dir;
    Collection c = test::ReportCollection();
    c.List(ListId::Media) = {"COVER.TGA"};
    TitleRecord alien = test::FullLaserDisc();
    alien.SetMedia1(0);
    AppendTitle(c, alien);
    AppendTitle(c, test::MakeTitle("TITLE 100", 2001));
    const auto file = dir / "SAMPLE.KXT";
    ASSERT_TRUE(SaveCollection(c, file));
    std::filesystem::create_directories(dir / "home" / "MEDIAS");
    const Picture red = test::MakePicture(3, 2, [](int, int) { return Rgb(255, 0, 0); });
    test::WriteBytes(dir / "home" / "MEDIAS" / "COVER.TGA", test::MakeTga(red, {}));
    setenv("TAVRIN_HOME", (dir / "home").c_str(), 1);
    const auto out = dir / "OUT.tc";
    const auto run = RunCli(dir, Args(file, {"--format", "tellico", "--search", "alien", "--name", "my films",
                                             "--out", out.string()}));
    unsetenv("TAVRIN_HOME");
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const auto members = test::ZipMembers(test::ReadBytes(out));
    ASSERT_FALSE(members.empty());
    const std::string xml(members[0].second.begin(), members[0].second.end());
    EXPECT_EQ(members[0].first, "tellico.xml");
    EXPECT_NE(xml.find("<collection title=\"MY FILMS\" type=\"3\">"), std::string::npos);
    EXPECT_NE(xml.find("<title>ALIEN</title>"), std::string::npos);
    EXPECT_EQ(xml.find("TITLE 100"), std::string::npos);
#ifdef TAVRIN_CLI_PRINT
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(members.size(), 3u);
    EXPECT_TRUE(members[2].first.ends_with(".png"));
    EXPECT_NE(xml.find("width=\"3\" height=\"2\""), std::string::npos);
#else
    EXPECT_EQ(run.err,
              "tavrin-cli: cover \"COVER.TGA\" is not exported: no converter for this kind of picture\n");
    EXPECT_EQ(members.size(), 1u);
#endif
}

#ifdef TAVRIN_CLI_PRINT
// The text of a PDF, one entry per page.
std::vector<std::string> PdfPages(const TempDir& dir, const std::filesystem::path& pdf) {
    const auto text = dir / "pdf.txt";
    const std::string command = "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::vector<std::string> pages;
    std::string all = test::ReadText(text);
    for (std::size_t start = 0, end; (end = all.find('\f', start)) != std::string::npos; start = end + 1)
        pages.push_back(all.substr(start, end - start));
    return pages;
}

std::size_t Count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; at += what.size())
        ++n;
    return n;
}

class PrintCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::system("pdftotext -v >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
    }
};

TEST_F(PrintCliTest, TitleListFillsItsPagesInOrder) {
    TempDir dir;
    const auto file = WriteSample(dir, 150);
    const auto pdf = dir / "list.pdf";
    const auto run = RunCli(dir, {"print", file.string(), "--name", "my list", "--pdf", pdf.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "list.pdf.partial"));
    const auto pages = PdfPages(dir, pdf);
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(Count(pages[0], "MY LIST"), 1u);
    EXPECT_NE(pages[0].find("ALIEN (1979) LD"), std::string::npos);
    // Page 1 holds rows 2 .. L, every later page rows 0 .. L: two titles more than the first.
    std::vector<std::size_t> perPage;
    int next = 100;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        std::size_t n = 0;
        for (std::size_t at = 0; (at = pages[p].find("TITLE ", at)) != std::string::npos; at += 6, ++n) {
            EXPECT_EQ(pages[p].substr(at, 9), "TITLE " + std::to_string(next)) << "page " << p + 1;
            ++next;
        }
        perPage.push_back(n + (p == 0 ? 1 : 0)); // page 1 also holds ALIEN
        if (p > 0) {
            EXPECT_EQ(Count(pages[p], "MY LIST"), 0u);
        }
    }
    EXPECT_EQ(next, 250);
    EXPECT_EQ(perPage[1], perPage[0] + 2);
    for (std::size_t p = 1; p + 1 < perPage.size(); ++p)
        EXPECT_EQ(perPage[p], perPage[1]);
}

TEST_F(PrintCliTest, DetailBlocksAreAllPrinted) {
    TempDir dir;
    const auto file = WriteSample(dir, 40);
    const auto pdf = dir / "details.pdf";
    const auto run = RunCli(dir, {"print", file.string(), "--details", "all", "--pdf", pdf.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto pages = PdfPages(dir, pdf);
    ASSERT_GE(pages.size(), 2u);
    std::string all;
    for (const auto& p : pages)
        all += p;
    EXPECT_EQ(Count(all, "TAVRIN LIST"), 1u);
    EXPECT_EQ(Count(all, "TITLE 1"), 40u);
    EXPECT_NE(all.find("With : SIGOURNEY WEAVER - TOM SKERRITT - JOHN HURT"), std::string::npos);
    EXPECT_NE(all.find("Watched 3 times - Last viewed the 01/01/2001"), std::string::npos);
}

TEST_F(PrintCliTest, PrintedTextIsTheLaidOutTextLineForLine) {
    // Kerned capitals, accents and the code page's punctuation, on lines narrower than the page.
    TempDir dir;
    Collection c = test::ReportCollection();
    for (const char* title :
         {"AVATAR: WAVY TATTOO", "\xC9T\xC9 \xC0 L'\x8CUVRE \x96 F\xCATE", "LT. YAW (TV) V/A"}) {
        TitleRecord t = test::FullLaserDisc();
        t.SetTitle(title);
        AppendTitle(c, t);
    }
    const auto file = dir / "KERNED.KXT";
    ASSERT_TRUE(SaveCollection(c, file));
    const auto pdf = dir / "kerned.pdf";
    ASSERT_EQ(RunCli(dir, {"print", file.string(), "--details", "all", "--pdf", pdf.string()}).exitCode, 0);

    const auto loaded = LoadCollectionFile(file, "Other");
    MessageCatalogue catalogue;
    const ReportTexts texts(catalogue);
    const DateFormat dates("dd/MM/yyyy");
    const ReportContext context{loaded->collection, texts, dates};
    std::vector<std::string> expected{"TAVRIN LIST"};
    for (const std::uint16_t r : loaded->collection.ListeIndex)
        for (const DetailLine& line :
             DetailBlock(context, loaded->collection.RecordAt(r), DetailChoices::All(), BlockForm::Print))
            if (!line.text.empty()) expected.push_back(Cp1252ToUtf8(line.text));
    std::vector<std::string> printed;
    for (const std::string& page : PdfPages(dir, pdf)) {
        std::size_t start = 0;
        for (std::size_t end; start < page.size(); start = end + 1) {
            end = std::min(page.find('\n', start), page.size());
            const std::string line = page.substr(start, end - start);
            const std::size_t first = line.find_first_not_of(' ');
            if (first != std::string::npos)
                printed.push_back(line.substr(first, line.find_last_not_of(' ') + 1 - first));
        }
    }
    EXPECT_EQ(printed, expected);
}

TEST_F(PrintCliTest, BadPrintsExit2Or1) {
    TempDir dir;
    const auto file = WriteSample(dir);
    EXPECT_EQ(RunCli(dir, {"print", file.string(), "--details", "NOPE", "--pdf", (dir / "a.pdf").string()})
                  .exitCode,
              2);
    EXPECT_EQ(
        RunCli(dir, {"print", file.string(), "--format", "text", "--pdf", (dir / "a.pdf").string()}).exitCode,
        2);
    EXPECT_EQ(RunCli(dir, {"print", file.string()}).exitCode, 2);
    EXPECT_EQ(RunCli(dir, {"print", file.string(), "--pdf", (dir / "none" / "a.pdf").string()}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.pdf"));
    // A PDF that cannot be finished leaves the older file as it was.
    test::WriteBytes(dir / "keep.pdf", test::Bytes("older"));
    std::filesystem::create_directory(dir / "keep.pdf.partial");
    EXPECT_EQ(RunCli(dir, {"print", file.string(), "--pdf", (dir / "keep.pdf").string()}).exitCode, 1);
    EXPECT_EQ(test::ReadText(dir / "keep.pdf"), "older");
}
#endif

} // namespace
} // namespace tavrin
