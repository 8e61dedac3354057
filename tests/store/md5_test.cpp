#include "store/md5.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tavrin {
namespace {

// The lengths around the 56 and 64 bytes where the padding takes one block or two.
TEST(Md5Test, DigestsOfKnownTexts) {
    const std::pair<std::string, std::string_view> cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"The quick brown fox jumps over the lazy dog", "9e107d9d372bb6826bd81d3542a419d6"},
        {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
        {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
        {std::string(120, 'a'), "5f61c0ccad4cac44c75ff505e1f1e537"},
    };
    for (const auto& [text, digest] : cases)
        EXPECT_EQ(Md5Hex({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}), digest)
            << text.size();
}

} // namespace
} // namespace tavrin
