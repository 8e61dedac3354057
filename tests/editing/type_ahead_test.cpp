// Completion of the name lists' edit lines while typing.
#include "editing/type_ahead.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrin {
namespace {

const std::vector<SortedEntry> Rows{{"SMALL", 4}, {"SMITH", 0}, {"SMITHSON", 2}, {"\xC9MILE", 1}};

TEST(TypeAheadTest, CompletesToTheFirstNameThatBeginsWithTheTypedText) {
    const auto sm = CompleteTyped("SM", 2, false, Rows);
    EXPECT_EQ(sm.text, "SMALL");
    EXPECT_EQ(sm.selectionStart, 2u);
    EXPECT_EQ(sm.selectionLength, 3u);
    EXPECT_EQ(sm.row, 0);

    // Without regard to case, accented letters included.
    const auto smi = CompleteTyped("smi", 3, false, Rows);
    EXPECT_EQ(smi.text, "SMITH");
    EXPECT_EQ(smi.selectionStart, 3u);
    EXPECT_EQ(smi.selectionLength, 2u);
    EXPECT_EQ(smi.row, 1);
    EXPECT_EQ(CompleteTyped("\xE9m", 2, false, Rows).text, "\xC9MILE");
}

TEST(TypeAheadTest, ACompleteNameSelectsItsRowWithNothingLeftToSelect) {
    const auto exact = CompleteTyped("SMITH", 5, false, Rows);
    EXPECT_EQ(exact.text, "SMITH");
    EXPECT_EQ(exact.selectionLength, 0u);
    EXPECT_EQ(exact.row, 1);
}

TEST(TypeAheadTest, NoCompletionAfterErasing) {
    // Backspace removed the selected "ITH" of SMITH: the typed text stays as it is.
    const auto back = CompleteTyped("SM", 2, true, Rows);
    EXPECT_EQ(back.text, "SM");
    EXPECT_EQ(back.selectionLength, 0u);
    EXPECT_EQ(back.row, -1);
    // Erasing down to a whole name still shows which row it is.
    EXPECT_EQ(CompleteTyped("smith", 5, true, Rows).row, 1);
}

TEST(TypeAheadTest, NoCompletionUnlessTheCaretIsAtTheEnd) {
    const auto middle = CompleteTyped("SMX", 2, false, Rows);
    EXPECT_EQ(middle.text, "SMX");
    EXPECT_EQ(middle.selectionStart, 2u);
    EXPECT_EQ(middle.selectionLength, 0u);
    EXPECT_EQ(middle.row, -1);
}

TEST(TypeAheadTest, TextThatStartsNoNameStaysAsTyped) {
    const auto none = CompleteTyped("SMZ", 3, false, Rows);
    EXPECT_EQ(none.text, "SMZ");
    EXPECT_EQ(none.selectionLength, 0u);
    EXPECT_EQ(none.row, -1);
    EXPECT_EQ(CompleteTyped("", 0, false, Rows).row, -1);
    EXPECT_EQ(CompleteTyped("A", 1, false, {}).text, "A");
}

} // namespace
} // namespace tavrin
