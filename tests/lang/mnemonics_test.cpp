#include "lang/mnemonics.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace tavrin {
namespace {

struct MnemonicCase {
    std::vector<std::string> texts;
    std::vector<std::string> marked;
};

TEST(MnemonicsTest, EachTextGetsAFreeLetterWordStartsFirst) {
    const MnemonicCase cases[] = {
        {{"New", "Open", "Save", "Save As"}, {"&New", "&Open", "&Save", "Save &As"}},
        // No word start free: any other letter, case ignored.
        {{"Save", "save"}, {"&Save", "s&ave"}},
        // An '&' of the text is doubled so that it shows as it is.
        {{"P&S/Full Frame", "Print"}, {"&P&&S/Full Frame", "P&rint"}},
        // Accented letters are never chosen; an accented word start gives way to its next letter.
        {{"Éditer", "Ouvrir"}, {"É&diter", "&Ouvrir"}},
        // A later text with few letters may move an earlier one to another of its letters.
        {{"ab", "a"}, {"a&b", "&a"}},
        // Nothing left to choose.
        {{"ab", "ab", "ab"}, {"&ab", "a&b", "ab"}},
        {{"", "..."}, {"", "..."}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithMnemonics(c.texts), c.marked) << c.texts.front();
}

TEST(MnemonicsTest, MarkingIsUndoneExactlyAndLettersNeverRepeat) {
    const std::vector<std::string> texts{"Actor",
                                         "Box Name Or Multiple",
                                         "Composer",
                                         "Director",
                                         "Other Informations 1",
                                         "Other Informations 2",
                                         "Publisher",
                                         "Retailer",
                                         "Multimedia File",
                                         "Tom & Jerry"};
    const auto marked = WithMnemonics(texts);
    std::set<char> letters;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(test::WithoutMnemonic(marked[i]), texts[i]);
        const auto& m = marked[i];
        for (std::size_t k = 0; k + 1 < m.size(); ++k) {
            if (m[k] == '&' && m[k + 1] == '&') {
                ++k;
            } else if (m[k] == '&') {
                EXPECT_TRUE(letters.insert(static_cast<char>(std::tolower(m[k + 1]))).second) << m;
            }
        }
    }
    EXPECT_EQ(letters.size(), texts.size());
}

} // namespace
} // namespace tavrin
