// tavrin-cli run as a program: what it prints, what it writes and how it exits.
#include "cli/cli_run.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::BuildFile;
using test::CliRun;
using test::MakeTitle;
using test::ReadBytes;
using test::RunCli;
using test::TempDir;
using test::WriteBytes;
using Json = nlohmann::ordered_json;
using Sections = std::vector<std::vector<std::string>>;

Json DumpOf(const TempDir& dir, const std::filesystem::path& file) {
    const auto run = RunCli(dir, {"dump", file.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return Json::parse(run.out);
}

// Name-list sections a version holds, in file order, each with recognisable names.
Sections SectionsFor(char version) {
    const std::vector<std::string> directors{"SPIELBERG", "TRUFFAUT", "L\xC9OTARD"}, actors{"FORD", "ALLEN"},
        composers{"WILLIAMS"}, boxes{"TRILOGY"}, infos{"SIGNED"}, publishers{"CRITERION", "PIONEER"},
        media{"COVER.JPG"}, retailers{"FNAC", "AMAZON"}, infos2{"LETTERBOX"};
    switch (version) {
    case 'T':
        return {directors, actors, composers, boxes, retailers};
    case '2':
        return {directors, actors, composers, boxes, infos, retailers};
    case '3':
        return {directors, actors, composers, boxes, infos, publishers, media, retailers};
    default:
        return {directors, actors, composers, boxes, infos, publishers, media, retailers, infos2};
    }
}

// A record with every field given its own value through the named setters.
TitleRecord FilledRecord() {
    TitleRecord t;
    t.SetTitle("\xC9T\xC9 MEURTRIER"); // "ÉTÉ MEURTRIER" in Windows-1252
    t.SetYear(1983);
    t.SetLength(130);
    t.SetAspectRatio(4);
    t.SetDirector(2);
    t.SetActor1(0);
    t.SetActor2(1);
    t.SetActor3(NoEntry);
    t.SetActor4(0xFFFE);
    t.SetActor5(NoEntry);
    t.SetGenre(10);
    t.SetMpaa(4);
    t.SetFilmRating(5);
    t.SetPictureRating(3);
    t.SetSoundRating(2);
    t.SetCavSides(1);
    t.SetClvSides(2);
    t.SetStandard(1);
    t.SetSound(4);
    t.SetThx(true);
    t.SetU8(77, 2); // DirectorsCut: a stray byte shows as stored, not as a flag reading
    t.SetSubtitled(true);
    t.SetDubbed(false);
    t.SetAc3(true);
    t.SetDts(false);
    t.SetUsed(true);
    t.SetBox(0);
    t.SetInfo(0);
    t.SetWidescreen169(true);
    t.SetMedia1(0);
    t.SetSupport(1);
    t.SetZone(2);
    t.SetDvdSubtitles(0x86);
    t.SetDvdMpeg20(1);
    t.SetDvdMpeg51(2);
    t.SetDvdDd10(4);
    t.SetDvdDd20(8);
    t.SetDvdDd40(16);
    t.SetDvdDd51(32);
    t.SetDvdDts(64);
    t.SetDvdMpeg10(128);
    t.SetDvdPcm(255);
    t.SetReviewNumber(12);
    t.SetPanScan(false);
    t.SetIsolatedScore(true);
    t.SetInfo2(0);
    t.SetMultiAngle(true);
    t.SetGenre2(13);
    t.SetTrade(2);
    t.SetMedia2(NoEntry);
    t.SetMedia3(7);
    t.SetMedia4(NoEntry);
    t.SetRetailer(1);
    t.SetFlipper(true);
    t.SetColor(2);
    const std::uint8_t reserved[12] = {0x00, 0x1F, 0xA0, 0xFF, 0x01, 0x02,
                                       0x03, 0x04, 0xDE, 0xAD, 0xBE, 0xEF};
    for (int i = 0; i < 12; ++i)
        t.SetU8(121 + i, reserved[i]);
    t.SetInterview(true);
    t.SetTrailer(false);
    t.SetDeletedScenes(true);
    t.SetFeaturette(false);
    t.SetCommentary(true);
    t.SetNotesPhotosBio(false);
    t.SetOtherExtras(true);
    t.SetDocumentary(true);
    t.SetViewings(32000);
    t.SetComposer(0);
    t.SetWatchDate(36526);
    t.SetPrice(12.99f);
    t.SetBuyDate(-3);
    t.SetRotted(true);
    t.SetU16(158, 0x01FF); // written as 16 bits; the dump shows the whole value
    return t;
}

Json FilledRecordJson() {
    return Json{{"Title", "\xC3\x89T\xC3\x89 MEURTRIER"},
                {"Year", 1983},
                {"Length", 130},
                {"AspectRatio", 4},
                {"Director", 2},
                {"Actor1", 0},
                {"Actor2", 1},
                {"Actor3", 65535},
                {"Actor4", 65534},
                {"Actor5", 65535},
                {"Genre", 10},
                {"Mpaa", 4},
                {"FilmRating", 5},
                {"PictureRating", 3},
                {"SoundRating", 2},
                {"CavSides", 1},
                {"ClvSides", 2},
                {"Standard", 1},
                {"Sound", 4},
                {"Thx", 1},
                {"DirectorsCut", 2},
                {"Subtitled", 1},
                {"Dubbed", 0},
                {"Ac3", 1},
                {"Dts", 0},
                {"Used", 1},
                {"Box", 0},
                {"Info", 0},
                {"Widescreen169", 1},
                {"Media1", 0},
                {"Support", 1},
                {"Zone", 2},
                {"DvdSubtitles", 134},
                {"DvdMpeg20", 1},
                {"DvdMpeg51", 2},
                {"DvdDd10", 4},
                {"DvdDd20", 8},
                {"DvdDd40", 16},
                {"DvdDd51", 32},
                {"DvdDts", 64},
                {"DvdMpeg10", 128},
                {"DvdPcm", 255},
                {"ReviewNumber", 12},
                {"PanScan", 0},
                {"IsolatedScore", 1},
                {"Info2", 0},
                {"MultiAngle", 1},
                {"Genre2", 13},
                {"Trade", 2},
                {"Media2", 65535},
                {"Media3", 7},
                {"Media4", 65535},
                {"Retailer", 1},
                {"Flipper", 1},
                {"Color", 2},
                {"Reserved", "001fa0ff01020304deadbeef"},
                {"Interview", 1},
                {"Trailer", 0},
                {"DeletedScenes", 1},
                {"Featurette", 0},
                {"Commentary", 1},
                {"NotesPhotosBio", 0},
                {"OtherExtras", 1},
                {"Documentary", 1},
                {"Viewings", 32000},
                {"Composer", 0},
                {"WatchDate", 36526},
                {"Price", 12.99},
                {"BuyDate", -3},
                {"Rotted", 1},
                {"Publisher", 511}};
}

TEST(CliDumpTest, ShowsEveryFieldOfAVersion5Record) {
    TempDir dir;
    TitleRecord nanPrice = MakeTitle(std::string(49, 'Z'), 2001);
    nanPrice.SetPrice(std::nanf(""));
    const auto file = dir / "FILMS.KXT";
    WriteBytes(file, BuildFile('5', {FilledRecord(), nanPrice}, SectionsFor('5'), {0, 1}));

    const Json dump = DumpOf(dir, file);
    ASSERT_EQ(dump["titles"].size(), 2u);
    // Ordered comparison: the values and the order of the keys.
    EXPECT_EQ(dump["titles"][0], FilledRecordJson());
    EXPECT_EQ(dump["titles"][0]["Price"].get<float>(), 12.99f);
    EXPECT_EQ(dump["titles"][1]["Title"], std::string(49, 'Z'));
    EXPECT_EQ(dump["titles"][1]["Price"], "NaN");
    EXPECT_EQ(dump["titles"][1]["Publisher"], 65535);
    EXPECT_EQ(dump["titles"][1]["Reserved"], std::string(24, '0'));
}

TEST(CliDumpTest, ShowsListsByNameAndTheMasterOrder) {
    TempDir dir;
    const auto file = dir / "FILMS.KXT";
    WriteBytes(file,
               BuildFile('5', {MakeTitle("B"), MakeTitle("C"), MakeTitle("A")}, SectionsFor('5'), {2, 0, 1}));

    const Json dump = DumpOf(dir, file);
    std::vector<std::string> keys;
    for (const auto& [key, value] : dump.items())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"version", "titles", "lists", "order"}));
    EXPECT_EQ(dump["version"], "KX5");
    // Lists by name, whatever their place in the file.
    EXPECT_EQ(dump["lists"], (Json{{"DirectorList", {"SPIELBERG", "TRUFFAUT", "L\xC3\x89OTARD"}},
                                   {"ActorList", {"FORD", "ALLEN"}},
                                   {"ComposerList", {"WILLIAMS"}},
                                   {"BoxList", {"TRILOGY"}},
                                   {"PublisherList", {"CRITERION", "PIONEER"}},
                                   {"RetailerList", {"FNAC", "AMAZON"}},
                                   {"InfoList", {"SIGNED"}},
                                   {"Info2List", {"LETTERBOX"}},
                                   {"MediaList", {"COVER.JPG"}}}));
    EXPECT_EQ(dump["order"], (Json{2, 0, 1}));
}

TEST(CliDumpTest, ShowsAnEmptyCollection) {
    TempDir dir;
    const auto file = dir / "EMPTY.KXT";
    WriteBytes(file, BuildFile('5', {}, Sections(9), {}));

    const Json dump = DumpOf(dir, file);
    EXPECT_EQ(dump["titles"], Json::array());
    EXPECT_EQ(dump["order"], Json::array());
    ASSERT_EQ(dump["lists"].size(), 9u);
    for (const auto& [name, names] : dump["lists"].items())
        EXPECT_EQ(names, Json::array()) << name;
}

TEST(CliDumpTest, ShowsAnOlderVersionAsConverted) {
    TempDir dir;
    TitleRecord old = MakeTitle("ALIEN", 1979);
    old.SetInfo(0);
    old.SetMedia1(0);
    old.SetSupport(2);
    old.SetZone(3);
    old.SetMedia2(0);
    old.SetMedia3(0);
    old.SetMedia4(0);
    old.SetInfo2(0);
    old.SetU16(149, 0x0064); // the price as a whole number
    old.SetU16(151, 1);      // the retailer's old place
    old.SetU16(158, 0x0003);
    const auto file = dir / "OLD.KXT";
    WriteBytes(file, BuildFile('2', {old}, SectionsFor('2'), {0}));

    const Json dump = DumpOf(dir, file);
    EXPECT_EQ(dump["version"], "KX2");
    const Json& t = dump["titles"][0];
    EXPECT_EQ(t["Title"], "ALIEN");
    EXPECT_EQ(t["Year"], 1979);
    EXPECT_EQ(t["Info"], 0);
    EXPECT_EQ(t["Media1"], 65535);
    EXPECT_EQ(t["Support"], 0);
    EXPECT_EQ(t["Zone"], 0);
    EXPECT_EQ(t["Media2"], 65535);
    EXPECT_EQ(t["Media3"], 65535);
    EXPECT_EQ(t["Media4"], 65535);
    EXPECT_EQ(t["Info2"], 65535);
    EXPECT_EQ(t["Retailer"], 1);
    EXPECT_EQ(t["Price"], 100.0);
    EXPECT_EQ(t["Publisher"], 3);

    const Json& lists = dump["lists"];
    ASSERT_EQ(lists["PublisherList"].size(), 29u);
    EXPECT_EQ(lists["PublisherList"][0], "Other");
    EXPECT_EQ(lists["PublisherList"][1], "BUENA VISTA");
    EXPECT_EQ(lists["PublisherList"][28], "WARNER");
    EXPECT_EQ(lists["InfoList"], (Json{"SIGNED"}));
    EXPECT_EQ(lists["RetailerList"], (Json{"FNAC", "AMAZON"}));
    EXPECT_EQ(lists["MediaList"], Json::array());
    EXPECT_EQ(lists["Info2List"], Json::array());
}

TEST(CliConvertTest, WritesEveryVersionAsTheVersion5FileOfWhatWasRead) {
    for (char version : {'T', '2', '3', '4', '5'}) {
        SCOPED_TRACE(std::string("version ") + version);
        TempDir dir;
        TitleRecord second = MakeTitle("AMADEUS", 1984);
        second.SetU16(149, 25);
        second.SetU16(151, 0);
        const auto in = dir / "IN.KXT";
        const auto out = dir / "OUT.KXT";
        const auto inBytes =
            BuildFile(version, {MakeTitle("ZELIG", 1983), second}, SectionsFor(version), {1, 0});
        WriteBytes(in, inBytes);

        const auto run = RunCli(dir, {"convert", in.string(), out.string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");

        const auto parsed = ParseCollection(inBytes, "Other");
        ASSERT_TRUE(parsed);
        EXPECT_EQ(ReadBytes(out), SerializeCollection(parsed->collection));

        Json before = DumpOf(dir, in);
        const Json after = DumpOf(dir, out);
        EXPECT_EQ(after["version"], "KX5");
        before["version"] = "KX5";
        EXPECT_EQ(after, before);
    }
}

TEST(CliConvertTest, ReplacesAnExistingFileAndTheInputItself) {
    TempDir dir;
    const auto file = dir / "FILMS.KXT";
    const auto inBytes = BuildFile('3', {MakeTitle("RAN", 1985)}, SectionsFor('3'), {0});
    WriteBytes(file, inBytes);

    const auto run = RunCli(dir, {"convert", file.string(), file.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(file), SerializeCollection(ParseCollection(inBytes, "Other")->collection));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "a temporary file was left";
}

TEST(CliErrorTest, RefusesAFileThatIsNotACollection) {
    TempDir dir;
    const auto wrongMagic = dir / "WRONG.KXT";
    WriteBytes(wrongMagic, {'K', 'X', '6', 0, 0});
    auto truncated = BuildFile('5', {MakeTitle("A"), MakeTitle("B")}, SectionsFor('5'), {0, 1});
    truncated.resize(truncated.size() - 1);
    const auto shortFile = dir / "SHORT.KXT";
    WriteBytes(shortFile, truncated);

    for (const auto& file : {wrongMagic, shortFile}) {
        const auto run = RunCli(dir, {"dump", file.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("Invalid file!"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(file.string()), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(CliErrorTest, NamesAFileThatIsMissingOrCannotBeRead) {
    TempDir dir;
    const auto missing = dir / "NOWHERE.KXT";
    auto run = RunCli(dir, {"dump", missing.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(missing.string()), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");

    const auto folder = dir / "FOLDER.KXT";
    std::filesystem::create_directory(folder);
    run = RunCli(dir, {"dump", folder.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(folder.string()), std::string::npos) << run.err;
}

TEST(CliErrorTest, AFailedConvertLeavesTheOutputAsItWas) {
    TempDir dir;
    const auto out = dir / "OUT.KXT";
    const std::vector<std::uint8_t> previous{'K', 'X', '5', 0, 0, 1, 2, 3};
    WriteBytes(out, previous);
    const auto invalid = dir / "INVALID.KXT";
    WriteBytes(invalid, {'M', 'Z', 0x90, 0});

    auto run = RunCli(dir, {"convert", invalid.string(), out.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Invalid file!"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(out), previous);

    run = RunCli(dir, {"convert", (dir / "MISSING.KXT").string(), out.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(ReadBytes(out), previous);
}

TEST(CliErrorTest, NamesAnOutputThatCannotBeWritten) {
    TempDir dir;
    const auto in = dir / "IN.KXT";
    WriteBytes(in, BuildFile('5', {MakeTitle("A")}, SectionsFor('5'), {0}));
    const auto folder = dir / "TAKEN";
    std::filesystem::create_directory(folder);
    std::filesystem::create_directory(folder / "inside");

    for (const auto& out : {folder, dir / "NO SUCH FOLDER" / "OUT.KXT"}) {
        const auto run = RunCli(dir, {"convert", in.string(), out.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(out.string()), std::string::npos) << run.err;
    }
    EXPECT_TRUE(std::filesystem::exists(folder / "inside"));
    // Nothing but the input and the folder: no temporary file was left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(CliUsageTest, BadCommandLinesShowTheUsageAndExit2) {
    TempDir dir;
    const std::vector<std::vector<std::string>> bad{
        {},
        {"frobnicate"},
        {"dump"},
        {"dump", "A.KXT", "B.KXT"},
        {"convert", "A.KXT"},
        {"convert", "A", "B", "C"},
    };
    for (const auto& args : bad) {
        const auto run = RunCli(dir, args);
        EXPECT_EQ(run.exitCode, 2) << args.size();
        EXPECT_NE(run.err.find("Usage: tavrin-cli"), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// Scripts match these lines; the commands word them in their own ways.
TEST(CliUsageTest, BadOptionsAreNamedAsEachCommandAlwaysHas) {
    TempDir dir;
    const std::string f = (dir / "F.KXT").string(), out = (dir / "OUT").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"list", f, "--bogus"}, "list: --bogus needs a value"},
        {{"list", f, "--bogus", "x"}, "list: unknown or repeated option --bogus"},
        {{"stats", f, "--chart", "genre", "--bogus"}, "stats: unknown or repeated option --bogus"},
        {{"stats", f, "--year", "2020"}, "stats: --chart is required"},
        {{"export", f, "--format", "text", "--out", out, "--bogus"}, "export: --bogus needs a value"},
        {{"export", f, "--format", "text", "--out", out, "--bogus", "x"}, "export: unknown option --bogus"},
        {{"export", f, "--format", "text", "--out", out, "--frames", "--frames"},
         "export: --frames is given twice"},
        {{"export", f, "--out", out, "--name", "x"}, "export: --format is required"},
        {{"import-title", f, out, out + "2", "--today", "bad"},
         "import-title: --today \"bad\" is not a date YYYY-MM-DD"},
        {{"media", f, "--medias"}, "media takes FILE [--medias DIR]"},
        {{"names", "clean", f, "ActorList", out, "--medias"},
         "names: clean takes FILE LIST OUT [--medias DIR]"},
    };
    for (const auto& [args, line] : cases) {
        const auto run = RunCli(dir, args);
        EXPECT_EQ(run.exitCode, 2) << line;
        EXPECT_EQ(run.err, "tavrin-cli: " + line + "\n");
    }
    // Too many arguments for what the command declares: the usage follows.
    const auto run =
        RunCli(dir, {"list", f, "--today", "2020-01-01", "--filters", "{}", "--search", "y", "x"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.starts_with(
        "tavrin-cli: list takes FILE [--filters JSON] [--today YYYY-MM-DD] [--search TEXT]\n\nUsage:"))
        << run.err;
}

TEST(CliUsageTest, HelpGoesToTheStandardOutput) {
    TempDir dir;
    const auto run = RunCli(dir, {"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Usage: tavrin-cli"), std::string::npos);
    EXPECT_NE(run.out.find("dump FILE"), std::string::npos);
    EXPECT_NE(run.out.find("convert IN OUT"), std::string::npos);
    std::size_t start = 0;
    for (std::size_t end; (end = run.out.find('\n', start)) != std::string::npos; start = end + 1)
        EXPECT_LE(end - start, 100u) << run.out.substr(start, end - start);
}

} // namespace
} // namespace tavrin
