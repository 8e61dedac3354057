#include "store/large_blocks.h"

#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace tavrin {

void AdviseLargePages(const void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // Only the whole 2 MB pages inside the block; a smaller block gets nothing.
    constexpr std::uintptr_t page = std::uintptr_t{2} << 20;
    std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(data);
    std::uintptr_t end = begin + bytes;
    begin = (begin + page - 1) & ~(page - 1);
    end &= ~(page - 1);
    if (data && end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace tavrin
