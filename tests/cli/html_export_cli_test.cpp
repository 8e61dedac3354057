// tavrin-cli export --format html: the files of the HTML options window, from the command line.
#include "cli/cli_run.h"
#include "reports/html_pages.h"
#include "reports/report_fixture.h"
#include "store/files/collection_file.h"
#include "store/review_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::RunCli;
using test::TempDir;

// TAVRIN_HOME for the program run, with a cover picture in MEDIAS and a review text in TEXT.
class HtmlExportCliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_ / "home" / "MEDIAS");
        std::filesystem::create_directories(dir_ / "home" / "TEXT");
        std::filesystem::create_directories(dir_ / "out");
        test::WriteBytes(dir_ / "home" / "MEDIAS" / "ALIEN #1.JPG", {0xFF, 0xD8});
        test::WriteBytes(ReviewFilePath(dir_ / "home" / "TEXT", "ALIEN", 1), test::Bytes("Scary & good."));
        collection_.List(ListId::Media) = {"ALIEN #1.JPG"};
        TitleRecord alien = test::FullLaserDisc();
        alien.SetMedia1(0);
        alien.SetReviewNumber(1);
        AppendTitle(collection_, alien);
        AppendTitle(collection_, test::MakeTitle("TOM & JERRY", 1990));
        ASSERT_TRUE(SaveCollection(collection_, file_));
        setenv("TAVRIN_HOME", (dir_ / "home").c_str(), 1);
    }
    void TearDown() override { unsetenv("TAVRIN_HOME"); }

    test::CliRun Export(std::initializer_list<std::string> options) {
        std::vector<std::string> args{"export", file_.string(), "--format", "html"};
        args.insert(args.end(), options);
        return RunCli(dir_, args);
    }

    // The page of the first title as the options window writes it, all details ticked.
    std::string PageTheWindowWrites(const HtmlOptions& options) {
        const auto loaded = LoadCollectionFile(file_, "Other");
        MessageCatalogue catalogue;
        const ReportTexts texts(catalogue);
        const DateFormat dates("dd/MM/yyyy");
        const ReportContext context{loaded->collection, texts, dates};
        const HtmlFolders folders{dir_ / "home" / "MEDIAS", dir_ / "home" / "TEXT"};
        HtmlBlockWriter writer(context, DetailChoices::All(), options, folders);
        std::string page;
        writer.AppendTitlePage(page, loaded->collection.RecordAt(0));
        return page;
    }

    TempDir dir_;
    std::filesystem::path file_ = dir_ / "SAMPLE.KXT";
    Collection collection_ = test::ReportCollection();
};

TEST_F(HtmlExportCliTest, WritesThePagesOfTheOptionsWindow) {
    const auto out = dir_ / "out" / "list.htm";
    const auto run =
        Export({"--details", "all", "--multi-page", "--frames", "--image", "left", "--text-color", "FF0000",
                "--background", "000080", "--background-image", "back ground.jpg", "--name", "my list",
                "--today", "2020-01-01", "--out", out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* name : {"list.htm", "liste_index.htm", "ALIEN.htm", "TOM_&_JERRY.htm", "ALIEN #1.JPG"})
        EXPECT_TRUE(std::filesystem::exists(dir_ / "out" / name)) << name;

    // A title's page is the one the options window writes for the same choices.
    HtmlOptions options;
    options.multiPage = options.frames = options.pictures = true;
    options.place = PicturePlace::Left;
    options.textColour = ColourFromRgb(255, 0, 0);
    options.backgroundColour = ColourFromRgb(0, 0, 128);
    options.backgroundImage = "back ground.jpg";
    const std::string page = PageTheWindowWrites(options);
    EXPECT_EQ(test::ReadText(dir_ / "out" / "ALIEN.htm"), page);
    EXPECT_NE(page.find("TEXT=\"#ff0000\" BGCOLOR=\"#000080\""), std::string::npos);
    EXPECT_NE(page.find("<IMG SRC=\"ALIEN%20%231.JPG\">"), std::string::npos);
    EXPECT_NE(page.find("Scary &amp; good."), std::string::npos);
    EXPECT_NE(test::ReadText(out).find("<TITLE>MY LIST</TITLE>"), std::string::npos);

    // Just the titles on one page.
    const auto single = dir_ / "out" / "single.htm";
    ASSERT_EQ(Export({"--out", single.string()}).exitCode, 0);
    EXPECT_NE(test::ReadText(single).find("<LI>ALIEN\r\n<LI>TOM &amp; JERRY\r\n"), std::string::npos);
}

TEST_F(HtmlExportCliTest, ImageAbovePutsThePictureCentredAboveTheDetails) {
    const auto out = dir_ / "out" / "list.htm";
    const auto run = Export({"--details", "all", "--multi-page", "--image", "above", "--out", out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    HtmlOptions options;
    options.multiPage = options.pictures = true;
    options.place = PicturePlace::None;
    const std::string page = test::ReadText(dir_ / "out" / "ALIEN.htm");
    EXPECT_EQ(page, PageTheWindowWrites(options));
    // The picture on a line of its own right before the details' table, not in a cell beside it.
    EXPECT_NE(page.find("<CENTER><IMG SRC=\"ALIEN%20%231.JPG\"><BR></CENTER>\r\n<TABLE COLS=1"),
              std::string::npos)
        << page;
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out" / "ALIEN #1.JPG"));
}

TEST_F(HtmlExportCliTest, UsageErrorsAndFailures) {
    const std::string out = (dir_ / "out" / "list.htm").string();
    for (const auto& options : std::vector<std::vector<std::string>>{
             {"--multi-page", "--out", out},
             {"--details", "all", "--frames", "--out", out},
             {"--details", "DT", "--image", "up", "--out", out},
             {"--text-color", "12345G", "--out", out},
             {"--background", "FFF", "--out", out},
             {"--details", "Nope", "--out", out},
         }) {
        std::vector<std::string> args{"export", file_.string(), "--format", "html"};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(RunCli(dir_, args).exitCode, 2) << options[0] << " " << options[1];
    }
    EXPECT_EQ(RunCli(dir_, {"export", file_.string(), "--format", "text", "--frames", "--out", out}).exitCode,
              2);

    // A page that cannot be written: named, exit 1.
    const auto missing = dir_ / "no such folder" / "list.htm";
    const auto run = Export({"--out", missing.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("list.htm"), std::string::npos) << run.err;
}

} // namespace
} // namespace tavrin
