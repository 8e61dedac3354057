// The recovery copy of an open collection: while it has changes not saved, the program keeps a
// copy of it in the recovery folder, so that a crash loses at most the time between two copies.
// A copy is two files named after the program run that keeps them: ID.KXT, the collection as a
// collection file, and ID.name, the name of the collection's own file (UTF-8; empty for a new
// collection never saved).
#pragma once

#include "store/collection.h"
#include "store/expected.h"
#include "store/files/file_access.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

struct RecoveryCopy {
    std::string id;
    std::filesystem::path collection; // ID.KXT
    std::string fileName;             // the collection's own file, empty when it has none
};

// Creates the recovery folder, or makes an existing one private again: the copies hold the
// collector's data, so the folder is the owner's alone (0700) whatever the umask.
Expected<Done, FileFailure> MakeRecoveryFolder(const std::filesystem::path& folder);
// Writes (replaces) the copy with this id, making the folder as above; its files are the owner's
// alone too (0600). The collection is only read.
Expected<Done, FileFailure> WriteRecoveryCopy(const Collection& c, const std::filesystem::path& folder,
                                              std::string_view id);
// The copies in the folder, the most recent first; none when the folder does not exist.
std::vector<RecoveryCopy> FindRecoveryCopies(const std::filesystem::path& folder);
// Removes both files of a copy; a copy that is not there is no failure.
void RemoveRecoveryCopy(const std::filesystem::path& folder, std::string_view id);

} // namespace tavrin
