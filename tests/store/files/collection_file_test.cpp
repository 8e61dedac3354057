#include "store/files/collection_file.h"
#include "store/files/recovery_copy.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#ifndef _WIN32
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using Order = std::vector<std::uint16_t>;
using Names = std::vector<std::string>;
using namespace std::string_view_literals;

constexpr std::string_view OtherText = "AUTRE";

// The name-list sections each version holds, in file order, as documented.
std::vector<ListId> SectionsOf(char version) {
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

// Different names and a different count per list, so a section read into the wrong list shows.
Names NamesFor(ListId list) {
    switch (list) {
    case ListId::Director:
        return {"RIDLEY SCOTT"};
    case ListId::Actor:
        return {"SIGOURNEY WEAVER", "IAN HOLM", "JOHN HURT"};
    case ListId::Composer:
        return {"JERRY GOLDSMITH", "\xC9MILE"};
    case ListId::Box:
        return {};
    case ListId::Publisher:
        return {"FOX", "MGM", "CRITERION", "PIONEER"};
    case ListId::Retailer:
        return {"FNAC", "VIRGIN", "AMAZON", "FRIEND", "MARKET"};
    case ListId::Info:
        return {"LETTERBOX", "SIGNED", "IMPORT", "MINT", "OOP", "RARE"};
    case ListId::Info2:
        return {"SEALED", "LOANED"};
    case ListId::Media:
        return {"ALIEN.JPG", "ALIEN.WAV", "ALIEN.AVI", "A.BMP", "B.BMP", "C.BMP", "D.BMP"};
    }
    return {};
}

std::vector<Names> SectionsFor(char version) {
    std::vector<Names> out;
    for (ListId id : SectionsOf(version))
        out.push_back(NamesFor(id));
    return out;
}

// A record as an older version wrote it: every byte used, the price a whole number at 149 and the
// retailer at 151.
TitleRecord OldRecord(std::uint8_t seed, std::string_view title, std::uint16_t price,
                      std::uint16_t retailer) {
    TitleRecord r = test::FilledRecord(seed, title);
    r.SetInfo(3);
    r.SetMedia1(2);
    r.SetSupport(1);
    r.SetZone(2);
    r.SetInfo2(1);
    r.SetMedia2(4);
    r.SetMedia3(5);
    r.SetMedia4(6);
    r.SetRetailer(0x0202);
    r.SetU16(149, price);
    r.SetU16(151, retailer);
    return r;
}

// What loading must make of an older record.
TitleRecord Converted(TitleRecord r, char version) {
    if (version == '5') return r;
    const std::uint16_t oldPrice = r.U16(149);
    const std::uint16_t oldRetailer = r.U16(151);
    if (version == 'T') r.SetInfo(NoEntry);
    if (version == 'T' || version == '2') {
        r.SetMedia1(NoEntry);
        r.SetSupport(0);
        r.SetZone(0);
    }
    r.SetMedia2(NoEntry);
    r.SetMedia3(NoEntry);
    r.SetMedia4(NoEntry);
    r.SetRetailer(oldRetailer);
    r.SetPrice(static_cast<float>(oldPrice));
    if (version == 'T' || version == '2' || version == '3') r.SetInfo2(NoEntry);
    return r;
}

// A small valid file of the given version: three titles, every section, master order 2, 0, 1.
std::vector<std::uint8_t> SampleFile(char version, std::vector<TitleRecord>* records = nullptr) {
    std::vector<TitleRecord> r = {OldRecord(1, "BRAZIL", 0x0064, 1), OldRecord(2, "CASINO", 0xFFFF, NoEntry),
                                  OldRecord(3, "ALIEN", 0, 4)};
    if (records) *records = r;
    return test::BuildFile(version, r, SectionsFor(version), {2, 0, 1});
}

// The error of a file that does not parse; nothing when it does.
std::optional<FileError> ParseError(const std::vector<std::uint8_t>& bytes) {
    auto parsed = ParseCollection(bytes, OtherText);
    if (parsed) return std::nullopt;
    return parsed.error();
}

std::vector<fs::path> FilesIn(const fs::path& dir) {
    std::vector<fs::path> out;
    for (const auto& e : fs::directory_iterator(dir))
        out.push_back(e.path().filename());
    std::sort(out.begin(), out.end());
    return out;
}

TEST(CollectionFileTest, ReadsEveryVersion) {
    for (char version : {'T', '2', '3', '4', '5'}) {
        SCOPED_TRACE(std::string("KX") + version);
        std::vector<TitleRecord> records;
        auto parsed = ParseCollection(SampleFile(version, &records), OtherText);
        ASSERT_TRUE(parsed) << static_cast<int>(parsed.error());
        EXPECT_EQ(parsed->version, version);
        EXPECT_EQ(parsed->magic, std::string("KX") + version);
        const Collection& c = parsed->collection;

        ASSERT_EQ(c.Count(), 3u);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(c.titles[i], Converted(records[i], version)) << i;
        EXPECT_EQ(c.ListeIndex, (Order{2, 0, 1}));

        const auto present = SectionsOf(version);
        for (ListId id : AllLists) {
            SCOPED_TRACE(std::string(ListName(id)));
            const bool inFile = std::find(present.begin(), present.end(), id) != present.end();
            if (inFile)
                EXPECT_EQ(c.List(id), NamesFor(id));
            else if (id == ListId::Publisher)
                EXPECT_EQ(c.List(id), DefaultPublisherList(OtherText));
            else
                EXPECT_TRUE(c.List(id).empty());
        }
        // State belongs to the caller.
        EXPECT_TRUE(c.CurrentFileName.empty());
    }
}

TEST(CollectionFileTest, ConvertsOldPricesAndRetailers) {
    for (char version : {'T', '2', '3', '4'}) {
        SCOPED_TRACE(std::string("KX") + version);
        auto parsed = ParseCollection(SampleFile(version), OtherText);
        ASSERT_TRUE(parsed);
        const Collection& c = parsed->collection;
        EXPECT_FLOAT_EQ(c.titles[0].Price(), 100.0f);
        EXPECT_EQ(c.titles[0].Retailer(), 1);
        EXPECT_FLOAT_EQ(c.titles[1].Price(), 65535.0f) << "the old price is unsigned";
        EXPECT_EQ(c.titles[1].Retailer(), NoEntry);
        EXPECT_FLOAT_EQ(c.titles[2].Price(), 0.0f);
        EXPECT_EQ(c.titles[2].Retailer(), 4);
        for (const auto& t : c.titles) {
            EXPECT_EQ(t.Media2(), NoEntry);
            EXPECT_EQ(t.Media3(), NoEntry);
            EXPECT_EQ(t.Media4(), NoEntry);
        }
    }
    // Version 5 already holds a float price and the retailer at 117.
    auto parsed = ParseCollection(SampleFile('5'), OtherText);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->collection.titles[0].Retailer(), 0x0202);
    EXPECT_EQ(parsed->collection.titles[0].Media2(), 4);
}

TEST(CollectionFileTest, DefaultPublisherListOfTheOldestVersions) {
    const Names expected = {"AUTRE",
                            "BUENA VISTA",
                            "COLUMBIA",
                            "CRITERION",
                            "DIMENSION",
                            "ELITE",
                            "ENCORE",
                            "FOX",
                            "GAUMONT",
                            "HBO",
                            "HOLLYWOOD PICTURES",
                            "IMAGE",
                            "LE STUDIO CANAL +",
                            "LIVE",
                            "LUMIVISION",
                            "MCA",
                            "MGM",
                            "NEW LINE",
                            "PARAMOUNT",
                            "PFC VIDEO",
                            "PIONEER",
                            "POLYGRAM",
                            "REPUBLIC PICTURES",
                            "TAI SENG",
                            "TF1 VIDEO",
                            "TOUCHSTONE",
                            "VOYAGER",
                            "WALT DISNEY",
                            "WARNER"};
    EXPECT_EQ(DefaultPublisherList("AUTRE"), expected);
    EXPECT_EQ(DefaultPublisherList("Other").size(), 29u);
    EXPECT_EQ(DefaultPublisherList("Other")[0], "Other");

    // Titles of those versions keep the publisher bytes they had.
    std::vector<TitleRecord> records;
    auto parsed = ParseCollection(SampleFile('2', &records), "Other");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->collection.titles[0].PublisherStored(), records[0].PublisherStored());
    EXPECT_EQ(parsed->collection.List(ListId::Publisher).size(), 29u);
}

TEST(CollectionFileTest, WritesBackTheSameBytes) {
    // Every byte of the records counts: the bytes after a title's NUL and the reserved bytes too.
    std::vector<TitleRecord> records;
    const auto original = SampleFile('5', &records);
    auto parsed = ParseCollection(original, OtherText);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(SerializeCollection(parsed->collection), original);

    // A converted file is written as version 5 and reads back the same.
    auto old = ParseCollection(SampleFile('T'), OtherText);
    ASSERT_TRUE(old);
    const auto written = SerializeCollection(old->collection);
    EXPECT_EQ(std::string(written.begin(), written.begin() + 3), "KX5");
    auto again = ParseCollection(written, OtherText);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->collection.titles, old->collection.titles);
    EXPECT_EQ(again->collection.lists, old->collection.lists);
    EXPECT_EQ(again->collection.ListeIndex, old->collection.ListeIndex);
}

TEST(CollectionFileTest, WritesTheDocumentedLayout) {
    Collection c;
    c.titles = {test::FilledRecord(1, "B"), test::FilledRecord(2, "A")};
    c.ListeIndex = {1, 0};
    for (ListId id : AllLists)
        c.List(id) = NamesFor(id);
    EXPECT_EQ(SerializeCollection(c), test::BuildFile('5', c.titles, SectionsFor('5'), {1, 0}));

    // An empty collection: the header, nine empty sections and no master order.
    std::vector<std::uint8_t> empty = test::Bytes("KX5");
    empty.resize(3 + 2 + 9 * 2, 0);
    EXPECT_EQ(SerializeCollection(Collection{}), empty);
    auto parsed = ParseCollection(empty, OtherText);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->collection.Count(), 0u);
    for (ListId id : AllLists)
        EXPECT_TRUE(parsed->collection.List(id).empty());
}

TEST(CollectionFileTest, NameSlotsHoldFortyNineCharactersAndANul) {
    Collection c;
    const std::string longest(49, 'N');
    c.List(ListId::Director) = {longest, "AB"};
    const auto bytes = SerializeCollection(c);
    // "KX5", n = 0, then the director section: count 2 and two slots.
    ASSERT_GE(bytes.size(), 7u + 100u);
    EXPECT_EQ(bytes[5], 2);
    EXPECT_EQ(bytes[6], 0);
    const std::uint8_t* slot = bytes.data() + 7;
    EXPECT_EQ(std::string(slot, slot + 49), longest);
    EXPECT_EQ(slot[49], 0);
    EXPECT_EQ(std::string(slot + 50, slot + 52), "AB");
    EXPECT_TRUE(std::all_of(slot + 52, slot + 100, [](std::uint8_t b) { return b == 0; }));

    // Reading: a slot filled to its end gives its first 49 characters, as every name has room for
    // its NUL; bytes after a NUL are not read.
    std::vector<std::uint8_t> file = test::Bytes("KX5");
    test::PutU16(file, 0);
    test::PutU16(file, 2);
    file.insert(file.end(), 50, 'F');
    std::vector<std::uint8_t> second(50, 'G');
    second[3] = 0;
    file.insert(file.end(), second.begin(), second.end());
    for (int i = 0; i < 8; ++i)
        test::PutU16(file, 0);
    auto parsed = ParseCollection(file, OtherText);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->collection.List(ListId::Director), (Names{std::string(49, 'F'), "GGG"}));
}

TEST(CollectionFileTest, RefusesEveryTruncatedFile) {
    for (char version : {'T', '2', '3', '4', '5'}) {
        SCOPED_TRACE(std::string("KX") + version);
        const auto whole = SampleFile(version);
        ASSERT_TRUE(ParseCollection(whole, OtherText));
        for (std::size_t size = 0; size < whole.size(); ++size) {
            const std::vector<std::uint8_t> part(whole.begin(),
                                                 whole.begin() + static_cast<std::ptrdiff_t>(size));
            EXPECT_EQ(ParseError(part), FileError::Invalid) << "cut at " << size;
        }
    }
}

TEST(CollectionFileTest, RefusesDamagedFiles) {
    const auto good = SampleFile('5');
    // Wrong magic or version letter.
    for (std::string_view magic : {"KY5"sv, "XK5"sv, "kx5"sv, "KX1"sv, "KX6"sv, "KXt"sv, "KX\0"sv}) {
        auto bytes = good;
        std::copy(magic.begin(), magic.end(), bytes.begin());
        EXPECT_EQ(ParseError(bytes), FileError::Invalid) << magic;
    }
    // A master order that is not every record number once.
    const auto records = std::vector<TitleRecord>{test::MakeTitle("A"), test::MakeTitle("B")};
    for (const Order& order : {Order{0, 2}, Order{1, 1}, Order{0xFFFF, 0}}) {
        const auto bytes = test::BuildFile('5', records, SectionsFor('5'), order);
        EXPECT_EQ(ParseError(bytes), FileError::Invalid) << order[0] << "," << order[1];
    }
    // Counts far beyond the bytes there are.
    {
        std::vector<std::uint8_t> bytes = test::Bytes("KX5");
        test::PutU16(bytes, 0xFFFF);
        bytes.resize(bytes.size() + 160, 0);
        EXPECT_EQ(ParseError(bytes), FileError::Invalid);
    }
    {
        std::vector<std::uint8_t> bytes = test::Bytes("KX5");
        test::PutU16(bytes, 0);
        test::PutU16(bytes, 0xFFFF);
        bytes.resize(bytes.size() + 100, 0);
        EXPECT_EQ(ParseError(bytes), FileError::Invalid);
    }
}

TEST(CollectionFileTest, BytesAfterTheMasterOrderAreIgnored) {
    const auto good = SampleFile('5');
    auto expected = ParseCollection(good, OtherText);
    ASSERT_TRUE(expected);
    for (std::size_t extra : {1u, 2u, 160u}) {
        auto bytes = good;
        bytes.resize(bytes.size() + extra, 0xAB);
        auto parsed = ParseCollection(bytes, OtherText);
        ASSERT_TRUE(parsed) << extra << " trailing bytes";
        EXPECT_EQ(SerializeCollection(parsed->collection), SerializeCollection(expected->collection));
    }
}

TEST(CollectionFileTest, ABareHeaderIsAnEmptyCollection) {
    std::vector<std::uint8_t> bytes = test::Bytes("KX5");
    test::PutU16(bytes, 0);
    auto parsed = ParseCollection(bytes, OtherText);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->collection.Count(), 0u);
    EXPECT_TRUE(parsed->collection.ListeIndex.empty());
}

TEST(CollectionFileTest, WritesASelectionAsACollectionOfItsOwn) {
    Collection c;
    for (std::uint8_t i = 0; i < 10; ++i)
        AppendTitle(c, test::FilledRecord(i, "TITLE " + std::to_string(i)));
    for (ListId id : AllLists)
        c.List(id) = NamesFor(id);
    c.CurrentFileName = "whole.KXT";
    const Order browse = {7, 2, 5};

    ASSERT_TRUE(SelectionIsSavable(c, browse));
    const auto bytes = SerializeSelection(c, browse);
    EXPECT_EQ(bytes,
              test::BuildFile('5', {c.titles[7], c.titles[2], c.titles[5]}, SectionsFor('5'), {0, 1, 2}));
    EXPECT_EQ(c.CurrentFileName, "whole.KXT");

    auto parsed = ParseCollection(bytes, OtherText);
    ASSERT_TRUE(parsed);
    const Collection& s = parsed->collection;
    ASSERT_EQ(s.Count(), 3u);
    EXPECT_EQ(s.titles[0], c.titles[7]);
    EXPECT_EQ(s.titles[1], c.titles[2]);
    EXPECT_EQ(s.titles[2], c.titles[5]);
    EXPECT_EQ(s.ListeIndex, (Order{0, 1, 2}));
    EXPECT_EQ(s.lists, c.lists);

    EXPECT_FALSE(SelectionIsSavable(c, Order{}));
    EXPECT_FALSE(SelectionIsSavable(c, c.ListeIndex)) << "every title is no selection";
    EXPECT_TRUE(SelectionIsSavable(c, Order(c.ListeIndex.begin(), c.ListeIndex.end() - 1)));
}

TEST(CollectionFileTest, LoadingFromDisk) {
    test::TempDir dir;
    {
        auto missing = LoadCollectionFile(dir / "missing.KXT", OtherText);
        ASSERT_FALSE(missing);
        EXPECT_EQ(missing.error().error, FileError::NotFound);
        EXPECT_EQ(missing.error().path, (dir / "missing.KXT").string());
    }
    {
        fs::create_directory(dir / "folder.KXT");
        auto folder = LoadCollectionFile(dir / "folder.KXT", OtherText);
        ASSERT_FALSE(folder);
        EXPECT_NE(folder.error().error, FileError::NotFound);
        EXPECT_EQ(folder.error().path, (dir / "folder.KXT").string());
    }
    {
        test::WriteBytes(dir / "empty.KXT", {});
        auto empty = LoadCollectionFile(dir / "empty.KXT", OtherText);
        ASSERT_FALSE(empty);
        EXPECT_EQ(empty.error().error, FileError::Invalid);
    }
    {
        test::WriteBytes(dir / "notes.KXT", test::Bytes("Dear diary"));
        auto text = LoadCollectionFile(dir / "notes.KXT", OtherText);
        ASSERT_FALSE(text);
        EXPECT_EQ(text.error().error, FileError::Invalid);
        EXPECT_EQ(text.error().path, (dir / "notes.KXT").string());
    }
    {
        std::vector<TitleRecord> records;
        test::WriteBytes(dir / "old.KXT", SampleFile('3', &records));
        auto loaded = LoadCollectionFile(dir / "old.KXT", OtherText);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->version, '3');
        ASSERT_EQ(loaded->collection.Count(), 3u);
        EXPECT_EQ(loaded->collection.titles[2], Converted(records[2], '3'));
    }
    {
        // Bigger than one read chunk.
        Collection big;
        for (int i = 0; i < 1000; ++i)
            AppendTitle(big, test::FilledRecord(static_cast<std::uint8_t>(i), "T"));
        test::WriteBytes(dir / "big.KXT", SerializeCollection(big));
        auto loaded = LoadCollectionFile(dir / "big.KXT", OtherText);
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->collection.titles, big.titles);
        EXPECT_EQ(loaded->collection.ListeIndex, big.ListeIndex);
    }
}

TEST(CollectionFileTest, SavingReplacesTheFile) {
    test::TempDir dir;
    const fs::path path = dir / "films.KXT";
    test::WriteBytes(path, test::Bytes("an older collection"));

    Collection c = test::MakeCollection({"ALIEN", "BRAZIL"});
    c.List(ListId::Actor) = {"IAN HOLM"};
    auto saved = SaveCollection(c, path);
    ASSERT_TRUE(saved) << saved.error().detail;
    EXPECT_EQ(test::ReadBytes(path), SerializeCollection(c));
    EXPECT_EQ(FilesIn(dir.path()), (std::vector<fs::path>{"films.KXT"})) << "no temporary file is left";

    auto loaded = LoadCollectionFile(path, OtherText);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->collection.titles, c.titles);
    EXPECT_EQ(loaded->collection.lists, c.lists);
    EXPECT_EQ(loaded->collection.ListeIndex, c.ListeIndex);

    // A brand-new file, without the flush.
    ASSERT_TRUE(WriteFileReplacing(dir / "new.KXT", test::Bytes("KX5"), false));
    EXPECT_EQ(test::ReadBytes(dir / "new.KXT"), test::Bytes("KX5"));
}

#ifndef _WIN32
TEST(CollectionFileTest, SavingKeepsTheFilePermissions) {
    test::TempDir dir;
    const fs::path path = dir / "films.KXT";
    test::WriteBytes(path, test::Bytes("old"));
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Collection c = test::MakeCollection({"ALIEN"});
    ASSERT_TRUE(SaveCollection(c, path));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}
#endif

TEST(CollectionFileTest, AFailedSaveLosesNothing) {
    test::TempDir dir;
    // A regular file where a folder should be: nothing can be created below it, even by root.
    test::WriteBytes(dir / "plain", test::Bytes("not a folder"));
    const fs::path below = dir / "plain" / "films.KXT";

    Collection c = test::MakeCollection({"ALIEN"});
    c.CurrentFileName = "earlier.KXT";
    auto saved = SaveCollection(c, below);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().error, FileError::CannotWrite);
    EXPECT_EQ(saved.error().path, below.string());
    EXPECT_FALSE(saved.error().detail.empty());
    EXPECT_EQ(c.CurrentFileName, "earlier.KXT");
    EXPECT_EQ(test::ReadBytes(dir / "plain"), test::Bytes("not a folder"));

    // A folder in the file's place: the data is written, then cannot be put there.
    fs::create_directory(dir / "taken.KXT");
    test::WriteBytes(dir / "taken.KXT" / "inside", test::Bytes("x"));
    saved = SaveCollection(c, dir / "taken.KXT");
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().error, FileError::CannotWrite);
    EXPECT_EQ(saved.error().path, (dir / "taken.KXT").string());
    EXPECT_EQ(c.CurrentFileName, "earlier.KXT");
    EXPECT_TRUE(fs::is_directory(dir / "taken.KXT"));
    EXPECT_EQ(FilesIn(dir.path()), (std::vector<fs::path>{"plain", "taken.KXT"}))
        << "no temporary file is left";
}

#ifndef _WIN32
// Makes writes beyond a size fail (EFBIG) for as long as it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = std::min<rlim_t>(bytes, old_.rlim_max);
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool active() const { return active_; }

  private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

TEST(CollectionFileTest, AWriteThatFailsHalfwayKeepsTheOldFile) {
    test::TempDir dir;
    const fs::path path = dir / "films.KXT";
    Collection small = test::MakeCollection({"ALIEN"});
    ASSERT_TRUE(SaveCollection(small, path));
    const auto before = test::ReadBytes(path);

    Collection big;
    for (int i = 0; i < 100; ++i)
        AppendTitle(big, test::MakeTitle("TITLE " + std::to_string(i)));
    big.CurrentFileName = "big.KXT";
    Expected<Done, FileFailure> saved = Done{};
    {
        FileSizeLimit limit(before.size() + 100);
        if (!limit.active()) GTEST_SKIP() << "cannot limit file sizes here";
        saved = SaveCollection(big, path);
    }
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().error, FileError::CannotWrite);
    EXPECT_EQ(saved.error().path, path.string());
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(big.CurrentFileName, "big.KXT");
    EXPECT_EQ(FilesIn(dir.path()), (std::vector<fs::path>{"films.KXT"})) << "no temporary file is left";
}
#endif

TEST(CollectionFileTest, SavingKeepsThePreviousFileAsItsBackup) {
    test::TempDir dir;
    const fs::path path = dir / "films.KXT";
    const fs::path backup = BackupPath(path);
    EXPECT_EQ(backup, dir / "films.KXT.bak");
    Collection first = test::MakeCollection({"ALIEN"}), second = test::MakeCollection({"BRAZIL"}),
               third = test::MakeCollection({"CASABLANCA"});

    ASSERT_TRUE(SaveCollection(first, path, true));
    EXPECT_FALSE(fs::exists(backup)) << "a first save has nothing to keep";
    ASSERT_TRUE(SaveCollection(second, path, true));
    EXPECT_EQ(test::ReadBytes(backup), SerializeCollection(first));
    ASSERT_TRUE(SaveCollection(third, path, true));
    EXPECT_EQ(test::ReadBytes(backup), SerializeCollection(second)) << "one generation";
    EXPECT_EQ(test::ReadBytes(path), SerializeCollection(third));
    ASSERT_TRUE(SaveCollection(first, path, false));
    EXPECT_EQ(test::ReadBytes(backup), SerializeCollection(second)) << "kept only when asked";
    EXPECT_EQ(FilesIn(dir.path()), (std::vector<fs::path>{"films.KXT", "films.KXT.bak"}));

    // A backup that cannot take its name: nothing saved, and the message names the backup.
    fs::remove(backup);
    fs::create_directory(backup);
    test::WriteBytes(backup / "inside", test::Bytes("x"));
    auto saved = SaveCollection(third, path, true);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().path, backup.string());
    EXPECT_EQ(test::ReadBytes(path), SerializeCollection(first));
    EXPECT_EQ(FilesIn(dir.path()), (std::vector<fs::path>{"films.KXT", "films.KXT.bak"}))
        << "no temporary file is left";
}

TEST(CollectionFileTest, RecoveryCopies) {
    test::TempDir dir;
    const fs::path folder = dir / "recovery";
    EXPECT_TRUE(FindRecoveryCopies(folder).empty()) << "no folder yet";

    Collection named = test::MakeCollection({"ALIEN"});
    named.CurrentFileName = "/home/me/Films é.KXT";
    Collection fresh = test::MakeCollection({"BRAZIL"});
    ASSERT_TRUE(WriteRecoveryCopy(named, folder, "101-a"));
    ASSERT_TRUE(WriteRecoveryCopy(fresh, folder, "202-b"));
    fs::last_write_time(folder / "101-a.KXT",
                        fs::last_write_time(folder / "202-b.KXT") + std::chrono::seconds(5));
    EXPECT_EQ(named.CurrentFileName, "/home/me/Films é.KXT");

    const auto copies = FindRecoveryCopies(folder);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].id, "101-a") << "the most recent first";
    EXPECT_EQ(copies[0].fileName, named.CurrentFileName);
    EXPECT_EQ(test::ReadBytes(copies[0].collection), SerializeCollection(named));
    EXPECT_EQ(copies[1].id, "202-b");
    EXPECT_EQ(copies[1].fileName, "") << "a new collection has no name yet";

    RemoveRecoveryCopy(folder, "101-a");
    RemoveRecoveryCopy(folder, "never-there");
    EXPECT_EQ(FilesIn(folder), (std::vector<fs::path>{"202-b.KXT", "202-b.name"}));
}

#ifndef _WIN32
TEST(CollectionFileTest, RecoveryCopiesAreTheOwnersAloneWhateverTheUmask) {
    const mode_t umaskBefore = ::umask(022);
    struct Case {
        const char* what;
        bool earlier; // a folder and a copy already there, made as the umask allows
    };
    for (const Case& k :
         {Case{"a new folder", false}, Case{"a folder and a copy left open to others", true}}) {
        SCOPED_TRACE(k.what);
        test::TempDir dir;
        const fs::path folder = dir / "recovery";
        if (k.earlier) {
            fs::create_directory(folder);
            for (const char* f : {"RUN.KXT", "RUN.name"})
                test::WriteBytes(folder / f, test::Bytes("older"));
        }
        ASSERT_TRUE(WriteRecoveryCopy(test::MakeCollection({"ALIEN"}), folder, "RUN"));
        EXPECT_EQ(fs::status(folder).permissions() & fs::perms::all, fs::perms::owner_all);
        for (const char* f : {"RUN.KXT", "RUN.name"})
            EXPECT_EQ(fs::status(folder / f).permissions() & fs::perms::all,
                      fs::perms::owner_read | fs::perms::owner_write)
                << f;
    }
    ::umask(umaskBefore);
}

// A save killed at any moment (a crash, a power cut of the program) leaves under the collection's
// name the complete old file or the complete new one, and a complete earlier one as its backup.
TEST(CollectionFileTest, ASaveKilledAtAnyMomentLeavesACompleteFile) {
    test::TempDir dir;
    const fs::path path = dir / "films.KXT";
    Collection versions[2];
    for (int i = 0; i < 4000; ++i) {
        AppendTitle(versions[0], test::MakeTitle("FIRST " + std::to_string(i)));
        if (i % 2) AppendTitle(versions[1], test::MakeTitle("SECOND " + std::to_string(i)));
    }
    const std::vector<std::uint8_t> bytes[2] = {SerializeCollection(versions[0]),
                                                SerializeCollection(versions[1])};
    ASSERT_TRUE(SaveCollection(versions[0], path, true));
    ASSERT_TRUE(SaveCollection(versions[1], path, true));

    std::mt19937 random(20261209);
    for (int round = 0; round < 100; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int save = 0;; ++save)
                (void)SaveCollection(versions[save % 2], path, true);
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const auto now = test::ReadBytes(path), kept = test::ReadBytes(BackupPath(path));
        ASSERT_TRUE(now == bytes[0] || now == bytes[1])
            << "round " << round << ": " << now.size() << " bytes";
        ASSERT_TRUE(kept == bytes[0] || kept == bytes[1])
            << "round " << round << ": backup of " << kept.size();
    }
    // What the killed saves left behind is only their temporary files, which the next save removes.
    ASSERT_TRUE(SaveCollection(versions[0], path, true));
    EXPECT_EQ(FilesIn(dir.path()), (std::vector<fs::path>{"films.KXT", "films.KXT.bak"}));
}
#endif

} // namespace
} // namespace tavrin
