#include "store/title_order.h"

#include "store/large_blocks.h"
#include "store/text_encoding.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace tavrin {
namespace {

// Primary weight of a Windows-1252 byte: upper case with the accents taken off.
constexpr const auto& Primary = FoldedCp1252;

std::array<unsigned char, 256> MakeUpper() {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = static_cast<unsigned char>(UpperCp1252(static_cast<char>(b)));
    return t;
}

// A title's collation key, computed once per sort: the primary weights of its characters, then
// their upper-case bytes, each part padded with zeros to the longest title. Compared byte by
// byte it orders titles as CompareTitleTexts does: no character of a title is NUL and no
// primary weight is zero, so a title that is a prefix of another sorts first, and the upper-case
// bytes only count between titles whose weights are all equal, which are then of one length.
constexpr std::size_t KeyPart = TitleTextSize;
constexpr std::size_t KeySize = 2 * KeyPart;

// The first eight bytes of a key, most significant first: most comparisons end there.
struct KeyHead {
    std::uint64_t head;
    std::uint16_t record;
};

} // namespace

int CompareTitleTexts(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int pa = Primary[static_cast<unsigned char>(a[i])];
        const int pb = Primary[static_cast<unsigned char>(b[i])];
        if (pa != pb) return pa - pb;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < n; ++i) {
        const int ua = static_cast<unsigned char>(UpperCp1252(a[i]));
        const int ub = static_cast<unsigned char>(UpperCp1252(b[i]));
        if (ua != ub) return ua - ub;
    }
    return 0;
}

bool TitleSortsBefore(std::span<const TitleRecord> records, std::uint16_t a, std::uint16_t b) {
    const int c = CompareTitleTexts(records[a].TitleView(), records[b].TitleView());
    return c != 0 ? c < 0 : a < b;
}

std::vector<std::uint64_t> TitleHeads(std::span<const TitleRecord> records) {
    std::vector<std::uint64_t> heads(records.size());
    for (std::size_t r = 0; r < records.size(); ++r) {
        const std::string_view text = records[r].TitleView();
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < 8; ++i)
            head = head << 8 | (i < text.size() ? Primary[static_cast<unsigned char>(text[i])] : 0);
        heads[r] = head;
    }
    return heads;
}

bool TitleSortsBefore(std::span<const TitleRecord> records, std::span<const std::uint64_t> heads,
                      std::uint16_t a, std::uint16_t b) {
    if (heads[a] != heads[b]) return heads[a] < heads[b];
    return TitleSortsBefore(records, a, b);
}

std::size_t TitleInsertPosition(std::span<const TitleRecord> records, std::span<const std::uint16_t> order,
                                std::uint16_t r) {
    auto it = std::lower_bound(order.begin(), order.end(), r, [records](std::uint16_t x, std::uint16_t y) {
        return TitleSortsBefore(records, x, y);
    });
    return static_cast<std::size_t>(it - order.begin());
}

std::vector<std::uint16_t> SortedTitleOrder(std::span<const TitleRecord> records) {
    static const auto upper = MakeUpper();
    const std::size_t n = records.size();
    std::vector<std::uint8_t> keys;
    ReserveLargeBlock(keys, n * KeySize);
    keys.resize(n * KeySize);
    std::vector<KeyHead> heads(n);
    for (std::size_t r = 0; r < n; ++r) {
        const std::string_view text = records[r].TitleView();
        std::uint8_t* key = keys.data() + r * KeySize;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto b = static_cast<unsigned char>(text[i]);
            key[i] = Primary[b];
            key[KeyPart + i] = upper[b];
        }
        std::uint64_t head = 0;
        for (std::size_t i = 0; i < 8; ++i)
            head = head << 8 | key[i];
        heads[r] = {head, static_cast<std::uint16_t>(r)};
    }
    // The heads by radix, a byte at a time from the last (stable, so equal heads stay in record
    // order); then each run of equal heads by the rest of the key and the record number.
    std::vector<KeyHead> spare(n);
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::uint32_t, 256> count{};
        for (const auto& h : heads)
            ++count[(h.head >> shift) & 0xFF];
        if (std::find(count.begin(), count.end(), n) != count.end()) continue; // one digit for all
        std::uint32_t at = 0;
        for (auto& c : count)
            at += std::exchange(c, at);
        for (const auto& h : heads)
            spare[count[(h.head >> shift) & 0xFF]++] = h;
        heads.swap(spare);
    }
    const std::uint8_t* base = keys.data();
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first + 1;
        while (last < n && heads[last].head == heads[first].head)
            ++last;
        if (last - first > 1)
            std::sort(heads.begin() + static_cast<std::ptrdiff_t>(first),
                      heads.begin() + static_cast<std::ptrdiff_t>(last),
                      [base](const KeyHead& a, const KeyHead& b) {
                          const int c = std::memcmp(base + a.record * KeySize + 8,
                                                    base + b.record * KeySize + 8, KeySize - 8);
                          return c != 0 ? c < 0 : a.record < b.record;
                      });
        first = last;
    }
    std::vector<std::uint16_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = heads[i].record;
    return order;
}

} // namespace tavrin
