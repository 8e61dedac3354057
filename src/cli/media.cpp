#include "cli/media.h"

#include "app/program_folders.h"
#include "cli/cli_files.h"
#include "editing/media_files.h"
#include "store/pictures/picture_file.h"
#include "store/text_encoding.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

namespace tavrin::cli {
namespace {

using Json = nlohmann::ordered_json;

std::filesystem::path EnvPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

std::filesystem::path DefaultMediasFolder() {
    const std::filesystem::path home = EnvPath("TAVRIN_HOME");
    std::error_code ec;
    const std::filesystem::path programDir =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    std::filesystem::path dataDir = EnvPath("XDG_DATA_HOME");
    if (dataDir.empty()) dataDir = EnvPath("HOME") / ".local" / "share";
    const bool programDirWritable = home.empty() && !programDir.empty() && IsWritableFolder(programDir);
    return FoldersUnder(ChooseProgramHome(home.empty() ? std::nullopt : std::optional(home), programDir,
                                          programDirWritable, dataDir / "Tavrin"))
        .medias;
}

int RunMedia(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    std::filesystem::path folder;
    if (args.size() == 3 && args[1] == "--medias") {
        folder = std::filesystem::path(args[2]);
    } else if (args.size() == 1) {
        folder = DefaultMediasFolder();
    } else {
        err << "tavrin-cli: media takes FILE [--medias DIR]\n";
        return ExitUsage;
    }
    auto loaded = LoadForCli(std::filesystem::path(args[0]), err);
    if (!loaded) return ExitFailure;
    Json entries = Json::array();
    int entry = 0;
    for (const auto& name : loaded->collection.List(ListId::Media)) {
        Json e = Json::object();
        e["entry"] = entry++;
        e["name"] = Cp1252ToUtf8(name);
        e["kind"] = KindWord(KindOfMedia(name));
        e["found"] = FindMediaFile(folder, name).has_value();
        entries.push_back(std::move(e));
    }
    out << entries.dump(2) << '\n';
    return FinishOutput(out, err);
}

int RunPicture(std::span<const std::string_view> args, std::ostream&, std::ostream& err) {
    const std::filesystem::path in(args[0]), out(args[1]);
    std::error_code ec;
    if (std::filesystem::equivalent(in, out, ec)) {
        err << "tavrin-cli: picture: OUT names the file read; write the picture to another file\n";
        return ExitUsage;
    }
    const auto picture = LoadPictureFile(in);
    if (!picture) {
        if (picture.error().error == FileError::Invalid)
            err << "tavrin-cli: " << picture.error().path
                << ": not a TGA or PCX picture that can be decoded\n";
        else
            ReportFailure(err, picture.error());
        return ExitFailure;
    }
    const auto written = WriteFileReplacing(out, PortablePixmap(*picture));
    if (!written) {
        ReportFailure(err, written.error());
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace tavrin::cli
