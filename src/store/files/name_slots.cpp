#include "store/files/name_slots.h"

#include <algorithm>
#include <cstring>

namespace tavrin {

NameList NamesFromSlots(std::span<const std::uint8_t> slots, std::size_t count) {
    NameList names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* slot = reinterpret_cast<const char*>(slots.data() + i * NameTextSize);
        // A slot without its NUL still gives at most 49 characters, as every name holds.
        const void* nul = std::memchr(slot, '\0', NameTextSize - 1);
        names.emplace_back(slot, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - slot)
                                     : NameTextSize - 1);
    }
    return names;
}

void AppendNameSlots(std::vector<std::uint8_t>& out, const NameList& names) {
    const std::size_t start = out.size();
    out.resize(start + names.size() * NameTextSize, 0);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto& name = names[i];
        std::copy_n(name.begin(), std::min(name.size(), NameTextSize - 1),
                    out.begin() + start + i * NameTextSize);
    }
}

} // namespace tavrin
