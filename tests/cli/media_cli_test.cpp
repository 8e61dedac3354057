// tavrin-cli media, picture and the multimedia list's cleaning, run as a program.
#include "cli/cli_run.h"
#include "picture_samples.h"
#include "store/files/collection_file.h"
#include "store/pictures/picture.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

namespace tavrin {
namespace {

using test::ReadBytes;
using test::RunCli;
using test::TempDir;
using test::WriteBytes;

struct MediaHome {
    TempDir dir;
    std::filesystem::path medias = dir / "MEDIAS";
    std::filesystem::path in = dir / "in.KXT";
    std::filesystem::path out = dir / "out.KXT";
    MediaHome() {
        std::filesystem::create_directory(medias);
        WriteBytes(medias / "cover.jpg", {1});
        WriteBytes(medias / "THEME.WAV", {1});
        WriteBytes(dir / "OUTSIDE.JPG", {1});
        Collection c;
        c.List(ListId::Media) = {"COVER.JPG", "GONE.AVI", "THEME.WAV", "../OUTSIDE.JPG", "NOTES.TXT"};
        TitleRecord t = test::MakeTitle("ALIEN");
        t.SetMedia1(1);
        t.SetMedia2(2);
        t.SetMedia3(0);
        AppendTitle(c, t);
        WriteBytes(in, SerializeCollection(c));
    }
};

TEST(CliMediaTest, ListsEveryEntryWithItsKindAndWhetherItsFileIsFound) {
    MediaHome h;
    const auto run = RunCli(h.dir, {"media", h.in.string(), "--medias", h.medias.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    const nlohmann::json expected = nlohmann::json::parse(R"([
        {"entry": 0, "name": "COVER.JPG", "kind": "picture", "found": true},
        {"entry": 1, "name": "GONE.AVI", "kind": "video", "found": false},
        {"entry": 2, "name": "THEME.WAV", "kind": "sound", "found": true},
        {"entry": 3, "name": "../OUTSIDE.JPG", "kind": "picture", "found": false},
        {"entry": 4, "name": "NOTES.TXT", "kind": "none", "found": false}])");
    EXPECT_EQ(json, expected);

    // Without --medias: the program's folder, here under TAVRIN_HOME.
    ::setenv("TAVRIN_HOME", h.dir.path().c_str(), 1);
    const auto byDefault = RunCli(h.dir, {"media", h.in.string()});
    ::unsetenv("TAVRIN_HOME");
    ASSERT_EQ(byDefault.exitCode, 0) << byDefault.err;
    EXPECT_EQ(nlohmann::json::parse(byDefault.out), expected);

    EXPECT_EQ(RunCli(h.dir, {"media", h.in.string(), "--folder", "x"}).exitCode, 2);
    EXPECT_EQ(RunCli(h.dir, {"media", (h.dir / "none.KXT").string()}).exitCode, 1);
}

TEST(CliMediaTest, CleaningTheMultimediaListRemovesEntriesWhoseFileIsMissing) {
    MediaHome h;
    const auto before = ReadBytes(h.in);
    const auto run = RunCli(
        h.dir, {"names", "clean", h.in.string(), "MediaList", h.out.string(), "--medias", h.medias.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Erased : GONE.AVI\nErased : ../OUTSIDE.JPG\nErased : NOTES.TXT\n");
    EXPECT_EQ(ReadBytes(h.in), before);
    auto loaded = LoadCollectionFile(h.out, "OTHER");
    ASSERT_TRUE(loaded);
    const Collection& c = loaded->collection;
    EXPECT_EQ(c.List(ListId::Media), (NameList{"COVER.JPG", "THEME.WAV"}));
    EXPECT_EQ(c.titles[0].Media1(), NoEntry);
    EXPECT_EQ(c.titles[0].Media2(), 1);
    EXPECT_EQ(c.titles[0].Media3(), 0);

    EXPECT_EQ(RunCli(h.dir, {"names", "clean", h.in.string(), "ActorList", h.out.string(), "--medias", "x"})
                  .exitCode,
              2);
    // The folder option is not the output file: OUT is still checked against FILE.
    EXPECT_EQ(RunCli(h.dir, {"names", "clean", h.in.string(), "MediaList", h.in.string(), "--medias", "x"})
                  .exitCode,
              2);
}

TEST(CliMediaTest, PictureDecodesTgaAndPcxToPortablePixmap) {
    TempDir dir;
    const Picture sample = test::MakePicture(3, 2, [](int x, int y) { return Rgb(x * 100, y * 200, 7); });
    WriteBytes(dir / "a.tga", test::MakeTga(sample, {10, 24}));
    WriteBytes(dir / "b.pcx", test::MakePcx(sample, {8, 3}));
    for (const char* name : {"a.tga", "b.pcx"}) {
        const auto out = dir / (std::string(name) + ".ppm");
        const auto run = RunCli(dir, {"picture", (dir / name).string(), out.string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadBytes(out), PortablePixmap(sample)) << name;
    }
    WriteBytes(dir / "bad.pcx", {0x0A, 5, 1});
    const auto bad = RunCli(dir, {"picture", (dir / "bad.pcx").string(), (dir / "bad.ppm").string()});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("bad.pcx"), std::string::npos) << bad.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "bad.ppm"));
    EXPECT_EQ(RunCli(dir, {"picture", (dir / "a.tga").string()}).exitCode, 2);
}

} // namespace
} // namespace tavrin
