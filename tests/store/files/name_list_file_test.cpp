// Name-list files: what Save List writes, what Load List accepts and what it refuses.
#include "store/files/name_list_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using test::Bytes;
using test::PutSection;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::vector<std::uint8_t> ListFile(char letter, const std::vector<std::string>& names) {
    auto bytes = Bytes("KX");
    bytes.push_back(static_cast<std::uint8_t>(letter));
    PutSection(bytes, names);
    return bytes;
}

TEST(NameListFileTest, AnEmptyListIsFiveBytes) {
    EXPECT_EQ(SerializeNameList(Collection{}, ListId::Director),
              (std::vector<std::uint8_t>{'K', 'X', 'D', 0, 0}));
}

TEST(NameListFileTest, SavedListsLoadBackIntoANewCollection) {
    TempDir dir;
    Collection source;
    source.List(ListId::Composer) = {"WILLIAMS", "L\xC9OTARD", std::string(49, 'Z')};
    source.List(ListId::Actor) = {"FORD"};
    source.titles.push_back(test::MakeTitle("T"));
    const auto file = dir / "c.KXC";
    ASSERT_TRUE(SaveNameListFile(source, ListId::Composer, file));
    EXPECT_EQ(ReadBytes(file), ListFile('C', source.List(ListId::Composer)));

    Collection target;
    target.List(ListId::Composer) = {"OLD"};
    target.List(ListId::Director) = {"LANG"};
    auto loaded = LoadNameListFile(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->list, ListId::Composer);
    ASSERT_TRUE(ApplyNameList(target, *loaded));
    EXPECT_EQ(target.List(ListId::Composer), source.List(ListId::Composer));
    EXPECT_EQ(target.List(ListId::Director), (NameList{"LANG"}));
}

TEST(NameListFileTest, ACollectionWithTitlesTakesNoList) {
    Collection c;
    c.titles.push_back(test::MakeTitle("T"));
    c.List(ListId::Actor) = {"FORD"};
    auto loaded = ParseNameList(ListFile('A', {"ALLEN"}));
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(ApplyNameList(c, *loaded));
    EXPECT_EQ(c.List(ListId::Actor), (NameList{"FORD"}));
}

TEST(NameListFileTest, ALetterThatNamesNoListIsInvalid) {
    // 'Z', and 'J' or the like for the second other-informations list, which has no letter.
    for (const auto& bytes : {ListFile('Z', {"ALLEN"}), Bytes("KXJ")}) {
        auto loaded = ParseNameList(bytes);
        ASSERT_FALSE(loaded);
        EXPECT_EQ(loaded.error(), FileError::Invalid);
    }
}

TEST(NameListFileTest, SlotsReadUpToTheirNulAndBytesAfterTheLastSlotAreIgnored) {
    auto bytes = ListFile('R', {"FNAC", "AMAZON"});
    bytes[5 + 10] = 'Q'; // after FNAC's NUL: without meaning
    bytes.push_back(0x55);
    auto loaded = ParseNameList(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->names, (NameList{"FNAC", "AMAZON"}));
}

TEST(NameListFileTest, DamagedFilesAreInvalidAndChangeNothing) {
    const auto good = ListFile('B', {"TRILOGY", "SAGA"});
    std::vector<std::vector<std::uint8_t>> damaged{
        Bytes(""),
        Bytes("K"),
        Bytes("KY"
              "B"),
        Bytes("XKB"),
        Bytes("KXB"),
        Bytes("KXB\x01"),
    };
    for (std::size_t cut = 5; cut < good.size(); cut += 7)
        damaged.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    auto huge = Bytes("KXB");
    test::PutU16(huge, 0xFFFF);
    damaged.push_back(huge);
    for (const auto& bytes : damaged) {
        auto parsed = ParseNameList(bytes);
        ASSERT_FALSE(parsed) << "size " << bytes.size();
        EXPECT_EQ(parsed.error(), FileError::Invalid);
    }

    // More names than titles can refer to (65001 per list, 255 publishers) is what a collection
    // file may hold, and so what a saved list may hold: it loads back whole.
    for (const auto& [letter, list] : {std::pair{'P', ListId::Publisher}, std::pair{'D', ListId::Director}}) {
        Collection source;
        source.List(list).assign(list == ListId::Publisher ? 300 : 65535, "N");
        auto loaded = ParseNameList(SerializeNameList(source, list));
        ASSERT_TRUE(loaded) << letter;
        EXPECT_EQ(loaded->list, list);
        EXPECT_EQ(loaded->names, source.List(list));
    }

    TempDir dir;
    WriteBytes(dir / "cut.KXB", std::vector<std::uint8_t>(good.begin(), good.end() - 1));
    auto fromDisk = LoadNameListFile(dir / "cut.KXB");
    ASSERT_FALSE(fromDisk);
    EXPECT_EQ(fromDisk.error().error, FileError::Invalid);
    auto missing = LoadNameListFile(dir / "none.KXB");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().error, FileError::NotFound);
}

} // namespace
} // namespace tavrin
