// The message for a file that could not be written, in the catalogue's language.
#pragma once

#include "lang/catalogue.h"
#include "store/files/file_access.h"

#include <string>

namespace tavrin {

// "Could not write NAME: REASON. The file on disk is unchanged.": the file named by the failure
// (the backup, when that is what could not be kept) and the system's reason. A copy's source that
// could not be read gives the read message (read_failure.h).
std::string WriteFailureMessage(const MessageCatalogue& catalogue, const FileFailure& failure);

} // namespace tavrin
