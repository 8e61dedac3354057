// tavrin-cli import-catalogue run as a program: a GCstar file appended with its cover and review
// text, the summary line and the JSON report, duplicates skipped or kept; refusals and bad usage
// write nothing.
#include "cli/cli_run.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::RunCli;
using test::TempDir;
using test::WriteBytes;

constexpr std::string_view Gcstar = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                    "<collection type=\"GCfilms\" items=\"2\" version=\"1.7\">\n"
                                    " <item id=\"1\" title=\"Salt Road\" date=\"1979\" time=\"98 min\" "
                                    "image=\"covers/salt.jpg\" seen=\"1\">\n"
                                    "  <synopsis>Two drivers.</synopsis>\n"
                                    " </item>\n"
                                    " <item id=\"2\" title=\"Zulu\" date=\"1964\" format=\"DVD\"/>\n"
                                    "</collection>\n";

struct CatalogueImportCli : ::testing::Test {
    TempDir dir;
    std::filesystem::path in = dir / "in.KXT", source = dir / "films.gcs", out = dir / "out.KXT";
    void SetUp() override {
        Collection c;
        TitleRecord zulu = test::MakeTitle("ZULU", 1964);
        zulu.SetSupport(1);
        AppendTitle(c, zulu);
        WriteBytes(in, SerializeCollection(c));
        WriteBytes(source, test::Bytes(Gcstar));
        std::filesystem::create_directories(dir / "covers");
        WriteBytes(dir / "covers" / "salt.jpg", test::Bytes("jpeg bytes"));
        setenv("TAVRIN_HOME", (dir / "home").c_str(), 1);
    }
    void TearDown() override { unsetenv("TAVRIN_HOME"); }
    test::CliRun Import(std::vector<std::string> options = {}) {
        std::vector<std::string> args{"import-catalogue", in.string(), source.string(), out.string()};
        args.insert(args.end(), options.begin(), options.end());
        return RunCli(dir, args);
    }
};

TEST_F(CatalogueImportCli, AppendsTheTitlesWithTheirCoversAndReports) {
    const auto run = Import({"--today", "2026-01-02", "--report", (dir / "report.json").string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "Imported 1 title from GCstar: 1 duplicate left out, 1 cover copied, 0 missing\n");
    const auto loaded = LoadCollectionFile(out, "OTHER");
    ASSERT_TRUE(loaded);
    const Collection& c = loaded->collection;
    ASSERT_EQ(c.Count(), 2u);
    const TitleRecord& salt = c.RecordAt(1);
    EXPECT_EQ(salt.TitleView(), "SALT ROAD");
    EXPECT_EQ(salt.Length(), 98);
    EXPECT_EQ(salt.Viewings(), 1);
    EXPECT_NE(salt.ReviewNumber(), 0);
    ASSERT_EQ(c.List(ListId::Media).size(), 1u);
    EXPECT_EQ(test::ReadBytes(dir / "home" / "MEDIAS" / c.List(ListId::Media)[0]), test::Bytes("jpeg bytes"));
    const auto report = nlohmann::json::parse(test::ReadText(dir / "report.json"));
    EXPECT_EQ(report["format"], "GCstar");
    EXPECT_EQ(report["titles"], 2);
    EXPECT_EQ(report["imported"], 1);
    EXPECT_EQ(report["covers"]["copied"], 1);
    EXPECT_EQ(report["fields"]["Length"]["kept"], 1); // Zulu has no running time

    const auto kept = Import({"--duplicates", "keep"});
    ASSERT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_EQ(LoadCollectionFile(out, "OTHER")->collection.Count(), 3u);
}

TEST_F(CatalogueImportCli, RefusalsAndBadUsageWriteNothing) {
    WriteBytes(dir / "books.xml", test::Bytes("<?xml version=\"1.0\"?><collection type=\"GCbooks\"/>"));
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"import-catalogue", in.string(), (dir / "books.xml").string(), out.string()},
         1,
         "tavrin-cli: import-catalogue: books.xml is not a film collection Tavrin can import (Tellico, "
         "GCstar, DVD "
         "Profiler, Collectorz, Griffith, Data Crow, Ant Movie Catalog).\n"},
        {{"import-catalogue", in.string(), source.string(), out.string(), "--duplicates", "maybe"}, 2, ""},
        {{"import-catalogue", in.string(), source.string()}, 2, ""},
    };
    for (const auto& k : cases) {
        const auto run = RunCli(dir, k.args);
        EXPECT_EQ(run.exitCode, k.exitCode) << run.err;
        if (!k.err.empty()) {
            EXPECT_EQ(run.err, k.err);
        }
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

} // namespace
} // namespace tavrin
