// The cover of a title, as the cover grid shows it: the title's first multimedia file when that
// is a picture; and the cover sizes the grid steps through.
#pragma once

#include "store/collection.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// True for a name whose extension is one of the picture formats the program reads (BMP, JPG,
// JPEG, GIF, PNG, TGA, PCX), without regard to case.
bool IsCoverPictureName(std::string_view name);

// The entry name (8-bit) of record r's cover: the first of its four slots that names a file,
// when that file is a picture. Nothing for a title without multimedia files or whose first one
// is a sound, music or video file.
std::optional<std::string> CoverEntry(const Collection& c, std::size_t r);

// The sides of the covers, in pixels, smallest first; Ctrl + wheel and Ctrl +/- step through them.
inline constexpr std::array<int, 7> CoverSides{64, 96, 128, 160, 192, 224, 256};
inline constexpr int DefaultCoverSide = 128;

// The stored "Cover Size": the side it names when that is one of CoverSides, else the default
// (an empty text, from a store that never saw the grid, included).
int CoverSideFromText(std::string_view text);
// The side steps larger (positive) or smaller (negative) sides from side, kept within the sides.
int StepCoverSide(int side, int steps);

} // namespace tavrin
