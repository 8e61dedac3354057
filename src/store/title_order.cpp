#include "store/title_order.h"

#include "store/text_encoding.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace tavrin {
namespace {

// Primary weight of a Windows-1252 byte: upper case with the accents taken off.
constexpr std::array<unsigned char, 256> MakePrimary() {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(b);
    for (int b = 'a'; b <= 'z'; ++b) t[b] = static_cast<unsigned char>(b - 0x20);
    auto fold = [&t](int from, int to, char base) {
        for (int b = from; b <= to; ++b) {
            t[b] = static_cast<unsigned char>(base);
            t[b + 0x20] = static_cast<unsigned char>(base);
        }
    };
    fold(0xC0, 0xC6, 'A'); // À .. Æ
    fold(0xC7, 0xC7, 'C');
    fold(0xC8, 0xCB, 'E');
    fold(0xCC, 0xCF, 'I');
    fold(0xD0, 0xD0, 'D');
    fold(0xD1, 0xD1, 'N');
    fold(0xD2, 0xD6, 'O');
    fold(0xD8, 0xD8, 'O');
    fold(0xD9, 0xDC, 'U');
    fold(0xDD, 0xDD, 'Y');
    fold(0xDE, 0xDE, 'T');
    t[0xDF] = 'S'; // ß
    t[0xFF] = 'Y';
    t[0x8A] = t[0x9A] = 'S';
    t[0x8C] = t[0x9C] = 'O';
    t[0x8E] = t[0x9E] = 'Z';
    t[0x9F] = 'Y';
    return t;
}

constexpr auto Primary = MakePrimary();

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

std::size_t TitleInsertPosition(std::span<const TitleRecord> records, std::span<const std::uint16_t> order,
                                std::uint16_t r) {
    auto it = std::lower_bound(order.begin(), order.end(), r, [records](std::uint16_t x, std::uint16_t y) {
        return TitleSortsBefore(records, x, y);
    });
    return static_cast<std::size_t>(it - order.begin());
}

std::vector<std::uint16_t> SortedTitleOrder(std::span<const TitleRecord> records) {
    std::vector<std::uint16_t> order(records.size());
    std::iota(order.begin(), order.end(), std::uint16_t{0});
    std::sort(order.begin(), order.end(),
              [records](std::uint16_t x, std::uint16_t y) { return TitleSortsBefore(records, x, y); });
    return order;
}

} // namespace tavrin
