// What the main window shows of the current title, as rules over the collection: the review
// text file, finding a title by its typed beginning, "Watched Today", the side captions.
#pragma once

#include "lang/catalogue.h"
#include "store/collection.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The first row of browse whose title begins with typed, without regard to case.
std::optional<std::size_t> FindTitleByPrefix(const Collection& c, std::span<const std::uint16_t> browse,
                                             std::string_view typed);

// One more viewing, watched today; marks the collection modified.
void MarkWatchedToday(Collection& c, std::size_t record, DayNumber today);

// The two side captions of a medium and whether the second count is shown at all.
struct SideCaptions {
    std::optional<Msg> clv; // nothing: the Video CD's fixed "Disc"
    Msg cav;
    bool cavVisible;
};
SideCaptions SideCaptionsFor(std::uint8_t support);

// The lines of the view's "Other" list: one per technical flag set to 1 (UTF-8, unsorted).
std::vector<std::string> OtherLines(const TitleRecord& t, const MessageCatalogue& catalogue);
// The lines of the "Extras" list: one per extra set to 1 (UTF-8, unsorted).
std::vector<std::string> ExtrasLines(const TitleRecord& t, const MessageCatalogue& catalogue);
// The names of the title's actors in slot order, empty slots and unknown entries skipped (8-bit).
std::vector<std::string_view> ActorNames(const Collection& c, const TitleRecord& t);

} // namespace tavrin
