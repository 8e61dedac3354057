#include "exchange/value_rules.h"

#include "exchange/catalogue_source.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using Texts = std::vector<std::string>;

TEST(ValueRulesTest, TextsBecomeWindows1252AndNamesSplitAtTheirSeparators) {
    const std::pair<std::string_view, PlainText> plain[] = {
        {"\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         {"L\xF3"
          "dz",
          "\xC5\x81\xC5\xBA"}},                               // Łódź: ó is kept
        {"T\xC5\x8Dky\xC5\x8D", {"Tokyo", "\xC5\x8D"}},       // ō, listed once
        {"\xC5\x92uvre \xE2\x82\xAC", {"\x8Cuvre \x80", ""}}, // Œ and € are held
        {"\xC8\x98"
         "tefan \xC8\x9B"
         "ar\xC4\x83",
         {"Stefan tara", "\xC8\x98\xC8\x9B\xC4\x83"}},
        {"Ph\xE1\xBA\xA5n", {"Ph\xE2n", "\xE1\xBA\xA5"}}, // ấ → â
        {"Rene\xCC\x81", {"Ren\xE9", ""}},                // e + combining acute
        {"\xC4\xB3s", {"ijs", "\xC4\xB3"}},
        {"\xE4\xB8\xAD"
         "A",
         {"A", "\xE4\xB8\xAD"}},
        {"A\xFF"
         "B",
         {"AB", "\xEF\xBF\xBD"}},
    };
    for (const auto& [utf8, expected] : plain) {
        const PlainText got = ToPlainCp1252(utf8);
        EXPECT_EQ(got.text, expected.text) << utf8;
        EXPECT_EQ(got.changed, expected.changed) << utf8;
    }

    const std::tuple<std::string_view, std::size_t, std::string_view> shortened[] = {
        {"HARBOUR OF GLASS", 49, "HARBOUR OF GLASS"},
        {"THE LONG ROAD HOME", 13, "THE LONG ROAD"}, // the blank falls just after the limit
        {"THE LONG ROAD HOME", 12, "THE LONG"},
        {"ABCDEFGHIJ KL", 5, "ABCDE"}, // the first word alone is longer
        {"AB   CD", 4, "AB"},
    };
    for (const auto& [text, limit, expected] : shortened)
        EXPECT_EQ(ShortenAtWord(text, limit), expected) << text;

    const std::pair<std::string_view, Texts> names[] = {
        {"Harrison Ford", {"Harrison Ford"}},
        {"Harrison Ford, Karen Allen", {"Harrison Ford", "Karen Allen"}},
        {" A ; B/C |D\r\nE\n", {"A", "B", "C", "D", "E"}},
        {" , ;", {}},
    };
    for (const auto& [cell, expected] : names)
        EXPECT_EQ(SplitNames(cell), expected) << cell;
}

TEST(ValueRulesTest, ReadsRunningTimesDatesMarksAndPrices) {
    const std::tuple<std::string_view, bool, std::optional<int>> lengths[] = {
        {"98", false, 98},
        {"6420", true, 107},
        {"1:47:00", false, 107},
        {"1:46:30", false, 107},
        {"1:47", false, 107},
        {"1h 47m", false, 107},
        {"1 h 47", false, 107},
        {"98 mins", false, 98},
        {"98 minutes", false, 98},
        {"98 min.", false, 98},
        {"5400 s", false, 90},
        {"-5", false, std::nullopt},
        {"soon", false, std::nullopt},
        {"47m 1h", false, std::nullopt},
        {"1:7", false, std::nullopt},
    };
    for (const auto& [text, seconds, expected] : lengths)
        EXPECT_EQ(RunningMinutes(text, seconds), expected) << text;

    constexpr auto Day = [](int y, int m, int d) { return DayNumberFromDate(y, m, d); };
    const std::tuple<std::string_view, DateOrder, std::optional<DayNumber>> dates[] = {
        {"2000-01-01", DateOrder::DayFirst, 36526},
        {"2003-06-21T00:00:00.000Z", DateOrder::DayFirst, Day(2003, 6, 21)},
        {"2003/06/21", DateOrder::MonthFirst, Day(2003, 6, 21)},
        {"14/02/2003", DateOrder::DayFirst, Day(2003, 2, 14)},
        {"3/4/2004 9:32:10 PM", DateOrder::MonthFirst, Day(2004, 3, 4)},
        {"3/4/2004", DateOrder::DayFirst, Day(2004, 4, 3)},
        {"1994", DateOrder::DayFirst, std::nullopt},
        {"1899-12-30", DateOrder::DayFirst, std::nullopt},
        {"2001-02-29", DateOrder::DayFirst, std::nullopt},
        {"2000-01-01 maybe", DateOrder::DayFirst, std::nullopt},
        {"01.01.2000", DateOrder::DayFirst, std::nullopt},
    };
    for (const auto& [text, order, expected] : dates)
        EXPECT_EQ(ParseDate(text, order), expected) << text;
    EXPECT_EQ(ParseFreeDate("12/31/2004"), Day(2004, 12, 31)); // only the month-first order fits
    EXPECT_EQ(ParseFreeDate("03/04/2004"), Day(2004, 4, 3));   // both fit: the day first
    EXPECT_EQ(DateFromParts(2003, 0, 21), std::nullopt);

    const std::tuple<std::string_view, double, int> marks[] = {
        {"7", 10, 4},  {"65", 100, 3}, {"9 / 10", 10, 5}, {"3", 5, 3},     {"0", 10, 0},
        {"-1", 10, 0}, {"", 10, 0},    {"12", 10, 5},     {"good", 10, 0}, {"4,5", 10, 2},
    };
    for (const auto& [value, maximum, expected] : marks)
        EXPECT_EQ(RatingMark(value, maximum), expected) << value << " of " << maximum;

    const std::tuple<std::string_view, std::optional<float>, bool> prices[] = {
        {"$19.99", 19.99f, true},           {"12,50 \xE2\x82\xAC", 12.5f, true},
        {"EUR 1.299,00", 1299.f, true},     {"1,299", 1299.f, false},
        {"1,234.50", 1234.5f, false},       {"1 299,00", 1299.f, false},
        {"-12.5", -12.5f, false},           {"12,5\x80", 12.5f, true},
        {"12abc34", std::nullopt, false},   {"EUR", std::nullopt, false},
        {"1.2.3,4,5", std::nullopt, false}, {"123456789.12", std::nullopt, false},
    };
    for (const auto& [text, value, named] : prices) {
        const auto price = ParsePrice(text);
        ASSERT_EQ(price.has_value(), value.has_value()) << text;
        if (!price) continue;
        EXPECT_FLOAT_EQ(price->value, *value) << text;
        EXPECT_EQ(price->namedCurrency, named) << text;
    }
}

TEST(ValueRulesTest, MediumZoneAndStandardByTheirNames) {
    const std::pair<std::string_view, std::optional<int>> media[] = {
        {"LaserDisc", 0},
        {"Laser Disc", 0},
        {" ld ", 0},
        {"Bildplatte", 0},
        {"DVD", 1},
        {"VHS", 2},
        {"Videokasetti", 2},
        {"Video CD", 3},
        {"VideoCD", 3},
        {"vcd", 3},
        {"CD vid\xC3\xA9o", 3},
        {"CD vid\xE9o", 3},
        {"Blu-ray", std::nullopt},
        {"DVD-R", std::nullopt},
    };
    for (const auto& [text, code] : media)
        EXPECT_EQ(MediumByName(text), code) << text;
    const std::tuple<std::string_view, int, bool> landed[] = {
        {"", 1, true}, {"Video CD", 3, true}, {"Blu-ray", 1, false}, {"HD DVD", 1, false}};
    for (const auto& [text, code, exact] : landed) {
        EXPECT_EQ(MediumOf(text).code, code) << text;
        EXPECT_EQ(MediumOf(text).exact, exact) << text;
    }

    const std::tuple<Texts, int, bool> zones[] = {
        {{}, 0, true},          {{"Zone 2"}, 2, true},       {{"Region 2"}, 2, true},
        {{"2"}, 2, true},       {{"Region Free"}, 0, true},  {{"1", "2", "3", "4", "5", "6"}, 0, true},
        {{"2", "4"}, 2, false}, {{"Region 1, 2"}, 1, false}, {{"A"}, 0, false},
        {{"8"}, 0, false},
    };
    for (const auto& [regions, code, exact] : zones) {
        const Coded zone = ZoneOf(regions);
        EXPECT_EQ(zone.code, code) << testing::PrintToString(regions);
        EXPECT_EQ(zone.exact, exact) << testing::PrintToString(regions);
    }

    const std::pair<std::string_view, std::optional<int>> standards[] = {
        {"NTSC", 0}, {"pal", 1}, {"PAL-M", 1}, {"SECAM", 2}, {"Digital", std::nullopt}};
    for (const auto& [text, code] : standards)
        EXPECT_EQ(StandardOf(text), code) << text;
}

TEST(ValueRulesTest, AspectRatiosLandOnTheNearestCode) {
    struct Case {
        Texts ratios;
        int code;
        bool widescreen, panScan, exact;
    };
    const Case cases[] = {
        {{"1.78:1"}, 3, true, false, true},
        {{"16:9"}, 3, true, false, true},
        {{"2.40:1"}, 6, false, false, true},
        {{"2.20"}, 5, false, false, true},
        {{"Widescreen (2.40:1, Anamorphic)"}, 6, true, false, true},
        {{"Full Frame"}, 0, false, true, true},
        {{"4:3"}, 0, false, false, true},
        {{"1.85"}, 4, false, false, true},
        {{"1,66:1"}, 1, false, false, true},
        {{"2.35:1", "Pan & Scan"}, 6, false, true, false},
        {{"Letterbox"}, 0, false, false, false},
        {{}, 0, false, false, true},
    };
    for (const Case& c : cases) {
        const AspectLanding a = AspectOf(c.ratios);
        const std::string trace = testing::PrintToString(c.ratios);
        EXPECT_EQ(a.code, c.code) << trace;
        EXPECT_EQ(a.widescreen, c.widescreen) << trace;
        EXPECT_EQ(a.panScan, c.panScan) << trace;
        EXPECT_EQ(a.exact, c.exact) << trace;
    }
}

TEST(ValueRulesTest, CertificationColourAndTradeByTheirTexts) {
    const std::tuple<std::string_view, int, bool> certifications[] = {
        {"PG-13 (Parental Guidance)", 3, true},
        {"U (USA)", 0, true},
        {"R (USA)", 4, true},
        {"USA:PG", 2, true},
        {"Rated R", 4, true},
        {"Not Rated", 0, true},
        {"NC-17", 5, true},
        {"XXX", 6, true},
        {"16", 8, true},
        {"FSK 16", 8, false},
        {"12A", 7, false},
        {"6", 2, false},
        {"U", 1, true},
        {"TV-MA", 0, false},
        {"", 0, true},
    };
    for (const auto& [text, code, exact] : certifications) {
        EXPECT_EQ(CertificationOf(text).code, code) << text;
        EXPECT_EQ(CertificationOf(text).exact, exact) << text;
    }
    const std::pair<int, int> ages[] = {{0, 0}, {1, 0}, {2, 1}, {5, 2}, {10, 2}, {12, 7}, {16, 8}, {21, 9}};
    for (const auto& [age, code] : ages)
        EXPECT_EQ(CertificationOfAge(age), code) << age;

    const std::pair<std::string_view, std::optional<int>> colours[] = {
        {"Color", 0},     {"Black And White", 1}, {"B&W", 1},
        {"Colorized", 2}, {"Noir & Blanc", 1},    {"Sepia", std::nullopt}};
    for (const auto& [text, code] : colours)
        EXPECT_EQ(ColorOf(text), code) << text;

    const std::pair<std::string_view, int> trades[] = {{"Wish List", 1}, {"On Order", 1}, {"For Sale", 2},
                                                       {"A vendre", 2},  {"Owned", 0},    {"", 0}};
    for (const auto& [text, code] : trades)
        EXPECT_EQ(TradeOf(text), code) << text;
}

TEST(ValueRulesTest, GenresByNameSynonymAndLanguage) {
    const std::tuple<Texts, int, int, bool> cases[] = {
        {{"Mystery", "Drama"}, 15, 10, true},
        {{"sci-fi", "SciFi"}, 19, 0, true}, // the same genre twice is one
        {{"Action & Adventure"}, 1, 2, true},
        {{"Crime/Thriller"}, 6, 22, true},
        {{"X / Erotic"}, 26, 0, true},
        {{"Com\xC3\xA9"
          "die",
          "Horreur"},
         5,
         13,
         true},
        {{"Animation", "Family"}, 3, 4, true},
        {{"Film-Noir"}, 6, 0, true},
        {{"Slasher", "Horror"}, 0, 13, false},
        {{"Drama", "War", "Western"}, 10, 24, false},
        {{}, 0, 0, true},
    };
    for (const auto& [names, genre, genre2, exact] : cases) {
        const GenreLanding g = GenresOf(names);
        const std::string trace = testing::PrintToString(names);
        EXPECT_EQ(g.genre, genre) << trace;
        EXPECT_EQ(g.genre2, genre2) << trace;
        EXPECT_EQ(g.exact, exact) << trace;
    }
}

TEST(ValueRulesTest, AudioTracksSetTheirDvdBytesAndTheRestIsListed) {
    const std::pair<std::string_view, int> languages[] = {{"English", 1},
                                                          {"Fran\xC3\xA7"
                                                           "ais",
                                                           2},
                                                          {"Deutsch", 3},
                                                          {"Mandarin Chinese", 0},
                                                          {"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 5},
                                                          {"Castellano", 6},
                                                          {"Italiano (Original)", 4},
                                                          {"Dutch", 7}};
    for (const auto& [name, bit] : languages)
        EXPECT_EQ(LanguageBit(name), bit) << name;

    const std::vector<SourceAudio> tracks{
        {"English", "Dolby Digital 5.1", ""},
        {"French", "Dolby Digital", "2-Channel Stereo"},
        {"English", "DTS", "5.1"},
        {"German", "PCM", ""},
        {"English", "Dolby TrueHD", "7.1"},
        {"Dutch", "Dolby Digital 5.1", ""},
        {"Italian", "", ""},
        {"", "MPEG 2.0", ""},
    };
    const Texts subtitles{"English", "Swedish"};
    const AudioLanding dvd = AudioOf(tracks, subtitles, true);
    // Subtitles, Mpeg20, Mpeg51, Dd10, Dd20, Dd40, Dd51, Dts, Mpeg10, Pcm.
    EXPECT_EQ(dvd.dvd, (std::array<std::uint8_t, 10>{0x82, 0, 0, 0, 0x04, 0, 0x82, 0x02, 0, 0x08}));
    EXPECT_TRUE(dvd.ac3);
    EXPECT_TRUE(dvd.dts);
    EXPECT_TRUE(dvd.subtitled);
    EXPECT_EQ(dvd.sound, 3);
    EXPECT_EQ(dvd.audioReview,
              (Texts{"English (Dolby TrueHD 7.1)", "Dutch (Dolby Digital 5.1)", "Italian", "MPEG 2.0"}));
    EXPECT_EQ(dvd.subtitleReview, Texts{"Swedish"});

    const AudioLanding ld = AudioOf({{"English", "Dolby Digital", "Dolby Surround"}}, {"French"}, false);
    EXPECT_EQ(ld.dvd, (std::array<std::uint8_t, 10>{}));
    EXPECT_TRUE(ld.ac3);
    EXPECT_EQ(ld.sound, 4);
    EXPECT_EQ(ld.audioReview, Texts{"English (Dolby Digital Dolby Surround)"});
    EXPECT_EQ(ld.subtitleReview, Texts{"French"});
    EXPECT_EQ(AudioOf({{"English", "Mono", ""}}, {}, false).sound, 0);
}

TEST(ValueRulesTest, ExtrasSetTheirFlagsAndTheOthersAreListed) {
    const ExtrasLanding e = ExtrasOf({"Commentary", "BonusTrailers", "Outtakes", "MakingOf", "PhotoGallery",
                                      "THXCertified", "SceneAccess", "ClosedCaptioned", "MusicVideos",
                                      "Audio Commentary by the Director", "Game"});
    EXPECT_EQ(e.flags, (std::vector<std::string_view>{"Commentary", "Trailer", "DeletedScenes", "Featurette",
                                                      "NotesPhotosBio", "Thx", "OtherExtras"}));
    EXPECT_EQ(e.review, (Texts{"MusicVideos", "Game"}));
}

} // namespace
} // namespace tavrin
