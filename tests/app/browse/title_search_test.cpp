#include "app/browse/browse_filters.h"
#include "app/browse/title_search.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrin {
namespace {

using Records = std::vector<std::uint16_t>;

// Records: 0 AMÉLIE (director JEUNET), 1 BLADE RUNNER (LD; SCOTT, HARRISON FORD in the fourth
// actor slot, VANGELIS), 2 WITNESS (DVD; HARRISON FORD first, PARAMOUNT, box ŒUVRES CULTES),
// 3 STAR WARS (DVD; HARRISON FORD, retailer FNAC, ÉDITION SPÉCIALE, THX CERTIFIED), 4 BRAZIL
// (references beyond every list). Master order: AMÉLIE, BLADE RUNNER, BRAZIL, STAR WARS, WITNESS.
Collection Sample() {
    Collection c;
    c.List(ListId::Director) = {"JEUNET", "RIDLEY SCOTT"};
    c.List(ListId::Actor) = {"AUDREY TAUTOU", "HARRISON FORD", "SEAN YOUNG"};
    c.List(ListId::Composer) = {"VANGELIS"};
    c.List(ListId::Publisher) = {"PARAMOUNT"};
    c.List(ListId::Box) = {"\x8CUVRES CULTES"};
    c.List(ListId::Retailer) = {"FNAC"};
    c.List(ListId::Info) = {"\xC9"
                            "DITION SP\xC9"
                            "CIALE"};
    c.List(ListId::Info2) = {"THX CERTIFIED"};
    TitleRecord amelie = test::MakeTitle("AM\xC9LIE");
    amelie.SetDirector(0);
    amelie.SetActor1(0);
    TitleRecord blade = test::MakeTitle("BLADE RUNNER");
    blade.SetDirector(1);
    blade.SetActor1(2);
    blade.SetActor4(1);
    blade.SetComposer(0);
    TitleRecord witness = test::MakeTitle("WITNESS");
    witness.SetSupport(1);
    witness.SetActor1(1);
    witness.SetPublisher(0);
    witness.SetBox(0);
    TitleRecord star = test::MakeTitle("STAR WARS");
    star.SetSupport(1);
    star.SetActor2(1);
    star.SetRetailer(0);
    star.SetInfo(0);
    star.SetInfo2(0);
    TitleRecord brazil = test::MakeTitle("BRAZIL");
    brazil.SetDirector(7);
    brazil.SetActor1(300);
    brazil.SetPublisher(4);
    for (const auto* t : {&amelie, &blade, &witness, &star, &brazil})
        AppendTitle(c, *t);
    return c;
}

Records Search(const Collection& c, const std::string& typed) {
    return SearchTitles(c, c.ListeIndex, SearchWords(typed));
}

TEST(NameSearchTest, KeepsTheTitlesHoldingEveryWordInTitleOrNames) {
    const Collection c = Sample();
    const struct {
        const char* typed;
        Records kept;
    } cases[] = {
        {"amelie", {0}},                   // without case and accents
        {"AM\xE9LIE", {0}},                // an accent typed finds the same
        {"ford", {1, 3, 2}},               // any actor slot, in the list's order
        {"Ford  harrison", {1, 3, 2}},     // several words, in any order
        {"ford runner", {1}},              // one word in a name, the other in the title
        {"scott vangelis", {1}},           // director and composer
        {"ford paramount \x9Cuvres", {2}}, // publisher and box set; œ is Œ
        {"speciale fnac certified", {3}},  // both other informations and the retailer
        {"jeunet tautou am", {0}},         // parts of words
        {"harrisonford", {}},              // a word lies within one name, not across two
        {"ford amelie", {}},               // every word must be found
        {"  \t ", {0, 1, 4, 3, 2}},        // no word: no search
        {"BRAZIL", {4}},                   // references beyond their lists name nothing
    };
    for (const auto& [typed, kept] : cases)
        EXPECT_EQ(Search(c, typed), kept) << typed;
}

TEST(NameSearchTest, NarrowsTheFilteredListKeepingItsOrder) {
    const Collection c = Sample();
    BrowseFilters dvd = NeutralFilters(2020, 0);
    dvd.TSupport = 1;
    const Records filtered = RefreshBrowseList(c, dvd, 40000);
    ASSERT_EQ(filtered, (Records{3, 2}));
    EXPECT_EQ(SearchTitles(c, filtered, SearchWords("ford")), (Records{3, 2}));
    EXPECT_EQ(SearchTitles(c, filtered, SearchWords("runner")), Records{});
    // A list in another order (a sorted table) keeps that order.
    EXPECT_EQ(SearchTitles(c, Records{2, 1, 3}, SearchWords("harrison")), (Records{2, 1, 3}));
}

// Past the 32 words one pass tests, the next words are tested in a pass of their own.
TEST(NameSearchTest, ManyWordsAreAllRequired) {
    const Collection c = Sample();
    std::string many;
    for (int i = 0; i < 40; ++i)
        many += "FORD ";
    EXPECT_EQ(Search(c, many), (Records{1, 3, 2}));
    EXPECT_EQ(Search(c, many + "WARS"), Records{3});
    std::string lastMissing;
    for (int i = 0; i < 32; ++i)
        lastMissing += "R ";
    EXPECT_EQ(Search(c, lastMissing + "QQQ"), Records{});
}

} // namespace
} // namespace tavrin
