// tavrin-cli import-table run as a program: the rows appended as dump shows them, --map choosing
// the columns, refusals listing the first rows and counting the rest, bad usage; FILE kept and
// OUT written only on success.
#include "cli/cli_run.h"
#include "store/day_number.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::ReadBytes;
using test::RunCli;
using test::TempDir;
using test::WriteBytes;
using Json = nlohmann::ordered_json;

struct Files {
    TempDir dir;
    std::filesystem::path in = dir / "in.KXT";
    std::filesystem::path table = dir / "table.csv";
    std::filesystem::path out = dir / "out.KXT";
    std::vector<std::uint8_t> inBytes;

    // A collection holding ZULU, directed by SCOTT.
    Files() {
        Collection c;
        c.List(ListId::Director) = {"SCOTT"};
        TitleRecord zulu = test::MakeTitle("ZULU", 1964);
        zulu.SetDirector(0);
        AppendTitle(c, zulu);
        inBytes = SerializeCollection(c);
        WriteBytes(in, inBytes);
    }
    void Table(std::string_view text) const { WriteBytes(table, test::Bytes(text)); }
    std::vector<std::string> Args(std::vector<std::string> options = {}) const {
        std::vector<std::string> args{"import-table", in.string(), table.string(), out.string()};
        args.insert(args.end(), options.begin(), options.end());
        return args;
    }
};

Json DumpOf(const Files& f) {
    const auto run = RunCli(f.dir, {"dump", f.out.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return Json::parse(run.out);
}

TEST(CliTableImportTest, AppendsEveryRowAsDumpShowsIt) {
    struct Case {
        const char* name;
        std::string table;
        std::vector<std::string> options;
        Json titles;    // [Title, Year, Director] of each title after ZULU
        Json directors; // the director list after the import
    };
    const std::vector<Case> cases{
        {"headers as dump names them",
         "Title,Year,Director\nAlien,1979,Scott\nHeat,1995,  mann \n",
         {},
         Json{{"ALIEN", 1979, 0}, {"HEAT", 1995, 1}},
         Json{"SCOTT", "MANN"}},
        // UTF-8 keys matched against a UTF-8 table, read as Windows-1252; the Year column left out
        // would refuse its text otherwise.
        {"--map renames and ignores",
         "Film;R\xC3\xA9"
         "alisateur;Year\nL\xC3\xA9on;Besson;soon\n",
         {"--map", "{\"Film\": \"Title\", \"R\xC3\xA9"
                   "alisateur\": \"Director\", \"Year\": null}"},
         Json{{"L\xC3\x89ON", 0, 1}},
         Json{"SCOTT", "BESSON"}},
        {"a later --map choice of a field wins",
         "Name\tOriginal\tYear\nRan\tRAN (1985)\t1985\n",
         {"--map", "{\"Original\": \"Title\", \"Name\": \"Title\"}"},
         Json{{"RAN", 1985, 65535}},
         Json{"SCOTT"}},
    };
    for (const Case& c : cases) {
        Files f;
        f.Table(c.table);
        auto options = c.options;
        options.insert(options.end(), {"--today", "2024-02-29"});
        const auto run = RunCli(f.dir, f.Args(options));
        ASSERT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
        EXPECT_EQ(ReadBytes(f.in), f.inBytes) << c.name;
        const Json dump = DumpOf(f);
        ASSERT_EQ(dump["titles"].size(), 1 + c.titles.size()) << c.name;
        for (std::size_t i = 0; i < c.titles.size(); ++i) {
            const Json& t = dump["titles"][i + 1];
            EXPECT_EQ((Json{t["Title"], t["Year"], t["Director"]}), c.titles[i]) << c.name;
            EXPECT_EQ(t["BuyDate"], *DayNumberFromDate(2024, 2, 29)) << c.name;
        }
        EXPECT_EQ(dump["lists"]["DirectorList"], c.directors) << c.name;
    }
}

// What does not come in whole is named on standard error; the import goes on.
TEST(CliTableImportTest, NamesTheColumnsLeftOutAndTheActorsNotTaken) {
    const std::pair<std::string, std::string> cases[] = {
        {"Title,Notes,,Year\nAlien,great,,1979\n",
         "tavrin-cli: column \"Notes\" is not imported\ntavrin-cli: column \"#3\" is not imported\n"},
        {"Title\tActor\nAlien\tSIGOURNEY WEAVER JOHN HURT\n",
         "tavrin-cli: Row 2, Actor: the actors were left out: names separated by blanks are read by the "
         "actor "
         "list, which does not hold them all; separate the names with commas\n"},
        {"Title;Medium;Cast\nAlien;LaserDisc;Sigourney Weaver, John Hurt\n", ""},
    };
    for (const auto& [table, err] : cases) {
        Files f;
        f.Table(table);
        const auto run = RunCli(f.dir, f.Args());
        EXPECT_EQ(run.exitCode, 0) << table;
        EXPECT_EQ(run.err, err) << table;
        EXPECT_EQ(DumpOf(f)["titles"].size(), 2u) << table;
    }
}

TEST(CliTableImportTest, TheNewTitlesTakeTheirPlacesInTheMasterOrder) {
    Files f;
    f.Table("Title\nAlien\nYojimbo\n");
    ASSERT_EQ(RunCli(f.dir, f.Args()).exitCode, 0);
    EXPECT_EQ(DumpOf(f)["order"], (Json{1, 2, 0}));
}

TEST(CliTableImportTest, RefusalsListTheFirstRowsThenCountTheRestAndWriteNothing) {
    Files f;
    // Row 2 has two refused cells; rows 2 .. 26 are refused, 25 rows.
    std::string table = "Title,Year,Support\nAlien,1979x,NOPE\n";
    for (int i = 3; i <= 26; ++i)
        table += "T" + std::to_string(i) + ",x,DVD\n";
    f.Table(table);
    const auto run = RunCli(f.dir, f.Args());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.starts_with("tavrin-cli: Nothing was imported: these cells do not fit their fields!\n"
                                    "  row 2, column \"Year\": Not a whole number\n"
                                    "  row 2, column \"Support\": Not a value of this field, which takes: "
                                    "LaserDisc, DVD, VHS, Video CD, 0 .. 3\n"
                                    "  row 3, column \"Year\": Not a whole number\n"))
        << run.err;
    EXPECT_NE(run.err.find("  row 21, column \"Year\""), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("  row 22,"), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with("  and 5 more rows refused\n")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(f.out));

    const std::vector<std::pair<std::string, std::string>> refused{
        {"Film,Year\nAlien,1979\n", "The table has no Title column!"},
        {"Title\n\"Alien\n", "A quoted cell is not closed before the end of the file! (row 2)"},
        {"Title\nCz\xC5\x82owiek z \xC5\xBC"
         "elaza\n",
         "  row 2, column \"Title\": Title: \xC5\x82 and \xC5\xBC cannot be stored in a collection; type "
         "them "
         "without accents\n"},
    };
    for (const auto& [text, message] : refused) {
        f.Table(text);
        const auto other = RunCli(f.dir, f.Args());
        EXPECT_EQ(other.exitCode, 1) << message;
        EXPECT_NE(other.err.find(message), std::string::npos) << other.err;
        EXPECT_FALSE(std::filesystem::exists(f.out)) << message;
    }
    EXPECT_EQ(ReadBytes(f.in), f.inBytes);
}

TEST(CliTableImportTest, BadUsageExits2AndWritesNothing) {
    Files f;
    f.Table("Title,Year\nAlien,1979\n");
    const std::vector<std::vector<std::string>> bad{
        {"--when", "2024-01-01"},
        {"--map", "{\"Title\": "},
        {"--map", "[\"Title\"]"},
        {"--map", "{\"Year\": \"Vintage\"}"},
        {"--map", "{\"Year\": 3}"},
        {"--map", "{\"Director\": \"Director\"}"}, // no such column
        {"--map"},
        {"--today", "2024-02-30"},
    };
    for (const auto& options : bad) {
        const auto run = RunCli(f.dir, f.Args(options));
        EXPECT_EQ(run.exitCode, 2) << options[0] << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(f.out)) << options[0];
    }
    EXPECT_EQ(RunCli(f.dir, {"import-table", f.in.string(), f.table.string()}).exitCode, 2);
    EXPECT_EQ(RunCli(f.dir, {"import-table", f.in.string(), f.table.string(), f.in.string()}).exitCode, 2);
    EXPECT_EQ(ReadBytes(f.in), f.inBytes);
}

} // namespace
} // namespace tavrin
