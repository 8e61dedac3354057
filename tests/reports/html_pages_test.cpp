#include "reports/html_pages.h"

#include "reports/report_fixture.h"
#include "store/review_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

constexpr std::string_view Table1 = "<TABLE COLS=1 WIDTH=100% CELLPADDING=0 CELLSPACING=0>";

class HtmlPagesTest : public ::testing::Test {
  protected:
    std::string Block(const TitleRecord& title, std::initializer_list<DetailBox> boxes, HtmlForm form) {
        DetailChoices details;
        for (DetailBox box : boxes)
            details.Set(box);
        HtmlBlockWriter writer(context_, details, options_, folders_);
        std::string out;
        writer.AppendBlock(out, title, form);
        pictures_ = writer.Pictures();
        return out;
    }

    test::TempDir dir_;
    HtmlFolders folders_{dir_ / "MEDIAS", dir_ / "TEXT"};
    Collection collection_ = test::ReportCollection();
    MessageCatalogue catalogue_;
    ReportTexts texts_{catalogue_};
    DateFormat dates_{"dd/MM/yyyy"};
    ReportContext context_{collection_, texts_, dates_};
    HtmlOptions options_;
    std::vector<CoverPicture> pictures_;
};

TEST_F(HtmlPagesTest, PageFormBoldsTheLabelsAndShadesEachTickedSection) {
    const std::string rows = std::string(Table1) + "<TR BGCOLOR=\"#efefef\"><TD>\r\n"
                                                   "ALIEN (1979) LD - NTSC<BR>\r\n"
                                                   "</TD></TR><TR BGCOLOR=\"#dfdfdf\"><TD>\r\n"
                                                   "<B>Publisher</B> : FOX<P>\r\n"
                                                   "</TD></TR><TR BGCOLOR=\"#cfcfcf\"><TD>\r\n"
                                                   "<B>Directed by : </B>RIDLEY SCOTT<BR>\r\n"
                                                   "</TD></TR><TR BGCOLOR=\"#efefef\"><TD>\r\n"
                                                   "<B>Music by : </B>JERRY GOLDSMITH<P>\r\n"
                                                   "</TD></TR><TR BGCOLOR=\"#dfdfdf\"><TD>\r\n"
                                                   "<B>Length : </B>117mn - <B>Rating : </B>R<BR>\r\n"
                                                   "<BR></TD></TR></TABLE>\r\n"
                                                   "<BR>\r\n";
    const auto boxes = {DetailBox::EdiT, DetailBox::DT, DetailBox::CT, DetailBox::LT, DetailBox::MPAAT};
    EXPECT_EQ(Block(test::FullLaserDisc(), boxes, HtmlForm::Page), rows + PageFoot(DefaultMailAddress));

    // Nothing to show: the publisher keeps its row and its line, the composer its line alone, the
    // director neither; the rating without the length has no row of its own.
    TitleRecord bare = test::FullLaserDisc();
    bare.SetPublisher(-1);
    bare.SetDirector(NoEntry);
    bare.SetComposer(NoEntry);
    EXPECT_EQ(Block(bare, boxes, HtmlForm::SinglePage),
              "<LI>" + std::string(Table1) +
                  "<TR BGCOLOR=\"#efefef\"><TD>\r\n"
                  "<B>ALIEN (1979) </B><BR>LD - NTSC<BR>\r\n"
                  "</TD></TR><TR BGCOLOR=\"#dfdfdf\"><TD>\r\n"
                  "<P>\r\n"
                  "<P>\r\n"
                  "</TD></TR><TR BGCOLOR=\"#cfcfcf\"><TD>\r\n"
                  "<B>Length : </B>117mn - <B>Rating : </B>R<BR>\r\n"
                  "<BR></TD></TR></TABLE>\r\n"
                  "<BR>\r\n");
    EXPECT_NE(
        Block(bare, {DetailBox::MPAAT}, HtmlForm::Page).find("<P>\r\n - <B>Rating : </B>R<BR>\r\n<BR></TD>"),
        std::string::npos);
}

TEST_F(HtmlPagesTest, PictureBesideTheDetailsAndTheReviewText) {
    std::filesystem::create_directories(folders_.medias);
    std::filesystem::create_directories(folders_.text);
    test::WriteBytes(folders_.medias / "ALIEN 1.JPG", {1});
    collection_.List(ListId::Media) = {"ALIEN 1.JPG"};
    TitleRecord t = test::FullLaserDisc();
    t.SetTitle("ALIEN & CO");
    t.SetMedia1(0);
    t.SetReviewNumber(2);
    test::WriteBytes(ReviewFilePath(folders_.text, "ALIEN & CO", 2), test::Bytes("Good & <bad>"));
    options_.pictures = true;
    const std::string picture = "<CENTER><IMG SRC=\"ALIEN%201.JPG\"><BR></CENTER>\r\n";
    const std::string table2 = "<TABLE COLS=2 WIDTH=100% CELLPADDING=0 CELLSPACING=0><TR><TD>\r\n";
    const std::string review =
        "</TD></TR><TR BGCOLOR=\"#dfdfdf\"><TD>\r\n<P>\r\nGood &amp; &lt;bad&gt;<BR>\r\n";

    options_.place = PicturePlace::Left;
    std::string html = Block(t, {DetailBox::TextT}, HtmlForm::SinglePage);
    EXPECT_TRUE(html.starts_with("<LI>" + table2 + picture + "</TD><TD>\r\n" + std::string(Table1))) << html;
    EXPECT_TRUE(html.ends_with(review + "</TD></TR></TABLE></TD></TR></TABLE>\r\n<BR>\r\n")) << html;
    ASSERT_EQ(pictures_.size(), 1u);
    EXPECT_EQ(pictures_[0].name, "ALIEN 1.JPG");

    options_.place = PicturePlace::Right;
    html = Block(t, {DetailBox::TextT}, HtmlForm::Page);
    EXPECT_TRUE(html.starts_with(table2 + std::string(Table1))) << html;
    EXPECT_NE(
        html.find(review + "</TD></TR></TABLE></TD><TD>\r\n" + picture + "</TD></TR></TABLE>\r\n<BR>\r\n"),
        std::string::npos)
        << html;

    options_.place = PicturePlace::None;
    html = Block(t, {}, HtmlForm::Page);
    EXPECT_TRUE(html.starts_with(picture + std::string(Table1))) << html;
    EXPECT_TRUE(html.ends_with("NTSC<BR>\r\n<P>\r\n<P>\r\n<BR>\r\n</TD></TR></TABLE>\r\n<BR>\r\n" +
                               PageFoot(DefaultMailAddress)))
        << html;

    // Without the box, no text; without "Image", no picture.
    options_.pictures = false;
    html = Block(t, {}, HtmlForm::Page);
    EXPECT_EQ(html.find("Good"), std::string::npos);
    EXPECT_EQ(html.find("IMG"), std::string::npos);
    EXPECT_TRUE(pictures_.empty());
}

TEST_F(HtmlPagesTest, SinglePageOfJustTheTitles) {
    collection_.titles.clear();
    AppendTitle(collection_, test::MakeTitle("TOM & JERRY"));
    AppendTitle(collection_, test::MakeTitle("BRAZIL"));
    ExportChoices choices;
    choices.listName = "MINE";
    options_.mailAddress = "a@b.org";
    const std::vector<std::uint16_t> browse{1, 0};
    EXPECT_EQ(SinglePage(context_, browse, choices, options_, folders_),
              PageHead("MINE", options_) + "<UL>\r\n<LI>BRAZIL\r\n<LI>TOM &amp; JERRY\r\n</UL>\r\n" +
                  PageFoot("a@b.org"));
}

} // namespace
} // namespace tavrin
