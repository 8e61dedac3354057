// What the MULTIMEDIA page shows for a slot: no file, a missing file, the type only, a picture or
// the player, with the stray stored value repaired.
#include "app/browse/media_slot.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(MediaSlotTest, EachSlotShowsByItsFileAndKind) {
    test::TempDir medias;
    for (const char* name : {"cover.jpg", "THEME.WAV", "CLIP.AVI", "NOTES.TXT", "trailer.avi"})
        test::WriteBytes(medias / name, {1});
    Collection c;
    c.List(ListId::Media) = {"COVER.JPG", "THEME.WAV", "CLIP.AVI", "NOTES.TXT", "GONE.JPG", "trailer.avi"};
    TitleRecord t = test::MakeTitle("A");
    AppendTitle(c, t);

    struct Case {
        std::uint16_t stored;
        bool loading;
        SlotShows shows;
        const char* type;
        MediaKind kind;
    };
    const Case cases[] = {
        {NoEntry, true, SlotShows::NoFile, "", MediaKind::None},
        {0, true, SlotShows::Picture, "JPG", MediaKind::Picture},
        {0, false, SlotShows::TypeOnly, "JPG", MediaKind::Picture},
        {1, true, SlotShows::Player, "WAV", MediaKind::Sound},
        {2, true, SlotShows::Player, "AVI", MediaKind::Video},
        {3, true, SlotShows::Nothing, "TXT", MediaKind::None},
        {4, true, SlotShows::NotFound, "", MediaKind::None},
        {5, true, SlotShows::Nothing, "avi", MediaKind::None}, // a lower-case type is no kind
        {40, true, SlotShows::NotFound, "", MediaKind::None},  // beyond the list: an empty name
    };
    for (const Case& k : cases)
        for (int slot = 1; slot <= MediaSlotCount; ++slot) {
            c.titles[0].SetU16(MediaOffsets[static_cast<std::size_t>(slot - 1)], k.stored);
            const MediaSlotView v = DescribeMediaSlot(c, 0, slot, medias.path(), k.loading);
            EXPECT_EQ(v.shows, k.shows) << k.stored << " in slot " << slot;
            EXPECT_EQ(v.type, k.type) << k.stored;
            EXPECT_EQ(v.kind, k.kind) << k.stored;
        }
    c.titles[0].SetMedia1(5);
    EXPECT_EQ(DescribeMediaSlot(c, 0, 1, medias.path(), true).file, medias / "trailer.avi");
}

TEST(MediaSlotTest, AStrayStoredValueIsNoFileAndShowingWritesNothing) {
    Collection c;
    c.List(ListId::Media) = {"COVER.JPG"};
    TitleRecord t = test::MakeTitle("A");
    t.SetMedia1(65001);
    t.SetMedia3(65000);
    AppendTitle(c, t);
    EXPECT_EQ(DescribeMediaSlot(c, 0, 1, "/nowhere", true).shows, SlotShows::NoFile);
    EXPECT_EQ(c.titles[0].Media1(), 65001);
    EXPECT_EQ(DescribeMediaSlot(c, 0, 3, "/nowhere", true).shows, SlotShows::NotFound);
    EXPECT_EQ(c.titles[0].Media3(), 65000); // within range: kept, beyond the list
    EXPECT_EQ(DescribeMediaSlot(c, 0, 5, "/nowhere", true).shows, SlotShows::NoFile);
    EXPECT_EQ(DescribeMediaSlot(c, 3, 1, "/nowhere", true).shows, SlotShows::NoFile);
}

} // namespace
} // namespace tavrin
