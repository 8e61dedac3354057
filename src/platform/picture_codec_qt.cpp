#include "platform/picture_codec_qt.h"

#include "store/pictures/picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <cstring>
#include <string>

namespace tavrin {
namespace {

bool IsOurs(std::string_view extension) {
    std::string upper(extension);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper == "TGA" || upper == "PCX";
}

QByteArray Borrowed(std::span<const std::uint8_t> bytes) {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<qsizetype>(bytes.size()));
}

// A decoded picture of our readers as an image of its own.
QImage ImageOf(const Picture& picture) {
    if (picture.Empty()) return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    const auto rowBytes = static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                    rowBytes);
    return image;
}

QImage Decode(std::span<const std::uint8_t> bytes, std::string_view extension) {
    if (IsOurs(extension)) {
        const std::string name = "picture." + std::string(extension);
        return ImageOf(DecodePicture(GuessPictureFormat(name, bytes), bytes));
    }
    QByteArray data = Borrowed(bytes);
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.width() > PictureSideLimit || size.height() > PictureSideLimit) return {};
    return reader.read();
}

std::optional<EncodedPicture> Measure(std::span<const std::uint8_t> bytes, std::string_view extension) {
    QSize size;
    if (!IsOurs(extension)) {
        QByteArray data = Borrowed(bytes);
        QBuffer buffer(&data);
        QImageReader reader(&buffer);
        reader.setDecideFormatFromContent(true);
        size = reader.size();
    }
    // Our readers, and a reader that cannot tell the size from the header, decode the picture.
    if (!size.isValid()) size = Decode(bytes, extension).size();
    if (size.isEmpty() || size.width() > PictureSideLimit || size.height() > PictureSideLimit)
        return std::nullopt;
    return EncodedPicture{{}, size.width(), size.height()};
}

std::optional<EncodedPicture> Convert(std::span<const std::uint8_t> bytes, std::string_view extension,
                                      std::string_view format) {
    const QImage image = Decode(bytes, extension);
    if (image.isNull()) return std::nullopt;
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == "png" ? QByteArrayLiteral("png") : QByteArrayLiteral("jpg"));
    if (!writer.write(image)) return std::nullopt;
    EncodedPicture encoded;
    encoded.bytes.assign(written.begin(), written.end());
    encoded.width = image.width();
    encoded.height = image.height();
    return encoded;
}

} // namespace

PictureCodec QtPictureCodec() {
    return {Measure, Convert};
}

} // namespace tavrin
