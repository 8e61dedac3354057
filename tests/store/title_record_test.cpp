#include "store/title_record.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace tavrin {
namespace {

// The record layout as documented, written out independently of the code: name, offset, width.
struct LayoutRow {
    std::string_view name;
    std::size_t offset;
    std::size_t width;
};

constexpr LayoutRow Layout[] = {
    {"Title", 0, 50},
    {"Year", 50, 2},
    {"Length", 52, 2},
    {"AspectRatio", 54, 1},
    {"Director", 55, 2},
    {"Actor1", 57, 2},
    {"Actor2", 59, 2},
    {"Actor3", 61, 2},
    {"Actor4", 63, 2},
    {"Actor5", 65, 2},
    {"Genre", 67, 1},
    {"Mpaa", 68, 1},
    {"FilmRating", 69, 1},
    {"PictureRating", 70, 1},
    {"SoundRating", 71, 1},
    {"CavSides", 72, 1},
    {"ClvSides", 73, 1},
    {"Standard", 74, 1},
    {"Sound", 75, 1},
    {"Thx", 76, 1},
    {"DirectorsCut", 77, 1},
    {"Subtitled", 78, 1},
    {"Dubbed", 79, 1},
    {"Ac3", 80, 1},
    {"Dts", 81, 1},
    {"Used", 82, 1},
    {"Box", 83, 2},
    {"Info", 85, 2},
    {"Widescreen169", 87, 1},
    {"Media1", 88, 2},
    {"Support", 90, 1},
    {"Zone", 91, 1},
    {"DvdSubtitles", 92, 1},
    {"DvdMpeg20", 93, 1},
    {"DvdMpeg51", 94, 1},
    {"DvdDd10", 95, 1},
    {"DvdDd20", 96, 1},
    {"DvdDd40", 97, 1},
    {"DvdDd51", 98, 1},
    {"DvdDts", 99, 1},
    {"DvdMpeg10", 100, 1},
    {"DvdPcm", 101, 1},
    {"ReviewNumber", 102, 2},
    {"PanScan", 104, 1},
    {"IsolatedScore", 105, 1},
    {"Info2", 106, 2},
    {"MultiAngle", 108, 1},
    {"Genre2", 109, 1},
    {"Trade", 110, 1},
    {"Media2", 111, 2},
    {"Media3", 113, 2},
    {"Media4", 115, 2},
    {"Retailer", 117, 2},
    {"Flipper", 119, 1},
    {"Color", 120, 1},
    {"Reserved", 121, 12},
    {"Interview", 133, 1},
    {"Trailer", 134, 1},
    {"DeletedScenes", 135, 1},
    {"Featurette", 136, 1},
    {"Commentary", 137, 1},
    {"NotesPhotosBio", 138, 1},
    {"OtherExtras", 139, 1},
    {"Documentary", 140, 1},
    {"Viewings", 141, 2},
    {"Composer", 143, 2},
    {"WatchDate", 145, 4},
    {"Price", 149, 4},
    {"BuyDate", 153, 4},
    {"Rotted", 157, 1},
    {"Publisher", 158, 2},
};

std::size_t WidthOf(FieldKind kind) {
    switch (kind) {
    case FieldKind::Text:
        return TitleTextSize;
    case FieldKind::U8:
    case FieldKind::Flag:
        return 1;
    case FieldKind::U16:
    case FieldKind::Publisher:
        return 2;
    case FieldKind::I32:
    case FieldKind::F32:
        return 4;
    case FieldKind::Reserved:
        return 12;
    }
    return 0;
}

std::size_t DocumentedOffset(std::string_view name) {
    for (const auto& row : Layout)
        if (row.name == name) return row.offset;
    ADD_FAILURE() << "no documented field " << name;
    return 0;
}

// Every byte of r except [offset, offset + width) is zero.
::testing::AssertionResult OnlyBytesTouched(const TitleRecord& r, std::size_t offset, std::size_t width) {
    for (std::size_t i = 0; i < TitleRecordSize; ++i) {
        if (i >= offset && i < offset + width) continue;
        if (r.bytes[i] != 0)
            return ::testing::AssertionFailure() << "byte " << i << " changed to " << int{r.bytes[i]};
    }
    return ::testing::AssertionSuccess();
}

TEST(TitleRecordTest, FieldTableMatchesTheDocumentedLayout) {
    const auto fields = TitleFields();
    ASSERT_EQ(fields.size(), std::size(Layout));
    std::size_t next = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        SCOPED_TRACE(std::string(Layout[i].name));
        EXPECT_EQ(fields[i].name, Layout[i].name);
        EXPECT_EQ(fields[i].offset, Layout[i].offset);
        EXPECT_EQ(WidthOf(fields[i].kind), Layout[i].width);
        EXPECT_EQ(fields[i].offset, next) << "fields must follow each other without gaps";
        next = fields[i].offset + WidthOf(fields[i].kind);
    }
    EXPECT_EQ(next, TitleRecordSize);
}

TEST(TitleRecordTest, SixteenBitSettersWriteLittleEndianAtTheirOffset) {
    using Set = void (TitleRecord::*)(std::uint16_t);
    using Get = std::uint16_t (TitleRecord::*)() const;
    struct Field {
        std::string_view name;
        Set set;
        Get get;
    };
    const Field fields[] = {
        {"Year", &TitleRecord::SetYear, &TitleRecord::Year},
        {"Length", &TitleRecord::SetLength, &TitleRecord::Length},
        {"Director", &TitleRecord::SetDirector, &TitleRecord::Director},
        {"Actor1", &TitleRecord::SetActor1, &TitleRecord::Actor1},
        {"Actor2", &TitleRecord::SetActor2, &TitleRecord::Actor2},
        {"Actor3", &TitleRecord::SetActor3, &TitleRecord::Actor3},
        {"Actor4", &TitleRecord::SetActor4, &TitleRecord::Actor4},
        {"Actor5", &TitleRecord::SetActor5, &TitleRecord::Actor5},
        {"Box", &TitleRecord::SetBox, &TitleRecord::Box},
        {"Info", &TitleRecord::SetInfo, &TitleRecord::Info},
        {"Media1", &TitleRecord::SetMedia1, &TitleRecord::Media1},
        {"ReviewNumber", &TitleRecord::SetReviewNumber, &TitleRecord::ReviewNumber},
        {"Info2", &TitleRecord::SetInfo2, &TitleRecord::Info2},
        {"Media2", &TitleRecord::SetMedia2, &TitleRecord::Media2},
        {"Media3", &TitleRecord::SetMedia3, &TitleRecord::Media3},
        {"Media4", &TitleRecord::SetMedia4, &TitleRecord::Media4},
        {"Retailer", &TitleRecord::SetRetailer, &TitleRecord::Retailer},
        {"Viewings", &TitleRecord::SetViewings, &TitleRecord::Viewings},
        {"Composer", &TitleRecord::SetComposer, &TitleRecord::Composer},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(std::string(f.name));
        const std::size_t at = DocumentedOffset(f.name);
        TitleRecord r;
        (r.*f.set)(0xA1B2);
        EXPECT_EQ(r.bytes[at], 0xB2);
        EXPECT_EQ(r.bytes[at + 1], 0xA1);
        EXPECT_TRUE(OnlyBytesTouched(r, at, 2));
        EXPECT_EQ((r.*f.get)(), 0xA1B2);
    }
    // The slot tables used for renumbering name the same bytes as the named fields.
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_EQ(ActorOffsets[slot], DocumentedOffset("Actor" + std::to_string(slot + 1)));
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(MediaOffsets[slot], DocumentedOffset("Media" + std::to_string(slot + 1)));
}

TEST(TitleRecordTest, ByteSettersWriteOneByteAtTheirOffset) {
    using Set = void (TitleRecord::*)(std::uint8_t);
    using Get = std::uint8_t (TitleRecord::*)() const;
    struct Field {
        std::string_view name;
        Set set;
        Get get;
    };
    const Field fields[] = {
        {"AspectRatio", &TitleRecord::SetAspectRatio, &TitleRecord::AspectRatio},
        {"Genre", &TitleRecord::SetGenre, &TitleRecord::Genre},
        {"Mpaa", &TitleRecord::SetMpaa, &TitleRecord::Mpaa},
        {"FilmRating", &TitleRecord::SetFilmRating, &TitleRecord::FilmRating},
        {"PictureRating", &TitleRecord::SetPictureRating, &TitleRecord::PictureRating},
        {"SoundRating", &TitleRecord::SetSoundRating, &TitleRecord::SoundRating},
        {"CavSides", &TitleRecord::SetCavSides, &TitleRecord::CavSides},
        {"ClvSides", &TitleRecord::SetClvSides, &TitleRecord::ClvSides},
        {"Standard", &TitleRecord::SetStandard, &TitleRecord::Standard},
        {"Sound", &TitleRecord::SetSound, &TitleRecord::Sound},
        {"Support", &TitleRecord::SetSupport, &TitleRecord::Support},
        {"Zone", &TitleRecord::SetZone, &TitleRecord::Zone},
        {"DvdSubtitles", &TitleRecord::SetDvdSubtitles, &TitleRecord::DvdSubtitles},
        {"DvdMpeg20", &TitleRecord::SetDvdMpeg20, &TitleRecord::DvdMpeg20},
        {"DvdMpeg51", &TitleRecord::SetDvdMpeg51, &TitleRecord::DvdMpeg51},
        {"DvdDd10", &TitleRecord::SetDvdDd10, &TitleRecord::DvdDd10},
        {"DvdDd20", &TitleRecord::SetDvdDd20, &TitleRecord::DvdDd20},
        {"DvdDd40", &TitleRecord::SetDvdDd40, &TitleRecord::DvdDd40},
        {"DvdDd51", &TitleRecord::SetDvdDd51, &TitleRecord::DvdDd51},
        {"DvdDts", &TitleRecord::SetDvdDts, &TitleRecord::DvdDts},
        {"DvdMpeg10", &TitleRecord::SetDvdMpeg10, &TitleRecord::DvdMpeg10},
        {"DvdPcm", &TitleRecord::SetDvdPcm, &TitleRecord::DvdPcm},
        {"Genre2", &TitleRecord::SetGenre2, &TitleRecord::Genre2},
        {"Trade", &TitleRecord::SetTrade, &TitleRecord::Trade},
        {"Color", &TitleRecord::SetColor, &TitleRecord::Color},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(std::string(f.name));
        const std::size_t at = DocumentedOffset(f.name);
        TitleRecord r;
        (r.*f.set)(0xA5);
        EXPECT_EQ(r.bytes[at], 0xA5);
        EXPECT_TRUE(OnlyBytesTouched(r, at, 1));
        EXPECT_EQ((r.*f.get)(), 0xA5);
    }
}

TEST(TitleRecordTest, FlagsAreWrittenAsOneAndReadAsSetOnlyWhenExactlyOne) {
    using Set = void (TitleRecord::*)(bool);
    using Get = bool (TitleRecord::*)() const;
    struct Field {
        std::string_view name;
        Set set;
        Get get;
    };
    const Field fields[] = {
        {"Thx", &TitleRecord::SetThx, &TitleRecord::Thx},
        {"DirectorsCut", &TitleRecord::SetDirectorsCut, &TitleRecord::DirectorsCut},
        {"Subtitled", &TitleRecord::SetSubtitled, &TitleRecord::Subtitled},
        {"Dubbed", &TitleRecord::SetDubbed, &TitleRecord::Dubbed},
        {"Ac3", &TitleRecord::SetAc3, &TitleRecord::Ac3},
        {"Dts", &TitleRecord::SetDts, &TitleRecord::Dts},
        {"Used", &TitleRecord::SetUsed, &TitleRecord::Used},
        {"Widescreen169", &TitleRecord::SetWidescreen169, &TitleRecord::Widescreen169},
        {"PanScan", &TitleRecord::SetPanScan, &TitleRecord::PanScan},
        {"IsolatedScore", &TitleRecord::SetIsolatedScore, &TitleRecord::IsolatedScore},
        {"MultiAngle", &TitleRecord::SetMultiAngle, &TitleRecord::MultiAngle},
        {"Flipper", &TitleRecord::SetFlipper, &TitleRecord::Flipper},
        {"Interview", &TitleRecord::SetInterview, &TitleRecord::Interview},
        {"Trailer", &TitleRecord::SetTrailer, &TitleRecord::Trailer},
        {"DeletedScenes", &TitleRecord::SetDeletedScenes, &TitleRecord::DeletedScenes},
        {"Featurette", &TitleRecord::SetFeaturette, &TitleRecord::Featurette},
        {"Commentary", &TitleRecord::SetCommentary, &TitleRecord::Commentary},
        {"NotesPhotosBio", &TitleRecord::SetNotesPhotosBio, &TitleRecord::NotesPhotosBio},
        {"OtherExtras", &TitleRecord::SetOtherExtras, &TitleRecord::OtherExtras},
        {"Documentary", &TitleRecord::SetDocumentary, &TitleRecord::Documentary},
        {"Rotted", &TitleRecord::SetRotted, &TitleRecord::Rotted},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(std::string(f.name));
        const std::size_t at = DocumentedOffset(f.name);
        TitleRecord r;
        (r.*f.set)(true);
        EXPECT_EQ(r.bytes[at], 1);
        EXPECT_TRUE(OnlyBytesTouched(r, at, 1));
        EXPECT_TRUE((r.*f.get)());
        for (std::uint8_t other : {0x00, 0x02, 0x80, 0xFF}) {
            r.bytes[at] = other;
            EXPECT_FALSE((r.*f.get)()) << "byte value " << int{other};
        }
        r.bytes[at] = 0xFF;
        (r.*f.set)(false);
        EXPECT_EQ(r.bytes[at], 0);
    }
}

TEST(TitleRecordTest, DatesAreSignedAndPriceIsASingleFloat) {
    TitleRecord r;
    r.SetWatchDate(-2);
    EXPECT_EQ(r.bytes[145], 0xFE);
    EXPECT_EQ(r.bytes[146], 0xFF);
    EXPECT_EQ(r.bytes[147], 0xFF);
    EXPECT_EQ(r.bytes[148], 0xFF);
    EXPECT_TRUE(OnlyBytesTouched(r, 145, 4));
    EXPECT_EQ(r.WatchDate(), -2);

    TitleRecord b;
    b.SetBuyDate(0x01020304);
    EXPECT_EQ(b.bytes[153], 0x04);
    EXPECT_EQ(b.bytes[156], 0x01);
    EXPECT_TRUE(OnlyBytesTouched(b, 153, 4));
    EXPECT_EQ(b.BuyDate(), 0x01020304);

    TitleRecord p;
    p.SetPrice(12.5f); // 0x41480000
    EXPECT_EQ(p.bytes[149], 0x00);
    EXPECT_EQ(p.bytes[150], 0x00);
    EXPECT_EQ(p.bytes[151], 0x48);
    EXPECT_EQ(p.bytes[152], 0x41);
    EXPECT_TRUE(OnlyBytesTouched(p, 149, 4));
    EXPECT_FLOAT_EQ(p.Price(), 12.5f);
    p.SetPrice(19.99f);
    EXPECT_FLOAT_EQ(p.Price(), 19.99f);
}

TEST(TitleRecordTest, PublisherIsWrittenAsSixteenBitsAndReadFromItsLowByte) {
    TitleRecord r;
    r.SetPublisher(7);
    EXPECT_EQ(r.bytes[158], 7);
    EXPECT_EQ(r.bytes[159], 0);
    EXPECT_TRUE(OnlyBytesTouched(r, 158, 2));
    EXPECT_EQ(r.PublisherEntry(), 7);

    r.SetPublisher(254);
    EXPECT_EQ(r.PublisherStored(), 0x00FE);
    EXPECT_EQ(r.PublisherEntry(), 254);

    for (int none : {-1, 255, 300}) {
        r.SetPublisher(none);
        EXPECT_EQ(r.PublisherStored(), 0xFFFF) << none;
        EXPECT_EQ(r.PublisherEntry(), -1) << none;
    }

    r.SetU16(158, 0x00FF);
    EXPECT_EQ(r.Publisher(), NoPublisher);
    EXPECT_EQ(r.PublisherEntry(), -1);
    // A high byte left over from elsewhere does not count.
    r.SetU16(158, 0x0105);
    EXPECT_EQ(r.Publisher(), 5);
    EXPECT_EQ(r.PublisherEntry(), 5);
}

TEST(TitleRecordTest, TitleTextHoldsFortyNineCharactersAndItsNul) {
    TitleRecord r;
    r.bytes.fill(0xEE);
    const std::string full(49, 'X');
    r.SetTitle(full);
    for (std::size_t i = 0; i < 49; ++i)
        ASSERT_EQ(r.bytes[i], 'X') << i;
    EXPECT_EQ(r.bytes[49], 0);
    EXPECT_EQ(r.bytes[50], 0xEE) << "the year must not be touched";
    EXPECT_EQ(r.Title(), full);

    r.SetTitle(std::string(60, 'Y'));
    EXPECT_EQ(r.Title(), std::string(49, 'Y'));
    EXPECT_EQ(r.bytes[49], 0);
    EXPECT_EQ(r.bytes[50], 0xEE);

    // A shorter title leaves nothing of the longer one readable.
    r.SetTitle("ALIEN");
    EXPECT_EQ(r.Title(), "ALIEN");
    EXPECT_EQ(r.bytes[5], 0);

    // A file may fill all 50 bytes without a NUL: reading stops at the field's end.
    std::fill(r.bytes.begin(), r.bytes.begin() + 50, std::uint8_t{'Z'});
    EXPECT_EQ(r.Title(), std::string(50, 'Z'));

    // Bytes after the NUL are not part of the title.
    TitleRecord t = test::FilledRecord(3, "HEAT");
    EXPECT_EQ(t.Title(), "HEAT");
}

TEST(TitleRecordTest, EntryNumbersAboveTheLimitReadAsNone) {
    EXPECT_EQ(EntryFromStored(0), 0);
    EXPECT_EQ(EntryFromStored(65000), 65000);
    EXPECT_EQ(EntryFromStored(65001), -1);
    EXPECT_EQ(EntryFromStored(NoEntry), -1);
    EXPECT_EQ(StoredFromEntry(-1), NoEntry);
    EXPECT_EQ(StoredFromEntry(12), 12);
    EXPECT_EQ(StoredFromEntry(65001), NoEntry);
}

TEST(TitleRecordTest, ReservedBytesAreTheTwelveAfterColor) {
    TitleRecord r = test::FilledRecord(9, "T");
    const auto reserved = r.Reserved();
    ASSERT_EQ(reserved.size(), 12u);
    EXPECT_EQ(reserved.data(), r.bytes.data() + 121);
}

} // namespace
} // namespace tavrin
