// Large blocks that are filled at once (the title store read from a file, the bytes of a file
// being written): where the system offers 2 MB pages, they are asked for, so that the memory
// comes in a few large pieces instead of thousands of 4 KB faults, which otherwise cost more
// than reading or writing the file itself.
#pragma once

#include <cstddef>
#include <vector>

namespace tavrin {

// A hint for the memory at data: it may be backed by large pages. Harmless everywhere.
void AdviseLargePages(const void* data, std::size_t bytes);

// Reserves room for n items in v, as one block with the hint above; v's content is unchanged.
template <class T, class A> void ReserveLargeBlock(std::vector<T, A>& v, std::size_t n) {
    v.reserve(n);
    AdviseLargePages(v.data(), n * sizeof(T));
}

} // namespace tavrin
