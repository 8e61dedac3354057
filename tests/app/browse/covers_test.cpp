// A title's cover for the grid (its first multimedia file, when a picture) and the cover sides.
#include "app/browse/covers.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(CoversTest, TheFirstFileNamedIsTheCoverWhenAPicture) {
    const NameList names = {"poster.png", "THEME.WAV", "BACK.Pcx", "notes.txt", "", "scan.jpeg"};
    struct Case {
        std::array<std::uint16_t, 4> slots;
        std::optional<std::string> cover;
    };
    const Case cases[] = {
        {{NoEntry, NoEntry, NoEntry, NoEntry}, std::nullopt},
        {{0, 1, NoEntry, NoEntry}, "poster.png"},
        {{NoEntry, NoEntry, 2, 0}, "BACK.Pcx"},       // the first slot that names a file
        {{1, 0, NoEntry, NoEntry}, std::nullopt},     // a sound first: no cover
        {{3, 0, NoEntry, NoEntry}, std::nullopt},     // nor a file of no kind
        {{4, 40, 5, NoEntry}, "scan.jpeg"},           // empty names and entries beyond the list skipped
        {{65001, NoEntry, 0, NoEntry}, "poster.png"}, // a stored value above the last entry is none
    };
    for (const Case& k : cases) {
        Collection c;
        c.List(ListId::Media) = names;
        TitleRecord t = test::MakeTitle("A");
        for (std::size_t s = 0; s < 4; ++s)
            t.SetU16(MediaOffsets[s], k.slots[s]);
        AppendTitle(c, t);
        EXPECT_EQ(CoverEntry(c, 0), k.cover) << k.slots[0] << "," << k.slots[1] << "," << k.slots[2];
        EXPECT_EQ(CoverEntry(c, 1), std::nullopt);
    }
    for (const char* picture : {"a.bmp", "A.JPG", "a.Gif", "a.PNG", "a.tga", "a.pcx", "a.b.JPEG"})
        EXPECT_TRUE(IsCoverPictureName(picture)) << picture;
    for (const char* other : {"a.mp3", "a.avi", "JPG", "a.", "a.jpg.txt", "apng"})
        EXPECT_FALSE(IsCoverPictureName(other)) << other;
}

TEST(CoversTest, SidesStepWithinTheirRangeAndReadBackFromTheSettings) {
    EXPECT_EQ(CoverSideFromText("160"), 160);
    for (const char* stored : {"", "0", "100", "128px", "-64", "99999999999"})
        EXPECT_EQ(CoverSideFromText(stored), DefaultCoverSide) << stored;
    EXPECT_EQ(StepCoverSide(128, 1), 160);
    EXPECT_EQ(StepCoverSide(128, -2), 64);
    EXPECT_EQ(StepCoverSide(64, -1), 64);
    EXPECT_EQ(StepCoverSide(256, 3), 256);
    EXPECT_EQ(StepCoverSide(96, 10), CoverSides.back());
}

} // namespace
} // namespace tavrin
