// The fields of the 160-byte title record: the one table that says where each field sits and how
// it is stored. Everything else finds a field's bytes through this table, by the name tavrin-cli
// dump prints for it, so a field cannot be read at one offset and written at another.
#pragma once

#include <cstddef>
#include <iterator>
#include <span>
#include <string_view>

namespace tavrin {

inline constexpr std::size_t TitleRecordSize = 160;
inline constexpr std::size_t TitleTextSize = 50;     // 49 characters and the NUL
inline constexpr std::size_t ReservedByteCount = 12; // kept as loaded, never read or written

// How a field is stored, for tools that walk every field by name.
enum class FieldKind { Text, U8, Flag, U16, I32, F32, Reserved, Publisher };

constexpr std::size_t FieldWidth(FieldKind kind) {
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
        return ReservedByteCount;
    }
    return 0;
}

struct FieldInfo {
    std::string_view name;
    std::size_t offset;
    FieldKind kind;
};

// Every field of the record in offset order, under its documented name. The names are what
// tavrin-cli dump prints and from-json reads: renaming one breaks files users keep.
inline constexpr FieldInfo TitleFieldTable[] = {
    {"Title", 0, FieldKind::Text},
    {"Year", 50, FieldKind::U16},
    {"Length", 52, FieldKind::U16},
    {"AspectRatio", 54, FieldKind::U8},
    {"Director", 55, FieldKind::U16},
    {"Actor1", 57, FieldKind::U16},
    {"Actor2", 59, FieldKind::U16},
    {"Actor3", 61, FieldKind::U16},
    {"Actor4", 63, FieldKind::U16},
    {"Actor5", 65, FieldKind::U16},
    {"Genre", 67, FieldKind::U8},
    {"Mpaa", 68, FieldKind::U8},
    {"FilmRating", 69, FieldKind::U8},
    {"PictureRating", 70, FieldKind::U8},
    {"SoundRating", 71, FieldKind::U8},
    {"CavSides", 72, FieldKind::U8},
    {"ClvSides", 73, FieldKind::U8},
    {"Standard", 74, FieldKind::U8},
    {"Sound", 75, FieldKind::U8},
    {"Thx", 76, FieldKind::Flag},
    {"DirectorsCut", 77, FieldKind::Flag},
    {"Subtitled", 78, FieldKind::Flag},
    {"Dubbed", 79, FieldKind::Flag},
    {"Ac3", 80, FieldKind::Flag},
    {"Dts", 81, FieldKind::Flag},
    {"Used", 82, FieldKind::Flag},
    {"Box", 83, FieldKind::U16},
    {"Info", 85, FieldKind::U16},
    {"Widescreen169", 87, FieldKind::Flag},
    {"Media1", 88, FieldKind::U16},
    {"Support", 90, FieldKind::U8},
    {"Zone", 91, FieldKind::U8},
    {"DvdSubtitles", 92, FieldKind::U8},
    {"DvdMpeg20", 93, FieldKind::U8},
    {"DvdMpeg51", 94, FieldKind::U8},
    {"DvdDd10", 95, FieldKind::U8},
    {"DvdDd20", 96, FieldKind::U8},
    {"DvdDd40", 97, FieldKind::U8},
    {"DvdDd51", 98, FieldKind::U8},
    {"DvdDts", 99, FieldKind::U8},
    {"DvdMpeg10", 100, FieldKind::U8},
    {"DvdPcm", 101, FieldKind::U8},
    {"ReviewNumber", 102, FieldKind::U16},
    {"PanScan", 104, FieldKind::Flag},
    {"IsolatedScore", 105, FieldKind::Flag},
    {"Info2", 106, FieldKind::U16},
    {"MultiAngle", 108, FieldKind::Flag},
    {"Genre2", 109, FieldKind::U8},
    {"Trade", 110, FieldKind::U8},
    {"Media2", 111, FieldKind::U16},
    {"Media3", 113, FieldKind::U16},
    {"Media4", 115, FieldKind::U16},
    {"Retailer", 117, FieldKind::U16},
    {"Flipper", 119, FieldKind::Flag},
    {"Color", 120, FieldKind::U8},
    {"Reserved", 121, FieldKind::Reserved},
    {"Interview", 133, FieldKind::Flag},
    {"Trailer", 134, FieldKind::Flag},
    {"DeletedScenes", 135, FieldKind::Flag},
    {"Featurette", 136, FieldKind::Flag},
    {"Commentary", 137, FieldKind::Flag},
    {"NotesPhotosBio", 138, FieldKind::Flag},
    {"OtherExtras", 139, FieldKind::Flag},
    {"Documentary", 140, FieldKind::Flag},
    {"Viewings", 141, FieldKind::U16},
    {"Composer", 143, FieldKind::U16},
    {"WatchDate", 145, FieldKind::I32},
    {"Price", 149, FieldKind::F32},
    {"BuyDate", 153, FieldKind::I32},
    {"Rotted", 157, FieldKind::Flag},
    {"Publisher", 158, FieldKind::Publisher},
};

// The table as a span, for walking every field (dump, from-json, column mappings).
constexpr std::span<const FieldInfo> TitleFields() {
    return TitleFieldTable;
}

namespace detail {

// Fails to compile (a throw is no constant expression) when the table has no such name.
consteval const FieldInfo& FindField(std::string_view name) {
    for (const auto& field : TitleFieldTable)
        if (field.name == name) return field;
    throw "no field of that name in TitleFieldTable";
}

consteval bool FieldsFillTheRecord() {
    std::size_t next = 0;
    for (const auto& field : TitleFieldTable) {
        if (field.offset != next) return false; // out of order, overlapping or leaving a gap
        next = field.offset + FieldWidth(field.kind);
    }
    return next == TitleRecordSize;
}

consteval bool FieldNamesAreUnique() {
    for (std::size_t i = 0; i < std::size(TitleFieldTable); ++i)
        for (std::size_t j = i + 1; j < std::size(TitleFieldTable); ++j)
            if (TitleFieldTable[i].name == TitleFieldTable[j].name) return false;
    return true;
}

} // namespace detail

static_assert(detail::FieldsFillTheRecord(), "the fields must follow each other over the whole record");
static_assert(detail::FieldNamesAreUnique(), "a field name must name one field");

// A field's offset by its name, worked out while compiling: FieldOffset("Director") is 55, and
// a misspelt name does not compile.
consteval std::size_t FieldOffset(std::string_view name) {
    return detail::FindField(name).offset;
}
// The same, checking the field is stored as kind: reading a field at the wrong width does not
// compile either.
consteval std::size_t FieldOffset(std::string_view name, FieldKind kind) {
    const FieldInfo& field = detail::FindField(name);
    if (field.kind != kind) throw "the field is stored as another kind";
    return field.offset;
}
// Shorthands for the tables that list fields of one kind.
consteval std::size_t U8Offset(std::string_view name) {
    return FieldOffset(name, FieldKind::U8);
}
consteval std::size_t FlagOffset(std::string_view name) {
    return FieldOffset(name, FieldKind::Flag);
}
consteval std::size_t U16Offset(std::string_view name) {
    return FieldOffset(name, FieldKind::U16);
}

} // namespace tavrin
