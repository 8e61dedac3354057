#include "editing/collection_changes.h"

#include "store/files/collection_file.h"
#include "store/files/title_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace tavrin {
namespace {

using test::MakeTitle;

// What undo must give back exactly: the file's bytes (records, lists, master order) and the state.
struct State {
    std::vector<std::uint8_t> bytes;
    DayNumber earliest;
    bool operator==(const State&) const = default;
};

State StateOf(const Collection& c) {
    return {SerializeCollection(c), c.EarliestBuyDate};
}

// A collection of n titles referring to the first six names of every list from every slot; the
// last two names of each list are not used.
Collection Sample(std::mt19937& random, std::size_t n) {
    Collection c;
    for (const ListId list : AllLists)
        for (int i = 0; i < 8; ++i)
            c.List(list).push_back(std::string(ListName(list)) + " " + std::to_string(i));
    for (std::size_t i = 0; i < n; ++i) {
        TitleRecord t =
            MakeTitle("T" + std::to_string(random() % 50), static_cast<std::uint16_t>(1950 + i % 60));
        for (const ListId list : AllLists)
            for (const std::size_t off : ReferringOffsets(list))
                t.SetU16(off, random() % 4 == 0 ? NoEntry : static_cast<std::uint16_t>(random() % 6));
        t.SetPublisher(random() % 7 == 0 ? -1 : static_cast<int>(random() % 6));
        t.SetBuyDate(static_cast<DayNumber>(40000 + random() % 5000));
        AppendTitle(c, t);
    }
    // As a file with a damaged master order loads, for the index to have something to rebuild.
    std::shuffle(c.ListeIndex.begin(), c.ListeIndex.end(), random);
    c.EarliestBuyDate = EarliestBuyDate(c, 46000);
    return c;
}

ListId AnyList(std::mt19937& random) {
    return AllLists[random() % ListCount];
}

using Change = std::function<void(Changes, std::mt19937&)>;

struct Kind {
    const char* name;
    Change change;
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.name;
}

const Kind Kinds[] = {
    {"AddTitle",
     [](Changes ch, std::mt19937& r) {
         ASSERT_TRUE(AddTitle(ch, MakeTitle("NEW " + std::to_string(r() % 9)), ChangeKind::AddTitle, 0));
     }},
    {"EditTitle",
     [](Changes ch, std::mt19937& r) {
         const std::size_t at = r() % ch.Data().Count();
         TitleRecord t = ch.Data().RecordAt(at);
         t.SetTitle("EDITED " + std::to_string(r() % 30));
         t.SetBuyDate(static_cast<DayNumber>(38000 + r() % 9000));
         EditTitle(ch, at, t);
     }},
    {"DeleteTitle", [](Changes ch, std::mt19937& r) { DeleteTitle(ch, r() % ch.Data().Count()); }},
    {"WatchedToday", [](Changes ch, std::mt19937& r) { WatchedToday(ch, r() % ch.Data().Count(), 46001); }},
    {"AddName",
     [](Changes ch, std::mt19937& r) {
         ASSERT_TRUE(PickOrAddName(ch, AnyList(r), "NAME " + std::to_string(r() % 20)));
     }},
    {"DeleteEntry",
     [](Changes ch, std::mt19937& r) {
         const ListId list = AnyList(r);
         DeleteEntry(ch, list, static_cast<int>(r() % ch.Data().List(list).size()));
     }},
    {"RenameEntry",
     [](Changes ch, std::mt19937& r) {
         const ListId list = AnyList(r);
         RenameEntry(ch, list, static_cast<int>(r() % ch.Data().List(list).size()),
                     "RENAMED " + std::to_string(r()));
     }},
    {"CleanList", [](Changes ch, std::mt19937& r) { CleanList(ch, AnyList(r)); }},
    {"AddList",
     [](Changes ch, std::mt19937& r) {
         std::mt19937 other(static_cast<unsigned>(r()));
         ASSERT_TRUE(AddList(ch, Sample(other, 5), 46000, {}, 0));
     }},
    {"ImportTitle",
     [](Changes ch, std::mt19937& r) {
         std::mt19937 other(static_cast<unsigned>(r()));
         Collection source = Sample(other, 1);
         source.List(ListId::Director)[0] = "SOMEONE NEW " + std::to_string(r());
         const auto file = ParseTitleFile(ExportTitle(source, 0));
         ASSERT_TRUE(file);
         ASSERT_TRUE(ImportTitle(ch, *file, 46002, 0));
     }},
    {"RebuildIndex", [](Changes ch, std::mt19937&) { RebuildIndex(ch, 0); }},
};

class ChangeHistoryTest : public ::testing::TestWithParam<Kind> {};

// Twenty changes of one kind among other kinds; undone one by one the collection goes back through
// every state it had, byte for byte, and redone it comes back to the last.
TEST_P(ChangeHistoryTest, UndoAndRedoGiveBackEveryState) {
    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::mt19937 random(seed);
        OpenCollection open(Sample(random, 40));
        const Collection& c = open.Data();
        std::size_t told = 0;
        open.Listen([&told](const CollectionNews&) { ++told; });
        std::vector<State> states{StateOf(c)};
        for (int i = 0; i < 20; ++i) {
            const Kind& kind = i % 2 == 0 ? GetParam() : Kinds[random() % std::size(Kinds)];
            kind.change(open, random);
            if (StateOf(c) != states.back()) states.push_back(StateOf(c));
        }
        const std::size_t steps = open.History().StepCount();
        ASSERT_EQ(steps, states.size() - 1) << "a change was not recorded, or an empty one was";
        EXPECT_GE(told, steps) << "every step is announced";
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            ASSERT_TRUE(open.Undo());
            ASSERT_EQ(StateOf(c).bytes, states[i - 1].bytes) << "seed " << seed << ", undoing step " << i;
        }
        EXPECT_FALSE(open.Modified()) << "back where it was saved";
        EXPECT_EQ(c.EarliestBuyDate, states[0].earliest);
        EXPECT_FALSE(open.Undo());
        for (std::size_t i = 1; i < states.size(); ++i) {
            ASSERT_TRUE(open.Redo());
            ASSERT_EQ(StateOf(c).bytes, states[i].bytes) << "seed " << seed << ", redoing step " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ChangeHistoryTest, ::testing::ValuesIn(Kinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChangeHistoryStateTest, ModifiedFollowsTheSavedStateAndANewChangeForgetsWhatWasUndone) {
    std::mt19937 random(7);
    OpenCollection open(Sample(random, 5));
    DeleteTitle(open, 0);
    open.Saved("FILMS.KXT");
    EXPECT_FALSE(open.Modified());
    DeleteTitle(open, 0);
    EXPECT_EQ(open.History().NextUndo(), ChangeKind::DeleteTitle);
    EXPECT_TRUE(open.Modified());
    open.Undo();
    EXPECT_FALSE(open.Modified());
    open.Undo();
    EXPECT_TRUE(open.Modified()) << "before the saved state";
    open.Redo();
    EXPECT_FALSE(open.Modified());
    WatchedToday(open, 0, 46000);
    EXPECT_EQ(open.History().NextRedo(), std::nullopt);
    open.Undo();
    EXPECT_FALSE(open.Modified());
}

// A collection that no file holds as it is stays unsaved whatever is undone, until it is saved;
// a rebuilt master order alone is no change to save.
TEST(ChangeHistoryStateTest, ModifiedByWhereTheCollectionCameFrom) {
    const struct {
        Origin origin;
        bool modified;
    } cases[] = {
        {Origin::New, false}, {Origin::Opened, false}, {Origin::Converted, true}, {Origin::Recovered, true}};
    for (const auto& [origin, modified] : cases) {
        std::mt19937 random(5);
        OpenCollection open;
        open.Replace(Sample(random, 4), origin, "FILMS.KXT");
        EXPECT_EQ(open.Modified(), modified) << int(origin);
        WatchedToday(open, 0, 46000);
        open.Undo();
        EXPECT_EQ(open.Modified(), modified) << int(origin) << ": a change and its Undo";
        RebuildIndex(open, std::nullopt);
        EXPECT_EQ(open.Modified(), modified) << int(origin) << ": the index rebuilt";
        open.Saved("FILMS.KXT");
        EXPECT_FALSE(open.Modified()) << int(origin);
    }
}

// What each change tells the windows: which titles and lists it touched and the title to show.
TEST(CollectionNewsTest, EachChangeTellsWhatItTouched) {
    using Cause = CollectionNews::Cause;
    struct Case {
        const char* name;
        std::function<void(OpenCollection&)> change;
        bool added, removed, edited, retitled, order;
        std::optional<ListId> list;
    };
    const Case cases[] = {
        {"add", [](OpenCollection& o) { (void)AddTitle(o, MakeTitle("NEW"), ChangeKind::AddTitle, 0); }, true,
         false, false, false, true, std::nullopt},
        {"retitle",
         [](OpenCollection& o) {
             TitleRecord t = o.Data().RecordAt(1);
             t.SetTitle("OTHER");
             EditTitle(o, 1, t);
         },
         false, false, true, true, true, std::nullopt},
        {"watched", [](OpenCollection& o) { WatchedToday(o, 1, 46000); }, false, false, true, false, false,
         std::nullopt},
        {"delete", [](OpenCollection& o) { DeleteTitle(o, 0); }, false, true, false, false, true,
         std::nullopt},
        {"rename", [](OpenCollection& o) { RenameEntry(o, ListId::Actor, 1, "SOMEONE"); }, false, false,
         false, false, false, ListId::Actor},
        {"delete entry", [](OpenCollection& o) { DeleteEntry(o, ListId::Director, 0); }, false, false, true,
         false, false, ListId::Director},
    };
    for (const Case& c : cases) {
        std::mt19937 random(11);
        OpenCollection open(Sample(random, 6));
        std::vector<CollectionNews> told;
        open.Listen([&told](const CollectionNews& news) { told.push_back(news); });
        c.change(open);
        ASSERT_TRUE(open.Undo()) << c.name;
        ASSERT_EQ(told.size(), 2u) << c.name;
        EXPECT_EQ(told[0].cause, Cause::Done) << c.name;
        EXPECT_EQ(told[1].cause, Cause::Undone) << c.name;
        // Undone, an added title is a removed one and the other way round.
        const bool added[] = {c.added, c.removed}, removed[] = {c.removed, c.added};
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(told[i].titlesAdded, added[i]) << c.name << " " << i;
            EXPECT_EQ(told[i].titlesRemoved, removed[i]) << c.name << " " << i;
            EXPECT_EQ(told[i].titlesEdited, c.edited) << c.name << " " << i;
            EXPECT_EQ(told[i].retitled, c.retitled) << c.name << " " << i;
            // One record rewritten and nothing renumbered: its line alone is shown again.
            EXPECT_EQ(told[i].editedRecord.has_value(), c.edited && !c.list) << c.name << " " << i;
            EXPECT_EQ(told[i].order, c.order) << c.name << " " << i;
            for (const ListId list : AllLists)
                EXPECT_EQ(told[i].lists[static_cast<std::size_t>(list)], c.list == list)
                    << c.name << " " << i;
        }
    }
}

TEST(CollectionNewsTest, ReplacingAndSavingAreToldAndAListenerCanStop) {
    OpenCollection open;
    std::vector<CollectionNews::Cause> told;
    const auto id = open.Listen([&told](const CollectionNews& news) { told.push_back(news.cause); });
    open.Replace(test::MakeCollection({"A"}), Origin::Opened, "A.KXT");
    open.Saved("B.KXT");
    EXPECT_EQ(open.CurrentFileName(), "B.KXT");
    open.Replace(Collection{}, Origin::New, std::nullopt);
    EXPECT_EQ(open.CurrentFileName(), "B.KXT") << "New keeps the name for the Save rule";
    open.Forget(id);
    open.Replace(test::MakeCollection({"B"}), Origin::Opened, "B.KXT");
    EXPECT_EQ(told, (std::vector{CollectionNews::Cause::Replaced, CollectionNews::Cause::Saved,
                                 CollectionNews::Cause::Replaced}));
}

TEST(ChangeHistoryStateTest, KeepsAtMostItsLimitOfSteps) {
    std::mt19937 random(3);
    OpenCollection open(Sample(random, 3));
    for (std::size_t i = 0; i < ChangeHistory::MaxSteps + 5; ++i)
        WatchedToday(open, 0, 46000);
    EXPECT_EQ(open.History().StepCount(), ChangeHistory::MaxSteps);
    EXPECT_LT(open.History().Bytes(), ChangeHistory::MaxSteps * 1024)
        << "a title step is a few hundred bytes";
}

} // namespace
} // namespace tavrin
