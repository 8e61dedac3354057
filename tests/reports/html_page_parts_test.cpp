#include "reports/html_page_parts.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace tavrin {
namespace {

std::vector<std::string> Names(std::initializer_list<std::string_view> titles,
                               std::initializer_list<std::string_view> reserved = {}) {
    const std::vector<std::string_view> t(titles), r(reserved);
    return PageFileNames(t, r);
}

TEST(HtmlTextTest, ColoursAndRowShades) {
    struct Case {
        StoredColour colour;
        const char* text;
    };
    for (const Case& c :
         {Case{BlackColour, "000000"}, Case{WhiteColour, "ffffff"}, Case{ColourFromRgb(255, 0, 0), "ff0000"},
          Case{ColourFromRgb(0x12, 0x34, 0x56), "123456"}})
        EXPECT_EQ(HtmlColour(c.colour), c.text);

    EXPECT_EQ(RowShade(WhiteColour, 1), "efefef");
    EXPECT_EQ(RowShade(WhiteColour, 2), "dfdfdf");
    EXPECT_EQ(RowShade(WhiteColour, 3), "cfcfcf");
    EXPECT_EQ(RowShade(BlackColour, 2), "000000");
    // A letter that falls below "a" becomes "9" and a digit stays a digit: always a colour.
    EXPECT_EQ(RowShade(ColourFromRgb(0xa0, 0xb0, 0xc0), 2), "9090a0");
    EXPECT_EQ(RowShade(ColourFromRgb(0x10, 0x20, 0x30), 3), "000000");
}

TEST(HtmlTextTest, DataTextsAreEscapedAndReferencesEncoded) {
    EXPECT_EQ(HtmlEscape("Tom & Jerry <\"x\">"), "Tom &amp; Jerry &lt;&quot;x&quot;&gt;");
    EXPECT_EQ(HtmlEscape("<SCRIPT>alert(1)</SCRIPT>"), "&lt;SCRIPT&gt;alert(1)&lt;/SCRIPT&gt;");

    EXPECT_EQ(FileReference("A B#%?.htm"), "A%20B%23%25%3F.htm");
    EXPECT_EQ(FileReference("\xC9t\xE9_1.htm"), "%C3%89t%C3%A9_1.htm"); // Été, as its file is named
    EXPECT_EQ(FileReference("x\"><B>.JPG"), "x%22%3E%3CB%3E.JPG");

    EXPECT_EQ(TypedReference("my pics/back.jpg"), "my%20pics/back.jpg");
    EXPECT_EQ(TypedReference("http://host/b.jpg?x=1&y=2"), "http://host/b.jpg?x=1&amp;y=2");
    EXPECT_EQ(TypedReference("x.jpg\" onload=\"alert(1)"), "x.jpg%22%20onload=%22alert(1)");
}

TEST(HtmlPagePartsTest, PageNamesFollowTheTitlesAndStayDistinct) {
    EXPECT_EQ(Names({"Alien", "Alien", "Alien", "Brazil"}),
              (std::vector<std::string>{"Alien.htm", "Alien1.htm", "Alien2.htm", "Brazil.htm"}));
    EXPECT_EQ(Names({" Star Wars: Episode I "}), (std::vector<std::string>{"Star_Wars__Episode_I.htm"}));
    EXPECT_EQ(Names({"L'AGE (D'OR)?/\\*\"<>|"}), (std::vector<std::string>{"L_AGE__D_OR_________.htm"}));

    // Twelve equal titles: the numbering alone would give "Alien" twice.
    const auto twelve = Names({"Alien", "Alien", "Alien", "Alien", "Alien", "Alien", "Alien", "Alien",
                               "Alien", "Alien", "Alien", "Alien", "Alien"});
    EXPECT_EQ(twelve[10], "Alien10.htm");
    EXPECT_EQ(twelve[11], "Alien11.htm");
    EXPECT_EQ(twelve[12], "Alien12.htm");

    // Equal titles apart, names equal but for case, the chosen file and the frame index, device names.
    EXPECT_EQ(Names({"A", "B", "A"}), (std::vector<std::string>{"A.htm", "B.htm", "A1.htm"}));
    EXPECT_EQ(Names({"ALIEN", "Alien"}), (std::vector<std::string>{"ALIEN.htm", "Alien1.htm"}));
    EXPECT_EQ(Names({"liste_index", "LIST"}, {"list.htm", "liste_index.htm"}),
              (std::vector<std::string>{"liste_index1.htm", "LIST1.htm"}));
    EXPECT_EQ(Names({"CON", "com1"}), (std::vector<std::string>{"CON_.htm", "com1_.htm"}));
}

TEST(HtmlPagePartsTest, HeadFootAndFrameSet) {
    HtmlOptions options;
    options.textColour = ColourFromRgb(255, 0, 0);
    EXPECT_EQ(
        PageHead("TOM & JERRY", options),
        "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">"
        "<TITLE>TOM &amp; JERRY</TITLE></HEAD><BODY TEXT=\"#ff0000\" BGCOLOR=\"#ffffff\" LINK=\"#ff0000\" "
        "VLINK=\"#ff0000\" ALINK=\"#ff0000\" >\r\n"
        "<CENTER><B>TOM &amp; JERRY</B></CENTER><BR>\r\n");
    options.backgroundImage = "back ground.jpg";
    EXPECT_NE(PageHead("T", options).find("<BODY BACKGROUND=\"back%20ground.jpg\" TEXT="), std::string::npos);

    EXPECT_EQ(
        PageFoot("me@example.org"),
        "<P><HR><CENTER><H5>Made With TAVRIN (<A HREF=\"mailto:me@example.org\">me@example.org</A>)</H5>"
        "</CENTER><HR></BODY></HTML>\r\n");

    EXPECT_EQ(
        FrameSetPage("MY <LIST>", "Star_Wars__Episode_I.htm"),
        "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">"
        "<TITLE>MY &lt;LIST&gt;</TITLE></HEAD><FRAMESET ROWS=\"30%,70%\"><FRAME SRC=\"liste_index.htm\" "
        "NAME=\"INDEX\" marginheight=5><FRAME SRC=\"Star_Wars__Episode_I.htm\" NAME=\"INFO\" "
        "marginheight=5></FRAMESET><noframes>Your browser can't handle Frames, "
        "sorry!.</noframes></HTML>\r\n");
    EXPECT_NE(FrameSetPage("L", "").find("<FRAME SRC=\"about:blank\" NAME=\"INFO\""), std::string::npos);
}

TEST(HtmlPagePartsTest, IndexLinksEveryTitleToItsPage) {
    const Collection c = test::MakeCollection({"TOM & JERRY", "A #1"});
    const std::vector<std::uint16_t> browse{0, 1};
    const std::vector<std::string> names{"TOM___JERRY.htm", "A_#1.htm"};
    HtmlOptions options;
    const std::string plain = IndexPage(c, browse, names, "L", options);
    EXPECT_NE(plain.find("<UL>\r\n<LI><A HREF=\"TOM___JERRY.htm\">TOM &amp; JERRY</A>\r\n"
                         "<LI><A HREF=\"A_%231.htm\">A #1</A>\r\n</UL>\r\n<P><HR>"),
              std::string::npos)
        << plain;
    options.frames = true;
    EXPECT_NE(
        IndexPage(c, browse, names, "L", options).find("<A HREF=\"A_%231.htm\" TARGET=\"INFO\">A #1</A>"),
        std::string::npos);
}

TEST(HtmlPagePartsTest, CoverPictureOnlyFromTheMediasFolder) {
    test::TempDir dir;
    const auto medias = dir / "MEDIAS";
    std::filesystem::create_directories(medias);
    for (const char* name : {"COVER.JPG", "SHOT.GIF", "low.jpg", "PIC.BMP"})
        test::WriteBytes(medias / name, {1, 2});
    std::filesystem::create_directories(medias / "SUB.JPG");
    test::WriteBytes(dir / "SECRET.JPG", {9});

    Collection c = test::MakeCollection({"T"});
    c.List(ListId::Media) = {"COVER.JPG",
                             "SHOT.GIF",
                             "low.jpg",
                             "PIC.BMP",
                             "MISSING.JPG",
                             "../SECRET.JPG",
                             "..\\SECRET.JPG",
                             test::TempDir().path().string() + "/SECRET.JPG",
                             (dir / "SECRET.JPG").string(),
                             "C:SECRET.JPG",
                             "SUB.JPG"};
    for (std::size_t entry = 0; entry < c.List(ListId::Media).size(); ++entry) {
        c.RecordAt(0).SetMedia1(static_cast<std::uint16_t>(entry));
        const auto picture = FindCoverPicture(c, c.RecordAt(0), medias);
        EXPECT_EQ(picture.has_value(), entry < 2 || entry == 3) << c.List(ListId::Media)[entry];
        if (picture) {
            EXPECT_EQ(picture->source, medias / c.List(ListId::Media)[entry]);
        }
    }
    c.RecordAt(0).SetMedia1(NoEntry);
    EXPECT_FALSE(FindCoverPicture(c, c.RecordAt(0), medias));
}

TEST(HtmlPagePartsTest, ReviewTextLines) {
    const auto html = [](std::string_view text) {
        std::string out;
        AppendReviewText(out, text);
        return out;
    };
    EXPECT_EQ(html("One\r\nTwo\r\n\r\nThree"), "<P>\r\nOne<BR>\r\nTwo<P>\r\nThree<BR>\r\n");
    EXPECT_EQ(html("One\n\rTwo\n\r\n\r<x> & y"), "<P>\r\nOne<BR>\r\nTwo<P>\r\n&lt;x&gt; &amp; y<BR>\r\n");
    EXPECT_EQ(html("Unix\nlines\n"), "<P>\r\nUnix<BR>\r\nlines<BR>\r\n<BR>\r\n");
    EXPECT_EQ(html(""), "<P>\r\n<BR>\r\n");
}

} // namespace
} // namespace tavrin
