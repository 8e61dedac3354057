// The messages of a file that could not be read, in each language.
#include "lang/read_failure.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tavrin {
namespace {

TEST(ReadFailureTest, SaysWhyTheFileCannotBeRead) {
    constexpr std::uintmax_t MB = std::uintmax_t{1} << 20;
    const FileFailure large{FileError::TooLarge, "/tmp/BIG.json", {}, 2048 * MB, 64 * MB};
    struct Case {
        FileFailure failure;
        int language;
        std::string message;
    };
    const Case cases[] = {
        {{FileError::NotRegular, "PIPE"}, 0, "PIPE is not a regular file"},
        {{FileError::NotRegular, "PIPE"}, 2, "PIPE ist keine regul\xC3\xA4re Datei"},
        {large, 0, "/tmp/BIG.json is too large: 2,048 MB, at most 64 MB"},
        {large, 1,
         "/tmp/BIG.json est trop volumineux : 2\xC2\xA0"
         "048 Mo, au plus 64 Mo"},
        {large, 3, "/tmp/BIG.json \xC3\xA8 troppo grande: 2.048 MB, al massimo 64 MB"},
        // Just past the limit is never shown as at it: the size rounds up, the limit down.
        {{FileError::TooLarge, "A%2", {}, 64 * MB + 1, 64 * MB + 5},
         0,
         "A%2 is too large: 65 MB, at most 64 MB"},
        {{FileError::TooLarge, "A", {}, 1234567 * MB, 64 * MB},
         4,
         "A on liian suuri: 1\xC2\xA0"
         "234\xC2\xA0"
         "567 Mt, enint\xC3\xA4\xC3\xA4n 64 Mt"},
        {{FileError::CannotRead, "LOCKED", SystemReason(EACCES)},
         0,
         "LOCKED cannot be read: Permission denied"},
        {{FileError::NotFound, "GONE"}, 0, "GONE cannot be read: No such file or directory"},
        {{FileError::Invalid, "X.KXT"}, 0, "Invalid file!"},
    };
    for (const Case& c : cases) {
        MessageCatalogue catalogue;
        catalogue.SetLanguage(c.language);
        EXPECT_EQ(ReadFailureMessage(catalogue, c.failure), c.message) << c.language;
    }
}

} // namespace
} // namespace tavrin
