// tavrin-cli from-json: the inverse of dump on collections of every shape, the forms people write
// by hand, and every refusal.
#include "cli/cli_run.h"
#include "cli/from_json.h"
#include "store/files/collection_file.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::BuildFile;
using test::ReadBytes;
using test::RunCli;
using test::TempDir;
using test::WriteBytes;
using Json = nlohmann::ordered_json;

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

Json DumpOf(const TempDir& dir, const std::filesystem::path& file) {
    const auto run = RunCli(dir, {"dump", file.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return Json::parse(run.out);
}

// The name-list sections a version's file holds, in file order.
std::vector<ListId> SectionLists(char version) {
    using L = ListId;
    switch (version) {
    case 'T':
        return {L::Director, L::Actor, L::Composer, L::Box, L::Retailer};
    case '2':
        return {L::Director, L::Actor, L::Composer, L::Box, L::Info, L::Retailer};
    case '3':
        return {L::Director, L::Actor, L::Composer, L::Box, L::Info, L::Publisher, L::Media, L::Retailer};
    default:
        return {L::Director,  L::Actor, L::Composer, L::Box,  L::Info,
                L::Publisher, L::Media, L::Retailer, L::Info2};
    }
}

// Random collection files of one version: empty and full texts, empty and filled lists, stray
// bytes everywhere a record may hold them, and references that name an entry or none.
class RandomFiles {
  public:
    explicit RandomFiles(unsigned seed) : rng_(seed) {}

    std::vector<std::uint8_t> File(char version) {
        std::array<std::size_t, ListCount> sizes{};
        std::vector<std::vector<std::string>> sections;
        for (ListId id : SectionLists(version)) {
            std::vector<std::string> names(Pick(4) == 0 ? 0 : Pick(7));
            for (auto& name : names)
                name = Text();
            sizes[static_cast<std::size_t>(id)] = names.size();
            sections.push_back(std::move(names));
        }
        if (version == 'T' || version == '2') sizes[static_cast<std::size_t>(ListId::Publisher)] = 29;

        std::vector<TitleRecord> records(Pick(3) == 0 ? 0 : Pick(9));
        for (auto& t : records) {
            for (auto& b : t.bytes)
                b = static_cast<std::uint8_t>(Pick(256));
            t.SetTitle(Text());
            for (ListId id : AllLists)
                for (auto offset : ReferringOffsets(id))
                    t.SetU16(offset, Reference(sizes[static_cast<std::size_t>(id)]));
            const auto publishers = sizes[static_cast<std::size_t>(ListId::Publisher)];
            t.bytes[158] =
                publishers > 0 && Pick(3) > 0 ? static_cast<std::uint8_t>(Pick(publishers)) : NoPublisher;
            // Older versions keep the retailer where the newer price ends.
            if (version != '5') t.SetU16(151, Reference(sizes[static_cast<std::size_t>(ListId::Retailer)]));
        }
        std::vector<std::uint16_t> order(records.size());
        std::iota(order.begin(), order.end(), std::uint16_t{0});
        std::shuffle(order.begin(), order.end(), rng_);
        return BuildFile(version, records, sections, order);
    }

  private:
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

    // 8-bit text without NUL: empty, full (49 characters) or in between.
    std::string Text() {
        const std::size_t lengths[] = {0, 49, 1 + Pick(48)};
        std::string text(lengths[Pick(3)], ' ');
        for (auto& c : text)
            c = static_cast<char>(1 + Pick(255));
        return text;
    }

    std::uint16_t Reference(std::size_t listSize) {
        switch (Pick(3)) {
        case 0:
            return NoEntry;
        case 1:
            return static_cast<std::uint16_t>(MaxEntryNumber + 1 + Pick(NoEntry - MaxEntryNumber - 1));
        default:
            return listSize == 0 ? NoEntry : static_cast<std::uint16_t>(Pick(listSize));
        }
    }

    std::mt19937 rng_;
};

TEST(CliFromJsonTest, DumpOfTheResultIsTheJsonItWasBuiltFrom) {
    RandomFiles random(14);
    for (int round = 0; round < 3; ++round) {
        for (char version : {'T', '2', '3', '4', '5'}) {
            SCOPED_TRACE(std::string("round ") + std::to_string(round) + ", version " + version);
            TempDir dir;
            const auto inBytes = random.File(version);
            WriteBytes(dir / "IN.KXT", inBytes);
            Json dumped = DumpOf(dir, dir / "IN.KXT");
            WriteText(dir / "IN.json", dumped.dump(2));

            const auto run =
                RunCli(dir, {"from-json", (dir / "IN.json").string(), (dir / "OUT.KXT").string()});
            ASSERT_EQ(run.exitCode, 0) << run.err;
            EXPECT_EQ(run.out + run.err, "");

            dumped["version"] = "KX5";
            EXPECT_EQ(DumpOf(dir, dir / "OUT.KXT"), dumped);
            // Byte for byte what saving the loaded collection writes, but for stray bytes after a
            // title's NUL, which no dump shows.
            auto loaded = ParseCollection(inBytes, "Other");
            ASSERT_TRUE(loaded);
            for (auto& t : loaded->collection.titles)
                t.SetTitle(t.Title());
            EXPECT_EQ(ReadBytes(dir / "OUT.KXT"), SerializeCollection(loaded->collection));
        }
    }
}

TEST(CliFromJsonTest, TakesNamesAsTextDatesAsDaysAndFillsWhatIsLeftOut) {
    const auto doc = Json::parse(R"({
      "titles": [
        {"Title": "ZELIG", "Director": "WOODY ALLEN", "Actor1": "WOODY ALLEN", "Actor2": "MIA FARROW",
         "Publisher": "WARNER", "BuyDate": "2000-01-01", "WatchDate": "1899-12-30", "Year": 1983},
        {"Title": "ANNIE HALL", "Director": "WOODY ALLEN", "Actor1": "DIANE KEATON", "Actor2": "Diane Keaton",
         "Actor3": 0, "Media1": "COVER.JPG"}
      ],
      "lists": {"ActorList": ["DIANE KEATON"]}
    })");
    const auto c = cli::CollectionFromJson(doc.dump());
    ASSERT_TRUE(c) << c.error();
    EXPECT_EQ(c->List(ListId::Director), (NameList{"WOODY ALLEN"}));
    // Case counts when a name is looked up, as when a title is imported.
    EXPECT_EQ(c->List(ListId::Actor),
              (NameList{"DIANE KEATON", "WOODY ALLEN", "MIA FARROW", "Diane Keaton"}));
    EXPECT_EQ(c->List(ListId::Publisher), (NameList{"WARNER"}));
    EXPECT_EQ(c->List(ListId::Media), (NameList{"COVER.JPG"}));
    ASSERT_EQ(c->titles.size(), 2u);
    const TitleRecord& zelig = c->titles[0];
    const TitleRecord& annie = c->titles[1];
    EXPECT_EQ(zelig.Director(), 0);
    EXPECT_EQ(annie.Director(), 0);
    EXPECT_EQ(zelig.Actor1(), 1);
    EXPECT_EQ(zelig.Actor2(), 2);
    EXPECT_EQ(annie.Actor1(), 0);
    EXPECT_EQ(annie.Actor2(), 3);
    EXPECT_EQ(annie.Actor3(), 0);
    EXPECT_EQ(zelig.PublisherStored(), 0);
    EXPECT_EQ(annie.PublisherStored(), NoEntry);
    EXPECT_EQ(zelig.BuyDate(), 36526);
    EXPECT_EQ(zelig.WatchDate(), 0);
    EXPECT_EQ(annie.Media1(), 0);
    // Left out: references none, everything else zero.
    for (auto offset : {57 + 4, 83, 85, 106, 111, 117, 143})
        EXPECT_EQ(zelig.U16(static_cast<std::size_t>(offset)), NoEntry) << offset;
    TitleRecord expected = annie;
    for (auto offset : {55, 57, 59, 61, 63, 65, 83, 85, 88, 106, 111, 113, 115, 117, 143, 158})
        expected.SetU16(static_cast<std::size_t>(offset), 0);
    expected.SetTitle("");
    EXPECT_EQ(expected, TitleRecord{});
    EXPECT_EQ(c->ListeIndex, (std::vector<std::uint16_t>{1, 0}));
}

// Each case changes one thing in a valid document; the message must name where the fault is.
TEST(CliFromJsonTest, RefusesWhatNoCollectionCanHoldNamingTheTitleAndField) {
    const auto valid = Json::parse(R"({
      "version": "KX5",
      "titles": [{"Title": "ALIEN", "Director": 0, "Publisher": 0}],
      "lists": {"DirectorList": ["RIDLEY SCOTT"], "PublisherList": ["FOX"]},
      "order": [0]
    })");
    ASSERT_TRUE(cli::CollectionFromJson(valid.dump()));

    struct Case {
        const char* pointer; // where the change goes ("" for the whole document)
        Json value;          // null: remove the key
        std::vector<std::string> named;
    };
    const std::string fifty(50, 'A');
    const std::vector<Case> cases{
        {"", Json::array(), {"expects a JSON object"}},
        {"/titles", nullptr, {"\"titles\" is missing"}},
        {"/titles/0/Title", nullptr, {"title 0", "\"Title\" is missing"}},
        {"/extra", 1, {"\"extra\""}},
        {"/version", "KX6", {"version"}},
        {"/titles", Json::object(), {"titles"}},
        {"/titles/0/Colour", 1, {"title 0 (ALIEN)", "\"Colour\""}},
        {"/titles/0/Year", "1979", {"title 0 (ALIEN), field Year", "whole number"}},
        {"/titles/0/Year", 1979.5, {"field Year", "whole number"}},
        {"/titles/0/Year", 65536, {"field Year", "out of range"}},
        {"/titles/0/Genre", 256, {"field Genre", "out of range"}},
        {"/titles/0/Thx", -1, {"field Thx", "out of range"}},
        {"/titles/0/Thx", true, {"field Thx", "whole number"}},
        {"/titles/0/BuyDate", 2147483648LL, {"field BuyDate", "out of range"}},
        {"/titles/0/BuyDate", "2001-02-30", {"field BuyDate", "YYYY-MM-DD"}},
        {"/titles/0/Price", 1e39, {"field Price", "32-bit float"}},
        {"/titles/0/Price", "free", {"field Price"}},
        {"/titles/0/Reserved", "00", {"field Reserved", "24 hexadecimal"}},
        {"/titles/0/Title", fifty, {"field Title", "over 49"}},
        {"/titles/0/Title", "\xE6\x97\xA5\xE6\x9C\xAC", {"field Title", "Windows-1252"}},
        {"/titles/0/Title", std::string("A\0B", 3), {"field Title", "NUL"}},
        {"/titles/0/Title", 7, {"field Title", "expects a text"}},
        {"/titles/0/Director", 1, {"field Director", "beyond DirectorList"}},
        {"/titles/0/Actor1", 0, {"field Actor1", "beyond ActorList"}},
        {"/titles/0/Publisher", 0x0101, {"field Publisher", "beyond PublisherList"}},
        {"/titles/0/Director", fifty, {"field Director", "over 49"}},
        {"/titles/0/Director", Json::array(), {"field Director", "entry number or a name"}},
        {"/lists/FooList", Json::array(), {"\"FooList\""}},
        {"/lists/ActorList", "FORD", {"list ActorList", "array"}},
        {"/lists/DirectorList/0", fifty, {"list DirectorList, entry 0", "over 49"}},
        {"/lists/DirectorList/0", 3, {"list DirectorList, entry 0", "text"}},
        {"/order", Json::array({0, 0}), {"order", "2 record numbers for 1"}},
        {"/order/0", 1, {"order, position 0", "out of range"}},
        {"/order", 0, {"order", "array"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pointer) + " = " + c.value.dump());
        Json doc = valid;
        if (std::string_view(c.pointer).empty()) {
            doc = c.value;
        } else if (c.value.is_null()) {
            const Json::json_pointer at(c.pointer);
            doc[at.parent_pointer()].erase(at.back());
        } else {
            doc[Json::json_pointer(c.pointer)] = c.value;
        }
        const auto result = cli::CollectionFromJson(doc.dump());
        ASSERT_FALSE(result);
        for (const auto& part : c.named)
            EXPECT_NE(result.error().find(part), std::string::npos) << result.error();
    }
}

TEST(CliFromJsonTest, ARefusalWritesNothingAndExits1) {
    TempDir dir;
    const auto out = dir / "OUT.KXT";
    const std::vector<std::uint8_t> previous{'K', 'X', '5', 0, 0};
    const std::vector<std::pair<std::string, std::string>> inputs{
        {"BROKEN.json", R"({"titles": [{"Title": "ALIEN",)"},
        {"EMPTY.json", ""},
        {"RANGE.json", R"({"titles": [{"Title": "ALIEN", "Year": 100000}]})"},
    };
    for (const auto& [name, text] : inputs) {
        SCOPED_TRACE(name);
        WriteText(dir / name, text);
        for (bool existing : {false, true}) {
            if (existing)
                WriteBytes(out, previous);
            else
                std::filesystem::remove(out);
            const auto run = RunCli(dir, {"from-json", (dir / name).string(), out.string()});
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_NE(run.err.find((dir / name).string()), std::string::npos) << run.err;
            EXPECT_EQ(run.out, "");
            if (existing)
                EXPECT_EQ(ReadBytes(out), previous);
            else
                EXPECT_FALSE(std::filesystem::exists(out));
        }
    }
    EXPECT_NE(
        RunCli(dir, {"from-json", (dir / "BROKEN.json").string(), out.string()}).err.find("not valid JSON"),
        std::string::npos);

    const auto missing = RunCli(dir, {"from-json", (dir / "NONE.json").string(), out.string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("NONE.json"), std::string::npos) << missing.err;

    WriteText(dir / "GOOD.json", R"({"titles": []})");
    const auto unwritable = dir / "NO SUCH FOLDER" / "OUT.KXT";
    const auto cannot = RunCli(dir, {"from-json", (dir / "GOOD.json").string(), unwritable.string()});
    EXPECT_EQ(cannot.exitCode, 1);
    EXPECT_NE(cannot.err.find(unwritable.string()), std::string::npos) << cannot.err;

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"from-json"}, {"from-json", "A.json"}, {"from-json", "A.json", "B.KXT", "C"}}) {
        const auto usage = RunCli(dir, args);
        EXPECT_EQ(usage.exitCode, 2);
        EXPECT_NE(usage.err.find("Usage: tavrin-cli"), std::string::npos);
    }
}

} // namespace
} // namespace tavrin
