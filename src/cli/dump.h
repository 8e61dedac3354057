// `tavrin-cli dump FILE`: a collection as JSON, for reading, scripting and diffing.
#pragma once

#include "cli/options.h"
#include "store/files/collection_file.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

// The collection with its keys in a fixed order, so two dumps diff line by line:
//   "version": the three magic bytes as read ("KXT", "KX2" .. "KX5"),
//   "titles":  one object per record in record-number order, every field of the record under its
//              name in offset order, numbers as stored (flags as their byte, references and the
//              whole 16-bit Publisher raw, dates as day numbers), Title as UTF-8, Reserved as 24
//              lower-case hex digits, Price as the shortest decimal that reads back as the same
//              32-bit float ("NaN", "Infinity" or "-Infinity" as strings when it is not finite),
//   "lists":   "DirectorList" .. "MediaList", each an array of UTF-8 names in entry-number order,
//   "order":   the master order, record numbers in display order.
// Older versions are shown as loading converts them.
nlohmann::ordered_json CollectionJson(const LoadedCollection& loaded);
// The same JSON as CollectionJson(loaded).dump(2) and a line end, byte for byte, written to out
// as it is made: the memory it needs does not grow with the collection.
void WriteCollectionJson(const LoadedCollection& loaded, std::ostream& out);

inline constexpr Syntax DumpSyntax{FileArgument};

int RunDump(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
