#include "cli/cli_files.h"

#include "lang/catalogue.h"
#include "store/text_encoding.h"

namespace tavrin::cli {

void ReportFailure(std::ostream& err, const FileFailure& failure) {
    err << "tavrin-cli: " << failure.path << ": ";
    switch (failure.error) {
    case FileError::NotFound:
        err << "no such file";
        break;
    case FileError::CannotRead:
        err << "cannot read the file";
        break;
    case FileError::Invalid:
        err << MessageText(Msg::MsgInvalidFile, 0);
        break;
    case FileError::CannotWrite:
        err << "cannot write the file";
        break;
    }
    if (!failure.detail.empty()) err << " (" << failure.detail << ")";
    err << '\n';
}

int FinishOutput(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return ExitOk;
    err << "tavrin-cli: cannot write to the standard output\n";
    return ExitFailure;
}

std::optional<LoadedCollection> LoadForCli(const std::filesystem::path& path, std::ostream& err) {
    // The companion has no language setting: converted files get the English word.
    const std::string other = Utf8ToCp1252(MessageText(Msg::MsgOther, 0));
    auto loaded = LoadCollectionFile(path, other);
    if (!loaded) {
        ReportFailure(err, loaded.error());
        return std::nullopt;
    }
    return std::move(loaded).value();
}

} // namespace tavrin::cli
