#include "cli/media.h"

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

std::filesystem::path EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

ProgramFolders ProgramFoldersAsFound() {
    const std::filesystem::path tavrinHome = EnvironmentPath("TAVRIN_HOME");
    std::error_code ec;
    const std::filesystem::path programDir =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
#ifdef _WIN32
    const std::filesystem::path userData = EnvironmentPath("APPDATA") / "Tavrin";
#else
    std::filesystem::path dataHome = EnvironmentPath("XDG_DATA_HOME");
    if (dataHome.empty()) dataHome = EnvironmentPath("HOME") / ".local" / "share";
    const std::filesystem::path userData = dataHome / "Tavrin";
#endif
    const bool programDirWritable = tavrinHome.empty() && !programDir.empty() && IsWritableFolder(programDir);
    return FoldersUnder(ChooseProgramHome(tavrinHome.empty() ? std::nullopt : std::optional(tavrinHome),
                                          programDir, programDirWritable, userData));
}

int RunMedia(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const auto parsed = ParseArgs(MediaSyntax, args);
    if (!parsed) return Refuse(err, ExitUsage, {}, TakesText("media", MediaSyntax));
    const auto medias = parsed->Value(MediasOption.name);
    const std::filesystem::path folder =
        medias ? std::filesystem::path(*medias) : ProgramFoldersAsFound().medias;
    auto loaded = LoadForCli(std::filesystem::path(parsed->positionals[0]), err);
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
    if (SameFile(in, out))
        return Refuse(err, ExitUsage, "picture",
                      "OUT names the file read; write the picture to another file");
    const auto picture = LoadPictureFile(in);
    if (!picture) {
        if (picture.error().error == FileError::Invalid)
            return Refuse(err, ExitFailure, picture.error().path,
                          "not a TGA or PCX picture that can be decoded");
        return ReportFailure(err, picture.error());
    }
    const auto written = WriteFileReplacing(out, PortablePixmap(*picture));
    return written ? ExitOk : ReportFailure(err, written.error());
}

} // namespace tavrin::cli
