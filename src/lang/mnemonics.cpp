#include "lang/mnemonics.h"

#include <array>
#include <optional>

namespace tavrin {
namespace {

bool IsAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The letters a text may be marked by, best first: word starts, then the others; each once, as
// byte positions.
std::vector<std::size_t> Candidates(std::string_view text) {
    std::vector<std::size_t> positions;
    std::array<bool, 128> seen{};
    for (const bool starts : {true, false}) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (!IsAsciiAlnum(text[i])) continue;
            // Bytes of a multi-byte UTF-8 character are never ASCII, so they never start a word here.
            const bool wordStart =
                i == 0 || (!IsAsciiAlnum(text[i - 1]) && static_cast<unsigned char>(text[i - 1]) < 0x80);
            const auto key = static_cast<unsigned char>(Folded(text[i]));
            if ((starts && !wordStart) || seen[key]) continue;
            seen[key] = true;
            positions.push_back(i);
        }
    }
    return positions;
}

// Letters matched to texts so that as many texts as possible get one: each text takes its best
// free letter, and only when none is free may an earlier text move to another of its letters.
class LetterMatching {
  public:
    explicit LetterMatching(std::span<const std::string> texts) : texts_(texts), chosen_(texts.size()) {
        owner_.fill(-1);
        for (const auto& t : texts)
            candidates_.push_back(Candidates(t));
        for (std::size_t t = 0; t < texts.size(); ++t) {
            if (TakeFree(t)) continue;
            std::array<bool, 128> visited{};
            Augment(t, visited);
        }
    }
    std::optional<std::size_t> Chosen(std::size_t t) const { return chosen_[t]; }

  private:
    unsigned char Key(std::size_t t, std::size_t pos) const {
        return static_cast<unsigned char>(Folded(texts_[t][pos]));
    }
    void Assign(std::size_t t, std::size_t pos) {
        owner_[Key(t, pos)] = static_cast<int>(t);
        chosen_[t] = pos;
    }
    bool TakeFree(std::size_t t) {
        for (std::size_t pos : candidates_[t])
            if (owner_[Key(t, pos)] < 0) {
                Assign(t, pos);
                return true;
            }
        return false;
    }
    bool Augment(std::size_t t, std::array<bool, 128>& visited) {
        for (std::size_t pos : candidates_[t]) {
            const auto key = Key(t, pos);
            if (visited[key]) continue;
            visited[key] = true;
            const int other = owner_[key];
            if (other < 0 || Augment(static_cast<std::size_t>(other), visited)) {
                Assign(t, pos);
                return true;
            }
        }
        return false;
    }

    std::span<const std::string> texts_;
    std::vector<std::vector<std::size_t>> candidates_;
    std::vector<std::optional<std::size_t>> chosen_;
    std::array<int, 128> owner_{};
};

} // namespace

std::vector<std::string> WithMnemonics(std::span<const std::string> texts) {
    const LetterMatching matching(texts);
    std::vector<std::string> marked;
    marked.reserve(texts.size());
    for (std::size_t t = 0; t < texts.size(); ++t) {
        const std::string& text = texts[t];
        const auto letter = matching.Chosen(t);
        std::string out;
        out.reserve(text.size() + 2);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (letter && i == *letter) out += '&';
            if (text[i] == '&') out += '&';
            out += text[i];
        }
        marked.push_back(std::move(out));
    }
    return marked;
}

} // namespace tavrin
