#include "editing/media_files.h"

#include "store/review_files.h"
#include "store/text_encoding.h"
#include "store/title_fields.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace tavrin {
namespace {

constexpr std::array<std::pair<std::string_view, MediaKind>, 11> Kinds{{
    {"GIF", MediaKind::Picture},
    {"JPG", MediaKind::Picture},
    {"TGA", MediaKind::Picture},
    {"PCX", MediaKind::Picture},
    {"BMP", MediaKind::Picture},
    {"WAV", MediaKind::Sound},
    {"MPG", MediaKind::Video},
    {"MOV", MediaKind::Video},
    {"AVI", MediaKind::Video},
    {"MID", MediaKind::Music},
    {"MP3", MediaKind::Music},
}};

// Wildcard match of one pattern, both sides already upper case.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::filesystem::path PathOf8Bit(std::string_view name) {
    const std::string utf8 = Cp1252ToUtf8(name);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string NameOf(const std::filesystem::path& file) {
    const std::u8string utf8 = file.filename().u8string();
    return Utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

// The folder as the system resolves it, looked up once for all the entries of a listing.
class ResolvedFolder {
  public:
    explicit ResolvedFolder(const std::filesystem::path& folder) : folder_(folder) {}

    // True for an entry of the folder (its type as the listing found it, links not followed) that
    // is a file of the folder.
    bool Holds(const std::filesystem::path& entry, std::filesystem::file_status linkStatus) {
        if (std::filesystem::is_regular_file(linkStatus)) return true;
        if (!std::filesystem::is_symlink(linkStatus)) return false;
        std::error_code ec;
        const std::filesystem::path target = std::filesystem::canonical(entry, ec);
        if (ec || !std::filesystem::is_regular_file(target, ec)) return false;
        if (!resolved_) resolved_ = std::filesystem::canonical(folder_, ec);
        if (ec || resolved_->empty()) return false;
        // Inside: the folder's parts are the first parts of the target's.
        const auto [folderEnd, targetAt] =
            std::mismatch(resolved_->begin(), resolved_->end(), target.begin(), target.end());
        return folderEnd == resolved_->end() && targetAt != target.end();
    }

  private:
    const std::filesystem::path& folder_;
    std::optional<std::filesystem::path> resolved_;
};

} // namespace

std::string_view MediaType(std::string_view name) {
    return name.size() < 3 ? std::string_view() : name.substr(name.size() - 3);
}

MediaKind KindOfMedia(std::string_view name) {
    const std::string_view type = MediaType(name);
    for (const auto& [extension, kind] : Kinds)
        if (type == extension) return kind;
    return MediaKind::None;
}

std::optional<std::string> MediaExtensionOf(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string extension = UpperCp1252(fileName.substr(dot + 1));
    if (extension == "JPEG") extension = "JPG";
    for (const auto& kind : Kinds)
        if (extension == kind.first) return extension;
    return std::nullopt;
}

std::string_view PlayerCaption(MediaKind kind) {
    switch (kind) {
    case MediaKind::Sound:
        return "SOUND";
    case MediaKind::Video:
        return "VIDEO";
    case MediaKind::Music:
        return "MUSIC";
    default:
        return "";
    }
}

std::string_view KindWord(MediaKind kind) {
    switch (kind) {
    case MediaKind::Picture:
        return "picture";
    case MediaKind::Sound:
        return "sound";
    case MediaKind::Video:
        return "video";
    case MediaKind::Music:
        return "music";
    case MediaKind::None:
        break;
    }
    return "none";
}

bool MatchesMask(std::string_view name, std::string_view mask) {
    const std::string upper = UpperCp1252(name);
    while (!mask.empty()) {
        const std::size_t end = mask.find(';');
        const std::string pattern = UpperCp1252(mask.substr(0, end));
        if (!pattern.empty() && MatchesPattern(upper, pattern)) return true;
        if (end == std::string_view::npos) break;
        mask.remove_prefix(end + 1);
    }
    return false;
}

bool IsMediaFolderFile(const std::filesystem::path& folder, const std::filesystem::path& file) {
    std::error_code ec;
    const auto linkStatus = std::filesystem::symlink_status(file, ec);
    return !ec && ResolvedFolder(folder).Holds(file, linkStatus);
}

std::vector<std::string> ListMediaFolder(const std::filesystem::path& folder, std::string_view mask) {
    std::vector<std::string> names;
    std::error_code ec;
    ResolvedFolder files(folder);
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (!files.Holds(it->path(), it->symlink_status(entryError))) continue;
        std::string name = NameOf(it->path());
        if (MatchesMask(name, mask)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsPlainMediaName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20;
    });
}

std::filesystem::path MediaPath(const std::filesystem::path& folder, std::string_view name) {
    return folder / PathOf8Bit(name);
}

std::optional<std::filesystem::path> FindMediaFile(const std::filesystem::path& folder,
                                                   std::string_view name) {
    if (!IsPlainMediaName(name)) return std::nullopt;
    const std::filesystem::path exact = MediaPath(folder, name);
    if (IsMediaFolderFile(folder, exact)) return exact;
    // Entries are upper case by rule; the folder may hold the file in any case.
    const std::string wanted = UpperCp1252(name);
    std::error_code ec;
    ResolvedFolder files(folder);
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (UpperCp1252(NameOf(it->path())) == wanted &&
            files.Holds(it->path(), it->symlink_status(entryError)))
            return it->path();
    }
    return std::nullopt;
}

MediaFolderIndex::MediaFolderIndex(const std::filesystem::path& folder) {
    std::error_code ec;
    ResolvedFolder files(folder);
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (files.Holds(it->path(), it->symlink_status(entryError)))
            upper_.insert(UpperCp1252(NameOf(it->path())));
    }
}

bool MediaFolderIndex::Holds(std::string_view name) const {
    return IsPlainMediaName(name) && upper_.contains(UpperCp1252(name));
}

NewMediaNames::NewMediaNames(const std::filesystem::path& folder, const std::vector<std::string>& media)
    : folder_(folder) {
    for (const auto& n : media)
        taken_.insert(UpperCp1252(n));
}

std::string NewMediaNames::Next(std::string_view stem, std::string_view extension,
                                std::string_view fallback) {
    std::string base = ReviewFileStem(stem);
    std::replace(base.begin(), base.end(), '.', '_');
    if (base.empty()) base = fallback;
    const std::size_t room = TitleTextSize - 2 - extension.size();
    for (int n = 1;; ++n) {
        const std::string suffix = n == 1 ? "" : "_" + std::to_string(n);
        std::string name = base.substr(0, room - suffix.size()) + suffix + "." + std::string(extension);
        name = UpperCp1252(name);
        // Whatever holds the name in the folder keeps it, a link too, even one that leads nowhere
        // or out of the folder (no file of MEDIAS for any reader): a copy never replaces it.
        std::error_code ec;
        if (taken_.count(name) ||
            std::filesystem::exists(std::filesystem::symlink_status(MediaPath(folder_, name), ec)) ||
            FindMediaFile(folder_, name))
            continue;
        taken_.insert(name);
        return name;
    }
}

PictureSize ShrinkToPanel(PictureSize picture, PictureSize panel) {
    if (panel.width <= 0 || panel.height <= 0) return {};
    int w = std::max(picture.width, 0), h = std::max(picture.height, 0);
    // Each step takes at least one off a positive side, so this ends by the larger side.
    while (w >= panel.width || h >= panel.height) {
        w = static_cast<int>(w / 1.01);
        h = static_cast<int>(h / 1.01);
    }
    return {w, h};
}

PictureSize FitWithinScreen(PictureSize picture, PictureSize screen) {
    if (screen.width <= 0 || screen.height <= 0) return {};
    int w = std::max(picture.width, 0), h = std::max(picture.height, 0);
    while (w > screen.width || h > screen.height) {
        w = static_cast<int>(w / 1.01);
        h = static_cast<int>(h / 1.01);
    }
    return {w, h};
}

} // namespace tavrin
