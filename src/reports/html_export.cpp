#include "reports/html_export.h"

#include "store/pictures/picture_file.h"

#include <cerrno>
#include <optional>
#include <system_error>

namespace tavrin {
namespace {

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    std::filesystem::path folder = file.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// The picture written anew as PNG at target.
Expected<Done, FileFailure> WriteConverted(FolderWriter& writer, const CoverPicture& picture,
                                           const std::filesystem::path& target, const PictureCodec* codec,
                                           const MessageCatalogue& catalogue) {
    auto bytes = ReadFileBytes(picture.source, LargestPictureFile);
    if (!bytes) return Unexpected(bytes.error());
    std::optional<EncodedPicture> png;
    if (codec && codec->convert) png = codec->convert(*bytes, picture.convertFrom, "png");
    if (!png)
        return Unexpected(FileFailure{FileError::CannotRead, PathText(picture.source),
                                      std::string(catalogue(Msg::MsgPictureNotConverted))});
    // Pages written into the medias folder itself: a file of that name there is the user's own.
    std::error_code ec;
    if (std::filesystem::equivalent(picture.source.parent_path(), target.parent_path(), ec) &&
        std::filesystem::exists(std::filesystem::symlink_status(target, ec))) {
        const auto existing = ReadFileBytes(target, png->bytes.size());
        if (!existing || *existing != png->bytes)
            return Unexpected(FileFailure{FileError::CannotWrite, PathText(target), SystemReason(EEXIST)});
    }
    return writer.Write(target.filename(), png->bytes);
}

} // namespace

HtmlExportResult WriteHtmlExport(const std::filesystem::path& chosenFile, const ReportContext& context,
                                 std::span<const std::uint16_t> browse, const ExportChoices& choices,
                                 const HtmlOptions& options, const HtmlFolders& folders, bool flushToDisk) {
    HtmlExportResult result;
    const auto write = [&](const std::filesystem::path& path, const std::string& bytes, bool flush) {
        if (auto done = WriteFileReplacing(path, AsBytes(bytes), flush); done)
            result.written.push_back(path);
        else
            result.failures.push_back(done.error());
    };
    const Collection& collection = context.collection;
    if (!options.multiPage) {
        // Written as it is made: the page of a full list is far larger than any title's.
        auto done = WriteFileReplacingWith(
            chosenFile,
            [&](const ByteWriter& writeBytes) {
                return SinglePageTo(
                    context, browse, choices, options, folders,
                    [&](std::string_view piece) {
                        return writeBytes(
                            {reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()});
                    },
                    &result.pictures);
            },
            flushToDisk);
        if (done)
            result.written.push_back(chosenFile);
        else
            result.failures.push_back(done.error());
        return result;
    }

    const std::filesystem::path folder = FolderOf(chosenFile);
    std::vector<std::string_view> titles;
    titles.reserve(browse.size());
    for (const std::uint16_t r : browse)
        titles.push_back(r < collection.Count() ? collection.RecordAt(r).TitleView() : std::string_view());
    // The chosen file's own name is never a title's page (the frame index neither, with frames).
    const std::string chosenName = chosenFile.filename().string();
    std::vector<std::string_view> reserved{chosenName};
    if (options.frames) reserved.push_back(FrameIndexName);
    const std::vector<std::string> names = PageFileNames(titles, reserved);

    std::filesystem::path indexFile = chosenFile;
    if (options.frames) {
        write(chosenFile, FrameSetPage(choices.listName, names.empty() ? std::string_view() : names.front()),
              flushToDisk);
        indexFile = folder / FrameIndexName;
    }
    write(indexFile, IndexPage(collection, browse, names, choices.listName, options), flushToDisk);

    // The title pages, up to 65,535 of them, through one writer for the folder.
    HtmlBlockWriter writer(context, choices.details, options, folders);
    FolderWriter pages(folder);
    std::string page;
    for (std::size_t i = 0; i < browse.size(); ++i) {
        if (browse[i] >= collection.Count()) continue;
        page.clear();
        writer.AppendTitlePage(page, collection.RecordAt(browse[i]));
        const std::filesystem::path name = PathFromCp1252(names[i]);
        if (auto done = pages.Write(name, AsBytes(page)); done)
            result.written.push_back(folder / name);
        else
            result.failures.push_back(done.error());
    }
    result.pictures = writer.Pictures();
    return result;
}

std::filesystem::path PictureTarget(const std::filesystem::path& pageFolder, const CoverPicture& picture) {
    return (pageFolder.empty() ? std::filesystem::path(".") : pageFolder) / PathFromCp1252(picture.name);
}

std::vector<FileFailure> CopyPictures(std::span<const CoverPicture> pictures,
                                      const std::filesystem::path& pageFolder, const PictureCodec* codec,
                                      const MessageCatalogue& catalogue,
                                      const std::function<void(std::size_t)>& copied) {
    std::vector<FileFailure> failures;
    std::size_t count = 0;
    FolderWriter writer(pageFolder.empty() ? std::filesystem::path(".") : pageFolder);
    for (const CoverPicture& picture : pictures) {
        if (copied) copied(count++);
        const std::filesystem::path target = PictureTarget(pageFolder, picture);
        if (!picture.convertFrom.empty()) {
            if (auto done = WriteConverted(writer, picture, target, codec, catalogue); !done)
                failures.push_back(done.error());
            continue;
        }
        std::error_code ec;
        // Pages written into the medias folder itself: the picture is already there.
        if (std::filesystem::equivalent(picture.source, target, ec)) continue;
        if (auto done = writer.Copy(picture.source, target.filename(), LargestPictureFile); !done)
            failures.push_back(done.error());
    }
    return failures;
}

} // namespace tavrin
