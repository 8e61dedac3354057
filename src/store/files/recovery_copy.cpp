#include "store/files/recovery_copy.h"

#include "store/files/collection_file.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace tavrin {
namespace {

std::filesystem::path CopyFile(const std::filesystem::path& folder, std::string_view id,
                               const char* extension) {
    std::filesystem::path p = folder / std::filesystem::path(std::u8string(id.begin(), id.end()));
    p += extension;
    return p;
}

// A file name is never longer than this: anything larger is not one of ours.
constexpr std::size_t NameFileLimit = 64 * 1024;

} // namespace

Expected<Done, FileFailure> MakeRecoveryFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!ec)
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace, ec);
    if (ec) return Unexpected{FileFailure{FileError::CannotWrite, PathText(folder), ec.message()}};
    return Done{};
}

Expected<Done, FileFailure> WriteRecoveryCopy(const Collection& c, const std::filesystem::path& folder,
                                              std::string_view id) {
    if (auto made = MakeRecoveryFolder(folder); !made) return made;
    // The name first: a copy found without its name file would be opened as a new collection.
    const std::string& name = c.CurrentFileName;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(name.data());
    const std::filesystem::path files[] = {CopyFile(folder, id, ".name"), CopyFile(folder, id, ".KXT")};
    if (auto written = WriteFileReplacing(files[0], {bytes, name.size()}); !written) return written;
    if (auto written = WriteCollectionCopy(c, files[1]); !written) return written;
    // A new file comes out as the umask makes it; the private folder hides it meanwhile, and a
    // copy written again keeps the mode of the one it replaces.
    for (const auto& file : files) {
        std::error_code ec;
        std::filesystem::permissions(file,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::replace, ec);
    }
    return Done{};
}

std::vector<RecoveryCopy> FindRecoveryCopies(const std::filesystem::path& folder) {
    std::vector<std::pair<std::filesystem::file_time_type, RecoveryCopy>> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::filesystem::path& p = entry.path();
        if (p.extension() != ".KXT" || !entry.is_regular_file(ec)) continue;
        const auto stem = p.stem().u8string();
        RecoveryCopy copy{std::string(stem.begin(), stem.end()), p, {}};
        if (auto name = ReadFileBytes(CopyFile(folder, copy.id, ".name"), NameFileLimit))
            copy.fileName.assign(name->begin(), name->end());
        found.emplace_back(entry.last_write_time(ec), std::move(copy));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<RecoveryCopy> copies;
    for (auto& [when, copy] : found)
        copies.push_back(std::move(copy));
    return copies;
}

void RemoveRecoveryCopy(const std::filesystem::path& folder, std::string_view id) {
    std::error_code ec;
    std::filesystem::remove(CopyFile(folder, id, ".KXT"), ec);
    std::filesystem::remove(CopyFile(folder, id, ".name"), ec);
}

} // namespace tavrin
