// The multimedia files of the MEDIAS folder: the kind of a file by its entry's extension, the
// kind filter of the chooser, finding an entry's file (never outside the folder, not even through
// a symbolic link; without regard to case when the exact name is missing) and the scaling of a
// picture into a panel.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tavrin {

enum class MediaKind { None, Picture, Sound, Video, Music };

// The last three characters of a name ("" for a shorter one): the current media type.
std::string_view MediaType(std::string_view name);
// By the type, compared exactly with the upper-case extensions: a lower-case "avi" is no kind.
MediaKind KindOfMedia(std::string_view name);
// The extension a file copied into MEDIAS gets, so that its entry has the type of its kind: the
// file name's own extension upper case when it is one of the kinds' (JPEG as JPG); nothing for a
// file of any other kind.
std::optional<std::string> MediaExtensionOf(std::string_view fileName);

// "SOUND", "VIDEO" or "MUSIC": the panel caption of a file the player opens; "" for the others.
std::string_view PlayerCaption(MediaKind kind);
// "picture", "sound", "video", "music", "none": the kind as the command line prints it.
std::string_view KindWord(MediaKind kind);

// The kind filter of the chooser: its items in order and the mask each sets.
struct MediaFilter {
    std::string_view item;
    std::string_view mask;
};
inline constexpr std::array<MediaFilter, 5> MediaFilters{{
    {"All files.", "*.MPG;*.BMP;*.JPG;*.GIF;*.TGA;*.PCX;*.AVI;*.MOV;*.WAV;*.MID;*.MP3"},
    {"Images files", "*.BMP;*.JPG;*.GIF;*.TGA;*.PCX"},
    {"Music files", "*.MID;*.MP3"},
    {"Sound files", "*.WAV"},
    {"Video files", "*.MPG;*.AVI;*.MOV"},
}};

// True when the name matches one of the mask's ';'-separated patterns ('*' any run, '?' any one
// character), without regard to case.
bool MatchesMask(std::string_view name, std::string_view mask);

// True when file, a name in folder, is a file of the folder: a regular file, or a symbolic link
// that resolves to a regular file inside the folder. A link leading out of the folder (or nowhere)
// counts as missing wherever a multimedia file is looked for: the pictures of the HTML pages, the
// viewer, the media listing, the cleaning and the imports all ask here.
bool IsMediaFolderFile(const std::filesystem::path& folder, const std::filesystem::path& file);

// The file names (8-bit text) in folder that match the mask, sorted; nothing for a missing folder.
std::vector<std::string> ListMediaFolder(const std::filesystem::path& folder, std::string_view mask);

// True for a bare file name: not empty, no slash, backslash, drive colon or control character,
// and not "." or "..". Only such an entry is ever looked up in the folder.
bool IsPlainMediaName(std::string_view name);

// The file of a multimedia entry (8-bit name) in folder: the exact name, else the one name there
// that equals it without regard to case. Nothing for a missing file, one that is no file of the
// folder (IsMediaFolderFile) or a name that is not plain.
std::optional<std::filesystem::path> FindMediaFile(const std::filesystem::path& folder,
                                                   std::string_view name);

// The folder's files read once, for checking many entries (a cleaning): Holds(name) is
// FindMediaFile(folder, name) having a file, without reading the folder again for each name.
class MediaFolderIndex {
  public:
    explicit MediaFolderIndex(const std::filesystem::path& folder);
    bool Holds(std::string_view name) const;

  private:
    std::unordered_set<std::string> upper_; // the file names, upper case
};

// The path an entry's file would have, for a name the folder may not hold yet.
std::filesystem::path MediaPath(const std::filesystem::path& folder, std::string_view name);

// New names in MEDIAS for files copied into it: upper case, at most 49 characters with the
// extension, never one the folder or the media list already has.
class NewMediaNames {
  public:
    NewMediaNames(const std::filesystem::path& folder, const std::vector<std::string>& media);
    // From a title or a file's own name (its characters a file name cannot hold and its dots as
    // underscores; fallback when nothing is left), with "_2", "_3" ... until the name is free.
    std::string Next(std::string_view stem, std::string_view extension, std::string_view fallback = "COVER");

  private:
    std::filesystem::path folder_;
    std::set<std::string> taken_;
};

struct PictureSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// A picture of width by height shrunk until both sides are below the panel's: both divided by
// 1.01 and truncated at every step. A panel without width or height would never let the steps
// end; the picture shrinks to nothing there.
PictureSize ShrinkToPanel(PictureSize picture, PictureSize panel);

// The picture viewer's size: the picture's own, or, when that is wider or taller than the screen,
// both sides divided by 1.01 and truncated step by step until neither is. Nothing on a screen
// without width or height.
PictureSize FitWithinScreen(PictureSize picture, PictureSize screen);

} // namespace tavrin
