#include "store/files/title_file.h"

#include "store/files/collection_file.h"
#include "store/title_exchange.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tavrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The 50-byte name field of a text: the text, then zeros.
Bytes Field(const std::string& name) {
    Bytes field(NameTextSize, 0);
    std::copy(name.begin(), name.end(), field.begin());
    return field;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A collection holding one title that names something in every exported list, each list holding a
// name that tells its list apart, and retailer and multimedia references the file never carries.
Collection EveryListNamed() {
    Collection c = test::MakeCollection({"BRAZIL"});
    TitleRecord& t = c.RecordAt(0);
    for (const auto& slot : TitleFileSlots) {
        auto& names = c.List(slot.list);
        names.push_back(std::string(ListName(slot.list)) + std::to_string(names.size()));
        if (slot.list == ListId::Publisher)
            t.SetPublisher(static_cast<int>(names.size() - 1));
        else
            t.SetU16(slot.offset, static_cast<std::uint16_t>(names.size() - 1));
    }
    c.List(ListId::Retailer) = {"FNAC"};
    c.List(ListId::Media) = {"BRAZIL.JPG"};
    t.SetRetailer(0);
    t.SetMedia1(0);
    return c;
}

TEST(TitleFileTest, ExportsTheRecordAndTheNamesItRefersTo) {
    // No director, two actors and a publisher: "KXM", 160 bytes and three name fields.
    Collection c = test::MakeCollection({"ALIEN"});
    c.List(ListId::Actor) = {"HOLM", "WEAVER", "HURT"};
    c.List(ListId::Publisher) = {"FOX", "CRITERION"};
    c.List(ListId::Retailer) = {"FNAC"};
    c.List(ListId::Media) = {"ALIEN.JPG"};
    TitleRecord& t = c.RecordAt(0);
    t.SetActor1(1);
    t.SetActor3(2);
    t.SetPublisher(1);
    t.SetRetailer(0);
    t.SetMedia2(0);
    const TitleRecord before = t;

    const Bytes file = ExportTitle(c, 0);
    ASSERT_EQ(file.size(), 313u);
    const Bytes record(before.bytes.begin(), before.bytes.end());
    EXPECT_EQ(file, Concat({test::Bytes("KXM"), record, Field("WEAVER"), Field("HURT"), Field("CRITERION")}));
    EXPECT_EQ(c.RecordAt(0), before) << "nothing to repair";

    // Every list named: the fields in the order Director, Actor1 .. Actor5, Composer, Box, Info,
    // Publisher, Info2; retailer and multimedia files never.
    Collection all = EveryListNamed();
    const Bytes full = ExportTitle(all, 0);
    ASSERT_EQ(full.size(), TitleFileHeaderSize + 11 * NameTextSize);
    const std::vector<std::string> expected{"DirectorList0", "ActorList0",     "ActorList1",    "ActorList2",
                                            "ActorList3",    "ActorList4",     "ComposerList0", "BoxList0",
                                            "InfoList0",     "PublisherList0", "Info2List0"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto* field = full.data() + TitleFileHeaderSize + i * NameTextSize;
        EXPECT_EQ(Bytes(field, field + NameTextSize), Field(expected[i])) << i;
    }
}

TEST(TitleFileTest, ReferencesBeyondTheirListsAreExportedAsNone) {
    Collection c = EveryListNamed();
    TitleRecord& t = c.RecordAt(0);
    // Beyond the list for the director, the second actor, the publisher and both informations, and
    // a value above 65000 that is none but is not stored as 0xFFFF.
    t.SetDirector(1);
    t.SetActor2(9);
    t.SetPublisher(3);
    t.SetInfo(1);
    t.SetInfo2(40000);
    t.SetBox(65010);

    const TitleRecord before = c.RecordAt(0);
    const Bytes file = ExportTitle(c, 0);
    EXPECT_EQ(c.RecordAt(0), before) << "exporting only reads the collection";
    TitleRecord exported;
    std::copy_n(file.begin() + 3, TitleRecordSize, exported.bytes.begin());
    for (auto off : {55, 59, 85, 106, 83, 158})
        EXPECT_EQ(exported.U16(off), NoEntry) << "offset " << off;
    EXPECT_EQ(exported.Actor1(), 0) << "a reference within its list stays";
    // The file holds the repaired record and a name for each reference left: five.
    ASSERT_EQ(file.size(), TitleFileHeaderSize + 5 * NameTextSize);
    const auto parsed = ParseTitleFile(file);
    ASSERT_TRUE(parsed);
    std::vector<std::string> named;
    for (const auto& name : parsed->names)
        if (name) named.push_back(*name);
    EXPECT_EQ(named, (std::vector<std::string>{"ActorList0", "ActorList2", "ActorList3", "ActorList4",
                                               "ComposerList0"}));
}

TEST(TitleFileTest, ReadsWhatItWrites) {
    Collection c = EveryListNamed();
    c.List(ListId::Director)[0] = std::string(49, 'D');
    const auto parsed = ParseTitleFile(ExportTitle(c, 0));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->record, c.RecordAt(0));
    for (std::size_t i = 0; i < TitleFileSlots.size(); ++i) {
        ASSERT_TRUE(parsed->names[i]) << i;
        EXPECT_EQ(*parsed->names[i],
                  ReferencedName(c, c.RecordAt(0), TitleFileSlots[i].list,
                                 TitleFileSlots[i].list == ListId::Actor ? int(i - 1) : 0));
    }
}

TEST(TitleFileTest, ReadingChecksTheStartAndEveryLength) {
    Collection c = EveryListNamed();
    const Bytes good = ExportTitle(c, 0);

    // Any "KX" start but "KXT" is taken, as title files were always recognised.
    for (std::uint8_t third : {std::uint8_t{'M'}, std::uint8_t{'5'}, std::uint8_t{'X'}, std::uint8_t{0}}) {
        Bytes other = good;
        other[2] = third;
        EXPECT_TRUE(ParseTitleFile(other)) << int(third);
    }
    std::vector<Bytes> refused{test::Bytes(""), test::Bytes("KX"), test::Bytes("KXT"), test::Bytes("KYM")};
    Bytes collectionStart = good;
    collectionStart[2] = 'T';
    refused.push_back(collectionStart);
    // Shorter than the record or than the name fields the record announces.
    for (std::size_t cut = 3; cut < good.size(); cut += 7)
        refused.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    refused.emplace_back(good.begin(), good.end() - 1);
    for (const auto& bytes : refused) {
        const auto parsed = ParseTitleFile(bytes);
        ASSERT_FALSE(parsed) << "size " << bytes.size();
        EXPECT_EQ(parsed.error(), FileError::Invalid);
    }

    // Bytes after the last name field are ignored.
    Bytes longer = good;
    longer.push_back(0x55);
    EXPECT_TRUE(ParseTitleFile(longer));
}

TEST(TitleFileTest, NamesAndReferencesAreReadAsEveryFileReadsThem) {
    // A director above 65000 is none: no field is read for it, and the record holds 0xFFFF. A
    // publisher whose low byte is 255 is none whatever its high byte.
    TitleRecord t = test::MakeTitle("HEAT");
    t.SetDirector(65001);
    t.SetU16(158, 0x12FF);
    t.SetComposer(0);
    Bytes noNul(NameTextSize, 'N');
    const Bytes file = Concat({test::Bytes("KXM"), Bytes(t.bytes.begin(), t.bytes.end()), noNul});
    const auto parsed = ParseTitleFile(file);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->record.Director(), NoEntry);
    EXPECT_EQ(parsed->record.PublisherStored(), NoEntry);
    EXPECT_FALSE(parsed->names[0]);
    // A field without its NUL gives 49 characters.
    ASSERT_TRUE(parsed->names[6]);
    EXPECT_EQ(*parsed->names[6], std::string(49, 'N'));
}

TEST(TitleFileTest, LoadsFromDisk) {
    test::TempDir dir;
    Collection c = EveryListNamed();
    const Bytes good = ExportTitle(c, 0);
    test::WriteBytes(dir / "t.KXM", good);
    test::WriteBytes(dir / "cut.KXM", Bytes(good.begin(), good.end() - 10));
    const auto loaded = LoadTitleFile(dir / "t.KXM");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->record, c.RecordAt(0));
    const auto cut = LoadTitleFile(dir / "cut.KXM");
    ASSERT_FALSE(cut);
    EXPECT_EQ(cut.error().error, FileError::Invalid);
    const auto missing = LoadTitleFile(dir / "none.KXM");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().error, FileError::NotFound);
}

TEST(TitleFileTest, NameSlotsKeepRoomForTheirNul) {
    // A 50-character name (only possible from hand-made data) is written as 49 and its NUL.
    Collection c;
    c.List(ListId::Director) = {std::string(50, 'L')};
    const Bytes saved = SerializeCollection(c);
    const auto* slot = saved.data() + 5 + 2;
    EXPECT_EQ(std::string(slot, slot + 49), std::string(49, 'L'));
    EXPECT_EQ(slot[49], 0);
}

TEST(FileAccessTest, TheTemporaryFileNeverTakesAnExistingName) {
    test::TempDir dir;
    const auto path = dir / "films.KXT";
    // A temporary file with the first name the writer will try, held by a write still going on.
    const auto held = TemporaryPath(path, "first");
    test::WriteBytes(held, test::Bytes("being written"));
    const int writer = ::open(held.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);
    std::vector<std::string> names{"first", "first", "second"};
    std::size_t asked = 0;
    const auto written =
        WriteFileReplacingWith(path, test::Bytes("KX5"), true, [&] { return names[asked++]; });
    ASSERT_TRUE(written) << written.error().detail;
    EXPECT_EQ(asked, 3u);
    EXPECT_EQ(test::ReadBytes(path), test::Bytes("KX5"));
    EXPECT_EQ(test::ReadBytes(held), test::Bytes("being written"));
    EXPECT_FALSE(std::filesystem::exists(TemporaryPath(path, "second")));

    // A folder where no name can be had: refused, the file as it was.
    const auto refused = WriteFileReplacingWith(path, test::Bytes("KX4"), false, [] { return "first"; });
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().error, FileError::CannotWrite);
    EXPECT_EQ(test::ReadBytes(path), test::Bytes("KX5"));
    ::close(writer);
}

TEST(FileAccessTest, ReadingHoldsAFileToItsSizeLimit) {
    test::TempDir dir;
    constexpr std::size_t limit = 8;
    struct Case {
        std::size_t size;
        PastLimit past;
        std::optional<std::size_t> read; // none: refused as TooLarge
    };
    const Case cases[] = {
        {limit, PastLimit::Refuse, limit},
        {limit + 1, PastLimit::Refuse, std::nullopt},
        {limit + 1, PastLimit::Ignore, limit},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(::testing::Message()
                     << k.size << " bytes, ignoring the rest: " << (k.past == PastLimit::Ignore));
        Bytes content(k.size);
        for (std::size_t i = 0; i < k.size; ++i)
            content[i] = static_cast<std::uint8_t>('a' + i);
        const auto path = dir / "file.bin";
        test::WriteBytes(path, content);
        const auto read = ReadFileBytes(path, limit, k.past);
        if (!k.read) {
            ASSERT_FALSE(read);
            EXPECT_EQ(read.error().error, FileError::TooLarge);
            EXPECT_EQ(read.error().size, k.size);
            EXPECT_EQ(read.error().limit, limit);
            continue;
        }
        ASSERT_TRUE(read) << read.error().detail;
        EXPECT_EQ(*read, Bytes(content.begin(), content.begin() + static_cast<std::ptrdiff_t>(*k.read)));
    }
}

} // namespace
} // namespace tavrin
