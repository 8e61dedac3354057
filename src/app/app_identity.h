// The program's name and version as the windows show them.
#pragma once

namespace tavrin {

inline constexpr const char* ApplicationTitle = "TAVRIN";
inline constexpr const char* ApplicationVersion = "2.91.3 (Beta)";
inline constexpr const char* MainWindowCaption = "TAVRIN V2.91.3 (Beta)";
inline constexpr const char* ApplicationCredits = "The Tavrin developers";

} // namespace tavrin
