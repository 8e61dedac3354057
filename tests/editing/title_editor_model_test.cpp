#include "editing/title_editor_model.h"

#include "store/review_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace tavrin {
namespace {

// The editor's OK on a collection whose history nobody reads.
Expected<SavedTitle, SaveProblem> Save(TitleEditorModel& m, Collection& c, const SaveContext& context) {
    return test::ChangeOf(c, [&](Changes ch) { return SaveEditor(m, ch, context); });
}

const DayNumber Today = *DayNumberFromDate(2024, 6, 15);

// A record with every field the editor knows set to a value other than its default.
TitleRecord RichRecord(std::string_view title) {
    TitleRecord r = test::MakeTitle(title, 1979);
    r.SetLength(117);
    r.SetAspectRatio(6);
    r.SetDirector(2);
    r.SetActor1(0);
    r.SetActor3(4);
    r.SetGenre(19);
    r.SetGenre2(13);
    r.SetMpaa(4);
    r.SetFilmRating(5);
    r.SetPictureRating(3);
    r.SetSoundRating(4);
    r.SetCavSides(1);
    r.SetClvSides(2);
    r.SetStandard(1);
    r.SetSound(4);
    r.SetThx(true);
    r.SetDubbed(true);
    r.SetUsed(true);
    r.SetBox(1);
    r.SetInfo(3);
    r.SetWidescreen169(true);
    r.SetMedia1(0);
    r.SetMedia3(1);
    r.SetSupport(SupportDvd);
    r.SetZone(2);
    r.SetDvdSubtitles(0x83);
    r.SetDvdDd51(0x06);
    r.SetPanScan(true);
    r.SetMultiAngle(true);
    r.SetInfo2(0);
    r.SetTrade(2);
    r.SetRetailer(5);
    r.SetFlipper(true);
    r.SetColor(2);
    r.SetCommentary(true);
    r.SetDocumentary(true);
    r.SetViewings(12);
    r.SetComposer(1);
    r.SetWatchDate(*DayNumberFromDate(2020, 2, 29));
    r.SetPrice(24.99f);
    r.SetBuyDate(*DayNumberFromDate(1999, 12, 31));
    r.SetRotted(true);
    r.SetPublisher(7);
    return r;
}

SaveContext Context(bool saveText = false, std::filesystem::path folder = {}) {
    return SaveContext{Today, saveText, std::move(folder), false, std::nullopt};
}

TitleEditorModel NewTitle(std::string_view title) {
    TitleEditorModel m;
    ClearEditor(m, Today, 0);
    m.ATitre = title;
    return m;
}

TEST(EditorClearTest, ControlsTakeTheirDefaults) {
    TitleEditorModel m;
    m.ATitre = "OLD";
    m[EditorFlag::ATHX] = true;
    m.Ref(EditorRef::Director) = 3;
    m.dvd[0][0] = true;
    m.review = "text";
    ClearEditor(m, Today, 2);
    EXPECT_EQ(m.ATitre, "");
    EXPECT_EQ(m.AAnnee, "2024");
    EXPECT_EQ(m.ADuree, "0");
    EXPECT_EQ(m.APrix, "0.00");
    EXPECT_EQ(m.ADateAchatJ + "/" + m.ADateAchatM + "/" + m.ADateAchatA, "15/6/2024");
    EXPECT_EQ(m.ADateVisionJ + "/" + m.ADateVisionM + "/" + m.ADateVisionA, "15/6/2024");
    EXPECT_EQ(m.ASupport, 2);
    EXPECT_FALSE(m[EditorFlag::ATHX]);
    for (int ref : m.refs)
        EXPECT_EQ(ref, -1);
    for (int slot : m.media)
        EXPECT_EQ(slot, -1);
    EXPECT_EQ(m.dvd, DvdTicks{});
    EXPECT_EQ(m.review, "");
    EXPECT_FALSE(m.target.has_value());
}

TEST(EditorRoundTripTest, EveryFieldSurvivesLoadAndSave) {
    Collection c;
    TitleRecord rich = RichRecord("ALIEN");
    // Bytes the editor does not own stay as they were.
    for (std::size_t b = 121; b < 133; ++b)
        rich.SetU8(b, static_cast<std::uint8_t>(b));
    rich.SetReviewNumber(9);
    AppendTitle(c, rich);

    TitleEditorModel m;
    ClearEditor(m, Today, 0);
    LoadTitleIntoEditor(m, c, 0, "/nonexistent");
    EXPECT_EQ(m.target, std::optional<std::size_t>(0));
    EXPECT_EQ(m.Ref(EditorRef::Publisher), 7);
    EXPECT_EQ(m.Ref(EditorRef::Actor2), -1);
    EXPECT_EQ(m.APrix, "24.99");
    EXPECT_EQ(m.ADateVisionJ + "/" + m.ADateVisionM + "/" + m.ADateVisionA, "29/2/2020");

    const auto saved = Save(m, c, Context());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->record, 0u);
    EXPECT_FALSE(saved->placed);
    EXPECT_EQ(c.titles[0], rich);
}

TEST(EditorRoundTripTest, NewTitleStoresTypedValues) {
    Collection c;
    TitleEditorModel m = NewTitle("blade runner");
    m.AAnnee = "1850";
    m.ACAV = "300";
    m.ACLV = "2";
    m.decimalSeparator = ',';
    m.APrix = "12,5";
    m.ADateAchatJ = "1";
    m.ADateAchatM = "1";
    m.ADateAchatA = "2000";
    m.Ref(EditorRef::Publisher) = -1;
    m.Ref(EditorRef::Director) = 4;
    m.media = {2, -1, -1, -1};
    ASSERT_TRUE(Save(m, c, Context()).has_value());

    const TitleRecord& t = c.titles[0];
    EXPECT_EQ(t.Title(), "BLADE RUNNER");
    EXPECT_EQ(t.Year(), 1890);
    EXPECT_EQ(m.AAnnee, "1850"); // the field keeps what was typed
    EXPECT_EQ(t.CavSides(), 44); // low byte of 300
    EXPECT_EQ(t.ClvSides(), 2);
    EXPECT_FLOAT_EQ(t.Price(), 12.5f);
    EXPECT_EQ(t.BuyDate(), 36526);
    EXPECT_EQ(t.WatchDate(), Today);
    EXPECT_EQ(t.PublisherStored(), 0xFFFF);
    EXPECT_EQ(t.Director(), 4);
    EXPECT_EQ(t.Composer(), NoEntry);
    EXPECT_EQ(t.Media1(), 2);
    EXPECT_EQ(t.Media2(), NoEntry);
    EXPECT_EQ(t.ReviewNumber(), 0);
    for (std::size_t b = 121; b < 133; ++b)
        EXPECT_EQ(t.U8(b), 0);
}

TEST(EditorRoundTripTest, YearAfterThisYearIsStoredAsThisYear) {
    Collection c;
    TitleEditorModel m = NewTitle("FUTURE");
    m.AAnnee = "2090";
    ASSERT_TRUE(Save(m, c, Context()).has_value());
    EXPECT_EQ(c.titles[0].Year(), 2024);
}

TEST(EditorRoundTripTest, GenreAboveTheLastCodeShowsAsTheFirstAndLoadingWritesNothing) {
    Collection c;
    TitleRecord r = test::MakeTitle("A");
    r.SetGenre(40);
    r.SetGenre2(12);
    AppendTitle(c, r);
    TitleEditorModel m;
    LoadTitleIntoEditor(m, c, 0, {});
    EXPECT_EQ(c.titles[0].Genre(), 40);
    EXPECT_EQ(m.AGenre, 0);
    EXPECT_EQ(m.AGenre2, 12);
}

TEST(EditorRoundTripTest, DvdBytesFollowTheMediumAtSave) {
    Collection c;
    AppendTitle(c, RichRecord("A"));
    TitleEditorModel m;
    LoadTitleIntoEditor(m, c, 0, {});
    EXPECT_TRUE(m.dvd[0][7]); // OSub from 0x83
    m.dvd[1][2] = true;       // French MPEG 2.0
    ASSERT_TRUE(Save(m, c, Context()).has_value());
    EXPECT_EQ(c.titles[0].DvdMpeg20(), 0x04);
    EXPECT_EQ(c.titles[0].DvdSubtitles(), 0x83);

    m.ASupport = 2; // now a VHS: the ticks stay in the panel but nothing is stored
    ASSERT_TRUE(Save(m, c, Context()).has_value());
    for (std::size_t b = 92; b <= 101; ++b)
        EXPECT_EQ(c.titles[0].U8(b), 0);
}

struct FieldCase {
    EditorField field;
    const char* bad;
    Msg message;
    const char* reset;
};

TEST(FieldCheckTest, EachFieldHasItsMessageAndResetValue) {
    const FieldCase cases[] = {
        {EditorField::AAnnee, "19x5", Msg::MsgMovieYearInvalid, "2024"},
        {EditorField::ADuree, "", Msg::MsgMovieLengthInvalid, "0"},
        {EditorField::ACAV, "two", Msg::MsgCavSideInvalid, "0"},
        {EditorField::ACLV, "1.5", Msg::MsgClvSideInvalid, "0"},
        {EditorField::APrix, "12.5.0", Msg::MsgPriceInvalid, "0.00"},
        {EditorField::ADateVisionJ, "32", Msg::MsgWatchDayInvalid, "1"},
        {EditorField::ADateVisionM, "13", Msg::MsgWatchMonthInvalid, "1"},
        {EditorField::ADateVisionA, "", Msg::MsgWatchYearInvalid, "1900"},
        {EditorField::ADateAchatJ, "0", Msg::MsgBuyDayInvalid, "1"},
        {EditorField::ADateAchatM, "x", Msg::MsgBuyMonthInvalid, "1"},
        {EditorField::ADateAchatA, "99999", Msg::MsgBuyYearInvalid, "2024"},
    };
    for (const FieldCase& fc : cases) {
        TitleEditorModel m = NewTitle("A");
        EXPECT_EQ(LeaveField(m, fc.field, 2024), std::nullopt) << "default of " << fc.bad;
        FieldText(m, fc.field) = fc.bad;
        EXPECT_EQ(LeaveField(m, fc.field, 2024), std::optional<Msg>(fc.message)) << fc.bad;
        EXPECT_EQ(FieldText(m, fc.field), fc.reset);
        EXPECT_EQ(LeaveField(m, fc.field, 2024), std::nullopt) << "reset value of " << fc.bad << " converts";
    }
}

TEST(FieldCheckTest, ImpossibleDateFailsInWhicheverFieldIsLeft) {
    TitleEditorModel m = NewTitle("A");
    m.ADateAchatJ = "31";
    m.ADateAchatM = "2";
    m.ADateAchatA = "2001";
    EXPECT_EQ(CheckField(m, EditorField::ADateAchatM, 2024)->message, Msg::MsgBuyMonthInvalid);
    EXPECT_EQ(LeaveField(m, EditorField::ADateAchatJ, 2024), std::optional<Msg>(Msg::MsgBuyDayInvalid));
    EXPECT_EQ(m.ADateAchatJ, "1");
    EXPECT_EQ(m.ADateAchatM, "2");
    // 29 February exists in leap years only.
    m.ADateVisionJ = "29";
    m.ADateVisionM = "2";
    m.ADateVisionA = "2023";
    EXPECT_TRUE(CheckField(m, EditorField::ADateVisionA, 2024).has_value());
    m.ADateVisionA = "2024";
    EXPECT_FALSE(CheckField(m, EditorField::ADateVisionA, 2024).has_value());
}

TEST(FieldCheckTest, NegativeCountsAreRefused) {
    TitleEditorModel m = NewTitle("A");
    m.ADuree = "-5";
    m.ACAV = "-1";
    EXPECT_TRUE(CheckField(m, EditorField::ADuree, 2024).has_value());
    EXPECT_TRUE(CheckField(m, EditorField::ACAV, 2024).has_value());
    m.ADuree = " 95 ";
    EXPECT_FALSE(CheckField(m, EditorField::ADuree, 2024).has_value());
}

TEST(FieldCheckTest, PriceAcceptsEitherSeparatorButNothingElse) {
    TitleEditorModel m = NewTitle("A");
    m.decimalSeparator = ',';
    for (const char* good : {"12,50", "12.50", "7", "-3,5", ",5", "99999,99", "16777216"}) {
        m.APrix = good;
        EXPECT_FALSE(CheckField(m, EditorField::APrix, 2024).has_value()) << good;
    }
    // The last three the 4-byte field cannot hold to the cent.
    for (const char* bad :
         {"", "1e3", "inf", "12,5,0", "12 50", "-", "99999999999999", "123456789.01", "200000.01"}) {
        m.APrix = bad;
        EXPECT_TRUE(CheckField(m, EditorField::APrix, 2024).has_value()) << bad;
    }
    EXPECT_EQ(PriceText(24.5f, ','), "24,50");
    EXPECT_EQ(PriceText(99999.99f, '.'), "99999.99");
    EXPECT_EQ(PriceText(-3.456f, '.'), "-3.46");
    EXPECT_EQ(PriceText(16777216.0f, ','), "16777216,00");
}

TEST(FieldCheckTest, SaveChecksFieldsThatWereNeverLeft) {
    Collection c;
    TitleEditorModel m = NewTitle("A");
    m.ADateVisionJ = "31";
    m.ADateVisionM = "4";
    const auto saved = Save(m, c, Context());
    ASSERT_FALSE(saved.has_value());
    EXPECT_EQ(saved.error().error, SaveError::BadField);
    EXPECT_EQ(saved.error().message, Msg::MsgWatchDayInvalid);
    EXPECT_EQ(m.ADateVisionJ, "1");
    EXPECT_EQ(c.Count(), 0u);
}

TEST(EditorSaveTest, EmptyTitleStoresNothing) {
    Collection c = test::MakeCollection({"A"});
    for (const char* title : {"", "   "}) {
        TitleEditorModel m = NewTitle(title);
        const auto saved = Save(m, c, Context());
        ASSERT_FALSE(saved.has_value());
        EXPECT_EQ(saved.error().message, Msg::MsgThereSNoTitle);
    }
    EXPECT_EQ(c.Count(), 1u);
}

TEST(EditorSaveTest, NewTitleIsPlacedInTitleOrder) {
    Collection c = test::MakeCollection({"ALIEN", "ZULU"});
    c.EarliestBuyDate = Today;
    TitleEditorModel m = NewTitle("MATRIX");
    m.ADateAchatA = "1998";
    const auto saved = Save(m, c, Context());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->record, 2u);
    EXPECT_TRUE(saved->placed);
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{0, 2, 1}));
    EXPECT_EQ(c.EarliestBuyDate, *DayNumberFromDate(1998, 6, 15));
}

TEST(EditorSaveTest, EditKeepsItsPlaceUnlessTheTitleChanges) {
    Collection c = test::MakeCollection({"ALIEN", "MATRIX", "ZULU"});
    TitleEditorModel m;
    LoadTitleIntoEditor(m, c, 0, {});
    m.ADuree = "116";
    auto saved = Save(m, c, Context());
    ASSERT_TRUE(saved.has_value());
    EXPECT_FALSE(saved->placed);
    EXPECT_EQ(c.titles[0].Length(), 116);
    EXPECT_EQ(c.Count(), 3u);

    m.ATitre = "STALKER";
    saved = Save(m, c, Context());
    ASSERT_TRUE(saved.has_value());
    EXPECT_TRUE(saved->placed);
    EXPECT_EQ(saved->record, 0u);
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{1, 0, 2}));
}

TEST(EditorSaveTest, DuplicateAppendsACopyAndLeavesTheSource) {
    Collection c;
    AppendTitle(c, RichRecord("ALIEN"));
    AppendTitle(c, test::MakeTitle("BRAZIL"));
    TitleEditorModel m;
    // What the editor does for Duplicate: the title loaded, with nothing to replace.
    LoadTitleIntoEditor(m, c, 0, {});
    m.target.reset();
    const auto saved = Save(m, c, Context());
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->record, 2u);
    EXPECT_TRUE(saved->placed);
    EXPECT_EQ(c.titles[2], c.titles[0]);
    EXPECT_EQ(c.titles[0], RichRecord("ALIEN"));
    EXPECT_EQ(c.ListeIndex.size(), 3u);
    EXPECT_EQ(c.ListeIndex[2], 1); // BRAZIL after both ALIENs
}

TEST(EditorSaveTest, FullStoreTakesNoNewTitleButEditsStillSave) {
    Collection c;
    c.titles.resize(TitleCapacity, test::MakeTitle("X"));
    EXPECT_FALSE(CanAddTitle(c));
    TitleEditorModel m = NewTitle("ONE TOO MANY");
    const auto refused = Save(m, c, Context());
    ASSERT_FALSE(refused.has_value());
    EXPECT_EQ(refused.error().error, SaveError::CollectionFull);
    EXPECT_EQ(refused.error().message, Msg::MsgAmazingCollectionButI);
    EXPECT_EQ(c.Count(), TitleCapacity);

    c.titles.pop_back();
    EXPECT_TRUE(CanAddTitle(c));
    c.titles.push_back(test::MakeTitle("X"));
    m.target = 5;
    EXPECT_TRUE(Save(m, c, Context()).has_value());
    EXPECT_EQ(c.titles[5].Title(), "ONE TOO MANY");
}

TEST(EditorReferenceTest, RemovedEntryClearsEqualAndShiftsHigherReferences) {
    TitleEditorModel m = NewTitle("A");
    m.Ref(EditorRef::Actor1) = 3;
    m.Ref(EditorRef::Actor2) = 5;
    m.Ref(EditorRef::Actor3) = 1;
    m.Ref(EditorRef::Director) = 5;
    m.media = {3, 4, -1, -1};
    ForgetRemovedEntry(m, ListId::Actor, 3);
    EXPECT_EQ(m.Ref(EditorRef::Actor1), -1);
    EXPECT_EQ(m.Ref(EditorRef::Actor2), 4);
    EXPECT_EQ(m.Ref(EditorRef::Actor3), 1);
    EXPECT_EQ(m.Ref(EditorRef::Actor4), -1);
    EXPECT_EQ(m.Ref(EditorRef::Director), 5); // another list
    EXPECT_EQ(m.media, (std::array<int, 4>{3, 4, -1, -1}));
    // The slot that held it goes, and the later ones move up, as "-" does.
    ForgetRemovedEntry(m, ListId::Media, 3);
    EXPECT_EQ(m.media, (std::array<int, 4>{3, -1, -1, -1}));
}

TEST(EditorMediaSlotTest, AddAndRemoveFillFromTheFront) {
    TitleEditorModel m = NewTitle("A");
    m.media.fill(-1);
    for (int entry : {7, 8, 9, 10})
        EXPECT_TRUE(AddMediaSlot(m, entry));
    EXPECT_FALSE(AddMediaSlot(m, 11)); // four are the most
    EXPECT_EQ(m.media, (std::array<int, 4>{7, 8, 9, 10}));
    RemoveMediaSlot(m, 1);
    EXPECT_EQ(m.media, (std::array<int, 4>{7, 9, 10, -1}));
    EXPECT_EQ(UsedMediaSlots(m), 3u);

    // A record with a gap: lines map to the used slots, and adding never overwrites one.
    m.media = {-1, 4, -1, 6};
    EXPECT_EQ(MediaSlotOfLine(m, 0), 1u);
    EXPECT_EQ(MediaSlotOfLine(m, 1), 3u);
    EXPECT_FALSE(MediaSlotOfLine(m, 2));
    EXPECT_TRUE(AddMediaSlot(m, 5)); // slot n+1, free here
    EXPECT_EQ(m.media, (std::array<int, 4>{-1, 4, 5, 6}));
    m.media = {-1, 4, -1, -1};
    EXPECT_TRUE(AddMediaSlot(m, 5)); // slot n+1 is used: the first free one
    EXPECT_EQ(m.media, (std::array<int, 4>{5, 4, -1, -1}));

    // Removing an entry held by two slots removes both, lowering the rest.
    m.media = {2, 5, 2, 3};
    ForgetRemovedEntry(m, ListId::Media, 2);
    EXPECT_EQ(m.media, (std::array<int, 4>{4, 2, -1, -1}));
}

TEST(EditorDeleteTest, DeletingRenumbersTheMasterOrder) {
    // Master order: ALIEN(1), MATRIX(2), ZULU(0).
    Collection c = test::MakeCollection({"ZULU", "ALIEN", "MATRIX"});
    const auto deleted = [&c](std::size_t r) {
        return test::ChangeOf(c, [r](Changes ch) { return DeleteCurrentTitle(ch, r); });
    };
    EXPECT_TRUE(deleted(1)); // the middle record
    EXPECT_EQ(c.Count(), 2u);
    EXPECT_EQ(c.titles[1].Title(), "MATRIX");
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{1, 0}));

    EXPECT_TRUE(deleted(0)); // the first record
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{0}));
    EXPECT_EQ(c.titles[0].Title(), "MATRIX");

    EXPECT_TRUE(deleted(0)); // the only record
    EXPECT_EQ(c.Count(), 0u);
    EXPECT_TRUE(c.ListeIndex.empty());
    EXPECT_FALSE(deleted(0));
}

std::string FileText(const std::filesystem::path& p) {
    const auto bytes = test::ReadBytes(p);
    return std::string(bytes.begin(), bytes.end());
}

TEST(ReviewTextTest, FirstSaveTakesNumberOneAndLaterSavesReuseIt) {
    test::TempDir dir;
    Collection c;
    TitleEditorModel m = NewTitle("AB:C");
    m.review = "Great\r\nfilm";
    ASSERT_TRUE(Save(m, c, Context(true, dir.path())).has_value());
    EXPECT_EQ(c.titles[0].ReviewNumber(), 1);
    EXPECT_EQ(FileText(dir / "AB_C1.TXT"), "Great\r\nfilm");

    LoadTitleIntoEditor(m, c, 0, dir.path());
    EXPECT_EQ(m.review, "Great\r\nfilm");
    m.review = "Better";
    ASSERT_TRUE(Save(m, c, Context(true, dir.path())).has_value());
    EXPECT_EQ(c.titles[0].ReviewNumber(), 1);
    EXPECT_EQ(FileText(dir / "AB_C1.TXT"), "Better");
    EXPECT_FALSE(std::filesystem::exists(dir / "AB_C2.TXT"));
}

TEST(ReviewTextTest, ANewTitleSkipsNumbersInUse) {
    test::TempDir dir;
    test::WriteBytes(dir / "HEAT1.TXT", test::Bytes("other"));
    test::WriteBytes(dir / "HEAT2.TXT", test::Bytes("other"));
    EXPECT_EQ(*SaveReviewText(dir.path(), "HEAT", 0, "mine"), 3);
    EXPECT_EQ(FileText(dir / "HEAT1.TXT"), "other");
    // A number whose file has gone is given up for the first free one.
    std::filesystem::remove(dir / "HEAT2.TXT");
    EXPECT_EQ(*SaveReviewText(dir.path(), "HEAT", 7, "again"), 2);
}

TEST(ReviewTextTest, EmptyTextClearsTheNumberAndLeavesTheFile) {
    test::TempDir dir;
    test::WriteBytes(dir / "HEAT4.TXT", test::Bytes("old"));
    Collection c;
    TitleRecord r = test::MakeTitle("HEAT");
    r.SetReviewNumber(4);
    AppendTitle(c, r);
    TitleEditorModel m;
    LoadTitleIntoEditor(m, c, 0, dir.path());
    EXPECT_EQ(m.review, "old");
    m.review.clear();
    ASSERT_TRUE(Save(m, c, Context(true, dir.path())).has_value());
    EXPECT_EQ(c.titles[0].ReviewNumber(), 0);
    EXPECT_EQ(FileText(dir / "HEAT4.TXT"), "old");
}

TEST(ReviewTextTest, RenamedTitleLeavesAnotherTitlesTextAlone) {
    test::TempDir dir;
    test::WriteBytes(dir / "HEAT1.TXT", test::Bytes("heat"));
    test::WriteBytes(dir / "ALIEN1.TXT", test::Bytes("alien"));
    Collection c;
    for (const char* title : {"HEAT", "ALIEN"}) {
        TitleRecord r = test::MakeTitle(title);
        r.SetReviewNumber(1);
        AppendTitle(c, r);
    }
    TitleEditorModel m;
    LoadTitleIntoEditor(m, c, 0, dir.path());
    m.ATitre = "ALIEN";
    m.review = "renamed";
    ASSERT_TRUE(Save(m, c, Context(true, dir.path())).has_value());
    EXPECT_EQ(FileText(dir / "ALIEN1.TXT"), "alien");
    EXPECT_EQ(c.titles[0].ReviewNumber(), 2);
    EXPECT_EQ(FileText(dir / "ALIEN2.TXT"), "renamed");
}

TEST(ReviewTextTest, FileIsNamedFromTheStoredTitle) {
    test::TempDir dir;
    Collection c;
    TitleEditorModel m = NewTitle("heat");
    m.review = "words";
    ASSERT_TRUE(Save(m, c, Context(true, dir.path())).has_value());
    LoadTitleIntoEditor(m, c, 0, dir.path());
    EXPECT_EQ(m.review, "words");
}

TEST(ReviewTextTest, NothingIsWrittenWhileSaveTextIsOff) {
    test::TempDir dir;
    Collection c;
    TitleEditorModel m = NewTitle("HEAT");
    m.review = "words";
    ASSERT_TRUE(Save(m, c, Context(false, dir.path())).has_value());
    EXPECT_EQ(c.titles[0].ReviewNumber(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ReviewTextTest, LongTextIsCutAtTheLimit) {
    test::TempDir dir;
    Collection c;
    TitleEditorModel m = NewTitle("LONG");
    m.review = std::string(ReviewTextLimit + 2000, 'x');
    ASSERT_TRUE(Save(m, c, Context(true, dir.path())).has_value());
    EXPECT_EQ(std::filesystem::file_size(dir / "LONG1.TXT"), ReviewTextLimit);
}

TEST(ReviewTextTest, FileLineEndsBecomeLineFeedsAndBack) {
    EXPECT_EQ(ReviewLinesFromFile("a\r\nb\rc\r\n"), "a\nb\rc\n");
    EXPECT_EQ(ReviewLinesForFile("a\nb\r\nc"), "a\r\nb\r\nc");
}

TEST(ReviewTextTest, UnwritableFolderStoresNothingAndNamesTheFile) {
    test::TempDir dir;
    Collection c;
    TitleEditorModel m = NewTitle("HEAT");
    m.review = "words";
    const auto missing = dir / "no such folder";
    const auto saved = Save(m, c, Context(true, missing));
    ASSERT_FALSE(saved.has_value());
    EXPECT_EQ(saved.error().error, SaveError::ReviewNotWritten);
    EXPECT_EQ(saved.error().failure.path, PathText(missing / "HEAT1.TXT"));
    EXPECT_EQ(saved.error().failure.detail, SystemReason(ENOENT));
    EXPECT_EQ(c.Count(), 0u);
}

} // namespace
} // namespace tavrin
