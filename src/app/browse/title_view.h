// What the main window shows of the current title, as rules over the collection: finding a
// title by its typed beginning, "Watched Today", the side captions.
#pragma once

#include "lang/catalogue.h"
#include "store/collection.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The first row of browse whose title begins with typed, without regard to case.
std::optional<std::size_t> FindTitleByPrefix(const Collection& c, std::span<const std::uint16_t> browse,
                                             std::string_view typed);

// The lines of the view's "Other" list: one per technical flag set to 1 (UTF-8, unsorted).
std::vector<std::string> OtherLines(const TitleRecord& t, const MessageCatalogue& catalogue);
// The lines of the "Extras" list: one per extra set to 1 (UTF-8, unsorted).
std::vector<std::string> ExtrasLines(const TitleRecord& t, const MessageCatalogue& catalogue);
// The names of the title's actors in slot order, empty slots and unknown entries skipped (8-bit).
std::vector<std::string_view> ActorNames(const Collection& c, const TitleRecord& t);

} // namespace tavrin
