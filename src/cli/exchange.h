// The title exchange commands of the FILES and TOOLS menus, for scripts. Each reads FILE (any
// version, converted on loading) and writes its result to OUT, leaving FILE as it is:
//   export-title FILE RECORD OUT.KXM    the title file of record RECORD (as `list` numbers it)
//   import-title FILE TITLE.KXM OUT [--today YYYY-MM-DD]
//   add-list FILE OTHER.KXT OUT [--today YYYY-MM-DD]    OTHER must be a version-5 collection
//   rebuild-index FILE OUT              the master order rebuilt from the title texts
//   import-table FILE TABLE OUT [--map JSON] [--today YYYY-MM-DD]
//                                       one title per row of a CSV or tab-separated table
//   import-catalogue FILE SOURCE OUT [--duplicates skip|keep] [--today YYYY-MM-DD] [--report REPORT.json]
//                                       the titles of another catalogue program's file, covers into
//                                       MEDIAS, what has no field into TEXT (TAVRIN_HOME as media does)
// A refusal prints the window's message and exits 1; bad usage exits 2. import-table prints
// the refused cells too, those of the first MaxRefusedRowsShown rows, then a count of the rest.
#pragma once

#include "cli/browse_input.h"
#include "cli/options.h"
#include "store/pictures/picture_codec.h"

#include <cstddef>
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
inline constexpr std::string_view ImportTableArguments[] = {"FILE", "TABLE", "OUT"};
inline constexpr Option MapOption{
    "--map", "JSON",
    "the field each column of TABLE fills, by header text: a JSON object as {\"Film\": \"Title\", "
    "\"Notes\": null}, fields named as dump prints them, null leaving a column out (other columns: "
    "by their headers)"};
inline constexpr Option ImportTableOptions[] = {MapOption, TodayOption};
inline constexpr Syntax ImportTableSyntax{ImportTableArguments, ImportTableOptions};
inline constexpr std::size_t MaxRefusedRowsShown = 20;
inline constexpr std::string_view ImportCatalogueArguments[] = {"FILE", "SOURCE", "OUT"};
inline constexpr Option DuplicatesOption{
    "--duplicates", "skip|keep",
    "what to do with a title whose text, year and medium match one already in the collection: skip "
    "(the default) leaves it out, keep imports it"};
inline constexpr Option ReportOption{"--report", "REPORT.json",
                                     "write the whole report (fields kept, approximated, moved to the review "
                                     "text; shortened texts; letters made plain) as JSON"};
inline constexpr Option ImportCatalogueOptions[] = {DuplicatesOption, TodayOption, ReportOption};
inline constexpr Syntax ImportCatalogueSyntax{ImportCatalogueArguments, ImportCatalogueOptions};

int RunExportTitle(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunImportTitle(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunAddList(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunRebuildIndex(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunImportTable(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
int RunImportCatalogue(std::span<const std::string_view> args, std::ostream& out, std::ostream& err,
                       const PictureCodec* codec = nullptr);

} // namespace tavrin::cli
