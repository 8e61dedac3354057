#include "app/browse/title_view.h"
#include "editing/collection_changes.h"
#include "lang/vocabulary.h"
#include "store/review_files.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(ReviewFileTest, NameReplacesEveryUnsafeCharacter) {
    EXPECT_EQ(ReviewFileStem("ALIEN: RESURRECTION"), "ALIEN__RESURRECTION");
    EXPECT_EQ(ReviewFileStem("  AB:C  "), "AB_C");
    EXPECT_EQ(ReviewFileStem("A\"B*C/D<E>F?G\\H|I"), "A_B_C_D_E_F_G_H_I");
    EXPECT_EQ(ReviewFileStem(std::string("TAB\tNEW\nLINE", 12)), "TAB_NEW_LINE");
    EXPECT_EQ(ReviewFileStem("   "), "");
    // COM1.TXT or LPT2.TXT could not be created on Windows.
    EXPECT_EQ(ReviewFileStem("COM"), "COM_");
    EXPECT_EQ(ReviewFileStem(" lpt "), "lpt_");
    EXPECT_EQ(ReviewFileStem("COMA"), "COMA");
    EXPECT_EQ(ReviewFileStem("CON"), "CON"); // CON1 is an ordinary name
}

TEST(ReviewFileTest, PathIsInTheTextFolderWithNumberAndExtension) {
    const std::filesystem::path folder = "TEXT";
    EXPECT_EQ(ReviewFilePath(folder, "Alien: Resurrection", 3), folder / "Alien__Resurrection3.TXT");
    // 8-bit accented text becomes the file system's encoding.
    const auto p = ReviewFilePath(folder, "\xC9T\xC9", 1);
    const auto u8 = p.filename().u8string();
    EXPECT_EQ(std::string(u8.begin(), u8.end()), "\xC3\x89T\xC3\x89"
                                                 "1.TXT");
}

TEST(ReviewFileTest, ReadsAtMostTheLimitAndStopsAtZero) {
    test::TempDir dir;
    const auto big = dir / "big.TXT";
    test::WriteBytes(big, std::vector<std::uint8_t>(ReviewTextLimit + 50, 'x'));
    EXPECT_EQ(ReadReviewText(big)->size(), ReviewTextLimit);

    const auto zero = dir / "zero.TXT";
    test::WriteBytes(zero, {'a', 'b', 0, 'c'});
    EXPECT_EQ(*ReadReviewText(zero), "ab");

    EXPECT_FALSE(ReadReviewText(dir / "missing.TXT").has_value());
}

TEST(TitleSearchTest, FindsFirstRowBeginningWithTypedText) {
    Collection c = test::MakeCollection({"STARGATE", "ALIEN", "STAR WARS", "Starman"});
    // Master order: ALIEN(1), STAR WARS(2), STARGATE(0), Starman(3).
    const auto& browse = c.ListeIndex;
    EXPECT_EQ(FindTitleByPrefix(c, browse, "star"), std::optional<std::size_t>(1));
    EXPECT_EQ(FindTitleByPrefix(c, browse, "STARM"), std::optional<std::size_t>(3));
    EXPECT_EQ(FindTitleByPrefix(c, browse, "ZED"), std::nullopt);
    EXPECT_EQ(FindTitleByPrefix(c, browse, "ALIENS"), std::nullopt);
    std::vector<std::uint16_t> narrowed{3};
    EXPECT_EQ(FindTitleByPrefix(c, narrowed, "star"), std::optional<std::size_t>(0));
}

TEST(TitleSearchTest, AccentedLettersMatchWithoutRegardToCase) {
    Collection c = test::MakeCollection({"\xC9T\xC9 (SUMMER)"});
    EXPECT_EQ(FindTitleByPrefix(c, c.ListeIndex, "\xE9t\xE9"), std::optional<std::size_t>(0));
}

TEST(WatchedTodayTest, CountsEveryViewingAndMarksModified) {
    OpenCollection open(test::MakeCollection({"A"}));
    WatchedToday(open, 0, 46000);
    WatchedToday(open, 0, 46000);
    EXPECT_EQ(open.Data().RecordAt(0).Viewings(), 2);
    EXPECT_EQ(open.Data().RecordAt(0).WatchDate(), 46000);
    EXPECT_TRUE(open.Modified());
}

TEST(SideCaptionsTest, FollowTheMedium) {
    EXPECT_EQ(SideCaptionsFor(0).clv, Msg::MsgClv);
    EXPECT_EQ(SideCaptionsFor(1).cav, Msg::MsgRsdl);
    EXPECT_EQ(SideCaptionsFor(2).clv, Msg::MsgStart);
    EXPECT_FALSE(SideCaptionsFor(3).cavVisible);
    EXPECT_FALSE(SideCaptionsFor(3).clv.has_value());
    EXPECT_TRUE(SideCaptionsFor(0).cavVisible);
}

TEST(ViewListsTest, OneLinePerFlagSetToOneInTheCurrentLanguage) {
    TitleRecord t = test::MakeTitle("A");
    t.SetThx(true);
    t.SetSubtitled(true);
    t.SetU8(79, 2); // Dubbed holds a stray byte: not a set flag
    t.SetWidescreen169(true);
    MessageCatalogue french;
    french.SetLanguage(1);
    EXPECT_EQ(OtherLines(t, french), (std::vector<std::string>{"THX", "Sous-titrage", "16:9"}));

    t.SetTrailer(true);
    t.SetNotesPhotosBio(true);
    t.SetOtherExtras(true);
    EXPECT_EQ(ExtrasLines(t, MessageCatalogue{}),
              (std::vector<std::string>{"Trailer", "Notes/Photos/Bio", "Other"}));
}

TEST(ViewListsTest, ActorsSkipEmptySlots) {
    Collection c = test::MakeCollection({"A"});
    for (const char* name : {"FORD", "HAMILL", "FISHER"})
        AddName(c, ListId::Actor, name);
    TitleRecord& t = c.RecordAt(0);
    t.SetActor1(2);
    t.SetActor3(0);
    t.SetActor5(1);
    EXPECT_EQ(ActorNames(c, t), (std::vector<std::string_view>{"FISHER", "FORD", "HAMILL"}));
}

TEST(VocabularyTest, GenresByCodeAndSortedByName) {
    MessageCatalogue english;
    EXPECT_EQ(GenreName(english, 0), "Other");
    EXPECT_EQ(GenreName(english, 23), "TV");
    EXPECT_EQ(GenreName(english, 33), "");
    const auto sorted = GenresByName(english);
    ASSERT_EQ(sorted.size(), 33u);
    EXPECT_EQ(GenreName(english, sorted.front()), "Action");
    EXPECT_EQ(GenreName(english, sorted.back()), "X / Erotic");
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        std::string a = GenreName(english, sorted[i - 1]), b = GenreName(english, sorted[i]);
        for (auto* s : {&a, &b})
            for (char& ch : *s)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_LT(a, b);
    }
    EXPECT_EQ(ItemText(ZoneNames, 0), "Zone All");
    EXPECT_EQ(ItemText(ZoneNames, 7), "");
}

} // namespace
} // namespace tavrin
