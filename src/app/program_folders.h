// Where the program keeps its TEXT and MEDIAS folders.
#pragma once

#include <filesystem>
#include <optional>

namespace tavrin {

struct ProgramFolders {
    std::filesystem::path home;
    std::filesystem::path text;   // home/TEXT: review texts
    std::filesystem::path medias; // home/MEDIAS: multimedia files
};

// TAVRIN_HOME when set, else the program's own folder when it can be written, else the user's
// data folder.
std::filesystem::path ChooseProgramHome(const std::optional<std::filesystem::path>& tavrinHome,
                                        const std::filesystem::path& programDir, bool programDirWritable,
                                        const std::filesystem::path& userDataDir);

ProgramFolders FoldersUnder(const std::filesystem::path& home);

// True when a file can be created in dir (tried, then removed).
bool IsWritableFolder(const std::filesystem::path& dir);

// Creates home, TEXT and MEDIAS where missing; false when any of them cannot be made.
bool CreateProgramFolders(const ProgramFolders& folders);

} // namespace tavrin
