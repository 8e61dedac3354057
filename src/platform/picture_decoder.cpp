#include "platform/picture_decoder.h"

#include "platform/text.h"
#include "store/pictures/picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>

#include <cstring>

namespace tavrin {

QImage ImageFromPicture(const Picture& picture) {
    if (picture.Empty()) return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull()) return {};
    const auto rowBytes = static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                    rowBytes);
    return image;
}

QImage NViewLibLoad(const QString& fileName, int /*mode*/) {
    const QString suffix = QFileInfo(fileName).suffix().toUpper();
    if (suffix == QLatin1String("TGA") || suffix == QLatin1String("PCX")) {
        const auto picture = LoadPictureFile(PathFromQString(fileName));
        return picture ? ImageFromPicture(*picture) : QImage();
    }
    // Read as every picture is, so that a pipe or a device never holds the window up.
    const auto bytes = ReadFileBytes(PathFromQString(fileName), LargestPictureFile);
    if (!bytes) return {};
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes->data()),
                                              static_cast<qsizetype>(bytes->size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    // The content decides, so a GIF named .JPG still shows.
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.width() > PictureSideLimit || size.height() > PictureSideLimit) return {};
    return reader.read();
}

} // namespace tavrin
