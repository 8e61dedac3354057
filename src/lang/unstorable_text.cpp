#include "lang/unstorable_text.h"

#include "lang/catalogue.h"
#include "store/text_encoding.h"

namespace tavrin {
namespace {

// The catalogue's %1 and %2 filled in one pass, so a field or a character holding "%2" stays as is.
std::string Fill(std::string_view pattern, std::string_view first, std::string_view second) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            out += pattern[++i] == '1' ? first : second;
            continue;
        }
        out.push_back(pattern[i]);
    }
    return out;
}

} // namespace

std::string UnstorableTextMessage(std::string_view field, std::string_view text, int language) {
    const auto characters = UnstorableCharacters(text);
    if (characters.empty()) return {};
    const Msg m = characters.size() == 1 ? Msg::MsgCannotStoreCharacter : Msg::MsgCannotStoreCharacters;
    // Both echo what was typed or imported: a header or a text of any length stays readable.
    return Fill(MessageText(m, language), EchoedText(field),
                EchoedText(CharacterList(characters, MessageText(Msg::MsgListAnd, language))));
}

} // namespace tavrin
