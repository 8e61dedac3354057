#include "store/pictures/picture_file.h"

#include "store/pictures/pcx_reader.h"
#include "store/pictures/tga_reader.h"
#include "store/text_encoding.h"

#include <system_error>
#include <vector>

namespace tavrin {
namespace {

// The largest picture file worth reading: the largest picture, uncompressed, with room for headers.
constexpr std::size_t LargestFile =
    static_cast<std::size_t>(PictureSideLimit) * PictureSideLimit * 4 + (1u << 20);

} // namespace

PictureFormat GuessPictureFormat(std::string_view fileName, std::span<const std::uint8_t> bytes) {
    const std::size_t dot = fileName.rfind('.');
    const std::string extension =
        dot == std::string_view::npos ? std::string() : UpperCp1252(fileName.substr(dot));
    if (extension == ".TGA") return PictureFormat::Tga;
    if (extension == ".PCX") return PictureFormat::Pcx;
    return !bytes.empty() && bytes[0] == 0x0A ? PictureFormat::Pcx : PictureFormat::Tga;
}

Picture DecodePicture(PictureFormat format, std::span<const std::uint8_t> bytes) {
    return format == PictureFormat::Pcx ? DecodePcx(bytes) : DecodeTga(bytes);
}

Expected<Picture, FileFailure> LoadPictureFile(const std::filesystem::path& path) {
    const std::string name = PathText(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return Unexpected{FileFailure{FileError::NotFound, name, {}}};
    auto bytes = ReadFileBytes(path, LargestFile);
    if (!bytes) {
        FileFailure failure = bytes.error();
        if (failure.error == FileError::Invalid) failure.detail = "too large for a picture";
        return Unexpected{std::move(failure)};
    }
    Picture picture = DecodePicture(GuessPictureFormat(PathText(path.filename()), *bytes), *bytes);
    if (picture.Empty()) return Unexpected{FileFailure{FileError::Invalid, name, {}}};
    return picture;
}

} // namespace tavrin
