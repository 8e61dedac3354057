// One title of the collection: a packed 160-byte little-endian record, byte for byte the same in
// memory, in collection files and in title files. Accessors read and write the bytes in place, so
// a record loaded from a file and written back is unchanged wherever no setter touched it.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr std::size_t TitleRecordSize = 160;
inline constexpr std::size_t TitleTextSize = 50;    // 49 characters and the NUL
inline constexpr std::uint16_t NoEntry = 0xFFFF;    // a name reference that names nothing
inline constexpr std::uint8_t NoPublisher = 0xFF;   // the same for the publisher's low byte
inline constexpr int MaxEntryNumber = 65000;        // stored references above this read as none
inline constexpr int DvdLanguageByteCount = 10;

// A stored 16-bit reference as a working entry number: -1 for none.
constexpr int EntryFromStored(std::uint16_t stored) { return stored > MaxEntryNumber ? -1 : stored; }
// A working entry number as stored: 0xFFFF for none.
constexpr std::uint16_t StoredFromEntry(int entry) {
    return entry < 0 || entry > MaxEntryNumber ? NoEntry : static_cast<std::uint16_t>(entry);
}

// The five actor slots and four multimedia slots, by position.
inline constexpr std::array<std::size_t, 5> ActorOffsets{57, 59, 61, 63, 65};
inline constexpr std::array<std::size_t, 4> MediaOffsets{88, 111, 113, 115};

struct TitleRecord {
    std::array<std::uint8_t, TitleRecordSize> bytes{};

    // Raw access, little-endian.
    std::uint8_t U8(std::size_t offset) const { return bytes[offset]; }
    void SetU8(std::size_t offset, std::uint8_t v) { bytes[offset] = v; }
    std::uint16_t U16(std::size_t offset) const {
        return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    }
    void SetU16(std::size_t offset, std::uint16_t v) {
        bytes[offset] = static_cast<std::uint8_t>(v & 0xFF);
        bytes[offset + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    std::int32_t I32(std::size_t offset) const {
        std::uint32_t v = static_cast<std::uint32_t>(bytes[offset]) |
                          static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
                          static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
                          static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
        return static_cast<std::int32_t>(v);
    }
    void SetI32(std::size_t offset, std::int32_t value) {
        auto v = static_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    float F32(std::size_t offset) const {
        auto bits = static_cast<std::uint32_t>(I32(offset));
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    void SetF32(std::size_t offset, float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        SetI32(offset, static_cast<std::int32_t>(bits));
    }
    // Flags are written as exactly 0 or 1 and read as set only when exactly 1.
    bool Flag(std::size_t offset) const { return bytes[offset] == 1; }
    void SetFlag(std::size_t offset, bool on) { bytes[offset] = on ? 1 : 0; }

    // Title text: up to the first NUL, at most 49 characters written (8-bit Windows-1252).
    std::string Title() const;
    std::string_view TitleView() const;
    void SetTitle(std::string_view text);

#define TAVRIN_U8_FIELD(Name, Offset)                                                                        \
    std::uint8_t Name() const { return bytes[Offset]; }                                                     \
    void Set##Name(std::uint8_t v) { bytes[Offset] = v; }
#define TAVRIN_U16_FIELD(Name, Offset)                                                                       \
    std::uint16_t Name() const { return U16(Offset); }                                                      \
    void Set##Name(std::uint16_t v) { SetU16(Offset, v); }
#define TAVRIN_FLAG_FIELD(Name, Offset)                                                                      \
    bool Name() const { return Flag(Offset); }                                                               \
    void Set##Name(bool on) { SetFlag(Offset, on); }
#define TAVRIN_I32_FIELD(Name, Offset)                                                                       \
    std::int32_t Name() const { return I32(Offset); }                                                       \
    void Set##Name(std::int32_t v) { SetI32(Offset, v); }

    TAVRIN_U16_FIELD(Year, 50)
    TAVRIN_U16_FIELD(Length, 52)
    TAVRIN_U8_FIELD(AspectRatio, 54)
    TAVRIN_U16_FIELD(Director, 55)
    TAVRIN_U16_FIELD(Actor1, 57)
    TAVRIN_U16_FIELD(Actor2, 59)
    TAVRIN_U16_FIELD(Actor3, 61)
    TAVRIN_U16_FIELD(Actor4, 63)
    TAVRIN_U16_FIELD(Actor5, 65)
    TAVRIN_U8_FIELD(Genre, 67)
    TAVRIN_U8_FIELD(Mpaa, 68)
    TAVRIN_U8_FIELD(FilmRating, 69)
    TAVRIN_U8_FIELD(PictureRating, 70)
    TAVRIN_U8_FIELD(SoundRating, 71)
    TAVRIN_U8_FIELD(CavSides, 72)
    TAVRIN_U8_FIELD(ClvSides, 73)
    TAVRIN_U8_FIELD(Standard, 74)
    TAVRIN_U8_FIELD(Sound, 75)
    TAVRIN_FLAG_FIELD(Thx, 76)
    TAVRIN_FLAG_FIELD(DirectorsCut, 77)
    TAVRIN_FLAG_FIELD(Subtitled, 78)
    TAVRIN_FLAG_FIELD(Dubbed, 79)
    TAVRIN_FLAG_FIELD(Ac3, 80)
    TAVRIN_FLAG_FIELD(Dts, 81)
    TAVRIN_FLAG_FIELD(Used, 82)
    TAVRIN_U16_FIELD(Box, 83)
    TAVRIN_U16_FIELD(Info, 85)
    TAVRIN_FLAG_FIELD(Widescreen169, 87)
    TAVRIN_U16_FIELD(Media1, 88)
    TAVRIN_U8_FIELD(Support, 90)
    TAVRIN_U8_FIELD(Zone, 91)
    TAVRIN_U8_FIELD(DvdSubtitles, 92)
    TAVRIN_U8_FIELD(DvdMpeg20, 93)
    TAVRIN_U8_FIELD(DvdMpeg51, 94)
    TAVRIN_U8_FIELD(DvdDd10, 95)
    TAVRIN_U8_FIELD(DvdDd20, 96)
    TAVRIN_U8_FIELD(DvdDd40, 97)
    TAVRIN_U8_FIELD(DvdDd51, 98)
    TAVRIN_U8_FIELD(DvdDts, 99)
    TAVRIN_U8_FIELD(DvdMpeg10, 100)
    TAVRIN_U8_FIELD(DvdPcm, 101)
    TAVRIN_U16_FIELD(ReviewNumber, 102)
    TAVRIN_FLAG_FIELD(PanScan, 104)
    TAVRIN_FLAG_FIELD(IsolatedScore, 105)
    TAVRIN_U16_FIELD(Info2, 106)
    TAVRIN_FLAG_FIELD(MultiAngle, 108)
    TAVRIN_U8_FIELD(Genre2, 109)
    TAVRIN_U8_FIELD(Trade, 110)
    TAVRIN_U16_FIELD(Media2, 111)
    TAVRIN_U16_FIELD(Media3, 113)
    TAVRIN_U16_FIELD(Media4, 115)
    TAVRIN_U16_FIELD(Retailer, 117)
    TAVRIN_FLAG_FIELD(Flipper, 119)
    TAVRIN_U8_FIELD(Color, 120)
    TAVRIN_FLAG_FIELD(Interview, 133)
    TAVRIN_FLAG_FIELD(Trailer, 134)
    TAVRIN_FLAG_FIELD(DeletedScenes, 135)
    TAVRIN_FLAG_FIELD(Featurette, 136)
    TAVRIN_FLAG_FIELD(Commentary, 137)
    TAVRIN_FLAG_FIELD(NotesPhotosBio, 138)
    TAVRIN_FLAG_FIELD(OtherExtras, 139)
    TAVRIN_FLAG_FIELD(Documentary, 140)
    TAVRIN_U16_FIELD(Viewings, 141)
    TAVRIN_U16_FIELD(Composer, 143)
    TAVRIN_I32_FIELD(WatchDate, 145)
    TAVRIN_I32_FIELD(BuyDate, 153)
    TAVRIN_FLAG_FIELD(Rotted, 157)

#undef TAVRIN_U8_FIELD
#undef TAVRIN_U16_FIELD
#undef TAVRIN_FLAG_FIELD
#undef TAVRIN_I32_FIELD

    float Price() const { return F32(149); }
    void SetPrice(float p) { SetF32(149, p); }

    // The publisher is written as 16 bits but read from its low byte alone; 0xFF is none.
    std::uint8_t Publisher() const { return bytes[158]; }
    std::uint16_t PublisherStored() const { return U16(158); }
    // Entry -1 (or 255 and above, which the low byte cannot carry) stores 0xFFFF.
    void SetPublisher(int entry) {
        SetU16(158, entry < 0 || entry >= NoPublisher ? NoEntry : static_cast<std::uint16_t>(entry));
    }

    // The twelve reserved bytes 121 .. 132, kept as loaded.
    std::span<const std::uint8_t, 12> Reserved() const { return std::span<const std::uint8_t, 12>(&bytes[121], 12); }

    // Working entry numbers (-1 for none) of the 16-bit references.
    int ActorEntry(int slot) const { return EntryFromStored(U16(ActorOffsets[slot])); }
    int PublisherEntry() const { return Publisher() == NoPublisher ? -1 : Publisher(); }

    friend bool operator==(const TitleRecord&, const TitleRecord&) = default;
};

static_assert(sizeof(TitleRecord) == TitleRecordSize);

// How a field is stored, for tools that walk every field by name.
enum class FieldKind { Text, U8, Flag, U16, I32, F32, Reserved, Publisher };

struct FieldInfo {
    std::string_view name;
    std::size_t offset;
    FieldKind kind;
};

// Every field of the record in offset order, under its documented name.
std::span<const FieldInfo> TitleFields();

} // namespace tavrin
