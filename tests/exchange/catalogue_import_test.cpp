#include "exchange/catalogue_import.h"

#include "editing/media_files.h"
#include "store/review_files.h"
#include "store/text_encoding.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using test::TempDir;

constexpr DayNumber Today = 46000;

std::string NameOf(const Collection& c, ListId list, std::uint16_t stored) {
    const int entry = EntryFromStored(stored);
    return entry < 0 ? std::string() : c.List(list)[static_cast<std::size_t>(entry)];
}

std::string ReviewOf(const TempDir& dir, const TitleRecord& t) {
    if (t.ReviewNumber() == 0) return {};
    return ReadReviewText(ReviewFilePath(dir / "TEXT", t.TitleView(), t.ReviewNumber()))
        .value_or("(missing)");
}

struct Imported {
    Collection c;
    CatalogueReport report;
    std::size_t count = 0;
};

Imported Import(Collection c, SourceCatalogue source, const TempDir& dir, bool keep = false) {
    std::filesystem::create_directories(dir / "TEXT");
    std::filesystem::create_directories(dir / "MEDIAS");
    OpenCollection open(std::move(c));
    CatalogueImportOptions options{keep, Today, dir / "source"};
    CataloguePlan plan = PlanCatalogueImport(open.Data(), source, options);
    const auto done =
        ImportCatalogue(open, plan, {dir / "TEXT", dir / "MEDIAS"}, PictureCodec{}, std::nullopt);
    Imported out{open.Data(), plan.report, done ? *done : 0};
    return out;
}

SourceTitle FullTitle() {
    SourceTitle s;
    s.title = "Harbour of Glass";
    s.year = 1994;
    s.length = 107;
    s.medium = "Blu-ray";
    s.regions = {"Region 2"};
    s.aspectRatios = {"2.40:1"};
    s.certification = "PG-13 (Parental Guidance)";
    s.genres = {"Mystery", "Sci-Fi", "Western"};
    s.directors = {"Irene Vasko", "Piet Harmsen"};
    for (int i = 1; i <= 6; ++i)
        s.actors.push_back({"Actor " + std::to_string(i), i == 1 ? "Clara" : ""});
    s.composers = {"Lena Moor"};
    s.publishers = {"Glasswork Films", "Second Studio"};
    s.filmRating = "7";
    s.viewings = 1;
    s.buyDate = 37000;
    s.price = "12,50 €";
    s.audio = {{"English", "Dolby Digital 5.1", ""}, {"Klingon", "DTS", ""}};
    s.subtitles = {"French"};
    s.notes = {{"Plot", "A harbour.\nA glass."}, {"Country", "Norway"}};
    s.sound = "Ultra Stereo"; // only our own Tellico files write these three
    s.info = "Shelf 4";
    s.info2 = "Signed";
    return s;
}

TEST(CatalogueImport, EveryValueLandsInItsFieldOrInTheReviewText) {
    TempDir dir;
    const auto [c, report, count] = Import(Collection{}, {CatalogueFormat::Tellico, {FullTitle()}}, dir);
    ASSERT_EQ(count, 1u);
    const TitleRecord& t = c.RecordAt(0);
    EXPECT_EQ(t.TitleView(), "HARBOUR OF GLASS");
    EXPECT_EQ(t.Year(), 1994);
    EXPECT_EQ(t.Length(), 107);
    EXPECT_EQ(t.Support(), 1); // Blu-ray as DVD
    EXPECT_EQ(t.Zone(), 2);
    EXPECT_EQ(t.Mpaa(), 3);
    EXPECT_EQ(t.FilmRating(), 4);
    EXPECT_EQ(t.BuyDate(), 37000);
    EXPECT_EQ(t.WatchDate(), Today);
    EXPECT_FLOAT_EQ(t.Price(), 12.5f);
    EXPECT_TRUE(t.Ac3());
    EXPECT_TRUE(t.Subtitled());
    EXPECT_EQ(t.Sound(), 2);
    EXPECT_EQ(NameOf(c, ListId::Info, t.Info()), "SHELF 4");
    EXPECT_EQ(NameOf(c, ListId::Info2, t.Info2()), "SIGNED");
    EXPECT_EQ(NameOf(c, ListId::Director, t.Director()), "IRENE VASKO");
    EXPECT_EQ(NameOf(c, ListId::Actor, t.U16(ActorOffsets[4])), "ACTOR 5");
    EXPECT_EQ(NameOf(c, ListId::Composer, t.Composer()), "LENA MOOR");
    EXPECT_EQ(c.List(ListId::Publisher).at(0), "GLASSWORK FILMS");

    const std::string review = ReviewOf(dir, t);
    for (const char* line :
         {"Medium: Blu-ray\r\n", "Other directors: Piet Harmsen\r\n", "Other studios: Second Studio\r\n",
          "Also starring: Actor 6\r\n", "Roles: Actor 1 as Clara\r\n", "Country: Norway\r\n",
          "Price: 12,50 \x80\r\n", "\r\nPlot:\r\nA harbour.\r\nA glass.\r\n"})
        EXPECT_NE(review.find(line), std::string::npos) << line << " in\n" << review;
    // Lines in their one order, the blocks last.
    EXPECT_LT(review.find("Medium:"), review.find("Other directors:"));
    EXPECT_LT(review.find("Country:"), review.find("Plot:"));

    EXPECT_EQ(report.fields.at("Director"), (FieldTally{1, 0, 1}));
    EXPECT_EQ(report.fields.at("Support"), (FieldTally{0, 1, 0}));
    EXPECT_EQ(report.fields.at("Genre").approximated, 1u);
}

TEST(CatalogueImport, LongTextsAreShortenedAndForeignLettersMadePlainWithEveryChangeReported) {
    TempDir dir;
    SourceTitle s;
    s.title = "The Extraordinarily Long Voyage of the Glass Harbour Ferry Łódź";
    s.directors = {"Sławomir Żółw"};
    const auto [c, report, count] = Import(Collection{}, {CatalogueFormat::GCstar, {s}}, dir);
    ASSERT_EQ(count, 1u);
    const TitleRecord& t = c.RecordAt(0);
    EXPECT_EQ(t.TitleView(), "THE EXTRAORDINARILY LONG VOYAGE OF THE GLASS");
    EXPECT_EQ(Cp1252ToUtf8(NameOf(c, ListId::Director, t.Director())), "SLAWOMIR ZÓLW");
    EXPECT_NE(Cp1252ToUtf8(ReviewOf(dir, t))
                  .find("Full title: The Extraordinarily Long Voyage of the Glass Harbour Ferry Lódz"),
              std::string::npos);
    ASSERT_EQ(report.shortened.size(), 1u);
    EXPECT_EQ(report.letters.size(), 2u);
    const std::string json = CatalogueReportJson(report);
    EXPECT_EQ(json.rfind("{\"format\": \"GCstar\", \"titles\": 1, \"imported\": 1, \"duplicates\": 0, "
                         "\"covers\": {\"copied\": 0, \"missing\": 0}, \"fields\": {",
                         0),
              0u)
        << json;
}

TEST(CatalogueImport, DuplicatesAreLeftOutOrKeptAsAsked) {
    Collection c = test::MakeCollection({"SALT ROAD"});
    c.titles[0].SetYear(1979);
    c.titles[0].SetSupport(1);
    SourceTitle salt;
    salt.title = "Salt Road";
    salt.year = 1979;
    SourceTitle other = salt;
    other.year = 1980; // another film of the same name
    const SourceCatalogue source{CatalogueFormat::Griffith, {salt, other, other}};
    for (const bool keep : {false, true}) {
        TempDir dir;
        const auto imported = Import(c, source, dir, keep);
        EXPECT_EQ(imported.report.duplicates, 2u);
        EXPECT_EQ(imported.count, keep ? 3u : 1u);
        EXPECT_EQ(imported.c.Count(), keep ? 4u : 2u);
        EXPECT_EQ(CatalogueSummary(imported.report),
                  keep ? "Imported 3 titles from Griffith: 2 duplicates kept, 0 covers copied, 0 missing"
                       : "Imported 1 title from Griffith: 2 duplicates left out, 0 covers copied, 0 missing");
    }
}

TEST(CatalogueImport, CoversAreCopiedUnderNewNamesAndMissingOnesCounted) {
    TempDir dir;
    std::filesystem::create_directories(dir / "source" / "posters");
    test::WriteBytes(dir / "source" / "posters" / "a.jpg", test::Bytes("linked jpeg"));
    std::filesystem::create_directories(dir / "MEDIAS");
    test::WriteBytes(dir / "MEDIAS" / "GLASS.JPG", test::Bytes("someone else's"));
    // A link to nothing is no file of MEDIAS, but its name is still taken.
    std::filesystem::create_symlink("nowhere", dir / "MEDIAS" / "GLASS_2.JPG");
    std::vector<SourceTitle> titles(5);
    for (std::size_t i = 0; i < titles.size(); ++i)
        titles[i].title = "Glass", titles[i].year = static_cast<int>(2000 + i);
    titles[0].cover = {test::Bytes("embedded"), "jpeg", ""};
    titles[1].cover.path = "posters\\a.jpg";
    titles[2].cover.path = "file://" + (dir / "source" / "posters" / "a.jpg").string();
    titles[3].cover.path = "https://example.org/glass.jpg";
    titles[4].cover.path = "posters/gone.jpg";
    const auto [c, report, count] = Import(Collection{}, {CatalogueFormat::DataCrow, titles}, dir);
    ASSERT_EQ(count, 5u);
    EXPECT_EQ(report.coversCopied, 3u);
    EXPECT_EQ(report.coversMissing, 2u);
    EXPECT_EQ(test::ReadBytes(dir / "MEDIAS" / "GLASS.JPG"), test::Bytes("someone else's"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "MEDIAS" / "GLASS_2.JPG"));
    std::set<std::string> names;
    for (std::size_t r = 0; r < 3; ++r) {
        const std::string name = NameOf(c, ListId::Media, c.RecordAt(r).Media1());
        names.insert(name);
        ASSERT_TRUE(FindMediaFile(dir / "MEDIAS", name)) << name;
    }
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(
        test::ReadBytes(*FindMediaFile(dir / "MEDIAS", NameOf(c, ListId::Media, c.RecordAt(0).Media1()))),
        test::Bytes("embedded"));
    EXPECT_NE(ReviewOf(dir, c.RecordAt(3)).find("Cover: https://example.org/glass.jpg"), std::string::npos);
}

TEST(CatalogueImport, OneUndoTakesEveryTitleAndNameAway) {
    TempDir dir;
    std::filesystem::create_directories(dir / "TEXT");
    std::filesystem::create_directories(dir / "MEDIAS");
    OpenCollection open(test::MakeCollection({"ALPHA"}));
    const Collection before = open.Data();
    CataloguePlan plan = PlanCatalogueImport(
        open.Data(), {CatalogueFormat::Collectorz, {FullTitle(), FullTitle()}}, {true, Today, dir.path()});
    ASSERT_TRUE(ImportCatalogue(open, plan, {dir / "TEXT", dir / "MEDIAS"}, {}, std::nullopt));
    EXPECT_EQ(open.Data().Count(), 3u);
    EXPECT_TRUE(open.Modified());
    ASSERT_TRUE(open.Undo());
    EXPECT_EQ(open.Data().titles, before.titles);
    EXPECT_EQ(open.Data().List(ListId::Actor), before.List(ListId::Actor));
    EXPECT_EQ(open.Data().ListeIndex, before.ListeIndex);
}

TEST(CatalogueImport, CoverPathsAreReadAsTheSourceWroteThem) {
    const std::filesystem::path folder = "/data/films";
    const struct {
        const char* written;
        std::optional<std::filesystem::path> file;
    } cases[] = {
        {"posters/a.jpg", folder / "posters/a.jpg"},
        {"posters\\a.jpg", folder / "posters/a.jpg"},
        {"/pics/a.jpg", std::filesystem::path("/pics/a.jpg")},
        {"file:///pics/a%20b.jpg", std::filesystem::path("/pics/a b.jpg")},
        {"C:\\Films\\a.jpg", folder / "Films/a.jpg"},
        {"http://example.org/a.jpg", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& k : cases)
        EXPECT_EQ(CoverFilePath(k.written, folder), k.file) << k.written;
}

} // namespace
} // namespace tavrin
