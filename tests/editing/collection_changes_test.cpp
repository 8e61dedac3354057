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
    bool modified;
    DayNumber earliest;
    bool operator==(const State&) const = default;
};

State StateOf(const Collection& c) {
    return {SerializeCollection(c), c.Modified, c.EarliestBuyDate};
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
    c.Modified = false;
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
         const std::size_t at = r() % ch.collection.Count();
         TitleRecord t = ch.collection.RecordAt(at);
         t.SetTitle("EDITED " + std::to_string(r() % 30));
         t.SetBuyDate(static_cast<DayNumber>(38000 + r() % 9000));
         EditTitle(ch, at, t);
     }},
    {"DeleteTitle", [](Changes ch, std::mt19937& r) { DeleteTitle(ch, r() % ch.collection.Count()); }},
    {"WatchedToday",
     [](Changes ch, std::mt19937& r) { WatchedToday(ch, r() % ch.collection.Count(), 46001); }},
    {"AddName",
     [](Changes ch, std::mt19937& r) {
         ASSERT_TRUE(PickOrAddName(ch, AnyList(r), "NAME " + std::to_string(r() % 20)));
     }},
    {"DeleteEntry",
     [](Changes ch, std::mt19937& r) {
         const ListId list = AnyList(r);
         DeleteEntry(ch, list, static_cast<int>(r() % ch.collection.List(list).size()));
     }},
    {"RenameEntry",
     [](Changes ch, std::mt19937& r) {
         const ListId list = AnyList(r);
         RenameEntry(ch, list, static_cast<int>(r() % ch.collection.List(list).size()),
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
        Collection c = Sample(random, 40);
        ChangeHistory history;
        std::vector<State> states{StateOf(c)};
        for (int i = 0; i < 20; ++i) {
            const Kind& kind = i % 2 == 0 ? GetParam() : Kinds[random() % std::size(Kinds)];
            kind.change({c, history}, random);
            if (StateOf(c) != states.back()) states.push_back(StateOf(c));
        }
        ASSERT_EQ(history.StepCount(), states.size() - 1) << "a change was not recorded, or an empty one was";
        for (std::size_t i = states.size() - 1; i > 0; --i) {
            ASSERT_TRUE(history.Undo(c));
            ASSERT_EQ(StateOf(c).bytes, states[i - 1].bytes) << "seed " << seed << ", undoing step " << i;
        }
        EXPECT_FALSE(c.Modified) << "back where it was saved";
        EXPECT_EQ(c.EarliestBuyDate, states[0].earliest);
        EXPECT_FALSE(history.Undo(c));
        for (std::size_t i = 1; i < states.size(); ++i) {
            ASSERT_TRUE(history.Redo(c));
            ASSERT_EQ(StateOf(c).bytes, states[i].bytes) << "seed " << seed << ", redoing step " << i;
        }
        EXPECT_TRUE(c.Modified);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ChangeHistoryTest, ::testing::ValuesIn(Kinds),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChangeHistoryStateTest, ModifiedFollowsTheSavedStateAndANewChangeForgetsWhatWasUndone) {
    std::mt19937 random(7);
    Collection c = Sample(random, 5);
    ChangeHistory history;
    DeleteTitle({c, history}, 0);
    history.Saved();
    c.Modified = false;
    DeleteTitle({c, history}, 0);
    EXPECT_EQ(history.NextUndo(), ChangeKind::DeleteTitle);
    history.Undo(c);
    EXPECT_FALSE(c.Modified);
    history.Undo(c);
    EXPECT_TRUE(c.Modified) << "before the saved state";
    history.Redo(c);
    EXPECT_FALSE(c.Modified);
    WatchedToday({c, history}, 0, 46000);
    EXPECT_EQ(history.NextRedo(), std::nullopt);
    history.Undo(c);
    EXPECT_FALSE(c.Modified);
}

TEST(ChangeHistoryStateTest, KeepsAtMostItsLimitOfSteps) {
    std::mt19937 random(3);
    Collection c = Sample(random, 3);
    ChangeHistory history;
    for (std::size_t i = 0; i < ChangeHistory::MaxSteps + 5; ++i)
        WatchedToday({c, history}, 0, 46000);
    EXPECT_EQ(history.StepCount(), ChangeHistory::MaxSteps);
    EXPECT_LT(history.Bytes(), ChangeHistory::MaxSteps * 1024) << "a title step is a few hundred bytes";
}

} // namespace
} // namespace tavrin
