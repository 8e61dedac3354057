// Picking, adding, deleting, renaming and cleaning name-list entries over whole collections.
#include "editing/name_list_operations.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

Collection WithNames(ListId list, int count) {
    Collection c;
    for (int i = 0; i < count; ++i)
        c.List(list).push_back("N" + std::to_string(i));
    return c;
}

TitleRecord TitleNamed(const std::string& title) {
    return test::MakeTitle(title);
}

// The reference the tests read and write in each list (actors: slot 1, or the given slot).
void SetRef(TitleRecord& t, ListId list, int entry, int slot = 0) {
    if (list == ListId::Publisher)
        t.SetPublisher(entry);
    else
        t.SetU16(ReferringOffsets(list)[static_cast<std::size_t>(slot)], StoredFromEntry(entry));
}

// Cleaning as the program always did it: one entry at a time from the first, reading every title
// for each entry checked. The one-pass cleaning must give exactly this.
CleanResult CleanOneByOne(Collection& c, ListId list) {
    CleanResult r;
    auto& names = c.List(list);
    std::size_t p = 0;
    while (p < names.size()) {
        if (NameUseCount(c, list, static_cast<int>(p)) == 0) {
            r.removedAt.push_back(static_cast<int>(p));
            r.erased.push_back(names[p]);
            RemoveName(c, list, static_cast<int>(p));
        } else {
            ++p;
        }
    }
    return r;
}

TEST(PickOrAddTest, ChoosesAnEqualEntryAndAppendsAnyOtherName) {
    Collection c;
    c.List(ListId::Director) = {"SMITHSON", "LANG"};
    auto added = PickOrAddName(c, ListId::Director, "smith");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->entry, 2);
    EXPECT_TRUE(added->added);
    EXPECT_EQ(c.List(ListId::Director), (NameList{"SMITHSON", "LANG", "SMITH"}));

    auto picked = PickOrAddName(c, ListId::Director, "Lang");
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->entry, 1);
    EXPECT_FALSE(picked->added);
    EXPECT_EQ(c.List(ListId::Director).size(), 3u);
}

TEST(PickOrAddTest, UpperCasesAccentsAndCutsAtFortyNineCharacters) {
    Collection c;
    auto added = PickOrAddName(c, ListId::Actor, "l\xE9otard" + std::string(60, 'x'));
    ASSERT_TRUE(added);
    const std::string& stored = c.List(ListId::Actor)[0];
    EXPECT_EQ(stored.size(), 49u);
    EXPECT_EQ(stored.substr(0, 8), "L\xC9OTARDX");
}

TEST(PickOrAddTest, TypedBlanksAroundANameAreDropped) {
    Collection c;
    c.List(ListId::Director) = {"RIDLEY SCOTT", " KEPT AS STORED "};
    for (const char* typed : {"RIDLEY SCOTT ", "  ridley scott", "\tRidley Scott\t"})
        EXPECT_EQ(PickOrAddName(c, ListId::Director, typed)->entry, 0) << typed;
    auto added = PickOrAddName(c, ListId::Director, "  kept as stored ");
    ASSERT_TRUE(added);
    EXPECT_TRUE(added->added);
    EXPECT_EQ(c.List(ListId::Director).back(), "KEPT AS STORED");
    EXPECT_EQ(c.List(ListId::Director)[1], " KEPT AS STORED ");
    EXPECT_EQ(RenameEntry(c, ListId::Director, 1, "  lang  "), std::nullopt);
    EXPECT_EQ(c.List(ListId::Director)[1], "LANG");
    EXPECT_EQ(RenameEntry(c, ListId::Director, 1, "   "), Msg::MsgEnterAName);
}

TEST(PickOrAddTest, RefusesEmptyNamesAndFullLists) {
    Collection c;
    for (const char* none : {"", "   ", "\t "}) {
        auto empty = PickOrAddName(c, ListId::Box, none);
        ASSERT_FALSE(empty);
        EXPECT_EQ(empty.error(), Msg::MsgEnterAName);
    }
    EXPECT_TRUE(c.List(ListId::Box).empty());

    c.List(ListId::Publisher).assign(255, "P");
    auto publisher = PickOrAddName(c, ListId::Publisher, "NEW");
    ASSERT_FALSE(publisher);
    EXPECT_EQ(publisher.error(), Msg::MsgYouCanTAddMore);
    EXPECT_EQ(c.List(ListId::Publisher).size(), 255u);
    // An existing name is still picked from a full list.
    EXPECT_EQ(PickOrAddName(c, ListId::Publisher, "p")->entry, 0);

    c.List(ListId::Retailer).assign(65001, "R");
    auto retailer = PickOrAddName(c, ListId::Retailer, "NEW");
    ASSERT_FALSE(retailer);
    EXPECT_EQ(retailer.error(), Msg::MsgYouCanTAddA);
}

TEST(SortedEntriesTest, SortsForTheEyeAndKeepsEachEntryNumber) {
    const NameList names{"ZORRO", "\xC9MILE", "ADAMS", "EVANS", "ADAMS"};
    const auto rows = SortedEntries(names);
    std::vector<std::string> texts;
    std::vector<int> entries;
    for (const auto& r : rows) {
        texts.push_back(r.text);
        entries.push_back(r.entry);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"ADAMS", "ADAMS", "\xC9MILE", "EVANS", "ZORRO"}));
    EXPECT_EQ(entries, (std::vector<int>{2, 4, 1, 3, 0}));
}

TEST(DeleteEntryTest, RenumbersEveryActorSlotAndReportsEachTitleOnce) {
    Collection c = WithNames(ListId::Actor, 10);
    // Title k holds the actors k .. k+4 (capped) in its five slots; "TWICE" holds actor 3 twice.
    for (int k = 0; k < 6; ++k) {
        TitleRecord t = TitleNamed("T" + std::to_string(k));
        for (int slot = 0; slot < 5; ++slot)
            SetRef(t, ListId::Actor, std::min(k + slot, 9), slot);
        c.titles.push_back(t);
    }
    TitleRecord twice = TitleNamed("TWICE");
    SetRef(twice, ListId::Actor, 3, 1);
    SetRef(twice, ListId::Actor, 3, 4);
    SetRef(twice, ListId::Actor, 0, 0);
    twice.SetDirector(3); // another list's field with the same number
    c.titles.push_back(twice);
    const auto before = c.titles;

    EXPECT_EQ(NameUseCount(c, ListId::Actor, 3), 4u + 2u);
    std::vector<std::size_t> checked;
    const auto erasedIn = DeleteEntry(c, ListId::Actor, 3, [&](std::size_t r) { checked.push_back(r); });

    EXPECT_EQ(erasedIn, (std::vector<std::size_t>{0, 1, 2, 3, 6}));
    EXPECT_EQ(checked, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ErasedInLine(MessageCatalogue{}, c, 6), "Erased in : TWICE");
    EXPECT_EQ(c.List(ListId::Actor).size(), 9u);
    EXPECT_EQ(c.List(ListId::Actor)[3], "N4");
    for (std::size_t r = 0; r < c.titles.size(); ++r) {
        for (int slot = 0; slot < 5; ++slot) {
            const int was = test::ActorEntry(before[r], slot);
            const int expected = was == 3 ? -1 : was > 3 ? was - 1 : was;
            EXPECT_EQ(test::ActorEntry(c.titles[r], slot), expected) << "title " << r << " slot " << slot;
        }
    }
    EXPECT_EQ(c.titles[6].Director(), 3);
}

TEST(DeleteEntryTest, TheQuestionInEachLanguageKeepsTheNameAsItIs) {
    struct Case {
        int language;
        const char* name;
        std::size_t uses;
        const char* question; // 8-bit
    };
    const Case cases[] = {
        {0, "ALIEN %2", 0, "DELETE ALIEN %2?"},
        {0, "ALIEN %2", 3, "ALIEN %2 IS REGISTERED\nON 3 DISCS\nDELETE ANYWAY?"},
        {1, "\xC9T\xC9", 2, "\xC9T\xC9 EST ENREGISTR\xC9\nSUR 2 DISQUES\nSUPPRIMER QUAND M\xCAME ?"},
        {2, "X", 0, "X L\xD6SCHEN?"},
    };
    for (const Case& test : cases) {
        MessageCatalogue catalogue;
        catalogue.SetLanguage(test.language);
        EXPECT_EQ(DeleteQuestion(catalogue, test.name, test.uses), test.question) << test.language;
    }
}

TEST(DeleteEntryTest, RenumbersThePublisherByItsLowByte) {
    Collection c = WithNames(ListId::Publisher, 6);
    for (std::uint16_t stored : {0x0002, 0x0203, 0x0104, 0xFFFF, 0x01FF}) {
        TitleRecord t = TitleNamed("T");
        t.SetU16(158, stored);
        c.titles.push_back(t);
    }
    const auto erasedIn = DeleteEntry(c, ListId::Publisher, 3);
    EXPECT_EQ(erasedIn, (std::vector<std::size_t>{1}));
    EXPECT_EQ(c.titles[0].PublisherStored(), 0x0002);
    EXPECT_EQ(c.titles[1].PublisherEntry(), -1);
    EXPECT_EQ(c.titles[2].PublisherEntry(), 3);
    EXPECT_EQ(c.titles[3].PublisherStored(), 0xFFFF);
    EXPECT_EQ(c.titles[4].PublisherEntry(), -1);
}

TEST(RenameEntryTest, RenamesForEveryTitleWithoutTouchingRecords) {
    Collection c;
    c.List(ListId::Composer) = {"WILLIAMS", "SMITH", "JARRE"};
    TitleRecord t = TitleNamed("T");
    t.SetComposer(1);
    c.titles.push_back(t);
    const auto before = c.titles;
    EXPECT_EQ(RenameEntry(c, ListId::Composer, 1, "smyth"), std::nullopt);
    EXPECT_EQ(c.List(ListId::Composer), (NameList{"WILLIAMS", "SMYTH", "JARRE"}));
    EXPECT_EQ(ReferencedName(c, c.titles[0], ListId::Composer), "SMYTH");
    EXPECT_EQ(c.titles, before);
}

TEST(RenameEntryTest, RefusesAnExistingNameTheSameNameAndNoName) {
    Collection c;
    c.List(ListId::Info) = {"SIGNED", "BOXED"};
    EXPECT_EQ(RenameEntry(c, ListId::Info, 0, "boxed"), Msg::MsgThisNameAlreadyExist);
    EXPECT_EQ(RenameEntry(c, ListId::Info, 0, "SIGNED"), Msg::MsgThisNameAlreadyExist);
    EXPECT_EQ(RenameEntry(c, ListId::Info, 0, ""), Msg::MsgEnterAName);
    // Only an exact equal refuses: a longer name that starts the same is new.
    EXPECT_EQ(RenameEntry(c, ListId::Info, 0, "BOXED SET"), std::nullopt);
    EXPECT_EQ(c.List(ListId::Info), (NameList{"BOXED SET", "BOXED"}));
}

TEST(CleanListTest, RemovesUnusedEntriesAcrossGaps) {
    Collection c = WithNames(ListId::Retailer, 6);
    for (int ref : {0, 1, 4, 5, -1, 4}) {
        TitleRecord t = TitleNamed("T");
        SetRef(t, ListId::Retailer, ref);
        c.titles.push_back(t);
    }
    std::vector<std::string> progress;
    const auto result = CleanList(c, ListId::Retailer, [&](std::size_t remaining, std::string_view text) {
        progress.push_back(std::to_string(remaining) + " " + std::string(text));
    });
    EXPECT_EQ(result.erased, (std::vector<std::string>{"N2", "N3"}));
    EXPECT_EQ(result.removedAt, (std::vector<int>{2, 2}));
    EXPECT_EQ(ErasedLine(MessageCatalogue{}, result.erased[0]), "Erased : N2");
    EXPECT_EQ(progress, (std::vector<std::string>{"6 N0", "5 N1", "4 N2", "3 N3", "2 N4", "1 N5"}));
    EXPECT_EQ(c.List(ListId::Retailer), (NameList{"N0", "N1", "N4", "N5"}));
    std::vector<int> refs;
    for (const auto& t : c.titles)
        refs.push_back(EntryFromStored(t.Retailer()));
    EXPECT_EQ(refs, (std::vector<int>{0, 1, 2, 3, -1, 2}));
}

TEST(CleanListTest, AFullyUsedOrEmptyListStaysAsItWas) {
    Collection c = WithNames(ListId::Director, 2);
    for (int ref : {1, 0}) {
        TitleRecord t = TitleNamed("T");
        t.SetDirector(static_cast<std::uint16_t>(ref));
        c.titles.push_back(t);
    }
    const auto before = c;
    const auto result = CleanList(c, ListId::Director);
    EXPECT_TRUE(result.erased.empty());
    EXPECT_EQ(c.titles, before.titles);
    EXPECT_EQ(c.List(ListId::Director), before.List(ListId::Director));

    Collection empty;
    int calls = 0;
    CleanList(empty, ListId::Box, [&](std::size_t, std::string_view) { ++calls; });
    EXPECT_EQ(calls, 0);
}

// Random collections, every list kind, with references beyond the list, values that read as
// none and publishers with stray high bytes: the one-pass cleaning matches one-by-one removal
// byte for byte.
TEST(CleanListTest, GivesExactlyWhatOneByOneRemovalGives) {
    std::mt19937 rng(20240521);
    for (ListId list : AllLists) {
        for (int round = 0; round < 25; ++round) {
            SCOPED_TRACE(std::string(ListName(list)) + " round " + std::to_string(round));
            const int n = static_cast<int>(rng() % 40);
            Collection c = WithNames(list, n);
            const int titles = static_cast<int>(rng() % 30);
            for (int i = 0; i < titles; ++i) {
                TitleRecord t = test::FilledRecord(static_cast<std::uint8_t>(rng()), "T" + std::to_string(i));
                for (std::size_t off : ReferringOffsets(list)) {
                    const int pick = static_cast<int>(rng() % 10);
                    std::uint16_t v = pick < 6 && n > 0 ? static_cast<std::uint16_t>(rng() % n)
                                      : pick == 6
                                          ? static_cast<std::uint16_t>(n + rng() % 5) // beyond the list
                                      : pick == 7 ? NoEntry
                                      : pick == 8 ? static_cast<std::uint16_t>(65001 + rng() % 100)
                                                  : static_cast<std::uint16_t>(rng() % (n + 1));
                    t.SetU16(off, v);
                }
                const std::uint8_t high = static_cast<std::uint8_t>(rng() % 3);
                const std::uint8_t low = rng() % 5 == 0 ? 0xFF : static_cast<std::uint8_t>(rng() % (n + 3));
                t.SetU16(158, static_cast<std::uint16_t>(high << 8 | low));
                c.titles.push_back(t);
            }
            Collection expected = c;
            const CleanResult want = CleanOneByOne(expected, list);
            const CleanResult got = CleanList(c, list);
            EXPECT_EQ(got.erased, want.erased);
            EXPECT_EQ(got.removedAt, want.removedAt);
            EXPECT_EQ(c.List(list), expected.List(list));
            for (std::size_t r = 0; r < c.titles.size(); ++r)
                EXPECT_EQ(c.titles[r], expected.titles[r]) << "record " << r;
        }
    }
}

} // namespace
} // namespace tavrin
