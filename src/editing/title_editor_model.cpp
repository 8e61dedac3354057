#include "editing/title_editor_model.h"

#include "store/files/file_access.h"
#include "store/review_files.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace tavrin {
namespace {

constexpr std::array<EditorRefInfo, EditorRefCount> RefTable{{
    {"ADirector", "Button1", ListId::Director, Msg::MsgDirector},
    {"AComposer", "Button7", ListId::Composer, Msg::MsgComposer},
    {"ANomBox", "Button8", ListId::Box, Msg::MsgBoxNameOrMultiple},
    {"ANomInfo", "Button10", ListId::Info, Msg::MsgOtherInformations},
    {"ANomInfo2", "Button13", ListId::Info2, Msg::MsgOtherInformations},
    {"AEditeur", "Button11", ListId::Publisher, Msg::MsgPublisher},
    {"ANomBoutique", "Button9", ListId::Retailer, std::nullopt},
    {"AActor1", "Button2", ListId::Actor, Msg::MsgActor},
    {"AActor2", "Button3", ListId::Actor, Msg::MsgActor},
    {"AActor3", "Button4", ListId::Actor, Msg::MsgActor},
    {"AActor4", "Button5", ListId::Actor, Msg::MsgActor},
    {"AActor5", "Button6", ListId::Actor, Msg::MsgActor},
}};

// Record offsets of the references, in EditorRef order (the publisher has its own rule).
constexpr std::array<std::size_t, EditorRefCount> RefOffsets{
    U16Offset("Director"), U16Offset("Composer"), U16Offset("Box"),      U16Offset("Info"),
    U16Offset("Info2"),    PublisherOffset,       U16Offset("Retailer"), ActorOffsets[0],
    ActorOffsets[1],       ActorOffsets[2],       ActorOffsets[3],       ActorOffsets[4]};

constexpr std::array<EditorFlagInfo, EditorFlagCount> FlagTable{{
    {"ATHX", FlagOffset("Thx"), std::nullopt, "THX"},
    {"ADirectorCut", FlagOffset("DirectorsCut"), std::nullopt, "Director's Cut"},
    {"ASubtitled", FlagOffset("Subtitled"), Msg::MsgSubtitled, {}},
    {"ADubbed", FlagOffset("Dubbed"), Msg::MsgDubbed, {}},
    {"AAC3", FlagOffset("Ac3"), std::nullopt, "Dolby Digital"},
    {"ADTS", FlagOffset("Dts"), std::nullopt, "DTS Digital"},
    {"AUsed", FlagOffset("Used"), Msg::MsgUsed, {}},
    {"A169", FlagOffset("Widescreen169"), std::nullopt, "16/9"},
    {"APS", FlagOffset("PanScan"), Msg::MsgPSFullFrame, {}},
    {"AIsolated", FlagOffset("IsolatedScore"), Msg::MsgIsolatedMusicFx, {}},
    {"AMultiAngle", FlagOffset("MultiAngle"), std::nullopt, "Multi Angle"},
    {"AFlipper", FlagOffset("Flipper"), std::nullopt, "Flipper"},
    {"AInterview", FlagOffset("Interview"), std::nullopt, "Interview"},
    {"ATrailer", FlagOffset("Trailer"), Msg::MsgTrailer, {}},
    {"ADeletedScene", FlagOffset("DeletedScenes"), Msg::MsgDeletedScenes, {}},
    {"AFeaturette", FlagOffset("Featurette"), std::nullopt, "Featurette"},
    {"ACommentary", FlagOffset("Commentary"), Msg::MsgAudioCommentary, {}},
    {"AStillFrame", FlagOffset("NotesPhotosBio"), std::nullopt, "Notes/Photos/Bio"},
    {"ASupAutre", FlagOffset("OtherExtras"), Msg::MsgOther, {}},
    {"ADocumentary", FlagOffset("Documentary"), Msg::MsgDocumentary, {}},
    {"ARotted", FlagOffset("Rotted"), Msg::MsgDefectRotted, {}},
}};

std::string_view Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A whole number, optionally signed, blanks around it allowed; nothing for anything else.
std::optional<int> ParseInteger(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A decimal number with '.' or the user's separator; no exponent, no infinity.
std::optional<float> ParsePrice(std::string_view text, char separator) {
    std::string s(Trimmed(text));
    bool sawDigit = false, sawPoint = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char& ch = s[i];
        if (ch >= '0' && ch <= '9')
            sawDigit = true;
        else if ((ch == '.' || ch == separator) && !sawPoint) {
            ch = '.';
            sawPoint = true;
        } else if ((ch == '-' || ch == '+') && i == 0)
            continue;
        else
            return std::nullopt;
    }
    if (!sawDigit) return std::nullopt;
    if (s.front() == '+') s.erase(0, 1);
    double value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) return std::nullopt;
    // The field holds a 4-byte float: a price it cannot keep to the cent (99999999999999 would
    // come back as 999999995904) is refused rather than stored wrong.
    if (std::fabs(value) >= 1e12 ||
        std::llround(value * 100) != std::llround(static_cast<double>(single) * 100))
        return std::nullopt;
    return single;
}

std::optional<DayNumber> ParseDate(std::string_view day, std::string_view month, std::string_view year) {
    const auto d = ParseInteger(day), m = ParseInteger(month), y = ParseInteger(year);
    if (!d || !m || !y) return std::nullopt;
    return DayNumberFromDate(*y, *m, *d);
}

void SetDateTexts(DayNumber day, std::string& d, std::string& m, std::string& y) {
    const CivilDate date = DateFromDayNumber(day);
    d = std::to_string(date.day);
    m = std::to_string(date.month);
    y = std::to_string(date.year);
}

int CurrentYear(DayNumber today) {
    return DateFromDayNumber(today).year;
}

std::uint8_t ByteOf(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

struct FieldRule {
    EditorField field;
    Msg message;
};
constexpr FieldRule FieldRules[] = {
    {EditorField::AAnnee, Msg::MsgMovieYearInvalid},
    {EditorField::ADuree, Msg::MsgMovieLengthInvalid},
    {EditorField::ACAV, Msg::MsgCavSideInvalid},
    {EditorField::ACLV, Msg::MsgClvSideInvalid},
    {EditorField::APrix, Msg::MsgPriceInvalid},
    {EditorField::ADateVisionJ, Msg::MsgWatchDayInvalid},
    {EditorField::ADateVisionM, Msg::MsgWatchMonthInvalid},
    {EditorField::ADateVisionA, Msg::MsgWatchYearInvalid},
    {EditorField::ADateAchatJ, Msg::MsgBuyDayInvalid},
    {EditorField::ADateAchatM, Msg::MsgBuyMonthInvalid},
    {EditorField::ADateAchatA, Msg::MsgBuyYearInvalid},
};

} // namespace

const EditorRefInfo& RefInfo(EditorRef ref) {
    return RefTable[static_cast<std::size_t>(ref)];
}
const EditorFlagInfo& FlagInfo(EditorFlag flag) {
    return FlagTable[static_cast<std::size_t>(flag)];
}

void ClearEditor(TitleEditorModel& m, DayNumber today, int videoPreference) {
    const char separator = m.decimalSeparator;
    m = TitleEditorModel{};
    m.decimalSeparator = separator;
    m.AAnnee = std::to_string(CurrentYear(today));
    m.ADuree = m.ACAV = m.ACLV = "0";
    m.APrix = PriceText(0, separator);
    SetDateTexts(today, m.ADateVisionJ, m.ADateVisionM, m.ADateVisionA);
    SetDateTexts(today, m.ADateAchatJ, m.ADateAchatM, m.ADateAchatA);
    m.ASupport = videoPreference;
    m.refs.fill(-1);
    m.media.fill(-1);
}

void LoadTitleIntoEditor(TitleEditorModel& m, const Collection& c, std::size_t r,
                         const std::filesystem::path& textFolder) {
    if (r >= c.Count()) return;
    const TitleRecord& t = c.RecordAt(r);
    m.target = r;
    m.ATitre = t.Title();
    m.AAnnee = std::to_string(t.Year());
    m.ADuree = std::to_string(t.Length());
    m.ACAV = std::to_string(t.CavSides());
    m.ACLV = std::to_string(t.ClvSides());
    m.AAspectRatio = t.AspectRatio();
    m.AMPAA = t.Mpaa();
    m.AStandard = t.Standard();
    m.ASound = t.Sound();
    m.ASupport = t.Support();
    m.AZone = t.Zone();
    m.AAVendre = t.Trade();
    m.AColor = t.Color();
    // A genre beyond the list shows (and is saved) as the first one.
    m.AGenre = t.Genre() < GenreCount ? t.Genre() : 0;
    m.AGenre2 = t.Genre2() < GenreCount ? t.Genre2() : 0;
    m.ANoteFilm = t.FilmRating();
    m.ANoteImage = t.PictureRating();
    m.ANoteSon = t.SoundRating();
    m.ANbVision = t.Viewings();
    for (std::size_t f = 0; f < EditorFlagCount; ++f)
        m.flags[f] = t.Flag(FlagTable[f].offset);
    for (std::size_t i = 0; i < EditorRefCount; ++i)
        m.refs[i] = static_cast<EditorRef>(i) == EditorRef::Publisher ? t.PublisherEntry()
                                                                      : EntryFromStored(t.U16(RefOffsets[i]));
    for (std::size_t s = 0; s < EditorMediaSlots; ++s)
        m.media[s] = EntryFromStored(t.U16(MediaOffsets[s]));
    SetDateTexts(t.WatchDate(), m.ADateVisionJ, m.ADateVisionM, m.ADateVisionA);
    SetDateTexts(t.BuyDate(), m.ADateAchatJ, m.ADateAchatM, m.ADateAchatA);
    m.APrix = PriceText(t.Price(), m.decimalSeparator);
    if (const auto ticks = DvdTicksToShow(c, r)) m.dvd = *ticks;

    m.review.clear();
    if (t.ReviewNumber() != 0)
        if (auto text = ReadReviewText(ReviewFilePath(textFolder, t.TitleView(), t.ReviewNumber())))
            m.review = std::move(*text);
}

std::string& FieldText(TitleEditorModel& m, EditorField f) {
    switch (f) {
    case EditorField::AAnnee:
        return m.AAnnee;
    case EditorField::ADuree:
        return m.ADuree;
    case EditorField::ACAV:
        return m.ACAV;
    case EditorField::ACLV:
        return m.ACLV;
    case EditorField::APrix:
        return m.APrix;
    case EditorField::ADateVisionJ:
        return m.ADateVisionJ;
    case EditorField::ADateVisionM:
        return m.ADateVisionM;
    case EditorField::ADateVisionA:
        return m.ADateVisionA;
    case EditorField::ADateAchatJ:
        return m.ADateAchatJ;
    case EditorField::ADateAchatM:
        return m.ADateAchatM;
    case EditorField::ADateAchatA:
        return m.ADateAchatA;
    }
    return m.AAnnee;
}

std::optional<FieldProblem> CheckField(const TitleEditorModel& m, EditorField f, int currentYear) {
    bool ok = true;
    std::string reset = "1";
    switch (f) {
    case EditorField::AAnnee:
        ok = ParseInteger(m.AAnnee).has_value();
        reset = std::to_string(currentYear);
        break;
    case EditorField::ADuree: {
        // A negative count would be stored as some 65 000 minutes or 255 sides.
        const auto v = ParseInteger(m.ADuree);
        ok = v && *v >= 0 && *v <= 0xFFFF;
        reset = "0";
        break;
    }
    case EditorField::ACAV:
    case EditorField::ACLV: {
        const auto v = ParseInteger(f == EditorField::ACAV ? m.ACAV : m.ACLV);
        ok = v && *v >= 0;
        reset = "0";
        break;
    }
    case EditorField::APrix:
        ok = ParsePrice(m.APrix, m.decimalSeparator).has_value();
        reset = PriceText(0, m.decimalSeparator);
        break;
    case EditorField::ADateVisionJ:
    case EditorField::ADateVisionM:
    case EditorField::ADateVisionA:
        ok = ParseDate(m.ADateVisionJ, m.ADateVisionM, m.ADateVisionA).has_value();
        if (f == EditorField::ADateVisionA) reset = "1900";
        break;
    case EditorField::ADateAchatJ:
    case EditorField::ADateAchatM:
    case EditorField::ADateAchatA:
        ok = ParseDate(m.ADateAchatJ, m.ADateAchatM, m.ADateAchatA).has_value();
        if (f == EditorField::ADateAchatA) reset = std::to_string(currentYear);
        break;
    }
    if (ok) return std::nullopt;
    for (const FieldRule& rule : FieldRules)
        if (rule.field == f) return FieldProblem{rule.message, reset};
    return std::nullopt;
}

std::optional<Msg> LeaveField(TitleEditorModel& m, EditorField f, int currentYear) {
    auto problem = CheckField(m, f, currentYear);
    if (!problem) return std::nullopt;
    FieldText(m, f) = std::move(problem->resetTo);
    return problem->message;
}

std::string PriceText(float price, char decimalSeparator) {
    // to_chars, not printf: the C library's numeric locale (which the windows' toolkit sets from
    // the environment) must not decide the separator.
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(price),
                                         std::chars_format::fixed, 2);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

bool CanAddTitle(const Collection& c) {
    return c.Count() < TitleCapacity;
}

Expected<std::uint16_t, FileFailure> SaveReviewText(const std::filesystem::path& textFolder,
                                                    std::string_view typedTitle, std::uint16_t reviewNumber,
                                                    std::string_view text) {
    std::error_code ec;
    const auto fileOf = [&](std::uint16_t n) { return ReviewFilePath(textFolder, typedTitle, n); };
    if (reviewNumber != 0 && !std::filesystem::exists(fileOf(reviewNumber), ec)) reviewNumber = 0;
    if (reviewNumber == 0) {
        std::uint32_t n = 1;
        while (n <= 0xFFFF && std::filesystem::exists(fileOf(static_cast<std::uint16_t>(n)), ec))
            ++n;
        if (n > 0xFFFF)
            return Unexpected{
                FileFailure{FileError::CannotWrite, PathText(fileOf(0xFFFF)), SystemReason(EEXIST)}};
        reviewNumber = static_cast<std::uint16_t>(n);
    }
    // An empty text leaves any older file in place.
    if (text.empty()) return std::uint16_t{0};

    // Replaced whole, like every file the program writes: a failure keeps the older review.
    const auto file = fileOf(reviewNumber);
    if (auto written =
            WriteFileReplacing(file, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        !written)
        return Unexpected{written.error()};
    return reviewNumber;
}

Expected<SavedTitle, SaveProblem> SaveEditor(TitleEditorModel& m, Changes ch, const SaveContext& context) {
    const Collection& c = ch.Data();
    // A full store takes no new title: the record would land past its end.
    if (!m.target && !CanAddTitle(c))
        return Unexpected{SaveProblem{SaveError::CollectionFull, Msg::MsgAmazingCollectionButI, {}, {}}};
    if (m.target && *m.target >= c.Count())
        return Unexpected{SaveProblem{SaveError::NoTitle, Msg::MsgChooseATitleFirst, {}, {}}};
    if (Trimmed(m.ATitre).empty())
        return Unexpected{SaveProblem{SaveError::NoTitle, Msg::MsgThereSNoTitle, {}, {}}};

    // Each field was checked when it was left; a value typed and never left is checked here.
    const int currentYear = CurrentYear(context.today);
    for (const FieldRule& rule : FieldRules)
        if (const auto message = LeaveField(m, rule.field, currentYear))
            return Unexpected{SaveProblem{SaveError::BadField, *message, rule.field, {}}};

    TitleRecord t = m.target ? c.RecordAt(*m.target) : TitleRecord{};
    t.SetTitle(UpperCp1252(m.ATitre));
    t.SetYear(static_cast<std::uint16_t>(
        std::clamp(*ParseInteger(m.AAnnee), FirstFilmYear, std::max(currentYear, FirstFilmYear))));
    t.SetLength(static_cast<std::uint16_t>(*ParseInteger(m.ADuree)));
    t.SetCavSides(ByteOf(*ParseInteger(m.ACAV)));
    t.SetClvSides(ByteOf(*ParseInteger(m.ACLV)));
    t.SetAspectRatio(ByteOf(m.AAspectRatio));
    t.SetMpaa(ByteOf(m.AMPAA));
    t.SetStandard(ByteOf(m.AStandard));
    t.SetSound(ByteOf(m.ASound));
    t.SetSupport(ByteOf(m.ASupport));
    t.SetZone(ByteOf(m.AZone));
    t.SetTrade(ByteOf(m.AAVendre));
    t.SetColor(ByteOf(m.AColor));
    t.SetGenre(ByteOf(m.AGenre));
    t.SetGenre2(ByteOf(m.AGenre2));
    t.SetFilmRating(ByteOf(std::clamp(m.ANoteFilm, 0, MaxMark)));
    t.SetPictureRating(ByteOf(std::clamp(m.ANoteImage, 0, MaxMark)));
    t.SetSoundRating(ByteOf(std::clamp(m.ANoteSon, 0, MaxMark)));
    t.SetViewings(static_cast<std::uint16_t>(std::clamp(m.ANbVision, 0, MaxViewings)));
    for (std::size_t f = 0; f < EditorFlagCount; ++f)
        t.SetFlag(FlagTable[f].offset, m.flags[f]);
    for (std::size_t i = 0; i < EditorRefCount; ++i) {
        if (static_cast<EditorRef>(i) == EditorRef::Publisher)
            t.SetPublisher(m.refs[i]);
        else
            t.SetU16(RefOffsets[i], StoredFromEntry(m.refs[i]));
    }
    for (std::size_t s = 0; s < EditorMediaSlots; ++s)
        t.SetU16(MediaOffsets[s], StoredFromEntry(m.media[s]));
    t.SetPrice(*ParsePrice(m.APrix, m.decimalSeparator));
    t.SetWatchDate(*ParseDate(m.ADateVisionJ, m.ADateVisionM, m.ADateVisionA));
    t.SetBuyDate(*ParseDate(m.ADateAchatJ, m.ADateAchatM, m.ADateAchatA));
    PackDvdTicks(t, m.dvd, m.ASupport);

    if (context.saveText) {
        const std::string_view text = std::string_view(m.review).substr(0, ReviewTextLimit);
        // The file is named from the title as stored, the name the view and the next load use.
        // A renamed title's old number belongs to its old name: under the new name the same
        // number may be another title's file, which must not be overwritten.
        const bool sameFile =
            m.target && ReviewFileStem(c.RecordAt(*m.target).TitleView()) == ReviewFileStem(t.TitleView());
        const auto number =
            SaveReviewText(context.textFolder, t.TitleView(), sameFile ? t.ReviewNumber() : 0, text);
        if (!number)
            return Unexpected{
                SaveProblem{SaveError::ReviewNotWritten, Msg::MsgCouldNotWriteUnchanged, {}, number.error()}};
        t.SetReviewNumber(*number);
    }

    if (!m.target) {
        const auto added = AddTitle(
            ch, t, context.duplicate ? ChangeKind::DuplicateTitle : ChangeKind::AddTitle, context.shown);
        if (!added)
            return Unexpected{SaveProblem{SaveError::CollectionFull, Msg::MsgAmazingCollectionButI, {}, {}}};
        return SavedTitle{*added, true};
    }
    const std::size_t r = *m.target;
    const bool moved = c.RecordAt(r).TitleView() != t.TitleView();
    EditTitle(ch, r, t);
    return SavedTitle{r, moved};
}

std::string ReviewLinesFromFile(std::string_view fileText) {
    std::string out;
    out.reserve(fileText.size());
    for (std::size_t i = 0; i < fileText.size(); ++i)
        if (!(fileText[i] == '\r' && i + 1 < fileText.size() && fileText[i + 1] == '\n')) out += fileText[i];
    return out;
}

std::string ReviewLinesForFile(std::string_view editorText) {
    std::string out;
    out.reserve(editorText.size() + editorText.size() / 16);
    for (std::size_t i = 0; i < editorText.size(); ++i) {
        if (editorText[i] == '\n' && (i == 0 || editorText[i - 1] != '\r')) out += '\r';
        out += editorText[i];
    }
    return out;
}

void ForgetRemovedEntry(TitleEditorModel& m, ListId list, int position) {
    const auto forget = [position](int& ref) {
        if (ref == position)
            ref = -1;
        else if (ref > position)
            --ref;
    };
    for (std::size_t i = 0; i < EditorRefCount; ++i)
        if (RefTable[i].list == list) forget(m.refs[i]);
    if (list != ListId::Media) return;
    // Marked first, so that a lowered reference is not taken for the removed one.
    constexpr int Removed = -2;
    for (int& slot : m.media)
        slot = slot == position ? Removed : slot > position ? slot - 1 : slot;
    for (std::size_t s = EditorMediaSlots; s-- > 0;)
        if (m.media[s] == Removed) RemoveMediaSlot(m, s);
}

std::size_t UsedMediaSlots(const TitleEditorModel& m) {
    return static_cast<std::size_t>(
        std::count_if(m.media.begin(), m.media.end(), [](int v) { return v >= 0; }));
}

std::optional<std::size_t> MediaSlotOfLine(const TitleEditorModel& m, std::size_t line) {
    for (std::size_t s = 0; s < EditorMediaSlots; ++s)
        if (m.media[s] >= 0 && line-- == 0) return s;
    return std::nullopt;
}

void RemoveMediaSlot(TitleEditorModel& m, std::size_t slot) {
    if (slot >= EditorMediaSlots) return;
    std::copy(m.media.begin() + static_cast<std::ptrdiff_t>(slot) + 1, m.media.end(),
              m.media.begin() + static_cast<std::ptrdiff_t>(slot));
    m.media.back() = -1;
}

bool AddMediaSlot(TitleEditorModel& m, int entry) {
    const std::size_t used = UsedMediaSlots(m);
    if (used >= EditorMediaSlots) return false;
    std::size_t slot = used;
    if (m.media[slot] >= 0)
        slot = static_cast<std::size_t>(std::find(m.media.begin(), m.media.end(), -1) - m.media.begin());
    if (slot >= EditorMediaSlots) return false;
    m.media[slot] = entry;
    return true;
}

bool DeleteCurrentTitle(Changes ch, std::size_t r) {
    if (r >= ch.Data().Count()) return false;
    DeleteTitle(ch, r);
    return true;
}

} // namespace tavrin
