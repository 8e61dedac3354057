// The multimedia files: kinds by extension, the chooser's masks, finding an entry's file inside
// MEDIAS only, the bounded scaling of a picture and the cleaning of the multimedia list.
#include "editing/media_files.h"
#include "editing/name_list_operations.h"
#include "reports/html_page_parts.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tavrin {
namespace {

TEST(MediaFilesTest, KindIsToldByTheUpperCaseExtension) {
    const std::pair<const char*, MediaKind> cases[] = {
        {"COVER.JPG", MediaKind::Picture}, {"A.GIF", MediaKind::Picture}, {"A.TGA", MediaKind::Picture},
        {"A.PCX", MediaKind::Picture},     {"A.BMP", MediaKind::Picture}, {"THEME.WAV", MediaKind::Sound},
        {"T.MPG", MediaKind::Video},       {"T.MOV", MediaKind::Video},   {"T.AVI", MediaKind::Video},
        {"T.MID", MediaKind::Music},       {"T.MP3", MediaKind::Music},   {"trailer.avi", MediaKind::None},
        {"NOTES.TXT", MediaKind::None},    {"PG", MediaKind::None},       {"", MediaKind::None},
        {"JPG", MediaKind::Picture}};
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(KindOfMedia(name), kind) << name;
    EXPECT_EQ(MediaType("COVER.JPG"), "JPG");
    EXPECT_EQ(MediaType("AB"), "");
    EXPECT_EQ(PlayerCaption(MediaKind::Sound), "SOUND");
    EXPECT_EQ(PlayerCaption(MediaKind::Video), "VIDEO");
    EXPECT_EQ(PlayerCaption(MediaKind::Music), "MUSIC");
    EXPECT_EQ(PlayerCaption(MediaKind::Picture), "");
}

TEST(MediaFilesTest, MasksMatchWithoutRegardToCase) {
    const std::string_view all = MediaFilters[0].mask;
    EXPECT_TRUE(MatchesMask("cover.jpg", all));
    EXPECT_TRUE(MatchesMask("Theme.Mp3", all));
    EXPECT_FALSE(MatchesMask("notes.txt", all));
    EXPECT_FALSE(MatchesMask("jpg", all));
    EXPECT_TRUE(MatchesMask("x.wav", MediaFilters[3].mask));
    EXPECT_FALSE(MatchesMask("x.wav", MediaFilters[1].mask));
    EXPECT_TRUE(MatchesMask("a.b.c", "*.?"));
    EXPECT_FALSE(MatchesMask("abc", "a*d"));
    EXPECT_TRUE(MatchesMask("\xE9t\xE9.jpg", "\xC9T*"));

    test::TempDir dir;
    for (const char* name : {"b.jpg", "A.WAV", "c.Mp3", "d.txt"})
        test::WriteBytes(dir / name, {1});
    std::filesystem::create_directory(dir / "e.jpg"); // a folder is no file
    EXPECT_EQ(ListMediaFolder(dir.path(), MediaFilters[0].mask),
              (std::vector<std::string>{"A.WAV", "b.jpg", "c.Mp3"}));
    EXPECT_EQ(ListMediaFolder(dir.path(), MediaFilters[2].mask), (std::vector<std::string>{"c.Mp3"}));
    EXPECT_TRUE(ListMediaFolder(dir / "missing", MediaFilters[0].mask).empty());
}

TEST(MediaFilesTest, EntriesFindTheirFileInsideTheFolderOnly) {
    test::TempDir home;
    const auto medias = home / "MEDIAS";
    std::filesystem::create_directory(medias);
    test::WriteBytes(medias / "cover.jpg", {1});
    test::WriteBytes(medias / "EXACT.WAV", {1});
    test::WriteBytes(home / "SECRET.JPG", {1});
    test::WriteBytes(medias / "\xC3\xA9t\xC3\xA9.gif", {1}); // été.gif on disk, UTF-8

    EXPECT_EQ(FindMediaFile(medias, "EXACT.WAV"), medias / "EXACT.WAV");
    EXPECT_EQ(FindMediaFile(medias, "COVER.JPG"), medias / "cover.jpg");
    EXPECT_EQ(FindMediaFile(medias, "\xC9T\xC9.GIF"), medias / "\xC3\xA9t\xC3\xA9.gif");
    EXPECT_FALSE(FindMediaFile(medias, "MISSING.JPG"));
    for (const char* escape : {"../SECRET.JPG", "..\\SECRET.JPG", "..", ".", "", "C:SECRET.JPG",
                               "/etc/passwd", "SUB/COVER.JPG", "\\COVER.JPG"}) {
        EXPECT_FALSE(IsPlainMediaName(escape)) << escape;
        EXPECT_FALSE(FindMediaFile(medias, escape)) << escape;
    }
    EXPECT_TRUE(IsPlainMediaName("..COVER.JPG"));

    // The index read once answers as the lookup does.
    const MediaFolderIndex index(medias);
    for (const char* name : {"EXACT.WAV", "COVER.JPG", "cover.jpg", "\xC9T\xC9.GIF", "MISSING.JPG",
                             "../SECRET.JPG", "SECRET.JPG", "..", ""})
        EXPECT_EQ(index.Holds(name), FindMediaFile(medias, name).has_value()) << name;
    EXPECT_FALSE(MediaFolderIndex(home / "none").Holds("COVER.JPG"));
}

// A link is followed only as far as the folder: one leading out of it (or nowhere) is a missing
// file for every caller, the HTML pages' pictures as much as the lookup, the listing and the index.
TEST(MediaFilesTest, ALinkLeadingOutOfTheFolderCountsAsMissingEverywhere) {
    namespace fs = std::filesystem;
    test::TempDir home;
    const auto medias = home / "MEDIAS";
    fs::create_directories(medias / "SUB");
    test::WriteBytes(medias / "IN.JPG", {1});
    test::WriteBytes(medias / "SUB" / "DEEP.JPG", {1});
    test::WriteBytes(home / "SECRET.JPG", {1});
    const std::pair<const char*, fs::path> links[] = {
        {"SAME.JPG", "IN.JPG"},           // inside
        {"DOWN.JPG", "SUB/DEEP.JPG"},     // inside, one folder down
        {"OUT.JPG", "../SECRET.JPG"},     // out of the folder
        {"FAR.JPG", home / "SECRET.JPG"}, // out, by its full path
        {"TWICE.JPG", "OUT.JPG"},         // inside, then out
        {"BACK.JPG", "../MEDIAS/IN.JPG"}, // out and back in
        {"NOWHERE.JPG", "GONE.JPG"},      // to nothing
        {"FOLDER.JPG", "SUB"},            // to a folder
    };
    for (const auto& [name, target] : links)
        fs::create_symlink(target, medias / name);
    const std::set<std::string> inside{"IN.JPG", "SAME.JPG", "DOWN.JPG", "BACK.JPG"};

    Collection c;
    const MediaFolderIndex index(medias);
    const auto listed = ListMediaFolder(medias, MediaFilters[0].mask);
    for (const char* name : {"IN.JPG", "SAME.JPG", "DOWN.JPG", "BACK.JPG", "OUT.JPG", "FAR.JPG", "TWICE.JPG",
                             "NOWHERE.JPG", "FOLDER.JPG"}) {
        SCOPED_TRACE(name);
        const bool found = inside.contains(name);
        EXPECT_EQ(IsMediaFolderFile(medias, medias / name), found);
        EXPECT_EQ(FindMediaFile(medias, name).has_value(), found);
        EXPECT_EQ(index.Holds(name), found);
        EXPECT_EQ(std::count(listed.begin(), listed.end(), name), found ? 1 : 0);
        c.List(ListId::Media) = {name};
        TitleRecord t = test::MakeTitle("A");
        t.SetMedia1(0);
        EXPECT_EQ(FindCoverPicture(c, t, medias).has_value(), found);
    }
    // Found without regard to case, the same way.
    EXPECT_FALSE(FindMediaFile(medias, "out.jpg"));
    EXPECT_TRUE(FindMediaFile(medias, "same.jpg"));
}

TEST(MediaFilesTest, ShrinkingEndsForEveryPanelAndEqualsTheStepLoopWhereItEnds) {
    // The loop as the window first ran it, for panels it ends on.
    const auto stepLoop = [](int w, int h, int pw, int ph) {
        while (w >= pw || h >= ph) {
            w = static_cast<int>(w / 1.01);
            h = static_cast<int>(h / 1.01);
        }
        return PictureSize{w, h};
    };
    const PictureSize shrunk = ShrinkToPanel({800, 600}, {408, 305});
    EXPECT_EQ(shrunk, stepLoop(800, 600, 408, 305));
    EXPECT_LT(shrunk.width, 408);
    EXPECT_LT(shrunk.height, 305);
    EXPECT_NEAR(static_cast<double>(shrunk.width) / shrunk.height, 800.0 / 600,
                0.05); // truncation drifts a little
    for (PictureSize picture :
         {PictureSize{100, 50}, PictureSize{1, 1}, PictureSize{16384, 3}, PictureSize{0, 7}})
        for (PictureSize panel :
             {PictureSize{408, 305}, PictureSize{1, 1}, PictureSize{101, 2}, PictureSize{500, 500}})
            EXPECT_EQ(ShrinkToPanel(picture, panel),
                      stepLoop(picture.width, picture.height, panel.width, panel.height));
    // A panel without width or height: the loop would never end.
    EXPECT_EQ(ShrinkToPanel({800, 600}, {0, 305}), (PictureSize{0, 0}));
    EXPECT_EQ(ShrinkToPanel({800, 600}, {408, 0}), (PictureSize{0, 0}));
    EXPECT_EQ(ShrinkToPanel({800, 600}, {-5, -5}), (PictureSize{0, 0}));

    // The viewer keeps a picture that fits the screen, sides equal to the screen's included.
    EXPECT_EQ(FitWithinScreen({1280, 1024}, {1280, 1024}), (PictureSize{1280, 1024}));
    const PictureSize fitted = FitWithinScreen({3000, 1000}, {1280, 1024});
    EXPECT_LE(fitted.width, 1280);
    EXPECT_GT(fitted.width, 1260); // no step further than needed
    EXPECT_EQ(FitWithinScreen({3000, 1000}, {0, 1024}), (PictureSize{0, 0}));
}

TEST(MediaFilesTest, CleaningTheMultimediaListRemovesEntriesWhoseFileIsMissing) {
    Collection c;
    c.List(ListId::Media) = {"A.JPG", "GONE.JPG", "UNUSED.WAV", "B.AVI", "GONE2.MP3"};
    TitleRecord t = test::MakeTitle("ONE");
    t.SetMedia1(1);
    t.SetMedia2(3);
    t.SetMedia3(0);
    t.SetMedia4(4);
    AppendTitle(c, t);
    TitleRecord u = test::MakeTitle("TWO");
    u.SetMedia1(3);
    AppendTitle(c, u);
    const auto missing = [](std::string_view name) { return name.starts_with("GONE"); };
    const CleanResult result = CleanList(c, ListId::Media, {}, missing);
    EXPECT_EQ(result.erased, (std::vector<std::string>{"GONE.JPG", "UNUSED.WAV", "GONE2.MP3"}));
    EXPECT_EQ(result.removedAt, (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(c.List(ListId::Media), (NameList{"A.JPG", "B.AVI"}));
    EXPECT_EQ(c.titles[0].Media1(), NoEntry);
    EXPECT_EQ(c.titles[0].Media2(), 1);
    EXPECT_EQ(c.titles[0].Media3(), 0);
    EXPECT_EQ(c.titles[0].Media4(), NoEntry);
    EXPECT_EQ(c.titles[1].Media1(), 1);
    EXPECT_EQ(MessageText(DeleteCaption(ListId::Media), 0), "DELETE AN INFORMATION");
}

} // namespace
} // namespace tavrin
