#include "store/title_exchange.h"

#include "store/title_order.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

using Names = std::vector<std::string>;
constexpr DayNumber Today = 46000;

// The contents of a title file: a record with every field carrying a value, and the given names by
// slot (Director, Actor1 .. Actor5, Composer, Box, Info, Publisher, Info2); other slots none.
TitleFileContents FileWith(std::string_view title,
                           const std::vector<std::pair<std::size_t, std::string>>& names) {
    TitleFileContents f;
    f.record = test::FilledRecord(7, title);
    for (const auto& slot : TitleFileSlots)
        ClearSlot(f.record, slot);
    for (const auto& [i, name] : names) {
        f.names[i] = name;
        f.record.SetU16(TitleFileSlots[i].offset, 0); // any entry: the name is what counts
    }
    return f;
}

// The whole state an import or a merge may change.
struct Snapshot {
    std::vector<TitleRecord> titles;
    std::array<NameList, ListCount> lists;
    std::vector<std::uint16_t> order;
    explicit Snapshot(const Collection& c) : titles(c.titles), lists(c.lists), order(c.ListeIndex) {}
    bool operator==(const Snapshot&) const = default;
};

TEST(ImportTitleTest, ReusesAnEqualNameAndAppendsAnotherCase) {
    Collection c = test::MakeCollection({"ALIEN", "ZELIG"});
    c.List(ListId::Director) = {"SCOTT", "ALLEN", "ALLEN"};
    c.List(ListId::Actor) = {"Weaver"};
    c.List(ListId::Publisher) = {"FOX"};
    const auto file = FileWith(
        "MANHATTAN", {{0, "ALLEN"}, {1, "WEAVER"}, {2, "KEATON"}, {3, "WEAVER"}, {9, "FOX"}, {10, "B&W"}});
    const auto r = ImportTitle(c, file, Today);
    ASSERT_TRUE(r);
    ASSERT_EQ(*r, 2u);
    const TitleRecord& t = c.RecordAt(2);
    EXPECT_EQ(t.Director(), 1) << "the lowest equal entry";
    EXPECT_EQ(c.List(ListId::Actor), (Names{"Weaver", "WEAVER", "KEATON"})) << "case counts; appended once";
    EXPECT_EQ(t.Actor1(), 1);
    EXPECT_EQ(t.Actor2(), 2);
    EXPECT_EQ(t.Actor3(), 1);
    EXPECT_EQ(t.Actor4(), NoEntry);
    EXPECT_EQ(t.Publisher(), 0);
    EXPECT_EQ(c.List(ListId::Info2), (Names{"B&W"}));
    EXPECT_EQ(t.Info2(), 0);
    EXPECT_EQ(c.List(ListId::Director).size(), 3u);

    // Cleared: retailer, multimedia files, viewings, second-hand; bought and watched today.
    EXPECT_EQ(t.Retailer(), NoEntry);
    for (auto off : MediaOffsets)
        EXPECT_EQ(t.U16(off), NoEntry);
    EXPECT_EQ(t.Viewings(), 0);
    EXPECT_FALSE(t.Used());
    EXPECT_EQ(t.BuyDate(), Today);
    EXPECT_EQ(t.WatchDate(), Today);
    // Everything else is the file's: marks, genres, flags, DVD bytes, the reserved bytes.
    for (std::size_t i = 0; i < TitleRecordSize; ++i) {
        const bool changed = (i >= 55 && i < 67) || i == 82 || (i >= 83 && i < 87) || (i >= 88 && i < 90) ||
                             (i >= 106 && i < 108) || (i >= 111 && i < 119) || (i >= 141 && i < 149) ||
                             (i >= 153 && i < 157) || i >= 158;
        if (!changed) {
            EXPECT_EQ(t.bytes[i], file.record.bytes[i]) << "byte " << i;
        }
    }
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{0, 2, 1}));
}

TEST(ImportTitleTest, RefusesBeforeAnythingChanges) {
    // A new publisher where 255 are held; a new actor where 65001 are held; a full collection.
    Collection publishers = test::MakeCollection({"ALIEN"});
    for (int i = 0; i < 255; ++i)
        publishers.List(ListId::Publisher).push_back("P" + std::to_string(i));
    Collection actors = test::MakeCollection({"ALIEN"});
    actors.List(ListId::Actor).assign(NameListCapacity, "A");
    Collection full;
    full.titles.resize(TitleCapacity, test::MakeTitle("X"));

    const auto file = FileWith("HEAT", {{0, "MANN"}, {1, "PACINO"}, {9, "NEW"}});
    const std::pair<Collection*, ExchangeRefusal> cases[] = {
        {&publishers, {StoreError::ListFull, ListId::Publisher}},
        {&actors, {StoreError::ListFull, ListId::Actor}},
        {&full, {StoreError::CollectionFull, ListId::Director}},
    };
    for (const auto& [c, expected] : cases) {
        const Snapshot before(*c);
        const auto r = ImportTitle(*c, file, Today);
        ASSERT_FALSE(r);
        EXPECT_EQ(r.error().error, expected.error);
        if (expected.error == StoreError::ListFull) {
            EXPECT_EQ(r.error().list, expected.list);
        }
        EXPECT_TRUE(Snapshot(*c) == before) << "nothing changed";
    }

    // A name already held needs no room: the full publisher list takes a title that names one.
    EXPECT_TRUE(ImportTitle(publishers, FileWith("HEAT", {{9, "P254"}}), Today));
    EXPECT_EQ(publishers.RecordAt(1).Publisher(), 254);
}

// A version-5 collection as a file would give it: records with references into its own lists.
Collection Other(const std::vector<TitleRecord>& titles) {
    Collection o;
    o.titles = titles;
    o.ListeIndex = SortedTitleOrder(o.titles);
    return o;
}

TEST(MergeCollectionTest, RelinksEveryNameAndPlacesTheTitles) {
    Collection c = test::MakeCollection({"BRAZIL", "MATRIX"});
    c.List(ListId::Director) = {"GILLIAM"};
    c.List(ListId::Retailer) = {"AMAZON", "FNAC"};
    c.List(ListId::Media) = {"BRAZIL.JPG"};

    std::vector<TitleRecord> titles;
    for (const char* t : {"ZELIG", "ALIEN", "HEAT"}) {
        TitleRecord r = test::MakeTitle(t);
        r.SetDirector(1); // all three share one director not yet in c
        r.SetRetailer(0);
        r.SetMedia1(0);
        r.SetMedia3(1);
        titles.push_back(r);
    }
    titles[1].SetDirector(0); // GILLIAM, already in c
    titles[1].SetActor2(2);   // the file's third actor
    titles[2].SetActor1(7);   // beyond the file's actor list: none
    titles[2].SetPublisher(1);
    Collection other = Other(titles);
    other.List(ListId::Director) = {"GILLIAM", "MANN"};
    other.List(ListId::Actor) = {"HOLM", "UNUSED", "WEAVER"};
    other.List(ListId::Retailer) = {"FNAC"};
    other.List(ListId::Media) = {"A.JPG", "B.JPG"};
    other.List(ListId::Publisher) = {"FOX", "CRITERION"};

    std::vector<std::size_t> progress;
    ASSERT_TRUE(MergeCollection(c, other, [&](std::size_t j) { progress.push_back(j); }));
    ASSERT_EQ(c.Count(), 5u);
    EXPECT_EQ(c.List(ListId::Director), (Names{"GILLIAM", "MANN"})) << "appended once";
    EXPECT_EQ(c.RecordAt(2).Director(), 1);
    EXPECT_EQ(c.RecordAt(3).Director(), 0);
    EXPECT_EQ(c.RecordAt(4).Director(), 1);
    EXPECT_EQ(c.List(ListId::Actor), (Names{"WEAVER"})) << "only names the titles use";
    EXPECT_EQ(c.RecordAt(3).Actor2(), 0);
    EXPECT_EQ(c.RecordAt(4).Actor1(), NoEntry);
    EXPECT_EQ(c.List(ListId::Publisher), (Names{"CRITERION"}));
    EXPECT_EQ(c.RecordAt(4).Publisher(), 0);
    // Retailers are kept, re-linked; multimedia files are dropped.
    EXPECT_EQ(c.List(ListId::Retailer), (Names{"AMAZON", "FNAC"}));
    EXPECT_EQ(c.List(ListId::Media), (Names{"BRAZIL.JPG"}));
    for (std::size_t r = 2; r < 5; ++r) {
        EXPECT_EQ(c.RecordAt(r).Retailer(), 1) << r;
        for (auto off : MediaOffsets)
            EXPECT_EQ(c.RecordAt(r).U16(off), NoEntry) << r;
    }
    EXPECT_EQ(c.ListeIndex, SortedTitleOrder(c.titles));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(*std::max_element(progress.begin(), progress.end()), 2u);
}

TEST(MergeCollectionTest, RefusesBeforeAnythingChanges) {
    Collection c = test::MakeCollection({"BRAZIL"});
    for (int i = 0; i < 254; ++i)
        c.List(ListId::Publisher).push_back("P" + std::to_string(i));
    TitleRecord a = test::MakeTitle("A"), b = test::MakeTitle("B");
    a.SetPublisher(0);
    b.SetPublisher(1);
    Collection twoNew = Other({a, b});
    twoNew.List(ListId::Publisher) = {"NEW1", "NEW2"};

    const Snapshot before(c);
    const auto r = MergeCollection(c, twoNew);
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().error, StoreError::ListFull);
    EXPECT_EQ(r.error().list, ListId::Publisher);
    EXPECT_TRUE(Snapshot(c) == before);

    // n + m reaching the capacity is refused.
    Collection big;
    big.titles.resize(TitleCapacity - 2, test::MakeTitle("X"));
    const auto full = MergeCollection(big, twoNew);
    ASSERT_FALSE(full);
    EXPECT_EQ(full.error().error, StoreError::CollectionFull);
    EXPECT_EQ(big.Count(), TitleCapacity - 2);

    // One new publisher still fits, and an empty collection adds nothing and changes nothing.
    twoNew.List(ListId::Publisher) = {"NEW1", "NEW1"};
    EXPECT_TRUE(MergeCollection(c, twoNew));
    EXPECT_EQ(c.List(ListId::Publisher).size(), 255u);
    EXPECT_TRUE(MergeCollection(c, Collection{}));
}

TEST(MergeCollectionTest, TheFilesOwnOrderIsCheckedNotTrusted) {
    const Collection base = test::MakeCollection({"MATRIX", "ALIEN"});
    using Order = std::vector<std::uint16_t>;
    // Title order, reversed, a record twice, a record beyond the titles, too short.
    for (const Order& fileOrder :
         {Order{2, 1, 0}, Order{0, 1, 2}, Order{2, 2, 1}, Order{2, 1, 7}, Order{2, 1}}) {
        Collection c = base;
        Collection other =
            Other({test::MakeTitle("ZELIG"), test::MakeTitle("HEAT"), test::MakeTitle("BRAZIL")});
        other.ListeIndex = fileOrder;
        ASSERT_TRUE(MergeCollection(c, other));
        EXPECT_EQ(c.ListeIndex, (Order{1, 4, 3, 0, 2})) << testing::PrintToString(fileOrder);
    }
}

// The merge by its plain definition: for each list in file order, each of its fields, each title
// in record order, the lowest equal entry or the name appended; then every new title inserted at
// its place, one after another.
Collection MergedByDefinition(Collection c, const Collection& other) {
    constexpr ListId Order[] = {ListId::Director, ListId::Actor,     ListId::Composer, ListId::Box,
                                ListId::Info,     ListId::Publisher, ListId::Retailer, ListId::Info2};
    std::vector<TitleRecord> added = other.titles;
    for (ListId list : Order) {
        NameList& names = c.List(list);
        const NameList& from = other.List(list);
        const std::vector<std::size_t> offsets =
            list == ListId::Publisher
                ? std::vector<std::size_t>{PublisherOffset}
                : std::vector<std::size_t>(ReferringOffsets(list).begin(), ReferringOffsets(list).end());
        for (std::size_t off : offsets)
            for (TitleRecord& t : added) {
                const int v = list == ListId::Publisher ? t.PublisherEntry() : EntryFromStored(t.U16(off));
                int to = -1;
                if (v >= 0 && static_cast<std::size_t>(v) < from.size()) {
                    const auto at = std::find(names.begin(), names.end(), from[static_cast<std::size_t>(v)]);
                    if (at == names.end()) names.push_back(from[static_cast<std::size_t>(v)]);
                    to = static_cast<int>(
                        std::find(names.begin(), names.end(), from[static_cast<std::size_t>(v)]) -
                        names.begin());
                }
                if (list == ListId::Publisher)
                    t.SetPublisher(to);
                else
                    t.SetU16(off, StoredFromEntry(to));
            }
    }
    for (TitleRecord& t : added) {
        for (std::size_t off : MediaOffsets)
            t.SetU16(off, NoEntry);
        c.titles.push_back(t);
        const auto r = static_cast<std::uint16_t>(c.Count() - 1);
        c.ListeIndex.insert(c.ListeIndex.begin() +
                                static_cast<std::ptrdiff_t>(TitleInsertPosition(c.titles, c.ListeIndex, r)),
                            r);
    }
    return c;
}

TEST(MergeCollectionTest, AgreesWithTheDefinitionOnRandomCollections) {
    std::mt19937 rng(13);
    const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    // Few letters, so that titles share long beginnings, tie, and differ only in case or accents.
    const std::string letters = "aAbB\xC9\xE9"
                                "e ";
    const auto text = [&](int length) {
        std::string s;
        for (int i = 0; i < length; ++i)
            s += letters[static_cast<std::size_t>(pick(static_cast<int>(letters.size())))];
        return s;
    };
    const auto make = [&](int titles) {
        Collection c;
        for (ListId list : AllLists)
            for (int i = pick(6); i > 0; --i)
                c.List(list).push_back(text(1 + pick(2)));
        for (int i = 0; i < titles; ++i) {
            // Long shared beginnings: titles that agree in their first eight letters.
            TitleRecord t =
                test::MakeTitle(std::string(static_cast<std::size_t>(5 + pick(4)), 'A') + text(pick(6)));
            for (ListId list : AllLists) {
                const int size = static_cast<int>(c.List(list).size()) + 2; // sometimes beyond the list
                if (list == ListId::Publisher)
                    t.SetPublisher(pick(size) - 1);
                else
                    for (std::size_t off : ReferringOffsets(list))
                        t.SetU16(off, StoredFromEntry(pick(size) - 1));
            }
            c.titles.push_back(t);
        }
        c.ListeIndex = SortedTitleOrder(c.titles);
        return c;
    };
    for (int round = 0; round < 200; ++round) {
        const Collection c = make(pick(20));
        Collection other = make(1 + pick(20));
        if (round % 2) std::shuffle(other.ListeIndex.begin(), other.ListeIndex.end(), rng);
        const Collection expected = MergedByDefinition(c, other);
        Collection merged = c;
        ASSERT_TRUE(MergeCollection(merged, other));
        ASSERT_TRUE(Snapshot(merged) == Snapshot(expected)) << "round " << round;
    }
}

TEST(RebuildIndexTest, OrdersEveryTitleByItsText) {
    Collection c = test::MakeCollection({"ZELIG", "alien", "BRAZIL", "ALIEN"});
    c.ListeIndex = {3, 2, 1, 0};
    RebuildIndex(c);
    EXPECT_EQ(c.ListeIndex, (std::vector<std::uint16_t>{1, 3, 2, 0})) << "equal texts by record number";
}

} // namespace
} // namespace tavrin
