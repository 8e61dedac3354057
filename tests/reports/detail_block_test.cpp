#include "reports/detail_block.h"

#include "report_fixture.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrin {
namespace {

using test::FullLaserDisc;
using test::MakeTitle;

std::vector<std::string> Texts(const std::vector<DetailLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        out.push_back(l.text);
    return out;
}

class DetailBlockTest : public ::testing::Test {
  protected:
    std::vector<std::string> Block(const TitleRecord& t, const DetailChoices& d = DetailChoices::All(),
                                   BlockForm form = BlockForm::Text) {
        return Texts(DetailBlock(context, t, d, form));
    }
    DetailChoices Only(DetailBox box) {
        DetailChoices d;
        d.Set(box);
        return d;
    }
    // The line of one section with only its box ticked.
    std::string Section(const TitleRecord& t, DetailBox box, DetailSection section) {
        for (const auto& l : DetailBlock(context, t, Only(box)))
            if (l.section == section) return l.text;
        return "(no line)";
    }

    Collection collection = test::ReportCollection();
    MessageCatalogue catalogue;
    ReportTexts texts{catalogue};
    DateFormat dates{"dd/MM/yyyy"};
    ReportContext context{collection, texts, dates};
};

TEST_F(DetailBlockTest, LaserDiscWithEveryBoxTicked) {
    const std::vector<std::string> expected{
        "ALIEN (1979) LD - NTSC",
        "Genre : Science Fiction - Horror",
        "Publisher : FOX",
        "Directed by : RIDLEY SCOTT",
        "With : SIGOURNEY WEAVER - TOM SKERRITT - JOHN HURT - IAN HOLM - YAPHET KOTTO",
        "Music by : JERRY GOLDSMITH",
        "CLV : 2 - CAV : 1",
        "Dolby Digital - Dolby Surround",
        "",
        "Aspect Ratio : 1.85 - 16/9",
        "Length : 117mn - Rating : R",
        "THX - Dubbed",
        "Included in ALIEN LEGACY",
        "Extras : Audio Commentary - Trailer - Multi Angle",
        "WIDESCREEN EDITION",
        "SECOND PRESSING",
        "Movie Mark : 5 - Image Mark : 4 - Sound Mark : 3",
        "Purchased the 01/01/2000 at LASER WORLD - Price : 49 - Used",
        "Watched 3 times - Last viewed the 01/01/2001",
    };
    EXPECT_EQ(Block(FullLaserDisc()), expected);
}

TEST_F(DetailBlockTest, EveryBoxClearedLeavesTheHeadingAndThreeEmptyLines) {
    const auto lines = DetailBlock(context, FullLaserDisc(), DetailChoices::None());
    ASSERT_EQ(Texts(lines), (std::vector<std::string>{"ALIEN (1979) LD - NTSC", "", "", ""}));
    EXPECT_EQ(lines[1].section, DetailSection::Publisher);
    EXPECT_EQ(lines[2].section, DetailSection::Composer);
    EXPECT_EQ(lines[3].section, DetailSection::LengthRating);
    EXPECT_FALSE(lines[1].ticked);
    // The printed form keeps only the length line.
    EXPECT_EQ(Block(FullLaserDisc(), DetailChoices::None(), BlockForm::Print),
              (std::vector<std::string>{"ALIEN (1979) LD - NTSC", ""}));
}

TEST_F(DetailBlockTest, HeadingAndSidesFollowTheMedium) {
    struct Case {
        std::uint8_t support;
        std::string_view heading;
        std::string_view sides;
    };
    const Case cases[] = {
        {0, "ALIEN (1979) LD - NTSC", "CLV : 2 - CAV : 1"},
        {1, "ALIEN (1979) DVD Zone 2 - NTSC", "Simple Side : 2 - RSDL : 1"},
        {2, "ALIEN (1979) VHS - NTSC", "Start : 2 - End : 1"},
        {3, "ALIEN (1979) VCD - NTSC", "Disc : 2"},
    };
    for (const auto& c : cases) {
        TitleRecord t = FullLaserDisc();
        t.SetSupport(c.support);
        t.SetZone(2);
        EXPECT_EQ(Block(t, DetailChoices::None())[0], c.heading);
        EXPECT_EQ(Section(t, DetailBox::SideT, DetailSection::Sides), c.sides);
    }
}

TEST_F(DetailBlockTest, SoundAndSubtitlesOfOtherMedia) {
    TitleRecord t = FullLaserDisc();
    t.SetSupport(2);
    EXPECT_EQ(Section(t, DetailBox::ST, DetailSection::Sound), "Dolby Digital - Dolby Surround");
    t.SetDts(true);
    EXPECT_EQ(Section(t, DetailBox::ST, DetailSection::Sound),
              "Dolby Digital - DTS Digital - Dolby Surround");
    t.SetAc3(false);
    t.SetDts(false);
    t.SetSound(0);
    EXPECT_EQ(Section(t, DetailBox::ST, DetailSection::Sound), "Mono");
    t.SetSubtitled(true);
    EXPECT_EQ(Section(t, DetailBox::SubT, DetailSection::Subtitles), "Subtitled");
    // Only a flag byte of exactly 1 is set.
    t.SetU8(78, 2);
    EXPECT_EQ(Section(t, DetailBox::SubT, DetailSection::Subtitles), "");
}

TEST_F(DetailBlockTest, DvdSoundAndSubtitlesNameEachLanguage) {
    TitleRecord t = FullLaserDisc();
    t.SetSupport(1);
    t.SetDvdDts(0b0000'0010);  // English
    t.SetDvdDd51(0b0000'0110); // English, French
    t.SetDvdMpeg20(0b1000'0000);
    t.SetDvdPcm(0b0010'0000);
    EXPECT_EQ(Section(t, DetailBox::ST, DetailSection::Sound),
              "DVD Sound : English (DTS) English (DD 5.1) French (DD 5.1) Other Language (MPEG 2.0) Japanese "
              "(PCM) ");
    EXPECT_EQ(Section(t, DetailBox::SubT, DetailSection::Subtitles), "DVD Subtitles : None");
    t.SetDvdSubtitles(0b0101'0001);
    EXPECT_EQ(Section(t, DetailBox::SubT, DetailSection::Subtitles),
              "DVD Subtitles : Chinese Italian Spanish ");
}

TEST_F(DetailBlockTest, SectionsWithNothingToShowAreLeftOut) {
    TitleRecord t = MakeTitle("EMPTY", 2000);
    t.SetDirector(65000);         // 65000 and above name nothing here
    t.SetU16(ActorOffsets[2], 7); // beyond the actor list
    t.SetInfo2(0);                // a second information without a first one
    const auto lines = Block(t);
    for (const auto& absent : {"Directed by", "With :", "Included in", "Extras", "SECOND PRESSING", "THX"})
        for (const auto& line : lines)
            EXPECT_EQ(line.find(absent), std::string::npos) << line;
    // Publisher and composer keep their empty lines; a missing retailer drops " at ".
    EXPECT_EQ(lines[1], "Genre : Other");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines.back(), "Watched 0 times - Last viewed the 30/12/1899");
    EXPECT_EQ(lines[lines.size() - 2], "Purchased the 30/12/1899 - Price : 0");
}

TEST_F(DetailBlockTest, LengthAndRatingShareOneLine) {
    DetailChoices rating = Only(DetailBox::MPAAT);
    EXPECT_EQ(Block(FullLaserDisc(), rating)[3], " - Rating : R");
    rating.Set(DetailBox::LT);
    EXPECT_EQ(Block(FullLaserDisc(), rating)[3], "Length : 117mn - Rating : R");
}

TEST_F(DetailBlockTest, PriceIsTruncatedAndDamagedPricesAreZero) {
    EXPECT_EQ(WholePrice(49.99f), 49);
    EXPECT_EQ(WholePrice(-3.7f), -3);
    EXPECT_EQ(WholePrice(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(WholePrice(std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(WholePrice(3e30f), 0);
}

TEST_F(DetailBlockTest, LabelsMarkWhatTheHtmlFormSetsInBold) {
    const auto lines = DetailBlock(context, FullLaserDisc(), DetailChoices::All());
    auto labels = [](const DetailLine& l) {
        std::vector<std::string> out;
        for (auto r : l.Labels())
            out.emplace_back(l.Piece(r));
        return out;
    };
    EXPECT_EQ(labels(lines[0]), (std::vector<std::string>{"ALIEN (1979) "}));
    EXPECT_EQ(labels(lines[2]), (std::vector<std::string>{"Publisher"}));
    EXPECT_EQ(labels(lines[6]), (std::vector<std::string>{"CLV : ", "CAV : "}));
    EXPECT_EQ(labels(lines[10]), (std::vector<std::string>{"Length : ", "Rating : "}));
    EXPECT_EQ(labels(lines[16]),
              (std::vector<std::string>{"Movie Mark : ", "Image Mark : ", "Sound Mark : "}));
    EXPECT_EQ(labels(lines[17]), (std::vector<std::string>{"Purchased the ", "Price : "}));
    EXPECT_EQ(labels(lines[18]), (std::vector<std::string>{"Watched ", " times - Last viewed the "}));
    EXPECT_TRUE(labels(lines[14]).empty()); // other informations are plain values
}

TEST_F(DetailBlockTest, PrintedFormPutsActorsThreeToALine) {
    TitleRecord t = FullLaserDisc();
    t.SetPublisher(-1);
    t.SetComposer(NoEntry);
    DetailChoices d = Only(DetailBox::AT);
    d.Set(DetailBox::EdiT);
    d.Set(DetailBox::CT);
    EXPECT_EQ(Block(t, d, BlockForm::Print),
              (std::vector<std::string>{"ALIEN (1979) LD - NTSC",
                                        "With : SIGOURNEY WEAVER - TOM SKERRITT - JOHN HURT",
                                        "IAN HOLM - YAPHET KOTTO", ""}));
    t.SetActor4(NoEntry);
    t.SetActor5(NoEntry);
    EXPECT_EQ(Block(t, d, BlockForm::Print)[1], "With : SIGOURNEY WEAVER - TOM SKERRITT - JOHN HURT");
    EXPECT_EQ(Block(t, d, BlockForm::Print).size(), 3u);
}

TEST_F(DetailBlockTest, OtherLanguagesAreWrittenIn8BitText) {
    catalogue.SetLanguage(1);
    ReportTexts french(catalogue);
    ReportContext fr{collection, french, dates};
    const auto lines = DetailBlock(fr, FullLaserDisc(), Only(DetailBox::DT));
    EXPECT_EQ(lines[2].text, "R\xE9"
                             "alis\xE9 par : RIDLEY SCOTT");
}

TEST_F(DetailBlockTest, TextFormIsTheLinesEachEndedByCrLf) {
    TitleRecord dvd = FullLaserDisc();
    dvd.SetSupport(1);
    dvd.SetDvdDd20(0b11);
    for (const TitleRecord& t : {FullLaserDisc(), dvd, MakeTitle("BARE")})
        for (const DetailChoices& d : {DetailChoices::All(), DetailChoices::None(), Only(DetailBox::AT)}) {
            std::string joined;
            for (const auto& line : Block(t, d))
                joined += line + "\r\n";
            std::string text = "before";
            AppendDetailBlockText(text, context, t, d);
            EXPECT_EQ(text, "before" + joined);
        }
}

TEST_F(DetailBlockTest, ReusedBufferMatchesAFreshBlock) {
    std::vector<DetailLine> buffer;
    DetailBlockInto(context, FullLaserDisc(), DetailChoices::All(), BlockForm::Text, buffer);
    DetailBlockInto(context, MakeTitle("SHORT"), DetailChoices::None(), BlockForm::Text, buffer);
    EXPECT_EQ(Texts(buffer), Block(MakeTitle("SHORT"), DetailChoices::None()));
    EXPECT_EQ(buffer[0].Labels().size(), 1u);
}

} // namespace
} // namespace tavrin
