// The user's date conventions, from the platform's locale.
#pragma once

#include <string>

namespace tavrin {

// The system's short date format as a pattern of d, dd, M, MM, yy and yyyy with the separators
// as they are (8-bit): "dd/MM/yyyy", "M/d/yy". Quoted text loses its quotes.
std::string SystemShortDatePattern();

} // namespace tavrin
