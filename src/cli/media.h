// The multimedia commands of tavrin-cli:
//   media FILE [--medias DIR]   every multimedia entry as JSON: an array of objects, in entry
//                               order, {"entry": n, "name": "COVER.JPG", "kind": "picture" |
//                               "sound" | "video" | "music" | "none", "found": true | false}
//   picture IN OUT.ppm          a TGA or PCX file decoded by our own readers, written as binary
//                               PPM; exit 1 with a message when it cannot be decoded
// The folder defaults to the program's MEDIAS as the program finds it.
#pragma once

#include "app/program_folders.h"
#include "cli/options.h"

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

// The program's TEXT and MEDIAS folders as the windows find them: under TAVRIN_HOME when it is
// set; else beside the programs when that folder can be written; else in the user's data folder
// (%APPDATA%\Tavrin on Windows, $XDG_DATA_HOME or ~/.local/share, then Tavrin, elsewhere).
ProgramFolders ProgramFoldersAsFound();

inline constexpr Option MediasOption{"--medias", "DIR",
                                     "the multimedia folder (the program's MEDIAS folder by default)"};

inline constexpr Option MediaOptions[] = {MediasOption};
inline constexpr Syntax MediaSyntax{FileArgument, MediaOptions};
inline constexpr std::string_view PictureArguments[] = {"IN", "OUT.ppm"};
inline constexpr Syntax PictureSyntax{PictureArguments};

int RunMedia(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunPicture(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
