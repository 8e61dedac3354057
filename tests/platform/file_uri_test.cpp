// The URIs that name the thumbnails of the desktop's cache: escaped as other programs escape them.
#include "platform/file_uri.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(FileUriTest, EscapesAsTheDesktopDoes) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/jens/photos/me.png", "file:///home/jens/photos/me.png"},
        {"/a b/c#d?e%f.jpg", "file:///a%20b/c%23d%3Fe%25f.jpg"},
        {"/x/Am\xC3\xA9lie [1].gif", "file:///x/Am%C3%A9lie%20%5B1%5D.gif"},
        {"/keep/-_.!~*'()@&=+$,:", "file:///keep/-_.!~*'()@&=+$,:"},
        {"/esc/;<>\"{}|\\^`", "file:///esc/%3B%3C%3E%22%7B%7D%7C%5C%5E%60"},
    };
    for (const auto& [path, uri] : cases)
        EXPECT_EQ(FileUri(path), uri) << path;
}

} // namespace
} // namespace tavrin
