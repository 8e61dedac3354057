#include "editing/dvd_flags.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

constexpr std::size_t Sub = 0, Dd51 = 6, Pcm = 9;
constexpr std::size_t Chinese = 0, English = 1, French = 2, Other = 7;

TEST(DvdFlagsTest, BoxNamesJoinLanguagePrefixAndFormat) {
    EXPECT_EQ(DvdBoxName(Sub, English), "ESub");
    EXPECT_EQ(DvdBoxName(Dd51, French), "FDD51");
    EXPECT_EQ(DvdBoxName(Pcm, Other), "OMPEG40");
}

TEST(DvdFlagsTest, SubtitleByteTicksOnlyItsLanguages) {
    TitleRecord r = test::MakeTitle("A");
    r.SetSupport(SupportDvd);
    r.SetDvdSubtitles(0x83);
    const DvdTicks ticks = DvdTicksFromRecord(r);
    for (std::size_t l = 0; l < DvdLanguageCount; ++l)
        EXPECT_EQ(ticks[Sub][l], l == Chinese || l == English || l == Other) << DvdBoxName(Sub, l);
    for (std::size_t f = 1; f < DvdFormatCount; ++f)
        for (std::size_t l = 0; l < DvdLanguageCount; ++l)
            EXPECT_FALSE(ticks[f][l]);
}

TEST(DvdFlagsTest, PackingPutsEachBoxOnItsBitAndByte) {
    TitleRecord r = test::MakeTitle("A");
    DvdTicks ticks{};
    ticks[Dd51][English] = true; // English DD 5.1: bit 1 of byte 98
    ticks[Sub][French] = true;   // French subtitles: bit 2 of byte 92
    ticks[Pcm][Other] = true;    // other-language PCM: bit 7 of byte 101
    PackDvdTicks(r, ticks, SupportDvd);
    EXPECT_EQ(r.U8(98), 0x02);
    EXPECT_EQ(r.U8(92), 0x04);
    EXPECT_EQ(r.U8(101), 0x80);
    EXPECT_EQ(DvdTicksFromRecord(r), ticks);
}

TEST(DvdFlagsTest, OtherMediaStoreZeroWhateverIsTicked) {
    DvdTicks all{};
    for (auto& row : all)
        row.fill(true);
    for (int support : {0, 2, 3}) {
        TitleRecord r = test::MakeTitle("A");
        r.SetDvdDts(0xFF);
        PackDvdTicks(r, all, support);
        for (std::size_t b = 92; b <= 101; ++b)
            EXPECT_EQ(r.U8(b), 0) << "support " << support << " byte " << b;
    }
}

TEST(DvdFlagsTest, ShowingRecordsFollowsTheirMedium) {
    Collection c = test::MakeCollection({"DVD", "VHS"});
    c.titles[0].SetSupport(SupportDvd);
    c.titles[0].SetDvdDd20(0x10);
    c.titles[1].SetSupport(2);
    c.titles[1].SetDvdDd20(0x10);
    c.titles[1].SetDvdSubtitles(0x01);

    const auto none = DvdTicksToShow(c, std::nullopt);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(*none, DvdTicks{});

    const auto dvd = DvdTicksToShow(c, 0);
    ASSERT_TRUE(dvd.has_value());
    EXPECT_TRUE((*dvd)[4][4]); // Italian DD 2.0

    // A VHS with stray bits from an older file: nothing to show, and showing writes nothing.
    EXPECT_FALSE(DvdTicksToShow(c, 1).has_value());
    EXPECT_EQ(c.titles[1].DvdDd20(), 0x10);
    EXPECT_EQ(c.titles[1].DvdSubtitles(), 0x01);
}

} // namespace
} // namespace tavrin
