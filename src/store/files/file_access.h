// What the file readers and writers share: a path as the UTF-8 text messages show, the system's
// reason for a failure, and opening a file for reading on every platform.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace tavrin {

std::string PathText(const std::filesystem::path& p);
std::string SystemReason(int err);
// Opens path for binary reading; null (with errno set) when it cannot be opened.
std::FILE* OpenForReading(const std::filesystem::path& path);

} // namespace tavrin
