#include "store/pictures/picture_file.h"

#include "store/pictures/pcx_reader.h"
#include "store/pictures/tga_reader.h"
#include "store/text_encoding.h"

#include <vector>

namespace tavrin {
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
    auto bytes = ReadFileBytes(path, LargestPictureFile);
    if (!bytes) return Unexpected{bytes.error()};
    Picture picture = DecodePicture(GuessPictureFormat(PathText(path.filename()), *bytes), *bytes);
    if (picture.Empty()) return Unexpected{FileFailure{FileError::Invalid, name, {}}};
    return picture;
}

} // namespace tavrin
