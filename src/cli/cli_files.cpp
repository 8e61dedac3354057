#include "cli/cli_files.h"

#include "lang/read_failure.h"
#include "store/text_encoding.h"

#include <system_error>

namespace tavrin::cli {

int Refuse(std::ostream& err, int code, std::string_view where, std::string_view problem) {
    err << "tavrin-cli: ";
    if (!where.empty()) err << where << ": ";
    err << problem << '\n';
    return code;
}

int RefuseAsTheWindows(std::ostream& err, Msg message) {
    return Refuse(err, ExitFailure, {}, MessageText(message, 0));
}

int ReportFailure(std::ostream& err, const FileFailure& failure) {
    std::string problem;
    switch (failure.error) {
    case FileError::NotFound:
        problem = "no such file";
        break;
    case FileError::Invalid:
        problem = MessageText(Msg::MsgInvalidFile, 0);
        break;
    case FileError::CannotWrite:
        problem = "cannot write the file";
        break;
    case FileError::CannotRead:
    case FileError::NotRegular:
    case FileError::TooLarge:
        // In the words of the windows, the file named in them.
        return Refuse(err, ExitFailure, {}, ReadFailureMessage(MessageCatalogue{}, failure));
    }
    if (!failure.detail.empty()) problem += " (" + failure.detail + ")";
    // The path even when it is empty, so that the line keeps its shape.
    err << "tavrin-cli: " << failure.path << ": " << problem << '\n';
    return ExitFailure;
}

int FinishOutput(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return ExitOk;
    return Refuse(err, ExitFailure, {}, "cannot write to the standard output");
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

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

} // namespace tavrin::cli
