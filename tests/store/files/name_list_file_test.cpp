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
    EXPECT_FALSE(target.Modified);
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

TEST(NameListFileTest, ALetterThatNamesNoListLoadsNothing) {
    auto loaded = ParseNameList(ListFile('Z', {"ALLEN"}));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->list, std::nullopt);
    Collection c;
    c.List(ListId::Actor) = {"FORD"};
    EXPECT_TRUE(ApplyNameList(c, *loaded));
    EXPECT_EQ(c.List(ListId::Actor), (NameList{"FORD"}));
    // The second other-informations list has no letter: 'J' or the like reads as no list.
    EXPECT_EQ(ParseNameList(Bytes("KXJ"))->list, std::nullopt);
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

    // More names than titles can refer to: 65001 per list, 255 publishers.
    for (const auto& [letter, limit] : {std::pair{'P', 255}, std::pair{'D', 65001}}) {
        const std::vector<std::string> full(static_cast<std::size_t>(limit), "N");
        auto fits = ParseNameList(ListFile(letter, full));
        ASSERT_TRUE(fits) << letter;
        EXPECT_EQ(fits->names.size(), static_cast<std::size_t>(limit));
        auto over = full;
        over.push_back("ONE TOO MANY");
        auto refused = ParseNameList(ListFile(letter, over));
        ASSERT_FALSE(refused) << letter;
        EXPECT_EQ(refused.error(), FileError::Invalid);
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
