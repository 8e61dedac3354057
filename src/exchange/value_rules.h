// How a value written by another program, or typed into a spreadsheet, becomes a value of a
// title: texts, names, running times, dates, marks, prices and the code fields (medium, zone,
// standard, aspect ratio, colour, certification, genres, trade), the DVD audio and subtitle bytes
// and the extras. One module, used by every catalogue reader's landing and by the spreadsheet
// import. Input texts are UTF-8 unless a function says otherwise; results meant for a record are
// Windows-1252.
#pragma once

#include "store/day_number.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// ---- Texts and names ----

struct PlainText {
    std::string text;    // Windows-1252
    std::string changed; // the UTF-8 letters replaced by their plain letter or left out, each once
};
// A UTF-8 text in Windows-1252: every letter it holds kept, the others as their plain letter
// (ł → l, ō → o, ș → s, ấ → â, Œ kept) or, with no plain letter (中), left out. A letter written
// with a combining accent (e + U+0301) becomes the one letter (é); bytes that are no UTF-8 are
// left out and listed as U+FFFD.
PlainText ToPlainCp1252(std::string_view utf8);

// At most limit bytes, cut at the last blank that keeps it within (within a word only when the
// first word alone is longer), blanks at the end dropped. A text that fits is returned as it is.
std::string ShortenAtWord(std::string_view text, std::size_t limit = 49);

// The names of a cell that holds several: split at , ; / | and line breaks, never at blanks
// alone, each trimmed, empty ones dropped. "Harrison Ford, Karen Allen" → two names.
std::vector<std::string> SplitNames(std::string_view cell);
// The next of those names, taken off the front of cell with the separators before it; empty when
// none is left. SplitNames without a copy, for reading many cells.
std::string_view NextName(std::string_view& cell);

// ---- Numbers and dates ----

// Minutes: a bare number (seconds when bareSeconds), "H:MM:SS", "H:MM", "1h 47m", "1 h 47",
// "98 min", "98 mins", "98 minutes", "5400 s"; seconds round to the nearest minute, half up.
// Nothing when unreadable or negative.
std::optional<int> RunningMinutes(std::string_view text, bool bareSeconds = false);

// Which of two numbers comes first in a slash date.
enum class DateOrder { DayFirst, MonthFirst };
// YYYY-MM-DD, YYYY-MM-DDThh:mm:ss(.fff)Z (the date part), and D/M/YYYY or M/D/YYYY (by order,
// maybe followed by a time "h:mm:ss AM"); YYYY/MM/DD too. A year alone, an invalid date, a date
// followed by anything but a time, and 1899-12-30 (the empty date of some programs) are no date.
std::optional<DayNumber> ParseDate(std::string_view text, DateOrder order = DateOrder::DayFirst);
// A free text date (Tellico's purchase date): YYYY-MM-DD first, then slash forms with the day
// first when both orders give a date.
std::optional<DayNumber> ParseFreeDate(std::string_view text);
// A date from its parts; nothing when a part is missing (0) or out of range, and for 1899-12-30.
std::optional<DayNumber> DateFromParts(int year, int month, int day);

// A mark 0..5: value × 5 ÷ maximum, rounded half up; empty, 0, negative or unreadable give 0.
// "7" of 10 → 4; "65" of 100 → 3; "9 / 10" reads as 9.
int RatingMark(std::string_view value, double maximum);

struct ParsedPrice {
    float value = 0;
    bool namedCurrency = false; // a currency named by letters or a sign ("EUR", "$", "€")
};
// Currency symbols, letters and blanks before and after the number dropped, blanks between its
// groups too; with both . and , the last is the decimal mark; a lone mark followed by exactly
// three digits groups thousands, else it is the decimal mark; a mark used twice groups.
// "$19.99" → 19.99, "12,50 €" → 12.5, "EUR 1.299,00" → 1299, "1,299" → 1299, "-12.5" → -12.5.
// Nothing for letters inside the number, no digit, or a value a 4-byte float cannot hold to the
// cent.
std::optional<ParsedPrice> ParsePrice(std::string_view text);

// ---- Code fields ----

// An approximated or unreadable value keeps its original text for the review ("Medium:").
struct Coded {
    int code = 0;
    bool exact = true; // false: approximated, the original goes to the review text
};

// Support: LaserDisc, Laser Disc, LD → 0; DVD → 1; VHS → 2; Video CD, VideoCD, VCD → 3, case,
// blanks and hyphens ignored, and the media names in the five languages. Nothing for others.
std::optional<int> MediumByName(std::string_view text);
// The same, with anything else (Blu-ray, HD DVD, DivX ...) approximated as DVD; empty is DVD.
Coded MediumOf(std::string_view text);

// Zone of a DVD: "Region 2", "Zone 2", "2" → 2; 0, All, Free, all six → 0; several (as several
// texts or "1, 2"): the first, approximated; A–C, 7, 8 → 0 approximated. No region: 0, exact.
Coded ZoneOf(const std::vector<std::string>& regions);
// NTSC 0; PAL, PAL-M, PAL-N ... 1; SECAM 2; nothing for others.
std::optional<int> StandardOf(std::string_view text);

struct AspectLanding {
    int code = 0; // AspectRatio: the index in AspectRatioNames (0 is 1.33, a new title's)
    bool widescreen = false;
    bool panScan = false;
    bool exact = true; // false: several ratios, or none readable: the originals to the review
};
// The first ratio decides: "A:B", else a decimal between 1 and 3; 4:3, Full Frame, Fullscreen are
// 1.33; the nearest code (a tie takes the lower). Widescreen for 16:9, 16x9, "anamorphic", 1.77
// to 1.78; Pan & Scan for Pan & Scan, Full Frame, Fullscreen.
AspectLanding AspectOf(const std::vector<std::string>& ratios);

// Color 0; Black & White, Black And White, B&W 1; mixed (Color and B&W, Colorized, Mixed) 2.
std::optional<int> ColorOf(std::string_view text);

// Mpaa: a leading "USA:", "Rated " or "MPAA" and a trailing remark in parentheses dropped, then the
// US forms (NR 0, G/U 1, PG 2, PG-13 3, R 4, NC-17 5, X 6; "U (USA)" is unrated, 0) and the
// record's own 13, 16, 18, else by the age a text holds (≤5 1, 6–11 2, 12–14 7, 15–17 8,
// 18+ 9); exact only for the US forms and the record's own.
Coded CertificationOf(std::string_view text);
// GCstar's age: 0, 1 → 0; 2 → 1; 5 → 2; others by the number.
int CertificationOfAge(int age);

struct GenreLanding {
    int genre = 0, genre2 = 0;
    bool exact = true; // false: a name did not land; the original list goes to the review text
};
// Each name matched to a genre by its English name (any case, blanks and hyphens ignored), a
// synonym (Sci-Fi → Science Fiction, Animation → Animated ...) or its name in any of the five
// languages; a name with &, / or " and " split and each part matched; unmatched → Other. Genre is
// the first code, Genre2 the next different one; a third different one did not land either.
GenreLanding GenresOf(const std::vector<std::string>& names);

// Trade: Wish List, On Order, Ordered, "To buy" → 1; For Sale, "To sell" → 2 (the last two in
// the five languages); anything else 0.
int TradeOf(std::string_view text);

// ---- DVD audio and subtitles ----

// The language's bit in the DVD language bytes: Chinese 0, English 1, French 2, German 3,
// Italian 4, Japanese 5, Spanish 6 (with their own names: Français, Deutsch, 日本語 ...), other 7.
int LanguageBit(std::string_view language);

struct SourceAudio; // catalogue_source.h

// The ten DVD bytes (in record order from DvdSubtitles: DvdSubtitles, DvdMpeg20, DvdMpeg51,
// DvdDd10, DvdDd20, DvdDd40, DvdDd51, DvdDts, DvdMpeg10, DvdPcm) and the flags the tracks give.
struct AudioLanding {
    std::array<std::uint8_t, 10> dvd{};
    bool ac3 = false, dts = false, subtitled = false;
    int sound = 0;                        // Sound: mono 0, stereo 1, ultra stereo 2, DTS 3, surround 4
    std::vector<std::string> audioReview; // "Language (Format)" that no byte holds
    std::vector<std::string> subtitleReview;
};
// A track with a language and a format sets the format's byte (a Dolby Digital track that gives
// no channels is taken as 5.1); a lone language, a lone format, a format with no byte (TrueHD,
// Atmos), or a language of bit 7 (which sets bit 7 as well), goes to audioReview; subtitles of
// bit 7 to subtitleReview. On a title other than a DVD the bytes stay 0 and everything is listed;
// the flags and Sound are set on every medium.
AudioLanding AudioOf(const std::vector<SourceAudio>& tracks, const std::vector<std::string>& subtitles,
                     bool dvd);

struct ExtrasLanding {
    std::vector<std::string_view> flags; // field names of the record ("Commentary", "Thx" ...)
    std::vector<std::string> review;     // extras without a flag, for "Extras:"
};
// The texts our own exports give the record's flags ("Flipper", "Used", "Audio Commentary": see
// TellicoFeatures) set their flag exactly. DVD Profiler's feature names and Collectorz's texts: Commentary; Trailer (BonusTrailers);
// DeletedScenes (Outtakes); Featurette (MakingOf); Interview; NotesPhotosBio (PhotoGallery,
// ProductionNotes, biographies); Documentary; MultiAngle; Thx (THXCertified); IsolatedScore; other
// extras (MusicVideos, Game ... and any name not known) set OtherExtras and are listed; SceneAccess
// and ClosedCaptioned are ignored. Names are matched by the words they hold, so "Audio Commentary
// by the Director" sets Commentary.
ExtrasLanding ExtrasOf(const std::vector<std::string>& names);

} // namespace tavrin
