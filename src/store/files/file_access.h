// What the file readers and writers share: how a file failed, a path as the UTF-8 text messages
// show, the system's reason for a failure, opening a file for reading and replacing a file safely
// on every platform.
#pragma once

#include "store/expected.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace tavrin {

enum class FileError {
    NotFound,    // no such file: callers stay silent
    CannotRead,  // exists but could not be opened or read
    Invalid,     // not a collection file, or a damaged one: "Invalid file!"
    CannotWrite, // could not be created, written or put in place
};

struct FileFailure {
    FileError error;
    std::string path;   // the file concerned, as given
    std::string detail; // the system's reason, when there is one
};

std::string PathText(const std::filesystem::path& p);
std::string SystemReason(int err);
// Opens path for binary reading; null (with errno set) when it cannot be opened.
std::FILE* OpenForReading(const std::filesystem::path& path);

// Writes bytes to a temporary file beside path and renames it over path, so the previous file
// survives any failure. flushToDisk forces the data out before the rename.
Expected<Done, FileFailure> WriteFileReplacing(const std::filesystem::path& path,
                                               std::span<const std::uint8_t> bytes, bool flushToDisk = true);

// The same for bytes made piece by piece: produce hands each piece to write, which says whether
// it was written, and gives false to abandon the file.
using ByteWriter = std::function<bool(std::span<const std::uint8_t>)>;
Expected<Done, FileFailure> WriteFileReplacingWith(const std::filesystem::path& path,
                                                   const std::function<bool(const ByteWriter&)>& produce,
                                                   bool flushToDisk = true);

} // namespace tavrin
