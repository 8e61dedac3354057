// tavrin-cli names: the name-list commands run as a program, IN kept, OUT written.
#include "cli/cli_run.h"
#include "store/files/collection_file.h"
#include "store/files/name_list_file.h"
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
    c.List(ListId::Actor) = {"FORD", "ALLEN", "KEATON", "UNUSED"};
    c.List(ListId::Director) = {"LANG", "ALLEN"};
    TitleRecord a = test::MakeTitle("ANNIE HALL");
    a.SetActor1(1);
    a.SetActor2(2);
    a.SetDirector(1);
    TitleRecord b = test::MakeTitle("\xC9T\xC9");
    b.SetActor3(2);
    b.SetActor5(2);
    TitleRecord w = test::MakeTitle("WITNESS");
    w.SetActor1(0);
    for (const auto& t : {a, b, w})
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
};

TEST(CliNamesTest, DeleteRenumbersAndNamesEachTitleThatLostTheEntry) {
    Files f(Sample());
    const auto run = RunCli(f.dir, {"names", "delete", f.in.string(), "ActorList", "2", f.out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Erased in : ANNIE HALL\nErased in : \xC3\x89T\xC3\x89\n");
    EXPECT_EQ(ReadBytes(f.in), f.inBytes);
    const Collection c = Load(f.out);
    EXPECT_EQ(c.List(ListId::Actor), (NameList{"FORD", "ALLEN", "UNUSED"}));
    EXPECT_EQ(test::ActorEntry(c.titles[0], 0), 1);
    EXPECT_EQ(test::ActorEntry(c.titles[0], 1), -1);
    EXPECT_EQ(test::ActorEntry(c.titles[1], 2), -1);
    EXPECT_EQ(test::ActorEntry(c.titles[1], 4), -1);
    EXPECT_EQ(c.titles[0].Director(), 1); // the director list is another list
}

TEST(CliNamesTest, CleanPrintsTheErasedEntriesInOrder) {
    Files f(Sample());
    const auto run = RunCli(f.dir, {"names", "clean", f.in.string(), "DirectorList", f.out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Erased : LANG\n");
    const Collection c = Load(f.out);
    EXPECT_EQ(c.List(ListId::Director), (NameList{"ALLEN"}));
    EXPECT_EQ(c.titles[0].Director(), 0);
    EXPECT_EQ(ReadBytes(f.in), f.inBytes);
}

TEST(CliNamesTest, RenameUpperCasesAndRefusesAnExistingName) {
    Files f(Sample());
    auto run =
        RunCli(f.dir, {"names", "rename", f.in.string(), "ActorList", "0", "harrison ford", f.out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(Load(f.out).List(ListId::Actor)[0], "HARRISON FORD");

    std::filesystem::remove(f.out);
    run = RunCli(f.dir, {"names", "rename", f.in.string(), "ActorList", "0", "keaton", f.out.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("This Name Already Exist!"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(f.out));

    run =
        RunCli(f.dir, {"names", "rename", f.in.string(), "ActorList", "0", "W\xC5\x82odek", f.out.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Actor: \xC5\x82 cannot be stored in a collection; type it without accents"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(f.out));
}

TEST(CliNamesTest, SaveAndLoadAListFile) {
    Files f(Sample());
    const auto listFile = f.dir / "actors.KXA";
    auto run = RunCli(f.dir, {"names", "save", f.in.string(), "A", listFile.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(listFile), SerializeNameList(Sample(), ListId::Actor));

    // Into a collection without titles: the list is replaced, the others stay.
    Collection empty;
    empty.List(ListId::Actor) = {"OLD"};
    empty.List(ListId::Director) = {"KEPT"};
    const auto emptyFile = f.dir / "empty.KXT";
    WriteBytes(emptyFile, SerializeCollection(empty));
    run = RunCli(f.dir, {"names", "load", emptyFile.string(), listFile.string(), f.out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Collection c = Load(f.out);
    EXPECT_EQ(c.List(ListId::Actor), Sample().List(ListId::Actor));
    EXPECT_EQ(c.List(ListId::Director), (NameList{"KEPT"}));
}

TEST(CliNamesTest, LoadIsRefusedWithTitlesOrADamagedFile) {
    Files f(Sample());
    const auto listFile = f.dir / "actors.KXA";
    WriteBytes(listFile, SerializeNameList(Sample(), ListId::Actor));
    auto run = RunCli(f.dir, {"names", "load", f.in.string(), listFile.string(), f.out.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("You cannot load a list\nif you had already titles registered"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(f.out));

    const auto emptyFile = f.dir / "empty.KXT";
    WriteBytes(emptyFile, SerializeCollection(Collection{}));
    auto bytes = ReadBytes(listFile);
    bytes.resize(bytes.size() - 10);
    WriteBytes(listFile, bytes);
    run = RunCli(f.dir, {"names", "load", emptyFile.string(), listFile.string(), f.out.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Invalid file!"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(f.out));
}

TEST(CliNamesTest, BadArgumentsAreUsageErrors) {
    Files f(Sample());
    const std::vector<std::vector<std::string>> bad{
        {"names", "delete", f.in.string(), "NoSuchList", "0", f.out.string()},
        {"names", "delete", f.in.string(), "ActorList", "4", f.out.string()},
        {"names", "delete", f.in.string(), "ActorList", "x", f.out.string()},
        {"names", "save", f.in.string(), "Q", f.out.string()},
        {"names", "clean", f.in.string(), "ActorList"},
        {"names", "shuffle", f.in.string(), "ActorList", f.out.string()},
    };
    for (const auto& args : bad) {
        const auto run = RunCli(f.dir, args);
        EXPECT_EQ(run.exitCode, 2) << args[1] << " " << args[3];
        EXPECT_FALSE(std::filesystem::exists(f.out));
    }
    // OUT naming the file read (also by another spelling) would change it: refused, untouched.
    const auto sameIn = (f.dir / "." / "in.KXT").string();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"names", "clean", f.in.string(), "ActorList", sameIn},
          {"names", "save", f.in.string(), "A", f.in.string()}}) {
        const auto run = RunCli(f.dir, args);
        EXPECT_EQ(run.exitCode, 2) << args[1];
        EXPECT_EQ(ReadBytes(f.in), f.inBytes) << args[1];
    }
}

} // namespace
} // namespace tavrin
