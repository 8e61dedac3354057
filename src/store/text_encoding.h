// Texts in records and files are 8-bit Windows-1252. This is the one converter between that and
// UTF-8 (what the windows and the command line speak), and the one upper-casing rule.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

std::string Cp1252ToUtf8(std::string_view text);
// Characters with no Windows-1252 form become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view text);
// The Windows-1252 byte of a code point; -1 when the code page has none.
int Cp1252FromCodePoint(char32_t cp);

// Upper case of one Windows-1252 character: a..z, the accented letters (é to É), š, œ, ž, ÿ.
char UpperCp1252(char c);
std::string UpperCp1252(std::string_view text);

} // namespace tavrin
