#include "store/collection.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace tavrin {
namespace {

using Order = std::vector<std::uint16_t>;

std::vector<std::string> TitlesOf(const Collection& c) {
    std::vector<std::string> out;
    for (const auto& t : c.titles)
        out.push_back(t.Title());
    return out;
}

// A collection with a name list of count entries named "N0", "N1", ...
Collection WithNames(ListId list, int count) {
    Collection c;
    for (int i = 0; i < count; ++i)
        c.List(list).push_back("N" + std::to_string(i));
    return c;
}

TEST(CollectionTest, AppendingPlacesTheTitleInTheMasterOrder) {
    Collection c;
    EXPECT_EQ(AppendTitle(c, test::MakeTitle("MATRIX")), StoreError::None);
    EXPECT_EQ(AppendTitle(c, test::MakeTitle("ALIEN")), StoreError::None);
    EXPECT_EQ(AppendTitle(c, test::MakeTitle("ZELIG")), StoreError::None);
    EXPECT_EQ(AppendTitle(c, test::MakeTitle("heat")), StoreError::None);
    EXPECT_EQ(TitlesOf(c), (std::vector<std::string>{"MATRIX", "ALIEN", "ZELIG", "heat"}));
    EXPECT_EQ(c.ListeIndex, (Order{1, 3, 0, 2}));

    // The record is stored whole, not just its title.
    TitleRecord full = test::FilledRecord(5, "BRAZIL");
    AppendTitle(c, full);
    EXPECT_EQ(c.RecordAt(4), full);
    EXPECT_EQ(c.ListeIndex, (Order{1, 4, 3, 0, 2}));
}

TEST(CollectionTest, AppendingIsRefusedAtCapacity) {
    Collection c;
    c.titles.resize(TitleCapacity - 1, test::MakeTitle("SAME"));
    for (std::size_t i = 0; i < c.titles.size(); ++i)
        c.ListeIndex.push_back(static_cast<std::uint16_t>(i));
    // The last free place is still usable...
    ASSERT_EQ(AppendTitle(c, test::MakeTitle("SAME")), StoreError::None);
    ASSERT_EQ(c.Count(), TitleCapacity);
    EXPECT_EQ(c.ListeIndex.back(), TitleCapacity - 1);
    // ...and then nothing more is added.
    EXPECT_EQ(AppendTitle(c, test::MakeTitle("ONE TOO MANY")), StoreError::CollectionFull);
    EXPECT_EQ(c.Count(), TitleCapacity);
    EXPECT_EQ(c.ListeIndex.size(), TitleCapacity);
}

TEST(CollectionTest, ReplacingMovesTheTitleOnlyWhenItsTextChanged) {
    // A master order as a file may hold it, not the one our sorting would make: it must be kept
    // when a title is edited without renaming it.
    Collection c = test::MakeCollection({"ALIEN", "BRAZIL", "CASINO"});
    c.ListeIndex = {2, 0, 1};

    TitleRecord edited = c.RecordAt(0);
    edited.SetYear(1979);
    edited.SetDirector(4);
    ReplaceTitle(c, 0, edited);
    EXPECT_EQ(c.RecordAt(0), edited);
    EXPECT_EQ(c.ListeIndex, (Order{2, 0, 1}));

    // Bytes after the title's NUL are not part of the title.
    TitleRecord tail = c.RecordAt(1);
    tail.bytes[40] = 0x55;
    ReplaceTitle(c, 1, tail);
    EXPECT_EQ(c.ListeIndex, (Order{2, 0, 1}));

    TitleRecord renamed = c.RecordAt(2);
    renamed.SetTitle("ZORRO");
    ReplaceTitle(c, 2, renamed);
    EXPECT_EQ(c.RecordAt(2).Title(), "ZORRO");
    EXPECT_EQ(c.ListeIndex, (Order{0, 1, 2}));

    renamed.SetTitle("AAA");
    ReplaceTitle(c, 2, renamed);
    EXPECT_EQ(c.ListeIndex, (Order{2, 0, 1}));
    EXPECT_EQ(c.Count(), 3u);
}

TEST(CollectionTest, DeletingShiftsRecordsAndRenumbersTheOrder) {
    {
        Collection c = test::MakeCollection({"B", "C", "A"});
        ASSERT_EQ(c.ListeIndex, (Order{2, 0, 1}));
        DeleteTitle(c, 0);
        EXPECT_EQ(TitlesOf(c), (std::vector<std::string>{"C", "A"}));
        EXPECT_EQ(c.ListeIndex, (Order{1, 0}));
    }
    {
        Collection c = test::MakeCollection({"B", "C", "A", "D"});
        ASSERT_EQ(c.ListeIndex, (Order{2, 0, 1, 3}));
        DeleteTitle(c, 1);
        EXPECT_EQ(TitlesOf(c), (std::vector<std::string>{"B", "A", "D"}));
        EXPECT_EQ(c.ListeIndex, (Order{1, 0, 2}));
    }
    {
        Collection c = test::MakeCollection({"B", "C", "A"});
        DeleteTitle(c, 2);
        EXPECT_EQ(TitlesOf(c), (std::vector<std::string>{"B", "C"}));
        EXPECT_EQ(c.ListeIndex, (Order{0, 1}));
    }
    {
        Collection c = test::MakeCollection({"ONLY"});
        DeleteTitle(c, 0);
        EXPECT_EQ(c.Count(), 0u);
        EXPECT_TRUE(c.ListeIndex.empty());
    }
    {
        // The moved records keep every byte.
        Collection c;
        const TitleRecord a = test::FilledRecord(1, "A"), b = test::FilledRecord(2, "B");
        AppendTitle(c, a);
        AppendTitle(c, b);
        DeleteTitle(c, 0);
        EXPECT_EQ(c.RecordAt(0), b);
    }
}

TEST(CollectionTest, AddingAndRenamingNames) {
    Collection c = test::MakeCollection({"ALIEN"});
    int entry = -5;
    EXPECT_EQ(AddName(c, ListId::Actor, "SIGOURNEY WEAVER", &entry), StoreError::None);
    EXPECT_EQ(entry, 0);
    EXPECT_EQ(AddName(c, ListId::Actor, "IAN HOLM", &entry), StoreError::None);
    EXPECT_EQ(entry, 1);
    EXPECT_EQ(c.List(ListId::Actor), (NameList{"SIGOURNEY WEAVER", "IAN HOLM"}));
    EXPECT_TRUE(c.List(ListId::Director).empty());

    // Names longer than a slot keep their first 49 characters.
    AddName(c, ListId::Box, std::string(60, 'B'), &entry);
    EXPECT_EQ(c.List(ListId::Box)[0], std::string(49, 'B'));

    c.RecordAt(0).SetActor2(1);
    RenameName(c, ListId::Actor, 1, "JOHN HURT");
    EXPECT_EQ(c.List(ListId::Actor), (NameList{"SIGOURNEY WEAVER", "JOHN HURT"}));
    EXPECT_EQ(c.RecordAt(0).Actor2(), 1) << "renaming changes no record";

    // A rename of an entry that does not exist changes nothing.
    RenameName(c, ListId::Actor, 2, "NOBODY");
    RenameName(c, ListId::Actor, -1, "NOBODY");
    EXPECT_EQ(c.List(ListId::Actor).size(), 2u);
}

TEST(CollectionTest, ListsRefuseNamesBeyondWhatRecordsCanReferTo) {
    Collection c;
    // Publishers: the low byte 0xFF means none, so 255 entries (0 .. 254) is the end.
    for (int i = 0; i < 255; ++i)
        ASSERT_EQ(AddName(c, ListId::Publisher, "P" + std::to_string(i)), StoreError::None);
    int entry = -5;
    EXPECT_EQ(AddName(c, ListId::Publisher, "ONE TOO MANY", &entry), StoreError::ListFull);
    EXPECT_EQ(c.List(ListId::Publisher).size(), 255u);
    EXPECT_EQ(entry, -5);

    // Other lists: references above 65000 read as none.
    c.List(ListId::Actor).assign(65000, "A");
    EXPECT_EQ(AddName(c, ListId::Actor, "LAST", &entry), StoreError::None);
    EXPECT_EQ(entry, 65000);
    EXPECT_EQ(AddName(c, ListId::Actor, "ONE TOO MANY"), StoreError::ListFull);
    EXPECT_EQ(c.List(ListId::Actor).size(), 65001u);
}

TEST(CollectionTest, RemovingANameRenumbersEveryReferringField) {
    struct Case {
        ListId list;
        std::vector<std::size_t> offsets;
    };
    const Case cases[] = {
        {ListId::Director, {55}},  {ListId::Actor, {57, 59, 61, 63, 65}},
        {ListId::Composer, {143}}, {ListId::Box, {83}},
        {ListId::Retailer, {117}}, {ListId::Info, {85}},
        {ListId::Info2, {106}},    {ListId::Media, {88, 111, 113, 115}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(ListName(k.list)));
        Collection c = WithNames(k.list, 7);
        // Each title holds one value in every referring slot; other fields hold the same numbers
        // and must not move.
        const std::uint16_t before[] = {0, 2, 3, 4, 5, 6, NoEntry, 65001};
        const std::uint16_t after[] = {0, 2, NoEntry, 3, 4, 5, NoEntry, 65001};
        for (auto v : before) {
            TitleRecord t = test::FilledRecord(static_cast<std::uint8_t>(v), "T");
            for (const auto& other : cases)
                for (auto off : other.offsets)
                    t.SetU16(off, v);
            t.SetU16(158, v);
            c.titles.push_back(t);
        }
        const std::vector<TitleRecord> original = c.titles;
        RemoveName(c, k.list, 3);
        EXPECT_EQ(c.List(k.list), (NameList{"N0", "N1", "N2", "N4", "N5", "N6"}));
        for (std::size_t i = 0; i < c.titles.size(); ++i) {
            TitleRecord expected = original[i];
            for (auto off : k.offsets)
                expected.SetU16(off, after[i]);
            EXPECT_EQ(c.titles[i], expected) << "title with reference " << before[i];
        }
    }
}

TEST(CollectionTest, RemovingAPublisherRenumbersByTheLowByte) {
    Collection c = WithNames(ListId::Publisher, 7);
    const std::uint16_t stored[] = {0x0002, 0x0003, 0x0004, 0x0105, 0xFFFF, 0x00FF};
    for (auto v : stored) {
        TitleRecord t = test::MakeTitle("T");
        t.SetU16(158, v);
        t.SetDirector(4); // same number, other list: stays
        c.titles.push_back(t);
    }
    RemoveName(c, ListId::Publisher, 3);
    EXPECT_EQ(c.titles[0].PublisherStored(), 0x0002);
    EXPECT_EQ(c.titles[1].PublisherStored(), 0xFFFF);
    EXPECT_EQ(c.titles[2].PublisherStored(), 0x0003);
    EXPECT_EQ(c.titles[3].PublisherEntry(), 4);
    EXPECT_EQ(c.titles[4].PublisherStored(), 0xFFFF);
    EXPECT_EQ(c.titles[5].PublisherEntry(), -1);
    for (const auto& t : c.titles)
        EXPECT_EQ(t.Director(), 4);
}

TEST(CollectionTest, RemovingAnEntryThatDoesNotExistChangesNothing) {
    Collection c = WithNames(ListId::Director, 2);
    TitleRecord t = test::MakeTitle("T");
    t.SetDirector(1);
    c.titles.push_back(t);
    RemoveName(c, ListId::Director, 2);
    RemoveName(c, ListId::Director, -1);
    EXPECT_EQ(c.List(ListId::Director).size(), 2u);
    EXPECT_EQ(c.titles[0].Director(), 1);
}

TEST(CollectionTest, CountsUsesOfAName) {
    Collection c = WithNames(ListId::Actor, 3);
    TitleRecord a = test::MakeTitle("A");
    a.SetActor1(1);
    a.SetActor5(1); // the same actor twice in one title
    a.SetDirector(1);
    TitleRecord b = test::MakeTitle("B");
    b.SetActor3(1);
    b.SetActor2(2);
    c.titles = {a, b};
    EXPECT_EQ(NameUseCount(c, ListId::Actor, 1), 3u);
    EXPECT_EQ(NameUseCount(c, ListId::Actor, 2), 1u);
    EXPECT_EQ(NameUseCount(c, ListId::Actor, 0), 0u);
    EXPECT_EQ(NameUseCount(c, ListId::Director, 1), 1u);
    EXPECT_EQ(NameUseCount(c, ListId::Actor, -1), 0u) << "none is not a name";

    c.titles[0].SetU16(158, 0x0102); // publisher 2 by its low byte
    c.titles[1].SetPublisher(2);
    EXPECT_EQ(NameUseCount(c, ListId::Publisher, 2), 2u);
    EXPECT_EQ(NameUseCount(c, ListId::Publisher, 1), 0u);
}

TEST(CollectionTest, NamesShownForReferences) {
    Collection c;
    c.List(ListId::Director) = {"RIDLEY SCOTT"};
    c.List(ListId::Actor) = {"A0", "A1"};
    c.List(ListId::Media) = {"M0", "M1"};
    c.List(ListId::Publisher) = {"P0", "P1", "P2"};
    TitleRecord t = test::MakeTitle("T");
    t.SetDirector(0);
    t.SetActor4(1);
    t.SetMedia3(0);
    t.SetU16(158, 0x0102);
    EXPECT_EQ(ReferencedName(c, t, ListId::Director), "RIDLEY SCOTT");
    EXPECT_EQ(ReferencedName(c, t, ListId::Actor, 3), "A1");
    EXPECT_EQ(ReferencedName(c, t, ListId::Actor, 0), "");
    EXPECT_EQ(ReferencedName(c, t, ListId::Media, 2), "M0");
    EXPECT_EQ(ReferencedName(c, t, ListId::Publisher), "P2");
    // None, and numbers beyond the list, show as empty.
    t.SetDirector(1);
    EXPECT_EQ(ReferencedName(c, t, ListId::Director), "");
    t.SetDirector(NoEntry);
    EXPECT_EQ(ReferencedName(c, t, ListId::Director), "");
    t.SetU16(158, 0x00FF);
    EXPECT_EQ(ReferencedName(c, t, ListId::Publisher), "");
    EXPECT_EQ(ReferencedName(c, t, ListId::Composer), "");
}

TEST(CollectionTest, ClearingAndEarliestBuyDate) {
    Collection c = test::MakeCollection({"A", "B"});
    c.RecordAt(0).SetBuyDate(36000);
    c.RecordAt(1).SetBuyDate(35000);
    EXPECT_EQ(EarliestBuyDate(c, 40000), 35000);
    EXPECT_EQ(EarliestBuyDate(c, 30000), 30000) << "never later than today";

    for (auto id : AllLists)
        c.List(id).push_back("X");
    ClearCollection(c);
    EXPECT_EQ(c.Count(), 0u);
    EXPECT_TRUE(c.ListeIndex.empty());
    for (auto id : AllLists)
        EXPECT_TRUE(c.List(id).empty()) << ListName(id);
    EXPECT_EQ(EarliestBuyDate(c, 40000), 40000);
}

} // namespace
} // namespace tavrin
