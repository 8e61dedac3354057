// The multimedia commands of tavrin-cli:
//   media FILE [--medias DIR]   every multimedia entry as JSON: an array of objects, in entry
//                               order, {"entry": n, "name": "COVER.JPG", "kind": "picture" |
//                               "sound" | "video" | "music" | "none", "found": true | false}
//   picture IN OUT.ppm          a TGA or PCX file decoded by our own readers, written as binary
//                               PPM; exit 1 with a message when it cannot be decoded
// The folder defaults to the program's MEDIAS as the program finds it (DefaultMediasFolder).
#pragma once

#include <filesystem>
#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

// TAVRIN_HOME/MEDIAS when TAVRIN_HOME is set; else MEDIAS beside the programs when that folder
// can be written; else MEDIAS in the user's data folder ($XDG_DATA_HOME or ~/.local/share, then
// Tavrin), as the windows find it.
std::filesystem::path DefaultMediasFolder();

int RunMedia(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunPicture(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
