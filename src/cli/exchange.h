// The title exchange commands of the FILES and TOOLS menus, for scripts. Each reads FILE (any
// version, converted on loading) and writes its result to OUT, leaving FILE as it is:
//   export-title FILE RECORD OUT.KXM    the title file of record RECORD (as `list` numbers it)
//   import-title FILE TITLE.KXM OUT [--today YYYY-MM-DD]
//   add-list FILE OTHER.KXT OUT [--today YYYY-MM-DD]    OTHER must be a version-5 collection
//   rebuild-index FILE OUT              the master order rebuilt from the title texts
// A refusal prints the window's message and exits 1; bad usage exits 2.
#pragma once

#include "cli/browse_input.h"
#include "cli/options.h"

#include <ostream>
#include <span>
#include <string_view>

namespace tavrin::cli {

inline constexpr std::string_view ExportTitleArguments[] = {"FILE", "RECORD", "OUT.KXM"};
inline constexpr Syntax ExportTitleSyntax{ExportTitleArguments};
inline constexpr std::string_view ImportTitleArguments[] = {"FILE", "TITLE.KXM", "OUT"};
inline constexpr std::string_view AddListArguments[] = {"FILE", "OTHER.KXT", "OUT"};
inline constexpr Option TodayOnly[] = {TodayOption};
inline constexpr Syntax ImportTitleSyntax{ImportTitleArguments, TodayOnly};
inline constexpr Syntax AddListSyntax{AddListArguments, TodayOnly};
inline constexpr std::string_view RebuildIndexArguments[] = {"FILE", "OUT"};
inline constexpr Syntax RebuildIndexSyntax{RebuildIndexArguments};

int RunExportTitle(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunImportTitle(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunAddList(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunRebuildIndex(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

} // namespace tavrin::cli
