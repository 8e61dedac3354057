#include "app/program_folders.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace tavrin {

std::filesystem::path ChooseProgramHome(const std::optional<std::filesystem::path>& tavrinHome,
                                        const std::filesystem::path& programDir, bool programDirWritable,
                                        const std::filesystem::path& userDataDir) {
    if (tavrinHome && !tavrinHome->empty()) return *tavrinHome;
    return programDirWritable ? programDir : userDataDir;
}

ProgramFolders FoldersUnder(const std::filesystem::path& home) { return {home, home / "TEXT", home / "MEDIAS"}; }

bool IsWritableFolder(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) return false;
    std::random_device rd;
    const auto probe = dir / (".tavrin-write-test-" + std::to_string(rd()));
    bool ok = false;
    {
        std::ofstream f(probe, std::ios::binary);
        ok = f.good() && (f << 'x').good();
    }
    std::filesystem::remove(probe, ec);
    return ok;
}

bool CreateProgramFolders(const ProgramFolders& folders) {
    bool ok = true;
    for (const auto& dir : {folders.home, folders.text, folders.medias}) {
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
        ok = ok && std::filesystem::is_directory(dir, ec);
    }
    return ok;
}

} // namespace tavrin
