#include "store/title_order.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace tavrin {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

std::vector<TitleRecord> Records(std::initializer_list<std::string_view> titles) {
    std::vector<TitleRecord> out;
    for (auto t : titles)
        out.push_back(test::MakeTitle(t));
    return out;
}

TEST(TitleOrderTest, ComparesWithoutRegardToCase) {
    EXPECT_LT(CompareTitleTexts("alien", "BRAZIL"), 0);
    EXPECT_GT(CompareTitleTexts("brazil", "ALIEN"), 0);
    EXPECT_EQ(CompareTitleTexts("Alien", "ALIEN"), 0);
    EXPECT_LT(CompareTitleTexts("ALIEN", "ALIENS"), 0) << "a prefix sorts first";
    EXPECT_GT(CompareTitleTexts("ALIENS", "ALIEN"), 0);
    EXPECT_LT(CompareTitleTexts("", "A"), 0);
    EXPECT_EQ(CompareTitleTexts("", ""), 0);
    // Byte order above 0x7F must not put accented titles after everything else.
    EXPECT_LT(CompareTitleTexts("\xC9T\xC9", "F"), 0); // ÉTÉ before F
}

TEST(TitleOrderTest, AccentedLettersSortWithTheirBaseLetter) {
    // É between E and F, not after Z; an accented title next to its plain twin.
    EXPECT_GT(CompareTitleTexts("\xC9"
                                "COLE",
                                "ECLAIR"),
              0); // ÉCOLE after ECLAIR (C > C, O > L)
    EXPECT_LT(CompareTitleTexts("\xC9"
                                "COLE",
                                "EDEN"),
              0); // ÉCOLE before EDEN
    EXPECT_LT(CompareTitleTexts("\xC9"
                                "T\xC9",
                                "ZORRO"),
              0);
    EXPECT_LT(CompareTitleTexts("\x9F"
                                "ES",
                                "Z"),
              0); // Ÿ with Y
    EXPECT_GT(CompareTitleTexts("\x9F"
                                "ES",
                                "X"),
              0);
    EXPECT_LT(CompareTitleTexts("\xC5"
                                "NGEL",
                                "B"),
              0); // Å with A
    // Same letters, different accents: not equal, and the plain one first, whatever the case.
    EXPECT_LT(CompareTitleTexts("ETE", "\xC9T\xC9"), 0);
    EXPECT_LT(CompareTitleTexts("ete", "\xC9T\xC9"), 0);
    EXPECT_EQ(CompareTitleTexts("\xE9t\xE9", "\xC9T\xC9"), 0); // été and ÉTÉ are the same title
    EXPECT_NE(CompareTitleTexts("ETE", "\xC9T\xC9"), 0);
}

TEST(TitleOrderTest, IsAConsistentOrder) {
    const std::string texts[] = {"",
                                 "A",
                                 "a",
                                 "AB",
                                 "\xC0"
                                 "B",
                                 "\xE0"
                                 "b",
                                 "ABC",
                                 "B",
                                 "\xC9T\xC9",
                                 "ETE",
                                 "ete",
                                 "STRASSE",
                                 "STRA\xDF"
                                 "E",
                                 "Z",
                                 "\x9F",
                                 "Y",
                                 "1984",
                                 "!"};
    for (const auto& a : texts) {
        EXPECT_EQ(CompareTitleTexts(a, a), 0);
        for (const auto& b : texts) {
            EXPECT_EQ(Sign(CompareTitleTexts(a, b)), -Sign(CompareTitleTexts(b, a))) << a << " / " << b;
            for (const auto& c : texts) {
                if (CompareTitleTexts(a, b) < 0 && CompareTitleTexts(b, c) < 0) {
                    EXPECT_LT(CompareTitleTexts(a, c), 0) << a << " < " << b << " < " << c;
                }
            }
        }
    }
}

TEST(TitleOrderTest, EqualTitlesSortByRecordNumber) {
    const auto records = Records({"HEAT", "alien", "ALIEN", "Heat", "BRAZIL"});
    EXPECT_TRUE(TitleSortsBefore(records, 1, 2));
    EXPECT_FALSE(TitleSortsBefore(records, 2, 1));
    EXPECT_FALSE(TitleSortsBefore(records, 1, 1));
    EXPECT_EQ(SortedTitleOrder(records), (std::vector<std::uint16_t>{1, 2, 4, 0, 3}));
    EXPECT_TRUE(SortedTitleOrder({}).empty());
}

TEST(TitleOrderTest, InsertPositionKeepsTheMasterOrderSorted) {
    auto records = Records({"MATRIX", "ALIEN", "ZELIG", "HEAT", "BRAZIL"});
    std::vector<std::uint16_t> order;
    for (std::uint16_t r = 0; r < records.size(); ++r) {
        const std::size_t at = TitleInsertPosition(records, order, r);
        ASSERT_LE(at, order.size());
        order.insert(order.begin() + static_cast<std::ptrdiff_t>(at), r);
    }
    EXPECT_EQ(order, (std::vector<std::uint16_t>{1, 4, 3, 0, 2}));
    EXPECT_EQ(order, SortedTitleOrder(records));

    // A second title equal to an existing one goes after it (higher record number).
    records.push_back(test::MakeTitle("heat"));
    EXPECT_EQ(TitleInsertPosition(records, order, 5), 3u);
    // A title before everything and one after everything.
    records.push_back(test::MakeTitle("1941"));
    records.push_back(test::MakeTitle("\xDD"
                                      "ZZ")); // Ý sorts as Y: before ZELIG
    EXPECT_EQ(TitleInsertPosition(records, order, 6), 0u);
    EXPECT_EQ(TitleInsertPosition(records, order, 7), 4u);
}

// The keyed sort against the comparison itself, on titles drawn from a few letters in every case
// and accent (so many are equal or differ only by accent or case), with some full 50-byte titles
// that have no terminating NUL.
TEST(TitleOrderTest, SortedOrderMatchesTheComparison) {
    const std::string alphabet = "AaEe\xC9\xE9\xC8 S\xDF"
                                 "sY\x9F\xFF\xDD\x8A\x9A"
                                 "19!~\x80\xA0";
    std::mt19937 rng(16);
    for (int round = 0; round < 200; ++round) {
        std::vector<TitleRecord> records(rng() % 400);
        for (auto& t : records) {
            if (rng() % 20 == 0) {
                for (std::size_t i = 0; i < TitleTextSize; ++i)
                    t.bytes[i] = static_cast<std::uint8_t>(alphabet[rng() % alphabet.size()]);
                continue;
            }
            std::string text(rng() % 7, ' ');
            for (char& ch : text)
                ch = alphabet[rng() % alphabet.size()];
            t.SetTitle(text);
        }
        std::vector<std::uint16_t> expected(records.size());
        std::iota(expected.begin(), expected.end(), std::uint16_t{0});
        std::sort(expected.begin(), expected.end(),
                  [&](std::uint16_t a, std::uint16_t b) { return TitleSortsBefore(records, a, b); });
        ASSERT_EQ(SortedTitleOrder(records), expected) << "round " << round;
    }
}

} // namespace
} // namespace tavrin
