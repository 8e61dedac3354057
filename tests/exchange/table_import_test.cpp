#include "exchange/table_import.h"

#include "reports/list_export.h"
#include "reports/report_fixture.h"
#include "store/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using F = TableField;

constexpr DayNumber Today = 45000;

Table ReadText(std::string_view text) {
    auto table = ReadTable({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    EXPECT_TRUE(table.has_value());
    return table ? std::move(table).value() : Table{};
}

// Every cell quoted, separated by commas.
Table Csv(const Rows& rows) {
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            text += k ? ",\"" : "\"";
            for (char ch : row[k])
                text += ch == '"' ? std::string("\"\"") : std::string(1, ch);
            text += '"';
        }
        text += "\r\n";
    }
    return ReadText(text);
}

Expected<TableImported, TableImportRefusal> Import(Collection& c, const Table& table) {
    return ImportTable(c, table, MapColumns(table), Today);
}

// A field's stored value as tavrin-cli dump shows it (prices in cents).
long long Stored(const TitleRecord& t, std::string_view field) {
    const auto fields = TitleFields();
    const auto info =
        std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return f.name == field; });
    EXPECT_NE(info, fields.end()) << field;
    if (field == "Year" || field == "Length" || field == "Viewings") return t.U16(info->offset);
    if (field.ends_with("Date")) return t.I32(info->offset);
    if (field == "Price") return std::llround(t.F32(info->offset) * 100);
    return t.U8(info->offset);
}

TEST(TableImportTest, MapsFieldNamesAndExportHeadersInEveryLanguage) {
    const std::pair<std::string_view, std::optional<F>> cases[] = {
        {"title", F::Title},
        {"  Actor3 ", F::Actor3},
        {"BUYDATE", F::BuyDate},
        {"Titre", F::Title},
        {"Nimi", F::Title},
        {"LD/DVD/VHS", F::Support},
        {"Purchased the ", F::BuyDate},
        {"Acheté le", F::BuyDate},
        {"Autres informations 2", F::Info2},
        {"Schauspieler", F::Actors},
        {"Watching Times", F::Viewings},
        {"Dolby Digital", F::Ac3},
        {"EXTRAS", F::Extras},
        {"Cast", F::Actors},
        {"Starring", F::Actors},
        {"N\xC3\xA4yttelij\xC3\xA4t", F::Actors},
        {"Medium", F::Support},
        {"Format", F::Support},
        {"Purchase Date", F::BuyDate},
        {"Kaufdatum", F::BuyDate},
        {"Purchased", F::BuyDate},
        {"Runtime", F::Length},
        {"Studio", F::Publisher},
        {"Compositeur", F::Composer},
        {"DVD DTS", std::nullopt},
        {"Comments", std::nullopt},
    };
    for (const auto& [text, field] : cases)
        EXPECT_EQ(MapColumns(Csv({{"Notes", Utf8ToCp1252(text)}})), (ColumnMapping{std::nullopt, field}))
            << text;
    EXPECT_EQ(TableFieldFromName(" genre2"), F::Genre2);
    EXPECT_EQ(TableFieldFromName("Titre"), std::nullopt);
    EXPECT_EQ(TableFieldName(F::NotesPhotosBio), "NotesPhotosBio");
    // The window names the fields in the user's language.
    EXPECT_EQ(TableFieldLabel(F::Support, 2), "Datentr\xC3\xA4ger");
    EXPECT_EQ(TableFieldLabel(F::Actor3, 1), "Acteur 3");
    EXPECT_EQ(TableFieldLabel(F::Mpaa, 0), "Certification (MPAA)");
    EXPECT_EQ(TableFieldLabel(F::Thx, 4), "THX");
}

TEST(TableImportTest, ColumnsChosenByHandComeFirstAndEachFieldGoesOnce) {
    const Table table = Csv({{"Title", "Film", "Titre", "Actor", "Notes", "Year"}});
    EXPECT_EQ(MapColumns(table), (ColumnMapping{F::Title, {}, {}, F::Actors, {}, F::Year}));
    const ColumnChoice choices[] = {{1, F::Title}, {4, F::Actor2}, {5, std::nullopt}, {9, F::Box}};
    // Film takes Title from the header that would have had it; a slot of its own drops Actor.
    EXPECT_EQ(MapColumns(table, choices), (ColumnMapping{{}, F::Title, {}, {}, F::Actor2, {}}));
    EXPECT_EQ(ColumnsNamed(table, " FILM"), std::vector<std::size_t>{1});
    EXPECT_EQ(IgnoredColumns(MapColumns(table)), (std::vector<std::size_t>{1, 2, 4}));
}

struct ValueCase {
    std::string_view header, cell, field;
    long long stored;
};

const ValueCase ValueCases[] = {
    {"Support", "DVD", "Support", 1},
    {"LD/DVD/VHS", "vcd", "Support", 3},
    {"Support", "VideoCD", "Support", 3},
    {"Medium", "LaserDisc", "Support", 0},
    {"Medium", "Laser Disc", "Support", 0},
    {"Format", "Video CD", "Support", 3},
    {"Tallenne", "Videokasetti", "Support", 2},
    {"Runtime", "1h 47m", "Length", 107},
    {"Length", "1:47:00", "Length", 107},
    {"Purchase Date", "2003-06-21T10:00:00Z", "BuyDate", 37793},
    {"BuyDate", "30/12/1899", "BuyDate", 0},
    {"Price", "$1,299.00", "Price", 129900},
    {"Price", "12,50 \xE2\x82\xAC", "Price", 1250},
    {"Support", "2", "Support", 2},
    {"Standard", "PAL", "Standard", 1},
    {"Zone", "Zone 2", "Zone", 2},
    {"DVD Zone", "-", "Zone", 0},
    {"Genre", "Horreur", "Genre", 13},
    {"Genre", "Science Fiction - Horror", "Genre2", 13},
    {"Genre2", "x / erotic", "Genre2", 26},
    {"MPAA", "13", "Mpaa", 7},
    {"Mpaa", "7", "Mpaa", 7},
    {"Aspect Ratios", "1.85", "AspectRatio", 4},
    {"Sound", "Dolby Surround", "Sound", 4},
    {"Color", "Noir & Blanc", "Color", 1},
    {"Trade", "To sell", "Trade", 2},
    {"Year", " 1979 ", "Year", 1979},
    {"Length", "", "Length", 0},
    {"Purchased the ", "2000-01-01", "BuyDate", 36526},
    {"BuyDate", "1/1/2000", "BuyDate", 36526},
    {"WatchDate", "31/12/1999", "WatchDate", 36525},
    {"WatchDate", "", "WatchDate", Today},
    {"Price", "12,99", "Price", 1299},
    {"Price", "-12.5", "Price", -1250},
    {"THX", "THX", "Thx", 1},
    {"Used", "Occasion", "Used", 1},
    {"Used", "0", "Used", 0},
    {"Subtitled", "1", "Subtitled", 1},
    {"Dts", "DTS Digital", "Dts", 1},
    {"EXTRAS", "Audio Commentary Multi Angle ", "MultiAngle", 1},
    {"EXTRAS", "bande-annonce autre", "OtherExtras", 1},
};

TEST(TableImportTest, ReadsEachKindOfValue) {
    for (const auto& v : ValueCases) {
        SCOPED_TRACE(std::string(v.header) + " = " + std::string(v.cell));
        Collection c;
        const auto done = Import(c, Csv({{"Title", std::string(v.header)}, {"ALIEN", Utf8ToCp1252(v.cell)}}));
        ASSERT_TRUE(done.has_value());
        ASSERT_EQ(c.Count(), 1u);
        EXPECT_EQ(Stored(c.RecordAt(0), v.field), v.stored);
    }
}

const std::string Fifty(50, 'X'); // one character more than titles and names hold

struct RefusalCase {
    std::string_view header, cell;
    CellProblem problem;
};

const RefusalCase RefusalCases[] = {
    {"Year", "1979a", CellProblem::NotANumber},
    {"Year", "70000", CellProblem::OutOfRange},
    {"FilmRating", "6", CellProblem::OutOfRange},
    {"Viewings", "-1", CellProblem::OutOfRange},
    {"Support", "Betamax", CellProblem::UnknownValue},
    {"Mpaa", "10", CellProblem::OutOfRange},
    {"BuyDate", "2000-02-30", CellProblem::NotADate},
    {"BuyDate", "01.01.2000", CellProblem::NotADate},
    {"Price", "twelve", CellProblem::NotAPrice},
    {"Price", "12abc34", CellProblem::NotAPrice},
    {"Length", "soon", CellProblem::NotANumber},
    {"Length", "1200h", CellProblem::OutOfRange},
    {"Thx", "yes", CellProblem::UnknownValue},
    {"EXTRAS", "Trailer Bloopers", CellProblem::UnknownValue},
    {"Director", Fifty, CellProblem::TooLong},
    {"Director", "LINE\nBREAK", CellProblem::ControlCharacter},
    {"Title", "", CellProblem::NoTitle},
    {"Title", Fifty, CellProblem::TooLong},
};

TEST(TableImportTest, RefusesValuesThatDoNotFitTheirField) {
    for (const auto& v : RefusalCases) {
        SCOPED_TRACE(std::string(v.header) + " = " + std::string(v.cell));
        Collection c;
        const bool title = v.header == "Title";
        const Table table = Csv({{std::string(v.header), title ? "Year" : "Title"},
                                 {std::string(v.cell), title ? "1979" : "ALIEN"}});
        const auto done = Import(c, table);
        ASSERT_FALSE(done.has_value());
        EXPECT_EQ(done.error().error, TableImportError::RefusedCells);
        EXPECT_EQ(done.error().cells, (std::vector<RefusedCell>{{2, 0, v.problem, ""}}));
    }
    // A value a code field does not take is answered with the values it takes.
    const RefusedCell betamax{2, 1, CellProblem::UnknownValue, ""};
    EXPECT_EQ(RefusedCellReason(betamax, "Medium", 0, F::Support),
              "Not a value of this field, which takes: LaserDisc, DVD, VHS, Video CD, 0 .. 3");
    EXPECT_EQ(RefusedCellReason(betamax, "Trade", 1, F::Trade),
              "N'est pas une valeur de ce champ, qui accepte : -, A acheter, A vendre, 0 .. 2");
    EXPECT_EQ(RefusedCellReason(betamax, "Thx", 0, F::Thx),
              "Not a value of this field, which takes: 1, 0, THX");
    EXPECT_EQ(RefusedCellReason(betamax, "Notes", 0), "Not a value of this field");
}

TEST(TableImportTest, NamesAreFoundOrAppendedOnce) {
    Collection c = test::ReportCollection(); // RIDLEY SCOTT is director 0
    const Table table = Csv({{"Title", "Director", "Actors", "Publisher"},
                             {"alien", " ridley scott ", "weaver, hurt", "Fox"},
                             {"Blade Runner", "Ridley Scott", "FORD ; HAUER", "WARNER"},
                             {"ALIENS", "", "WEAVER", "WARNER"}});
    ASSERT_TRUE(Import(c, table).has_value());
    ASSERT_EQ(c.Count(), 3u);
    const auto& actors = c.List(ListId::Actor);
    EXPECT_EQ(c.List(ListId::Director).size(), 2u);
    EXPECT_EQ(std::vector(actors.begin() + 6, actors.end()),
              (std::vector<std::string>{"WEAVER", "HURT", "FORD", "HAUER"}));
    EXPECT_EQ(c.List(ListId::Publisher), (NameList{"FOX", "PIONEER", "WARNER"}));
    const TitleRecord& alien = c.RecordAt(0);
    EXPECT_EQ(alien.Title(), "ALIEN");
    EXPECT_EQ(alien.Director(), 0);
    EXPECT_EQ(alien.Actor1(), 6);
    EXPECT_EQ(alien.Actor2(), 7);
    EXPECT_EQ(alien.Actor3(), NoEntry);
    EXPECT_EQ(alien.Publisher(), 0);
    EXPECT_EQ(c.RecordAt(1).Actor2(), 9);
    EXPECT_EQ(c.RecordAt(2).Director(), NoEntry);
    EXPECT_EQ(c.RecordAt(2).Actor1(), 6);
    EXPECT_EQ(c.RecordAt(2).Publisher(), 2);
    EXPECT_EQ(c.RecordAt(2).Retailer(), NoEntry);
    EXPECT_EQ(c.RecordAt(2).Media1(), NoEntry);
}

// An Actors cell as people write it, and the export's Actor column, whose names are joined by
// blanks, read by the actor list.
TEST(TableImportTest, ActorCellsSplitIntoTheirNames) {
    struct Case {
        std::string_view header, cell;
        std::vector<std::string> actors; // the five slots, in order
        std::optional<TableRemark> remark;
    };
    const std::vector<std::string> known{"HARRISON FORD", "KAREN ALLEN", "FORD", "JOHN"};
    const Case cases[] = {
        {"Actors", "Harrison Ford, Karen Allen", {"HARRISON FORD", "KAREN ALLEN"}, std::nullopt},
        {"Cast", "Harrison Ford", {"HARRISON FORD"}, std::nullopt},
        {"Starring", "Paul Freeman", {"PAUL FREEMAN"}, std::nullopt},
        {"Actors", "A B; C /D| E\r\nF G", {"A B", "C", "D", "E", "F G"}, std::nullopt},
        {"Actors", "A, B, C, D, E, F", {"A", "B", "C", "D", "E"}, TableRemark::MoreThanFiveActors},
        {"Actors", "Ford, ford , FORD", {"FORD"}, std::nullopt},
        {"Actor", "HARRISON FORD KAREN ALLEN", {"HARRISON FORD", "KAREN ALLEN"}, std::nullopt},
        {"Acteur", "harrison  ford john", {"HARRISON FORD", "JOHN"}, std::nullopt},
        {"Actor", "HARRISON FORD", {"HARRISON FORD"}, std::nullopt}, // not FORD after HARRISON
        {"Actor", "Weaver", {"WEAVER"}, std::nullopt},
        {"Actor", "KAREN ALLEN JOHN DOE", {}, TableRemark::ActorsNotInList},
        {"Actor", "Karen Allen, John Doe", {"KAREN ALLEN", "JOHN DOE"}, std::nullopt},
    };
    for (const Case& v : cases) {
        SCOPED_TRACE(std::string(v.header) + " = " + std::string(v.cell));
        Collection c;
        c.List(ListId::Actor) = known;
        const auto done =
            Import(c, Csv({{"Title", std::string(v.header)}, {"RAIDERS", std::string(v.cell)}}));
        ASSERT_TRUE(done.has_value());
        std::vector<std::string> actors;
        for (int slot = 0; slot < 5; ++slot)
            if (const auto name = ReferencedName(c, c.RecordAt(0), ListId::Actor, slot); !name.empty())
                actors.emplace_back(name);
        EXPECT_EQ(actors, v.actors);
        // Names already in the list are linked, the others appended once.
        const auto& list = c.List(ListId::Actor);
        EXPECT_TRUE(std::equal(known.begin(), known.end(), list.begin()));
        for (const std::string& name : actors)
            EXPECT_EQ(std::count(list.begin(), list.end(), name), 1) << name;
        const std::vector<TableWarning> warnings =
            v.remark ? std::vector<TableWarning>{{2, 1, *v.remark}} : std::vector<TableWarning>{};
        EXPECT_EQ(done->warnings, warnings);
    }
    EXPECT_EQ(TableWarningText({7, 1, TableRemark::MoreThanFiveActors}, "Cast", 0),
              "Row 7, Cast: more than five actors; the first five were imported");
}

TEST(TableImportTest, AnyRefusedCellImportsNothing) {
    Collection c = test::MakeCollection({"METROPOLIS"});
    const Collection before = c;
    const Table table =
        ReadText("Title\tYear\tDirector\tNotes\n"
                 "ALIEN\tsoon\tSCOTT\t\n"
                 "BRAZIL\t1985\tGILLIAM\t\xE2\x98\x83\n"              // the snowman is in a column left out
                 "\xE2\x98\x83 \xC5\x82\xE2\x98\x83\t1984\tLANG\tx\n" // ☃ ł☃
                 "HEAT\t1995\tMANN\t\n");
    const auto done = Import(c, table);
    ASSERT_FALSE(done.has_value());
    EXPECT_EQ(done.error().cells,
              (std::vector<RefusedCell>{{2, 1, CellProblem::NotANumber, ""},
                                        {4, 0, CellProblem::Unconvertible, "\xE2\x98\x83\xC5\x82"}}));
    EXPECT_EQ(RefusedCellReason(done.error().cells[1], "Title", 0),
              "Title: \xE2\x98\x83 and \xC5\x82 cannot be stored in a collection; type them without accents");
    EXPECT_EQ(RefusedCellReason(done.error().cells[0], "Year", 2), "Keine ganze Zahl");
    EXPECT_EQ(TableImportMessage(done.error()), Msg::MsgTableCellsRefused);
    EXPECT_EQ(c.titles, before.titles);
    EXPECT_EQ(c.lists, before.lists);
    EXPECT_EQ(c.ListeIndex, before.ListeIndex);

    const auto untitled = Import(c, Csv({{"Film", "Year"}, {"ALIEN", "1979"}}));
    ASSERT_FALSE(untitled.has_value());
    EXPECT_EQ(untitled.error().error, TableImportError::NoTitleColumn);
    EXPECT_EQ(c.titles, before.titles);

    // One place left in the publisher list, two new publishers.
    for (int i = 0; i < 254; ++i)
        c.List(ListId::Publisher).push_back("P" + std::to_string(i));
    const Collection full = c;
    const auto crowded = Import(c, Csv({{"Title", "Publisher"}, {"ALIEN", "FOX"}, {"HEAT", "WARNER"}}));
    ASSERT_FALSE(crowded.has_value());
    EXPECT_EQ(crowded.error().error, TableImportError::ListFull);
    EXPECT_EQ(TableImportMessage(crowded.error()), Msg::MsgYouCanTAddMore);
    EXPECT_EQ(c.lists, full.lists);
    EXPECT_EQ(c.titles, full.titles);
}

TEST(TableImportTest, NewTitlesTakeTheirPlacesInTheMasterOrder) {
    Collection c = test::MakeCollection({"METROPOLIS", "BRAZIL"});
    const auto done = Import(c, ReadText("Title;Year\nZELIG;1983\n;\n  ;\t\nALIEN;1979\nmetropolis;2001\n"));
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(done->first, 2u);
    EXPECT_EQ(done->count, 3u); // the blank rows are no titles
    EXPECT_EQ(c.RecordAt(4).Title(), "METROPOLIS");
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{3, 1, 0, 4, 2}));
    EXPECT_EQ(c.RecordAt(3).BuyDate(), Today);
}

// Our own spreadsheet export, every box ticked, read back into an empty collection.
TEST(TableImportTest, OurSpreadsheetExportComesBack) {
    Collection source = test::ReportCollection();
    AppendTitle(source, test::FullLaserDisc());
    TitleRecord dvd = test::MakeTitle("\xC9T\xC9 ZERO", 1990);
    dvd.SetSupport(1);
    dvd.SetZone(2);
    dvd.SetStandard(1);
    dvd.SetGenre(13);
    dvd.SetMpaa(7);
    dvd.SetDts(true);
    dvd.SetPanScan(true);
    dvd.SetSubtitled(true);
    dvd.SetDirectorsCut(true);
    dvd.SetRotted(true);
    dvd.SetDocumentary(true);
    dvd.SetInterview(true);
    dvd.SetActor1(4);
    dvd.SetPrice(12.5f);
    dvd.SetBuyDate(40000);
    dvd.SetWatchDate(40001);
    AppendTitle(source, dvd);
    TitleRecord vhs = test::MakeTitle("BRAZIL", 1985);
    vhs.SetSupport(2);
    vhs.SetStandard(2);
    vhs.SetAspectRatio(8);
    AppendTitle(source, vhs);
    const std::vector<std::uint16_t> browse(source.ListeIndex.begin(), source.ListeIndex.end());
    const DateFormat dates("dd/MM/yyyy");

    for (int language = 0; language < LanguageCount; ++language) {
        SCOPED_TRACE(language);
        MessageCatalogue catalogue;
        catalogue.SetLanguage(language);
        const ReportTexts texts(catalogue);
        const std::string bytes =
            SpreadsheetExport(ReportContext{source, texts, dates}, browse, DetailChoices::All());
        // The export's Actor column joins the names by blanks: read back by the actor list.
        Collection back;
        back.List(ListId::Actor) = source.List(ListId::Actor);
        const auto done = Import(back, ReadText(bytes));
        ASSERT_TRUE(done.has_value());
        EXPECT_TRUE(done->warnings.empty());
        EXPECT_EQ(back.List(ListId::Actor), source.List(ListId::Actor));
        ASSERT_EQ(back.Count(), source.Count());
        for (std::size_t i = 0; i < browse.size(); ++i) {
            const TitleRecord& a = source.RecordAt(browse[i]);
            const TitleRecord& b = back.RecordAt(i);
            SCOPED_TRACE(a.Title());
            for (std::string_view field :
                 {"Title",      "Year",           "Length",        "AspectRatio",   "Genre",
                  "Genre2",     "Mpaa",           "FilmRating",    "PictureRating", "SoundRating",
                  "CavSides",   "ClvSides",       "Standard",      "Sound",         "Support",
                  "Thx",        "DirectorsCut",   "Subtitled",     "Dubbed",        "Ac3",
                  "Dts",        "Used",           "Widescreen169", "PanScan",       "IsolatedScore",
                  "MultiAngle", "Interview",      "Trailer",       "DeletedScenes", "Featurette",
                  "Commentary", "NotesPhotosBio", "OtherExtras",   "Documentary",   "Rotted",
                  "Viewings",   "WatchDate",      "BuyDate"})
                EXPECT_EQ(Stored(a, field), Stored(b, field)) << field;
            EXPECT_EQ(a.Support() == 1 ? a.Zone() : 0, b.Zone());
            EXPECT_EQ(WholePrice(a.Price()), b.Price());
            for (ListId list : {ListId::Director, ListId::Composer, ListId::Box, ListId::Publisher,
                                ListId::Retailer, ListId::Info, ListId::Info2})
                EXPECT_EQ(ReferencedName(source, a, list), ReferencedName(back, b, list)) << ListName(list);
            for (int slot = 0; slot < 5; ++slot)
                EXPECT_EQ(ReferencedName(source, a, ListId::Actor, slot),
                          ReferencedName(back, b, ListId::Actor, slot));
        }
    }
}

} // namespace
} // namespace tavrin
