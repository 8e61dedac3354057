#include "cli/convert.h"

#include "cli/cli_files.h"

namespace tavrin::cli {

int RunConvert(std::span<const std::string_view> args, std::ostream&, std::ostream& err) {
    auto loaded = LoadForCli(std::filesystem::path(args[0]), err);
    if (!loaded) return ExitFailure;
    const auto written =
        WriteFileReplacing(std::filesystem::path(args[1]), SerializeCollection(loaded->collection));
    return written ? ExitOk : ReportFailure(err, written.error());
}

} // namespace tavrin::cli
