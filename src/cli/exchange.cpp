#include "cli/exchange.h"

#include "app/program_folders.h"
#include "cli/cli_files.h"
#include "cli/list.h"
#include "cli/media.h"
#include "editing/name_list_operations.h"
#include "editing/open_collection.h"
#include "exchange/catalogue_file.h"
#include "exchange/catalogue_import.h"
#include "exchange/table_import.h"
#include "lang/catalogue.h"
#include "reports/table_columns.h"
#include "store/files/table_reader.h"
#include "store/text_encoding.h"
#include "store/title_exchange.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tavrin::cli {
namespace {

int Refused(std::ostream& err, const ExchangeRefusal& refusal) {
    return RefuseAsTheWindows(err, refusal.error == StoreError::CollectionFull
                                       ? Msg::MsgAmazingCollectionButI
                                       : ListFullMessage(refusal.list));
}

int Write(std::string_view out, std::span<const std::uint8_t> bytes, std::ostream& err) {
    const auto written = WriteFileReplacing(std::filesystem::path(out), bytes);
    return written ? ExitOk : ReportFailure(err, written.error());
}

// FILE read for a command that writes OUT: refused as bad usage when OUT names FILE, and
// reported when FILE cannot be read; the error is the exit status.
Expected<LoadedCollection, int> ReadInput(std::string_view file, std::string_view out,
                                          std::string_view command, std::ostream& err) {
    if (SameFile(std::filesystem::path(file), std::filesystem::path(out)))
        return Unexpected(Refuse(err, ExitUsage, command, "OUT names the file read; write to another file"));
    auto loaded = LoadForCli(std::filesystem::path(file), err);
    if (!loaded) return Unexpected(ExitFailure);
    return std::move(*loaded);
}

// FILE, TITLE-or-OTHER, OUT and --today: the options read first, then FILE as ReadInput does.
Expected<LoadedCollection, int> ReadInputAndToday(const Syntax& syntax, Args a, std::string_view command,
                                                  std::ostream& err, std::optional<DayNumber>& today) {
    const auto parsed = ParseArgs(syntax, a, TodayReader(today));
    if (!parsed)
        return Unexpected(Refuse(err, ExitUsage, command, FaultText(parsed.error(), FaultWords::Plain)));
    return ReadInput(a[0], a[2], command, err);
}

// A --map choice by header text (Windows-1252, as the table's cells).
struct NamedChoice {
    std::string header;
    std::optional<TableField> field;
};

// Reads --map into choices, in the order given (a later choice of a field wins); gives the problem
// with the value, if any.
std::optional<std::string> ReadMap(std::string_view value, std::vector<NamedChoice>& choices) {
    const auto doc = nlohmann::ordered_json::parse(value, nullptr, false);
    if (doc.is_discarded() || !doc.is_object())
        return "--map is not a JSON object from header text to field name";
    for (const auto& [header, name] : doc.items()) {
        NamedChoice choice{Utf8ToCp1252(header), std::nullopt};
        if (name.is_string()) {
            choice.field = TableFieldFromName(name.get<std::string>());
            if (!choice.field) return "--map: \"" + name.get<std::string>() + "\" is not a field name";
        } else if (!name.is_null()) {
            return "--map: the field of \"" + header + "\" is neither a field name nor null";
        }
        choices.push_back(std::move(choice));
    }
    return std::nullopt;
}

// A column's header as the messages name it (UTF-8): an empty one by its number, as a spreadsheet
// numbers it.
std::string HeaderText(const Table& table, std::size_t column) {
    const std::string header = Cp1252ToUtf8(table.Cell(0, column));
    return header.find_first_not_of(" \t") == std::string::npos ? "#" + std::to_string(column + 1) : header;
}

// The window's message, then every refused cell of the first rows, one a line, and how many rows
// more were refused: ExitFailure.
int RefusedTable(std::ostream& err, const Table& table, const ColumnMapping& mapping,
                 const TableImportRefusal& refusal) {
    RefuseAsTheWindows(err, TableImportMessage(refusal));
    std::size_t rows = 0;
    std::size_t lastRow = 0;
    for (const RefusedCell& cell : refusal.cells) {
        if (cell.row != lastRow) ++rows;
        lastRow = cell.row;
        if (rows > MaxRefusedRowsShown) continue;
        const std::string header = EchoedText(HeaderText(table, cell.column));
        err << "  row " << cell.row << ", column \"" << header
            << "\": " << RefusedCellReason(cell, header, 0, mapping[cell.column]) << '\n';
    }
    if (rows > MaxRefusedRowsShown) err << "  and " << rows - MaxRefusedRowsShown << " more rows refused\n";
    return ExitFailure;
}

} // namespace

int RunExportTitle(Args a, std::ostream&, std::ostream& err) { // FILE RECORD OUT.KXM
    constexpr std::string_view command = "export-title";
    std::size_t record = 0;
    const auto [end, ec] = std::from_chars(a[1].data(), a[1].data() + a[1].size(), record);
    if (ec != std::errc{} || end != a[1].data() + a[1].size())
        return Refuse(err, ExitUsage, command, "RECORD '" + std::string(a[1]) + "' is not a record number");
    auto loaded = ReadInput(a[0], a[2], command, err);
    if (!loaded) return loaded.error();
    Collection& c = loaded->collection;
    if (record >= c.Count()) return RefuseAsTheWindows(err, Msg::MsgChooseATitleFirst);
    return Write(a[2], ExportTitle(c, record), err);
}

int RunImportTitle(Args a, std::ostream&, std::ostream& err) { // FILE TITLE.KXM OUT [--today DAY]
    constexpr std::string_view command = "import-title";
    std::optional<DayNumber> today;
    auto loaded = ReadInputAndToday(ImportTitleSyntax, a, command, err, today);
    if (!loaded) return loaded.error();
    Collection& c = loaded->collection;
    if (c.Count() >= TitleCapacity) return RefuseAsTheWindows(err, Msg::MsgAmazingCollectionButI);
    const auto title = LoadTitleFile(std::filesystem::path(a[1]));
    if (!title) return ReportFailure(err, title.error());
    if (const auto imported = ImportTitle(c, *title, today.value_or(SystemToday())); !imported)
        return Refused(err, imported.error());
    return Write(a[2], SerializeCollection(c), err);
}

int RunAddList(Args a, std::ostream&, std::ostream& err) { // FILE OTHER.KXT OUT [--today DAY]
    constexpr std::string_view command = "add-list";
    std::optional<DayNumber> today;
    auto loaded = ReadInputAndToday(AddListSyntax, a, command, err, today);
    if (!loaded) return loaded.error();
    Collection& c = loaded->collection;
    auto other = LoadForCli(std::filesystem::path(a[1]), err);
    if (!other) return ExitFailure;
    // Only the current version is merged; Open reads the older ones.
    if (other->version != '5')
        return ReportFailure(err, FileFailure{FileError::Invalid, PathText(std::filesystem::path(a[1])), {}});
    if (const auto merged = MergeCollection(c, std::move(other->collection)); !merged)
        return Refused(err, merged.error());
    // --today only moves the earliest purchase date the window shows, which files do not hold.
    return Write(a[2], SerializeCollection(c), err);
}

int RunRebuildIndex(Args a, std::ostream&, std::ostream& err) { // FILE OUT
    constexpr std::string_view command = "rebuild-index";
    auto loaded = ReadInput(a[0], a[1], command, err);
    if (!loaded) return loaded.error();
    RebuildIndex(loaded->collection);
    return Write(a[1], SerializeCollection(loaded->collection), err);
}

int RunImportTable(Args a, std::ostream&, std::ostream& err) { // FILE TABLE OUT [--map JSON] [--today DAY]
    constexpr std::string_view command = "import-table";
    std::optional<DayNumber> today;
    std::vector<NamedChoice> named;
    const OptionReader readToday = TodayReader(today);
    const auto parsed =
        ParseArgs(ImportTableSyntax, a,
                  [&](std::string_view option, std::string_view value) -> std::optional<std::string> {
                      if (option == MapOption.name) return ReadMap(value, named);
                      return readToday(option, value);
                  });
    if (!parsed) return Refuse(err, ExitUsage, command, FaultText(parsed.error(), FaultWords::Plain));
    auto loaded = ReadInput(a[0], a[2], command, err);
    if (!loaded) return loaded.error();

    const std::filesystem::path tablePath(a[1]);
    const auto bytes = ReadTableFile(tablePath);
    if (!bytes) return ReportFailure(err, bytes.error());
    const auto table = ReadTable(*bytes);
    if (!table) {
        std::string problem(MessageText(TableFailureMessage(table.error()), 0));
        if (table.error().error == TableError::UnclosedQuote)
            problem += " (row " + std::to_string(table.error().row) + ")";
        return Refuse(err, ExitFailure, PathText(tablePath), problem);
    }
    std::vector<ColumnChoice> choices;
    for (const NamedChoice& choice : named) {
        const auto columns = ColumnsNamed(*table, choice.header);
        // A header misspelt in --map would otherwise leave its column quietly mapped by its name.
        if (columns.empty())
            return Refuse(err, ExitUsage, command,
                          "--map: TABLE has no column \"" + EchoedText(Cp1252ToUtf8(choice.header)) + "\"");
        for (const std::size_t column : columns)
            choices.push_back({column, choice.field});
    }

    Collection& c = loaded->collection;
    const ColumnMapping mapping = MapColumns(*table, choices);
    for (const std::size_t column : IgnoredColumns(mapping))
        err << "tavrin-cli: column \"" << HeaderText(*table, column) << "\" is not imported\n";
    const auto imported = ImportTable(c, *table, mapping, today.value_or(SystemToday()));
    if (!imported) return RefusedTable(err, *table, mapping, imported.error());
    for (const TableWarning& warning : imported->warnings)
        err << "tavrin-cli: " << TableWarningText(warning, HeaderText(*table, warning.column), 0) << '\n';
    return Write(a[2], SerializeCollection(c), err);
}

int RunImportCatalogue(Args a, std::ostream&, std::ostream& err, const PictureCodec* codec) {
    constexpr std::string_view command = "import-catalogue";
    std::optional<DayNumber> today;
    bool keep = false;
    std::optional<std::string> reportFile;
    const OptionReader readToday = TodayReader(today);
    const auto parsed =
        ParseArgs(ImportCatalogueSyntax, a,
                  [&](std::string_view option, std::string_view value) -> std::optional<std::string> {
                      if (option == DuplicatesOption.name) {
                          if (value != "skip" && value != "keep") return "--duplicates takes skip or keep";
                          keep = value == "keep";
                          return std::nullopt;
                      }
                      if (option == ReportOption.name) {
                          reportFile = std::string(value);
                          return std::nullopt;
                      }
                      return readToday(option, value);
                  });
    if (!parsed) return Refuse(err, ExitUsage, command, FaultText(parsed.error(), FaultWords::Plain));
    auto loaded = ReadInput(a[0], a[2], command, err);
    if (!loaded) return loaded.error();

    const std::filesystem::path sourcePath(a[1]);
    const auto bytes = ReadCatalogueFile(sourcePath);
    if (!bytes) return ReportFailure(err, bytes.error());
    const auto source = ReadCatalogueBytes(*bytes);
    if (!source)
        return Refuse(err, ExitFailure, command,
                      CatalogueFailureText(source.error(), PathText(sourcePath.filename()), 0));

    OpenCollection open(std::move(loaded->collection));
    CatalogueImportOptions options;
    options.keepDuplicates = keep;
    options.today = today.value_or(SystemToday());
    options.sourceFolder =
        sourcePath.parent_path().empty() ? std::filesystem::path(".") : sourcePath.parent_path();
    CataloguePlan plan = PlanCatalogueImport(open.Data(), *source, options);
    const ProgramFolders folders = ProgramFoldersAsFound();
    if (plan.report.imported > 0) {
        if (!CreateProgramFolders(folders))
            return Refuse(err, ExitFailure, command,
                          "cannot make the folders under " + PathText(folders.home));
        const auto done = ImportCatalogue(open, plan, ImportFolders{folders.text, folders.medias},
                                          codec ? *codec : PictureCodec{}, std::nullopt);
        if (!done) {
            const auto& refusal = done.error();
            if (refusal.error == CatalogueImportError::FileNotWritten)
                return Refuse(err, ExitFailure, command, refusal.detail);
            return RefuseAsTheWindows(err, CatalogueImportMessage(refusal));
        }
    }
    if (const int written = Write(a[2], SerializeCollection(open.Data()), err); written != ExitOk)
        return written;
    if (reportFile) {
        const std::string json = CatalogueReportJson(plan.report);
        const auto saved =
            WriteFileReplacing(std::filesystem::path(*reportFile),
                               {reinterpret_cast<const std::uint8_t*>(json.data()), json.size()});
        if (!saved) return ReportFailure(err, saved.error());
    }
    err << CatalogueSummary(plan.report) << '\n';
    return ExitOk;
}

} // namespace tavrin::cli
