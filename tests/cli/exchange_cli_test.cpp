// tavrin-cli export-title, import-title, add-list and rebuild-index run as a program: FILE kept,
// OUT written; and the name-list readers agreeing with what names save writes.
#include "cli/cli_run.h"
#include "store/files/collection_file.h"
#include "store/files/name_list_file.h"
#include "store/files/title_file.h"
#include "store/title_order.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::ReadBytes;
using test::RunCli;
using test::TempDir;
using test::WriteBytes;

Collection Sample() {
    Collection c;
    c.List(ListId::Director) = {"SCOTT", "MANN"};
    c.List(ListId::Actor) = {"WEAVER", "PACINO"};
    c.List(ListId::Retailer) = {"FNAC"};
    TitleRecord alien = test::MakeTitle("ALIEN", 1979);
    alien.SetDirector(0);
    alien.SetActor1(0);
    alien.SetRetailer(0);
    TitleRecord heat = test::MakeTitle("HEAT", 1995);
    heat.SetDirector(1);
    heat.SetActor1(1);
    for (const auto& t : {heat, alien})
        AppendTitle(c, t);
    return c;
}

Collection Load(const std::filesystem::path& file) {
    auto loaded = LoadCollectionFile(file, "OTHER");
    EXPECT_TRUE(loaded);
    return loaded ? loaded->collection : Collection{};
}

struct Files {
    TempDir dir;
    std::filesystem::path in = dir / "in.KXT";
    std::filesystem::path out = dir / "out.KXT";
    std::vector<std::uint8_t> inBytes;
    explicit Files(const Collection& c) : inBytes(SerializeCollection(c)) { WriteBytes(in, inBytes); }
    std::string In() const { return in.string(); }
    std::string Out() const { return out.string(); }
};

TEST(CliExchangeTest, ExportThenImportMovesATitleWithItsNames) {
    Files f(Sample());
    const auto kxm = f.dir / "alien.KXM";
    auto run = RunCli(f.dir, {"export-title", f.In(), "1", kxm.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(f.in), f.inBytes);
    EXPECT_EQ(ReadBytes(kxm).size(), TitleFileHeaderSize + 2 * NameTextSize);

    // Into a collection that has MANN but neither SCOTT nor WEAVER.
    Collection target;
    target.List(ListId::Director) = {"MANN"};
    AppendTitle(target, test::MakeTitle("ZELIG"));
    const auto targetFile = f.dir / "target.KXT";
    const auto targetBytes = SerializeCollection(target);
    WriteBytes(targetFile, targetBytes);
    run =
        RunCli(f.dir, {"import-title", targetFile.string(), kxm.string(), f.Out(), "--today", "2024-02-29"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(targetFile), targetBytes);
    const Collection c = Load(f.out);
    ASSERT_EQ(c.Count(), 2u);
    EXPECT_EQ(c.List(ListId::Director), (NameList{"MANN", "SCOTT"}));
    EXPECT_EQ(c.List(ListId::Actor), (NameList{"WEAVER"}));
    EXPECT_EQ(c.RecordAt(1).Director(), 1);
    EXPECT_EQ(c.RecordAt(1).Retailer(), NoEntry);
    EXPECT_EQ(c.RecordAt(1).BuyDate(), *DayNumberFromDate(2024, 2, 29));
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{1, 0}));
}

TEST(CliExchangeTest, AddListAndRebuildIndex) {
    Files f(Sample());
    Collection other;
    other.List(ListId::Director) = {"MANN", "ALLEN"};
    TitleRecord z = test::MakeTitle("ZELIG");
    z.SetDirector(1);
    TitleRecord b = test::MakeTitle("BRAZIL");
    b.SetDirector(0);
    for (const auto& t : {z, b})
        AppendTitle(other, t);
    const auto otherFile = f.dir / "other.KXT";
    WriteBytes(otherFile, SerializeCollection(other));
    auto run = RunCli(f.dir, {"add-list", f.In(), otherFile.string(), f.Out()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(f.in), f.inBytes);
    Collection c = Load(f.out);
    ASSERT_EQ(c.Count(), 4u);
    EXPECT_EQ(c.List(ListId::Director), (NameList{"SCOTT", "MANN", "ALLEN"}));
    EXPECT_EQ(c.RecordAt(2).Director(), 2);
    EXPECT_EQ(c.RecordAt(3).Director(), 1);
    EXPECT_EQ(c.ListeIndex, SortedTitleOrder(c.titles));

    // A master order out of title order is rebuilt.
    c.ListeIndex = {3, 2, 1, 0};
    WriteBytes(f.in, SerializeCollection(c));
    const auto rebuilt = f.dir / "rebuilt.KXT";
    run = RunCli(f.dir, {"rebuild-index", f.In(), rebuilt.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Load(rebuilt).ListeIndex, SortedTitleOrder(c.titles));
    EXPECT_EQ(Load(f.in).ListeIndex, (std::vector<std::uint16_t>{3, 2, 1, 0}));
}

TEST(CliExchangeTest, RefusalsPrintTheWindowsMessageAndWriteNothing) {
    Files f(Sample());
    const auto kxm = f.dir / "t.KXM";
    ASSERT_EQ(RunCli(f.dir, {"export-title", f.In(), "0", kxm.string()}).exitCode, 0);
    auto cut = ReadBytes(kxm);
    cut.resize(cut.size() - 1);
    const auto cutKxm = f.dir / "cut.KXM";
    WriteBytes(cutKxm, cut);
    auto older = f.inBytes;
    older[2] = '4';
    const auto olderFile = f.dir / "older.KXT";
    WriteBytes(olderFile, older);
    auto shortFile = f.inBytes;
    shortFile.resize(shortFile.size() - 1);
    const auto shortKxt = f.dir / "short.KXT";
    WriteBytes(shortKxt, shortFile);
    Collection publishers;
    for (int i = 0; i < 255; ++i)
        publishers.List(ListId::Publisher).push_back("P" + std::to_string(i));
    const auto fullFile = f.dir / "full.KXT";
    WriteBytes(fullFile, SerializeCollection(publishers));
    Collection newPublisher = Sample();
    newPublisher.List(ListId::Publisher) = {"NEW"};
    newPublisher.RecordAt(0).SetPublisher(0);
    const auto newPublisherFile = f.dir / "new.KXT";
    WriteBytes(newPublisherFile, SerializeCollection(newPublisher));

    const std::vector<std::pair<std::vector<std::string>, std::string>> refused{
        {{"export-title", f.In(), "2", kxm.string()}, "Choose a title first!"},
        {{"import-title", f.In(), cutKxm.string(), f.Out()}, "Invalid file!"},
        {{"add-list", f.In(), olderFile.string(), f.Out()}, "Invalid file!"},
        {{"add-list", f.In(), shortKxt.string(), f.Out()}, "Invalid file!"},
        {{"add-list", fullFile.string(), newPublisherFile.string(), f.Out()},
         "You can't add more Publisher, sorry!"},
        {{"rebuild-index", shortKxt.string(), f.Out()}, "Invalid file!"},
    };
    for (const auto& [args, message] : refused) {
        const auto run = RunCli(f.dir, args);
        EXPECT_EQ(run.exitCode, 1) << args[0] << ": " << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(f.out)) << args[0];
    }
    EXPECT_EQ(ReadBytes(f.in), f.inBytes);
    EXPECT_EQ(ReadBytes(fullFile), SerializeCollection(publishers));
}

TEST(CliExchangeTest, BadUsageExits2) {
    Files f(Sample());
    const std::vector<std::vector<std::string>> bad{
        {"export-title", f.In(), "x", "t.KXM"},
        {"export-title", f.In(), "0"},
        {"export-title", f.In(), "0", f.In()},
        {"import-title", f.In(), "t.KXM", f.Out(), "--today"},
        {"import-title", f.In(), "t.KXM", f.Out(), "--today", "2024-02-30"},
        {"import-title", f.In(), "t.KXM", f.Out(), "--when", "2024-02-01"},
        {"add-list", f.In(), "o.KXT", f.In()},
        {"rebuild-index", f.In()},
        {"rebuild-index", f.In(), f.In()},
    };
    for (const auto& args : bad) {
        const auto run = RunCli(f.dir, args);
        EXPECT_EQ(run.exitCode, 2) << args[0] << " " << args.size() << ": " << run.err;
    }
    EXPECT_EQ(ReadBytes(f.in), f.inBytes);
}

TEST(CliExchangeTest, EveryNameListSavedLoadsBack) {
    // A collection may hold more publishers than titles can refer to; its list file loads back whole.
    Collection many;
    for (int i = 0; i < 300; ++i)
        many.List(ListId::Publisher).push_back("P" + std::to_string(i));
    Files f(many);
    const auto listFile = f.dir / "pub.KXP";
    auto run = RunCli(f.dir, {"names", "save", f.In(), "P", listFile.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto empty = f.dir / "empty.KXT";
    WriteBytes(empty, SerializeCollection(Collection{}));
    run = RunCli(f.dir, {"names", "load", empty.string(), listFile.string(), f.Out()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Load(f.out).List(ListId::Publisher), many.List(ListId::Publisher));

    // A letter that names no list is refused, and nothing is written.
    std::filesystem::remove(f.out);
    WriteBytes(listFile, {'K', 'X', 'Z', 0, 0});
    run = RunCli(f.dir, {"names", "load", empty.string(), listFile.string(), f.Out()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Invalid file!"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(f.out));
}

} // namespace
} // namespace tavrin
