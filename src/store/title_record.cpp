#include "store/title_record.h"

#include <algorithm>

namespace tavrin {

std::string_view TitleRecord::TitleView() const {
    const auto* text = reinterpret_cast<const char*>(bytes.data());
    const auto* end = std::find(text, text + TitleTextSize, '\0');
    return {text, static_cast<std::size_t>(end - text)};
}

std::string TitleRecord::Title() const { return std::string(TitleView()); }

void TitleRecord::SetTitle(std::string_view text) {
    const std::size_t n = std::min(text.size(), TitleTextSize - 1);
    std::fill(bytes.begin(), bytes.begin() + TitleTextSize, std::uint8_t{0});
    std::copy_n(text.begin(), n, reinterpret_cast<char*>(bytes.data()));
}

std::span<const FieldInfo> TitleFields() {
    using K = FieldKind;
    static constexpr FieldInfo fields[] = {
        {"Title", 0, K::Text},           {"Year", 50, K::U16},           {"Length", 52, K::U16},
        {"AspectRatio", 54, K::U8},      {"Director", 55, K::U16},       {"Actor1", 57, K::U16},
        {"Actor2", 59, K::U16},          {"Actor3", 61, K::U16},         {"Actor4", 63, K::U16},
        {"Actor5", 65, K::U16},          {"Genre", 67, K::U8},           {"Mpaa", 68, K::U8},
        {"FilmRating", 69, K::U8},       {"PictureRating", 70, K::U8},   {"SoundRating", 71, K::U8},
        {"CavSides", 72, K::U8},         {"ClvSides", 73, K::U8},        {"Standard", 74, K::U8},
        {"Sound", 75, K::U8},            {"Thx", 76, K::Flag},           {"DirectorsCut", 77, K::Flag},
        {"Subtitled", 78, K::Flag},      {"Dubbed", 79, K::Flag},        {"Ac3", 80, K::Flag},
        {"Dts", 81, K::Flag},            {"Used", 82, K::Flag},          {"Box", 83, K::U16},
        {"Info", 85, K::U16},            {"Widescreen169", 87, K::Flag}, {"Media1", 88, K::U16},
        {"Support", 90, K::U8},          {"Zone", 91, K::U8},            {"DvdSubtitles", 92, K::U8},
        {"DvdMpeg20", 93, K::U8},        {"DvdMpeg51", 94, K::U8},       {"DvdDd10", 95, K::U8},
        {"DvdDd20", 96, K::U8},          {"DvdDd40", 97, K::U8},         {"DvdDd51", 98, K::U8},
        {"DvdDts", 99, K::U8},           {"DvdMpeg10", 100, K::U8},      {"DvdPcm", 101, K::U8},
        {"ReviewNumber", 102, K::U16},   {"PanScan", 104, K::Flag},      {"IsolatedScore", 105, K::Flag},
        {"Info2", 106, K::U16},          {"MultiAngle", 108, K::Flag},   {"Genre2", 109, K::U8},
        {"Trade", 110, K::U8},           {"Media2", 111, K::U16},        {"Media3", 113, K::U16},
        {"Media4", 115, K::U16},         {"Retailer", 117, K::U16},      {"Flipper", 119, K::Flag},
        {"Color", 120, K::U8},           {"Reserved", 121, K::Reserved}, {"Interview", 133, K::Flag},
        {"Trailer", 134, K::Flag},       {"DeletedScenes", 135, K::Flag}, {"Featurette", 136, K::Flag},
        {"Commentary", 137, K::Flag},    {"NotesPhotosBio", 138, K::Flag}, {"OtherExtras", 139, K::Flag},
        {"Documentary", 140, K::Flag},   {"Viewings", 141, K::U16},      {"Composer", 143, K::U16},
        {"WatchDate", 145, K::I32},      {"Price", 149, K::F32},         {"BuyDate", 153, K::I32},
        {"Rotted", 157, K::Flag},        {"Publisher", 158, K::Publisher},
    };
    return fields;
}

} // namespace tavrin
