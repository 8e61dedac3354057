// Files dropped on the windows: what opens each, and a multimedia file copied into a title's slot.
#include "editing/media_drop.h"
#include "exchange/dropped_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(DroppedFileTest, RoutesByNameThenContent) {
    using R = DropRoute;
    const std::string tellico = "<?xml version=\"1.0\"?><tellico xmlns=\"http://periapsis.org/tellico/\"/>";
    const struct {
        const char* name;
        std::string content;
        R route;
    } cases[] = {
        {"FILMS.KXT", "", R::OpenCollection},
        {"films.kxt", tellico, R::OpenCollection},
        {"cover.jpeg", "", R::AddMedia},
        {"Theme.Mp3", "", R::AddMedia},
        {"TRAILER.AVI", "", R::AddMedia},
        {"list.csv", "Title,Year\n", R::ImportTable},
        {"list.TSV", "Title\tYear\n", R::ImportTable},
        {"list.txt", "Title\tYear\n", R::ImportTable},
        {"notes.txt", "Title, Year\nAlien\t1979\n", R::Unknown},
        {"export.xml", tellico, R::ImportCatalogue},
        {"export.csv", tellico, R::ImportCatalogue}, // the content decides before the extension
        {"movies.amc", " AMC_4.2 Ant Movie Catalog", R::ImportCatalogue},
        {"page.xml", "<html/>", R::Unknown},
        {"cover.png", "", R::Unknown}, // no kind a slot takes
        {"README", "", R::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RouteDroppedFile(c.name, test::Bytes(c.content)), c.route) << c.name;

    test::TempDir dir;
    test::WriteBytes(dir / "export.xml", test::Bytes(tellico));
    EXPECT_EQ(RouteDroppedPath(dir / "export.xml"), R::ImportCatalogue);
    EXPECT_EQ(RouteDroppedPath(dir / "gone.csv"), R::ImportTable); // the import names the failure
    EXPECT_EQ(RouteDroppedPath(dir / "gone.xml"), R::Unknown);
}

TEST(DroppedFileTest, MediaGoesToAFreeSlotUnderANewNameOrIsRefused) {
    test::TempDir dir;
    const auto medias = dir / "MEDIAS";
    std::filesystem::create_directory(medias);
    test::WriteBytes(medias / "POSTER.JPG", {1});
    test::WriteBytes(dir / "poster.jpeg", {2, 3});
    test::WriteBytes(dir / "notes.txt", {4});
    Collection c = test::MakeCollection({"ALIEN"});
    c.List(ListId::Media) = {"POSTER_2.JPG"};
    c.titles[0].SetU16(MediaOffsets[0], 0);
    OpenCollection open(std::move(c));

    const auto dropped = DropMediaOnTitle(open, 0, std::nullopt, dir / "poster.jpeg", medias);
    ASSERT_TRUE(dropped);
    // Neither the file in the folder nor the name in the list is taken again.
    EXPECT_EQ(dropped->name, "POSTER_3.JPG");
    EXPECT_EQ(dropped->slot, 1u);
    EXPECT_EQ(test::ReadBytes(medias / "POSTER_3.JPG"), (std::vector<std::uint8_t>{2, 3}));
    EXPECT_EQ(test::ReadBytes(medias / "POSTER.JPG"), (std::vector<std::uint8_t>{1}));
    EXPECT_EQ(EntryFromStored(open.Data().RecordAt(0).U16(MediaOffsets[1])), 1);
    EXPECT_EQ(open.History().NextUndo(), ChangeKind::AddMediaFile);

    ASSERT_TRUE(DropMediaOnTitle(open, 0, 0, dir / "poster.jpeg", medias)); // onto slot 1: replaced
    EXPECT_EQ(open.Data().List(ListId::Media)[static_cast<std::size_t>(
                  EntryFromStored(open.Data().RecordAt(0).U16(MediaOffsets[0])))],
              "POSTER_4.JPG");

    const auto refusal = [&](std::optional<std::size_t> slot, const char* file) {
        const auto r = DropMediaOnTitle(open, 0, slot, dir / file, medias);
        return r ? Msg::MsgOk : r.error().message;
    };
    const std::size_t files = std::distance(std::filesystem::directory_iterator(medias), {});
    EXPECT_EQ(refusal(std::nullopt, "notes.txt"), Msg::MsgDropNotMedia);
    EXPECT_EQ(refusal(std::nullopt, "missing.jpg"), Msg::MsgDropNotCopied);
    ASSERT_TRUE(DropMediaOnTitle(open, 0, std::nullopt, dir / "poster.jpeg", medias));
    ASSERT_TRUE(DropMediaOnTitle(open, 0, std::nullopt, dir / "poster.jpeg", medias));
    EXPECT_EQ(refusal(std::nullopt, "poster.jpeg"), Msg::MsgDropSlotsFull);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(medias), {}), files + 2);
}

} // namespace
} // namespace tavrin
