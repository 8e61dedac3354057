// Name slots as collection files and name-list files hold them: 50 bytes each, the text up to the
// first NUL and never more than 49 characters (a slot always keeps room for its NUL), the rest zero
// when we write.
#pragma once

#include "store/collection.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tavrin {

NameList NamesFromSlots(std::span<const std::uint8_t> slots, std::size_t count);
void AppendNameSlots(std::vector<std::uint8_t>& out, const NameList& names);

} // namespace tavrin
