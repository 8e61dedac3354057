// tavrin-cli list: the browse list for filter settings given as JSON.
#include "cli/cli_run.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::RunCli;
using test::TempDir;

constexpr DayNumber Bought = 40000;         // 2009-07-06
constexpr const char* Today = "2020-01-01"; // day 43831

// Records: 0 ZORRO (DVD, zone 2, director 0), 1 ÉTÉ MEURTRIER (LD, THX, genre 13 second), 2 ALIEN
// (VHS, no year), 3 BATMAN (DVD, bought after "today"), 4 CASABLANCA (LD, actors 0 and 2).
std::filesystem::path WriteSample(const TempDir& dir) {
    Collection c;
    c.List(ListId::Director) = {"LEONE"};
    c.List(ListId::Actor) = {"BOGART", "BERGMAN", "HENREID"};
    TitleRecord zorro = test::MakeTitle("ZORRO", 1975);
    zorro.SetSupport(1);
    zorro.SetZone(2);
    zorro.SetDirector(0);
    TitleRecord ete = test::MakeTitle("\xC9T\xC9 MEURTRIER", 1983);
    ete.SetThx(true);
    ete.SetGenre(5);
    ete.SetGenre2(13);
    TitleRecord alien = test::MakeTitle("ALIEN", 0);
    alien.SetSupport(2);
    TitleRecord batman = test::MakeTitle("BATMAN", 1989);
    batman.SetSupport(1);
    TitleRecord casablanca = test::MakeTitle("CASABLANCA", 1942);
    casablanca.SetActor1(0);
    casablanca.SetActor4(2);
    for (auto* t : {&zorro, &ete, &alien, &batman, &casablanca}) {
        t->SetBuyDate(Bought);
        AppendTitle(c, *t);
    }
    c.titles[3].SetBuyDate(43832); // the day after "today"
    const auto file = dir / "SAMPLE.KXT";
    EXPECT_TRUE(SaveCollection(c, file));
    return file;
}

std::string List(const TempDir& dir, const std::filesystem::path& file, const std::string& filters) {
    std::vector<std::string> args{"list", file.string(), "--today", Today};
    if (!filters.empty()) args.insert(args.end(), {"--filters", filters});
    const auto run = RunCli(dir, args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run.out;
}

TEST(CliListTest, NeutralFiltersListTheTitlesInTitleOrderWithTheirRecordNumbers) {
    TempDir dir;
    const auto file = WriteSample(dir);
    // ALIEN has no year and BATMAN was bought after today: the ranges apply with nothing chosen.
    EXPECT_EQ(List(dir, file, ""), "4\tCASABLANCA\n1\t\xC3\x89T\xC3\x89 MEURTRIER\n0\tZORRO\n");
}

TEST(CliListTest, EachKindOfControlNarrowsTheList) {
    TempDir dir;
    const auto file = WriteSample(dir);
    EXPECT_EQ(List(dir, file, R"({"TSupport": 1})"), "0\tZORRO\n");
    EXPECT_EQ(List(dir, file, R"({"TSupport": 1, "TZone": 0})"), ""); // "Zone All" is zone byte 0
    EXPECT_EQ(List(dir, file, R"({"TTHX": true})"), "1\t\xC3\x89T\xC3\x89 MEURTRIER\n");
    EXPECT_EQ(List(dir, file, R"({"TTHX": false, "TGenre": 13})"), "1\t\xC3\x89T\xC3\x89 MEURTRIER\n");
    EXPECT_EQ(List(dir, file, R"({"TAnnee1": 1950, "TAnnee2": 1980})"), "0\tZORRO\n");
    EXPECT_EQ(List(dir, file, R"({"TDirector": 0})"), "0\tZORRO\n");
    EXPECT_EQ(List(dir, file, R"({"TDirector": 65535})"), "4\tCASABLANCA\n1\t\xC3\x89T\xC3\x89 MEURTRIER\n");
    EXPECT_EQ(List(dir, file, R"({"TActor": [2, 0]})"), "4\tCASABLANCA\n");
    EXPECT_EQ(List(dir, file, R"({"TActor": [1]})"), "");
    EXPECT_EQ(List(dir, file, R"({"EntrySince": "2009-07-07"})"), "");
    EXPECT_EQ(List(dir, file, R"({"TNoteFilm1": 1})"), "");
}

// The main window's search: every word in the title or a name, without case or accents, over
// what the filters keep.
TEST(CliListTest, SearchNarrowsTheFilteredList) {
    TempDir dir;
    const auto file = WriteSample(dir);
    const auto search = [&](const std::string& text, const std::string& filters) {
        std::vector<std::string> args{"list", file.string(), "--today", Today, "--search", text};
        if (!filters.empty()) args.insert(args.end(), {"--filters", filters});
        const auto run = RunCli(dir, args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    };
    const std::string ete = "1\t\xC3\x89T\xC3\x89 MEURTRIER\n";
    EXPECT_EQ(search("meurtrier ete", ""), ete);
    EXPECT_EQ(search("\xC3\xA9t\xC3\xA9", ""), ete); // "été" typed in UTF-8
    EXPECT_EQ(search("henreid casa", ""), "4\tCASABLANCA\n");
    EXPECT_EQ(search("leone", R"({"TSupport": 1})"), "0\tZORRO\n");
    EXPECT_EQ(search("bogart", R"({"TSupport": 1})"), "");
    EXPECT_EQ(search(" ", ""), List(dir, file, ""));
}

TEST(CliListTest, TodayBoundsThePurchaseDates) {
    TempDir dir;
    const auto file = WriteSample(dir);
    const auto run = RunCli(dir, {"list", file.string(), "--today", "2020-01-02"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("3\tBATMAN\n"), std::string::npos);
}

TEST(CliListTest, RefusesBadFiltersNamingTheKey) {
    TempDir dir;
    const auto file = WriteSample(dir);
    const std::pair<const char*, const char*> bad[] = {
        {R"({"TColour": 1})", "TColour"},          {R"({"TTHX": 1})", "TTHX"},
        {R"({"TSupport": "1"})", "TSupport"},      {R"({"TSupport": 5})", "TSupport"},
        {R"({"TActor": [1, 2, 3, 4]})", "TActor"}, {R"({"TActor": 3})", "TActor"},
        {R"({"TActor": [2, 2]})", "TActor"},       {R"({"EntrySince": "2009-02-30"})", "EntrySince"},
        {R"({"TEditeur": 256})", "TEditeur"},      {R"({"Watched": 3})", "Watched"},
    };
    for (const auto& [filters, key] : bad) {
        const auto run = RunCli(dir, {"list", file.string(), "--filters", filters});
        EXPECT_EQ(run.exitCode, 2) << filters;
        EXPECT_NE(run.err.find(key), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

TEST(CliListTest, RefusesBadOptionsAndReportsFiles) {
    TempDir dir;
    const auto file = WriteSample(dir);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list", file.string(), "--today", "2020-13-01"},
          std::vector<std::string>{"list", file.string(), "--filters", "{not json"},
          std::vector<std::string>{"list", file.string(), "--sort", "x"},
          std::vector<std::string>{"list", file.string(), "--today"}}) {
        const auto run = RunCli(dir, args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_FALSE(run.err.empty());
    }
    const auto missing = RunCli(dir, {"list", (dir / "MISSING.KXT").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("MISSING.KXT"), std::string::npos);
}

} // namespace
} // namespace tavrin
