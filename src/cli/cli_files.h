// What every subcommand shares: exit codes, refusals, loading a collection and reporting file
// failures.
#pragma once

#include "lang/catalogue.h"
#include "store/files/collection_file.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string_view>

namespace tavrin::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailure = 1; // a file could not be read, understood or written
inline constexpr int ExitUsage = 2;   // the command line itself is wrong

// Every refusal is one line "tavrin-cli: WHERE: PROBLEM" ("tavrin-cli: PROBLEM" without a
// where: a command, a file); gives code, the exit status it ends with.
int Refuse(std::ostream& err, int code, std::string_view where, std::string_view problem);

// A refusal in the words of the windows, the English catalogue text: ExitFailure.
int RefuseAsTheWindows(std::ostream& err, Msg message);

// Writes one line naming the file and what went wrong with it: ExitFailure.
int ReportFailure(std::ostream& err, const FileFailure& failure);

// Flushes what a command printed; a failed write (a full disk, a closed pipe) is reported and
// gives ExitFailure instead of a success.
int FinishOutput(std::ostream& out, std::ostream& err);

// Loads any version of a collection file, older ones converted with the English default
// publisher list; on failure reports it on err and gives nothing.
std::optional<LoadedCollection> LoadForCli(const std::filesystem::path& path, std::ostream& err);

// True when both name the same existing file: the commands never write over what they read.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

} // namespace tavrin::cli
