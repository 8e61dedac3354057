// The message for a file that could not be read, in the catalogue's language.
#pragma once

#include "lang/catalogue.h"
#include "store/files/file_access.h"

#include <cstdint>
#include <string>

namespace tavrin {

// "NAME is not a regular file", "NAME is too large: 2,048 MB, at most 64 MB" and "NAME cannot be
// read: Permission denied" (a missing file: the system's words for it); "Invalid file!" for a file
// that is not what the reader takes, and the write message for a write.
std::string ReadFailureMessage(const MessageCatalogue& catalogue, const FileFailure& failure);

// A size in whole megabytes (of 1,048,576 bytes) with the language's thousands separator, a part
// of a megabyte counting as one: "2,048", "2 048", "2.048".
std::string Megabytes(std::uintmax_t bytes, int language);

} // namespace tavrin
