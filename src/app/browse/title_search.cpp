#include "app/browse/title_search.h"

#include "store/text_encoding.h"

#include <algorithm>
#include <array>
#include <bit>

namespace tavrin {
namespace {

// One bit per word; a search of more words runs in groups of this many.
using WordBits = std::uint32_t;
constexpr std::size_t GroupSize = 32;

// The lists a title's names come from, with the fields that refer to each (the publisher apart:
// its low byte).
struct NameFields {
    ListId list;
    std::array<std::size_t, 5> offsets;
    std::size_t count;
};
constexpr NameFields SearchedNames[] = {
    {ListId::Director, {U16Offset("Director")}, 1},
    {ListId::Actor,
     {U16Offset("Actor1"), U16Offset("Actor2"), U16Offset("Actor3"), U16Offset("Actor4"),
      U16Offset("Actor5")},
     5},
    {ListId::Composer, {U16Offset("Composer")}, 1},
    {ListId::Box, {U16Offset("Box")}, 1},
    {ListId::Retailer, {U16Offset("Retailer")}, 1},
    {ListId::Info, {U16Offset("Info")}, 1},
    {ListId::Info2, {U16Offset("Info2")}, 1},
};

// A text folded into a buffer of its own, up to its first NUL; texts here (titles, names) are at
// most a name slot long.
class Folded {
  public:
    explicit Folded(std::string_view text) {
        for (; size_ < buffer_.size() && size_ < text.size() && text[size_] != 0; ++size_)
            buffer_[size_] = static_cast<char>(FoldedCp1252[static_cast<unsigned char>(text[size_])]);
    }
    std::string_view View() const { return {buffer_.data(), size_}; }

  private:
    std::array<char, NameTextSize> buffer_;
    std::size_t size_ = 0;
};

WordBits WordsIn(std::string_view folded, std::span<const std::string> words, WordBits wanted) {
    WordBits found = 0;
    for (std::size_t w = 0; w < words.size(); ++w)
        if ((wanted >> w & 1u) && folded.find(words[w]) != std::string_view::npos) found |= WordBits{1} << w;
    return found;
}

// The words each entry of a list holds, one entry after the other, and a last element of none
// that every reference beyond the list (none included) reads.
std::vector<WordBits> EntryWords(const NameList& names, std::span<const std::string> words, WordBits all) {
    std::vector<WordBits> bits(names.size() + 1, 0);
    for (std::size_t e = 0; e < names.size(); ++e)
        bits[e] = WordsIn(Folded(names[e]).View(), words, all);
    return bits;
}

// Whether a title holds every word of the group, in its names (the words each entry holds, by
// list) or in its own text.
bool Holds(const TitleRecord& t, std::span<const std::string> words, WordBits all,
           std::span<const std::vector<WordBits>> entries, const std::vector<WordBits>& publishers) {
    WordBits found = 0;
    for (std::size_t l = 0; l < std::size(SearchedNames); ++l) {
        const auto& bits = entries[l];
        const std::size_t last = bits.size() - 1;
        for (std::size_t i = 0; i < SearchedNames[l].count; ++i)
            found |= bits[std::min<std::size_t>(t.U16(SearchedNames[l].offsets[i]), last)];
    }
    found |= publishers[std::min<std::size_t>(t.Publisher(), publishers.size() - 1)];
    if (found == all) return true;
    // The title's own text answers for the words its names left; the first it lacks rejects it.
    const Folded folded(std::string_view(reinterpret_cast<const char*>(t.bytes.data()), TitleTextSize));
    const std::string_view title = folded.View();
    for (std::size_t w = 0; w < words.size(); ++w)
        if (!(found >> w & 1u) && title.find(words[w]) == std::string_view::npos) return false;
    return true;
}

// Keeps in list the titles that hold every word of one group.
void KeepHolding(const Collection& c, std::vector<std::uint16_t>& list, std::span<const std::string> words) {
    const WordBits all = words.size() == GroupSize ? ~WordBits{0} : (WordBits{1} << words.size()) - 1;
    std::array<std::vector<WordBits>, std::size(SearchedNames)> entries;
    for (std::size_t l = 0; l < std::size(SearchedNames); ++l)
        entries[l] = EntryWords(c.List(SearchedNames[l].list), words, all);
    const std::vector<WordBits> publishers = EntryWords(c.List(ListId::Publisher), words, all);

    // The records are read in memory order, which the processor streams, rather than in the order
    // of the list, which jumps across the whole store: one bit per record says which are listed,
    // another which hold every word; the list then keeps its order reading the bits alone.
    const std::size_t n = c.Count();
    std::vector<std::uint64_t> listed((n + 63) / 64, 0), holding(listed.size(), 0);
    for (const std::uint16_t r : list)
        if (r < n) listed[r >> 6] |= std::uint64_t{1} << (r & 63);
    for (std::size_t w = 0; w < listed.size(); ++w)
        for (std::uint64_t left = listed[w]; left; left &= left - 1) {
            const std::size_t r = w * 64 + static_cast<std::size_t>(std::countr_zero(left));
            if (Holds(c.titles[r], words, all, entries, publishers))
                holding[w] |= std::uint64_t{1} << (r & 63);
        }
    std::size_t kept = 0;
    for (const std::uint16_t r : list)
        if (r < n && (holding[r >> 6] >> (r & 63) & 1u)) list[kept++] = r;
    list.resize(kept);
}

} // namespace

TitleSearch SearchWords(std::string_view typed) {
    TitleSearch search;
    std::string word;
    for (const char ch : typed) {
        const auto b = static_cast<unsigned char>(ch);
        // Blanks, tabs and the non-breaking space part words.
        if (b <= ' ' || b == 0xA0) {
            if (!word.empty()) search.words.push_back(std::move(word));
            word.clear();
            continue;
        }
        word.push_back(static_cast<char>(FoldedCp1252[b]));
    }
    if (!word.empty()) search.words.push_back(std::move(word));
    return search;
}

std::vector<std::uint16_t> SearchTitles(const Collection& c, std::span<const std::uint16_t> list,
                                        const TitleSearch& search) {
    std::vector<std::uint16_t> kept(list.begin(), list.end());
    const std::span<const std::string> words = search.words;
    for (std::size_t first = 0; first < words.size() && !kept.empty(); first += GroupSize)
        KeepHolding(c, kept, words.subspan(first, std::min(GroupSize, words.size() - first)));
    return kept;
}

} // namespace tavrin
