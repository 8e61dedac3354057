// What every subcommand shares: exit codes, loading a collection and reporting file failures.
#pragma once

#include "store/files/collection_file.h"

#include <filesystem>
#include <optional>
#include <ostream>

namespace tavrin::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1; // a file could not be read, understood or written
inline constexpr int ExitUsage = 2;   // the command line itself is wrong

// Writes one line naming the file and what went wrong with it.
void ReportFailure(std::ostream& err, const FileFailure& failure);

// Loads any version of a collection file, older ones converted with the English default
// publisher list; on failure reports it on err and gives nothing.
// Flushes what a command printed; a failed write (a full disk, a closed pipe) is reported and
// gives ExitFailure instead of a success.
int FinishOutput(std::ostream& out, std::ostream& err);

std::optional<LoadedCollection> LoadForCli(const std::filesystem::path& path, std::ostream& err);

} // namespace tavrin::cli
