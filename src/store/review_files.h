// The review text file of a title: TEXT/<title><number>.TXT, shared by the view, the editor and
// the reports.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

inline constexpr std::size_t ReviewTextLimit = 10000;

// The 8-bit base of a review file name: the title trimmed of blanks, with every character that
// a file name cannot hold on Linux or Windows (blank, " * / : < > ? \ |, control characters)
// replaced by an underscore; "COM" and "LPT" get an underscore after them, so that the number
// after them cannot make a Windows device name.
std::string ReviewFileStem(std::string_view title);
// TEXT/<stem><number>.TXT, in the file system's encoding.
std::filesystem::path ReviewFilePath(const std::filesystem::path& textFolder, std::string_view title,
                                     std::uint16_t number);
// The first ReviewTextLimit bytes of a review file, up to the first zero byte; nothing when the
// file cannot be read.
std::optional<std::string> ReadReviewText(const std::filesystem::path& file);

} // namespace tavrin
