// The small texts of the HTML pages: colours as the pages write them, row shades, and the two
// ways a text from the collection is made safe for a page (as page text, and as a reference).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrin {

// A colour as the colour dialog keeps it: red in the low byte, blue in the high byte.
using StoredColour = std::uint32_t;
inline constexpr StoredColour BlackColour = 0x000000;
inline constexpr StoredColour WhiteColour = 0xFFFFFF;

constexpr StoredColour ColourFromRgb(int red, int green, int blue) {
    return static_cast<StoredColour>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}

// Six lower-case hexadecimal digits in red, green, blue order ("ff0000" for red).
std::string HtmlColour(StoredColour colour);

// The shade of the background for a table row: the high digit of each channel lowered by step
// (1, 2 or 3), a letter digit that falls below "a" becoming "9" and a digit below "0" becoming
// "0"; black stays black. White gives efefef, dfdfdf, cfcfcf.
std::string RowShade(StoredColour background, int step);

// 8-bit text with &, <, > and " written as character references.
std::string HtmlEscape(std::string_view text);
void AppendHtmlEscaped(std::string& out, std::string_view text);

// A file name (Windows-1252) as a relative HREF or SRC: its UTF-8 bytes, every byte but letters,
// digits, "-", ".", "_" and "~" percent-encoded, so "#", "?", "%", blanks and accented letters
// reach the file of that name.
std::string FileReference(std::string_view cp1252Name);

// A reference the user typed (a picture path or address, Windows-1252): kept as typed except
// for the bytes no address may hold (blanks, control characters, bytes above 127, quotes,
// angle brackets), which are percent-encoded as UTF-8; then escaped for the page.
std::string TypedReference(std::string_view cp1252Reference);

} // namespace tavrin
