// tavrin-cli: scripts and checks collection files without the windows. Each subcommand is one row
// of the table below: its name, its arguments and the function that runs it.
#include "cli/catalogue.h"
#include "cli/cli_files.h"
#include "cli/convert.h"
#include "cli/dump.h"
#include "cli/exchange.h"
#include "cli/export.h"
#include "cli/from_json.h"
#include "cli/list.h"
#include "cli/media.h"
#include "cli/names.h"
#include "cli/stats.h"
#ifdef TAVRIN_CLI_PRINT
#include "cli/print.h"
#endif

#include <algorithm>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tavrin::cli;

struct Command {
    std::string_view name;
    std::string_view arguments; // as shown in the usage text
    std::size_t minArguments;   // options and their values count as arguments
    std::size_t maxArguments;
    std::string_view summary;
    int (*run)(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
};

constexpr Command Commands[] = {
    {"dump", "FILE", 1, 1, "print the collection as JSON (older versions as converted on loading)", RunDump},
    {"convert", "IN OUT", 2, 2, "read a collection of any version and write it as version KX5", RunConvert},
    {"list", "FILE [--filters JSON] [--today YYYY-MM-DD]", 1, 5,
     "print the titles the browse filters keep: record number, TAB, title", RunList},
    {"catalogue", "[--lang en|fr|de|it|fi]", 0, 2,
     "print every text of a language as JSON (English by default)", RunCatalogue},
    {"names", "ACTION FILE ...", 4, 6,
     "name lists: save FILE LETTER OUT, load FILE LISTFILE OUT, delete FILE LIST ENTRY OUT, "
     "rename FILE LIST ENTRY TEXT OUT, clean FILE LIST OUT [--medias DIR]",
     RunNames},
    {"from-json", "IN.json OUT.KXT", 2, 2,
     "write the collection that JSON in the form dump prints describes (names as text, dates as "
     "YYYY-MM-DD and left-out fields allowed)",
     RunFromJson},
    {"stats", "FILE --chart CHART [OPTIONS]", 3, 13,
     "print a statistics chart as JSON, or null when the window would not draw it; CHART: medium, ratio, "
     "genre, movie-mark, image-mark, sound-mark, mpaa, sound, standard, new-used, cav-clv, rsdl, zone or "
     "money; OPTIONS: --year Y, --month 0..12, --filters JSON, --today YYYY-MM-DD, --lang CODE",
     RunStats},
    {"price", "FILE [--filters JSON] [--today YYYY-MM-DD]", 1, 5,
     "print the price summary of the listed titles as JSON", RunPrice},
    {"export-title", "FILE RECORD OUT.KXM", 3, 3,
     "write the title file of a record (numbered as list prints it)", RunExportTitle},
    {"import-title", "FILE TITLE.KXM OUT [--today YYYY-MM-DD]", 3, 5,
     "append the title of a title file, its names re-linked", RunImportTitle},
    {"add-list", "FILE OTHER.KXT OUT [--today YYYY-MM-DD]", 3, 5,
     "append every title of a version-5 collection, its names re-linked", RunAddList},
    {"rebuild-index", "FILE OUT", 2, 2, "rebuild the master order from the title texts", RunRebuildIndex},
    {"export", "FILE --format text|tsv|html [REPORT OPTIONS] --out OUT", 5, 27,
     "write the browse list as the export window does, as text, spreadsheet text or HTML pages; REPORT "
     "OPTIONS: --details all|NAMES, --name TEXT, --filters JSON, --today YYYY-MM-DD, --lang en|fr|de|it|fi, "
     "--date-format PATTERN; for html also --multi-page, --frames, --image none|right|left, "
     "--text-color RRGGBB, --background RRGGBB, --background-image REF",
     RunExport},
#ifdef TAVRIN_CLI_PRINT
    {"print", "FILE [REPORT OPTIONS] --pdf OUT.pdf", 3, 15,
     "print the browse list as the export window does, into a PDF file", RunPrint},
#endif
    {"media", "FILE [--medias DIR]", 1, 3,
     "print every multimedia entry with its kind and whether its file is found, as JSON", RunMedia},
    {"picture", "IN OUT.ppm", 2, 2, "decode a TGA or PCX picture and write it as binary PPM", RunPicture},
};

void PrintUsage(std::ostream& out) {
    out << "Usage: tavrin-cli COMMAND ARGUMENTS\n"
           "       tavrin-cli --help\n\nCommands:\n";
    std::size_t width = 0;
    for (const auto& c : Commands)
        width = std::max(width, c.name.size() + 1 + c.arguments.size());
    for (const auto& c : Commands) {
        const std::string head = std::string(c.name) + " " + std::string(c.arguments);
        out << "  " << head << std::string(width + 2 - head.size(), ' ') << c.summary << '\n';
    }
    out << "\nExit status: 0 done, 1 a file could not be read, understood or written, 2 bad usage.\n";
}

int UsageError(std::string_view problem) {
    std::cerr << "tavrin-cli: " << problem << "\n\n";
    PrintUsage(std::cerr);
    return ExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) return UsageError("no command given");
    if (args[0] == "--help" || args[0] == "-h") {
        PrintUsage(std::cout);
        return ExitOk;
    }
    for (const auto& command : Commands) {
        if (args[0] != command.name) continue;
        const auto rest = std::span(args).subspan(1);
        if (rest.size() < command.minArguments || rest.size() > command.maxArguments)
            return UsageError(std::string(command.name) + " takes " + std::string(command.arguments));
        return command.run(rest, std::cout, std::cerr);
    }
    return UsageError("unknown command '" + std::string(args[0]) + "'");
}
