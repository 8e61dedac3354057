// tavrin-cli stats and price: the charts and the price summary of the listed titles.
#include "cli/cli_run.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::RunCli;
using test::TempDir;
using Json = nlohmann::json;

constexpr DayNumber March10th2020 = 43900;

// ALPHA, BETA and GAMMA: LDs of one box set, ratios 0, 0 and 6, priced 10, 0 and 5; DELTA: a DVD
// in no box set with no price. All bought on 2020-03-10.
std::filesystem::path WriteSample(const TempDir& dir) {
    Collection c;
    const std::tuple<const char*, std::uint8_t, float, std::uint16_t, std::uint8_t> rows[] = {
        {"ALPHA", 0, 10, 1, 0}, {"BETA", 0, 0, 1, 0}, {"GAMMA", 6, 5, 1, 0}, {"DELTA", 0, 0, NoEntry, 1}};
    for (const auto& [title, ratio, price, box, support] : rows) {
        TitleRecord t = test::MakeTitle(title);
        t.SetAspectRatio(ratio);
        t.SetPrice(price);
        t.SetBox(box);
        t.SetSupport(support);
        t.SetBuyDate(March10th2020);
        AppendTitle(c, t);
    }
    const auto file = dir / "SAMPLE.KXT";
    EXPECT_TRUE(SaveCollection(c, file));
    return file;
}

Json Stats(const TempDir& dir, const std::filesystem::path& file, std::vector<std::string> extra) {
    std::vector<std::string> args{"stats", file.string(), "--today", "2020-06-01"};
    args.insert(args.end(), extra.begin(), extra.end());
    const auto run = RunCli(dir, args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return Json::parse(run.out);
}

TEST(CliStatsTest, PrintsTheChartAsTheWindowDrawsIt) {
    TempDir dir;
    const auto file = WriteSample(dir);
    const Json ratio = Stats(dir, file, {"--chart", "ratio", "--filters", R"({"TSupport": 0})"});
    EXPECT_EQ(ratio["caption"], "ASPECT RATIOS");
    EXPECT_EQ(ratio["bars"], Json::parse("[[0, 0, 393, 48], [0, 288, 196, 336]]"));
    ASSERT_EQ(ratio["labels"].size(), 9u);
    EXPECT_EQ(ratio["labels"][0], Json::parse(R"({"x": 393, "y": 17, "text": "1.33 (2): 66.67 %"})"));
    EXPECT_EQ(ratio["labels"][6]["text"], "2.35 (1): 33.33 %");
    EXPECT_EQ(ratio["footer"], "These stats are made with a sorted list of discs!");
    EXPECT_TRUE(ratio["message"].is_null());
    EXPECT_EQ(ratio["years"], Json::parse("[2019, 2020]"));

    const Json money = Stats(dir, file, {"--chart", "money"});
    EXPECT_EQ(money["caption"], "MONEY PER MONTH IN 2020");
    EXPECT_EQ(money["labels"][2]["text"], "March 2020 (2) : 10.00"); // the box set once
    EXPECT_EQ(money["footer"], "These stats are made with all titles!");
    const Json days =
        Stats(dir, file, {"--chart", "money", "--year", "2019", "--month", "3", "--lang", "de"});
    EXPECT_EQ(days["caption"], "AUSGABEN PRO TAG IM März 2019");
    EXPECT_TRUE(days["bars"].empty());

    const Json rsdl = Stats(dir, file, {"--chart", "rsdl", "--lang", "fr"});
    EXPECT_EQ(rsdl["message"], "Cela ne fonctionne qu'avec des DVD, or aucun n'est sélectionné!");
    EXPECT_TRUE(rsdl["footer"].is_null());
    EXPECT_EQ(Stats(dir, file, {"--chart", "movie-mark", "--lang", "fr"})["caption"], "NOTE FILM");
}

TEST(CliStatsTest, NullWhenTheWindowWouldNotDraw) {
    TempDir dir;
    const auto file = WriteSample(dir);
    EXPECT_TRUE(Stats(dir, file, {"--chart", "ratio", "--filters", R"({"TAspectRatio": 0})"}).is_null());
    EXPECT_TRUE(Stats(dir, file, {"--chart", "new-used", "--filters", R"({"TUsed": true})"}).is_null());
    // Nothing listed: the window does not open.
    EXPECT_TRUE(Stats(dir, file, {"--chart", "money", "--filters", R"({"TSupport": 2})"}).is_null());
}

TEST(CliStatsTest, RefusesBadOptions) {
    TempDir dir;
    const auto file = WriteSample(dir);
    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{"--chart", "pie"}, std::vector<std::string>{"--year", "2020"},
          std::vector<std::string>{"--chart", "money", "--month", "13"},
          std::vector<std::string>{"--chart", "money", "--year", "twenty"},
          std::vector<std::string>{"--chart", "ratio", "--lang", "xx"},
          std::vector<std::string>{"--chart", "ratio", "--chart", "zone"},
          std::vector<std::string>{"--chart", "ratio", "--filters", "{"}}) {
        std::vector<std::string> args{"stats", file.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        const auto run = RunCli(dir, args);
        EXPECT_EQ(run.exitCode, 2) << extra.back();
        EXPECT_FALSE(run.err.empty());
        EXPECT_EQ(run.out, "");
    }
    const auto missing = RunCli(dir, {"stats", (dir / "MISSING.KXT").string(), "--chart", "ratio"});
    EXPECT_EQ(missing.exitCode, 1);
}

TEST(CliPriceTest, PrintsTheSummaryOfTheListedTitles) {
    TempDir dir;
    const auto file = WriteSample(dir);
    const auto run = RunCli(dir, {"price", file.string(), "--today", "2020-06-01"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "{\"TotalPrice\": \"10.00\", \"NbDisc\": 2, \"PriceZero\": 2}\n");
    const auto dvd = RunCli(dir, {"price", file.string(), "--filters", R"({"TSupport": 1})"});
    EXPECT_EQ(dvd.out, "{\"TotalPrice\": \"0.00\", \"NbDisc\": 1, \"PriceZero\": 1}\n");
    EXPECT_EQ(RunCli(dir, {"price", file.string(), "--today", "1.1.2020"}).exitCode, 2);
}

} // namespace
} // namespace tavrin
