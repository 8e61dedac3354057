// One title of the collection: a packed 160-byte little-endian record, byte for byte the same in
// memory, in collection files and in title files. Accessors read and write the bytes in place, so
// a record loaded from a file and written back is unchanged wherever no setter touched it.
#pragma once

#include "store/title_fields.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr std::uint16_t NoEntry = 0xFFFF;  // a name reference that names nothing
inline constexpr std::uint8_t NoPublisher = 0xFF; // the same for the publisher's low byte
inline constexpr int MaxEntryNumber = 65000;      // stored references above this read as none
inline constexpr int DvdLanguageByteCount = 10;   // DvdSubtitles .. DvdPcm, one after the other
static_assert(FieldOffset("DvdPcm") + 1 - FieldOffset("DvdSubtitles") == DvdLanguageByteCount);

inline constexpr std::size_t PriceOffset = FieldOffset("Price", FieldKind::F32);
inline constexpr std::size_t PublisherOffset = FieldOffset("Publisher", FieldKind::Publisher);
inline constexpr std::size_t ReservedOffset = FieldOffset("Reserved", FieldKind::Reserved);

// A stored 16-bit reference as a working entry number: -1 for none.
constexpr int EntryFromStored(std::uint16_t stored) { return stored > MaxEntryNumber ? -1 : stored; }
// A working entry number as stored: 0xFFFF for none.
constexpr std::uint16_t StoredFromEntry(int entry) {
    return entry < 0 || entry > MaxEntryNumber ? NoEntry : static_cast<std::uint16_t>(entry);
}

// The five actor slots and four multimedia slots, by position.
inline constexpr std::array<std::size_t, 5> ActorOffsets{
    U16Offset("Actor1"), U16Offset("Actor2"), U16Offset("Actor3"), U16Offset("Actor4"), U16Offset("Actor5")};
inline constexpr std::array<std::size_t, 4> MediaOffsets{U16Offset("Media1"), U16Offset("Media2"),
                                                         U16Offset("Media3"), U16Offset("Media4")};

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

    float Price() const { return F32(PriceOffset); }
    void SetPrice(float p) { SetF32(PriceOffset, p); }

    // The publisher is written as 16 bits but read from its low byte alone; 0xFF is none.
    std::uint8_t Publisher() const { return bytes[PublisherOffset]; }
    std::uint16_t PublisherStored() const { return U16(PublisherOffset); }
    // Entry -1 (or 255 and above, which the low byte cannot carry) stores 0xFFFF.
    void SetPublisher(int entry) {
        SetU16(PublisherOffset,
               entry < 0 || entry >= NoPublisher ? NoEntry : static_cast<std::uint16_t>(entry));
    }

    // The reserved bytes, kept as loaded.
    std::span<const std::uint8_t, ReservedByteCount> Reserved() const {
        return std::span<const std::uint8_t, ReservedByteCount>(&bytes[ReservedOffset], ReservedByteCount);
    }

    // The publisher's working entry number: -1 for none.
    int PublisherEntry() const { return Publisher() == NoPublisher ? -1 : Publisher(); }

    // Each accessor finds its bytes in TitleFieldTable by its own name, as the kind it reads.
    // clang-format off
#define TAVRIN_U8_FIELD(Name)                                                                                \
    std::uint8_t Name() const { return bytes[FieldOffset(#Name, FieldKind::U8)]; }                          \
    void Set##Name(std::uint8_t v) { bytes[FieldOffset(#Name, FieldKind::U8)] = v; }
#define TAVRIN_U16_FIELD(Name)                                                                               \
    std::uint16_t Name() const { return U16(FieldOffset(#Name, FieldKind::U16)); }                          \
    void Set##Name(std::uint16_t v) { SetU16(FieldOffset(#Name, FieldKind::U16), v); }
#define TAVRIN_FLAG_FIELD(Name)                                                                              \
    bool Name() const { return Flag(FieldOffset(#Name, FieldKind::Flag)); }                                  \
    void Set##Name(bool on) { SetFlag(FieldOffset(#Name, FieldKind::Flag), on); }
#define TAVRIN_I32_FIELD(Name)                                                                               \
    std::int32_t Name() const { return I32(FieldOffset(#Name, FieldKind::I32)); }                           \
    void Set##Name(std::int32_t v) { SetI32(FieldOffset(#Name, FieldKind::I32), v); }

    TAVRIN_U16_FIELD(Year)
    TAVRIN_U16_FIELD(Length)
    TAVRIN_U8_FIELD(AspectRatio)
    TAVRIN_U16_FIELD(Director)
    TAVRIN_U16_FIELD(Actor1)
    TAVRIN_U16_FIELD(Actor2)
    TAVRIN_U16_FIELD(Actor3)
    TAVRIN_U16_FIELD(Actor4)
    TAVRIN_U16_FIELD(Actor5)
    TAVRIN_U8_FIELD(Genre)
    TAVRIN_U8_FIELD(Mpaa)
    TAVRIN_U8_FIELD(FilmRating)
    TAVRIN_U8_FIELD(PictureRating)
    TAVRIN_U8_FIELD(SoundRating)
    TAVRIN_U8_FIELD(CavSides)
    TAVRIN_U8_FIELD(ClvSides)
    TAVRIN_U8_FIELD(Standard)
    TAVRIN_U8_FIELD(Sound)
    TAVRIN_FLAG_FIELD(Thx)
    TAVRIN_FLAG_FIELD(DirectorsCut)
    TAVRIN_FLAG_FIELD(Subtitled)
    TAVRIN_FLAG_FIELD(Dubbed)
    TAVRIN_FLAG_FIELD(Ac3)
    TAVRIN_FLAG_FIELD(Dts)
    TAVRIN_FLAG_FIELD(Used)
    TAVRIN_U16_FIELD(Box)
    TAVRIN_U16_FIELD(Info)
    TAVRIN_FLAG_FIELD(Widescreen169)
    TAVRIN_U16_FIELD(Media1)
    TAVRIN_U8_FIELD(Support)
    TAVRIN_U8_FIELD(Zone)
    TAVRIN_U8_FIELD(DvdSubtitles)
    TAVRIN_U8_FIELD(DvdMpeg20)
    TAVRIN_U8_FIELD(DvdMpeg51)
    TAVRIN_U8_FIELD(DvdDd10)
    TAVRIN_U8_FIELD(DvdDd20)
    TAVRIN_U8_FIELD(DvdDd40)
    TAVRIN_U8_FIELD(DvdDd51)
    TAVRIN_U8_FIELD(DvdDts)
    TAVRIN_U8_FIELD(DvdMpeg10)
    TAVRIN_U8_FIELD(DvdPcm)
    TAVRIN_U16_FIELD(ReviewNumber)
    TAVRIN_FLAG_FIELD(PanScan)
    TAVRIN_FLAG_FIELD(IsolatedScore)
    TAVRIN_U16_FIELD(Info2)
    TAVRIN_FLAG_FIELD(MultiAngle)
    TAVRIN_U8_FIELD(Genre2)
    TAVRIN_U8_FIELD(Trade)
    TAVRIN_U16_FIELD(Media2)
    TAVRIN_U16_FIELD(Media3)
    TAVRIN_U16_FIELD(Media4)
    TAVRIN_U16_FIELD(Retailer)
    TAVRIN_FLAG_FIELD(Flipper)
    TAVRIN_U8_FIELD(Color)
    TAVRIN_FLAG_FIELD(Interview)
    TAVRIN_FLAG_FIELD(Trailer)
    TAVRIN_FLAG_FIELD(DeletedScenes)
    TAVRIN_FLAG_FIELD(Featurette)
    TAVRIN_FLAG_FIELD(Commentary)
    TAVRIN_FLAG_FIELD(NotesPhotosBio)
    TAVRIN_FLAG_FIELD(OtherExtras)
    TAVRIN_FLAG_FIELD(Documentary)
    TAVRIN_U16_FIELD(Viewings)
    TAVRIN_U16_FIELD(Composer)
    TAVRIN_I32_FIELD(WatchDate)
    TAVRIN_I32_FIELD(BuyDate)
    TAVRIN_FLAG_FIELD(Rotted)

#undef TAVRIN_U8_FIELD
#undef TAVRIN_U16_FIELD
#undef TAVRIN_FLAG_FIELD
#undef TAVRIN_I32_FIELD
    // clang-format on

    friend bool operator==(const TitleRecord&, const TitleRecord&) = default;
};

static_assert(sizeof(TitleRecord) == TitleRecordSize);

} // namespace tavrin
