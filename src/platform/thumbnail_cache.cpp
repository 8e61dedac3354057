#include "platform/thumbnail_cache.h"

#include "platform/file_uri.h"
#include "platform/picture_decoder.h"
#include "platform/text.h"
#include "store/pictures/picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryFile>
#include <QThread>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

namespace tavrin {
namespace {

// At most this many pictures wait for a worker: scrolled past, the oldest are dropped.
constexpr std::size_t MaxWaiting = 256;

QString FolderName(ThumbnailFolder folder) {
    return folder == ThumbnailFolder::Large ? QStringLiteral("large") : QStringLiteral("normal");
}

// Every missing folder of path made, each readable by its owner only.
bool MakePrivateFolders(const QString& path) {
    const QDir dir(path);
    if (dir.exists()) return true;
    const QString parent = QFileInfo(dir.absolutePath()).path();
    if (parent == dir.absolutePath() || !MakePrivateFolders(parent)) return false;
    return QDir().mkdir(dir.absolutePath(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner) ||
           dir.exists();
}

std::uint32_t Crc32(const QByteArray& bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = table[(c ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void AppendBigEndian(QByteArray& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

// A PNG tEXt chunk: the key, a zero byte and the Latin-1 text, uncompressed, as every reader of
// the cache takes it.
QByteArray TextChunk(const QByteArray& key, const QByteArray& text) {
    const QByteArray body = QByteArrayLiteral("tEXt") + key + '\0' + text;
    QByteArray chunk;
    AppendBigEndian(chunk, static_cast<std::uint32_t>(body.size() - 4));
    chunk += body;
    AppendBigEndian(chunk, Crc32(body));
    return chunk;
}

// The thumbnail as PNG bytes with its text chunks right after the header chunk.
QByteArray ThumbnailPng(const QImage& thumbnail, const QList<std::pair<QByteArray, QByteArray>>& texts) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(thumbnail)) return {};
    // The signature (8 bytes), then IHDR: length, type, 13 bytes, CRC.
    constexpr qsizetype AfterHeader = 8 + 4 + 4 + 13 + 4;
    if (png.size() < AfterHeader || png.mid(12, 4) != "IHDR") return {};
    QByteArray chunks;
    for (const auto& [key, text] : texts)
        chunks += TextChunk(key, text);
    png.insert(AfterHeader, chunks);
    return png;
}

// Written beside path under a temporary name and renamed over it, so that a reader never sees
// half a file; the file readable by its owner only.
bool WriteAtomically(const QString& path, const QByteArray& bytes) {
    QTemporaryFile temporary(QFileInfo(path).path() + QStringLiteral("/.tavrin-XXXXXX.png"));
    if (!temporary.open()) return false;
    temporary.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (temporary.write(bytes) != bytes.size() || !temporary.flush()) return false;
    std::error_code error;
    std::filesystem::rename(PathFromQString(temporary.fileName()), PathFromQString(path), error);
    if (error) return false;
    temporary.setAutoRemove(false);
    return true;
}

// The picture decoded, already near the size asked for when its reader can decode it smaller
// (JPEG does so much faster than at full size).
QImage DecodeNear(const QString& file, int side) {
    const QString suffix = QFileInfo(file).suffix().toUpper();
    if (suffix == QLatin1String("TGA") || suffix == QLatin1String("PCX")) return NViewLibLoad(file);
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.width() > PictureSideLimit || size.height() > PictureSideLimit) return {};
    if (size.width() > side || size.height() > side)
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

QImage FitInto(const QImage& picture, int side) {
    if (picture.width() <= side && picture.height() <= side) return picture;
    return picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// The thumbnail as the view draws it fastest: scaled to the cover's square, 32-bit premultiplied.
QImage ForDrawing(const QImage& thumbnail, int side) {
    QImage scaled = thumbnail.size() == thumbnail.size().scaled(side, side, Qt::KeepAspectRatio)
                        ? thumbnail
                        : thumbnail.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return scaled.convertToFormat(scaled.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32);
}

QString MemoryKey(const QString& key, int side) {
    return QString::number(side) + QLatin1Char('|') + key;
}

} // namespace

int ThumbnailSide(ThumbnailFolder folder) {
    return folder == ThumbnailFolder::Large ? 256 : 128;
}

ThumbnailFolder FolderForSide(int side) {
    return side <= ThumbnailSide(ThumbnailFolder::Normal) ? ThumbnailFolder::Normal : ThumbnailFolder::Large;
}

QString ThumbnailRoot() {
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || QDir::isRelativePath(cache)) cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/thumbnails");
}

QString ThumbnailPath(const QString& root, const QString& file, ThumbnailFolder folder) {
    const QByteArray uri =
        QByteArray::fromStdString(FileUri(QFileInfo(file).absoluteFilePath().toStdString()));
    const QByteArray md5 = QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex();
    return root + QLatin1Char('/') + FolderName(folder) + QLatin1Char('/') + QString::fromLatin1(md5) +
           QStringLiteral(".png");
}

QImage CachedThumbnail(const QString& root, const QString& file, ThumbnailFolder folder) {
    const QFileInfo info(file);
    if (!info.isFile()) return {};
    const QByteArray uri = QByteArray::fromStdString(FileUri(info.absoluteFilePath().toStdString()));
    const QByteArray mtime = QByteArray::number(info.lastModified().toSecsSinceEpoch());
    const QString path = ThumbnailPath(root, file, folder);

    // Made from the file as it is now, by this program or another. (The texts are read with the
    // picture: QImageReader::text() cuts a key at its first colon.)
    if (QFileInfo::exists(path)) {
        const QImage cached = QImageReader(path, "png").read();
        if (!cached.isNull() && cached.text(QStringLiteral("Thumb::URI")).toLatin1() == uri &&
            cached.text(QStringLiteral("Thumb::MTime")).toLatin1() == mtime)
            return cached;
    }

    const int side = ThumbnailSide(folder);
    QImage thumbnail = FitInto(DecodeNear(file, side), side);
    if (thumbnail.isNull()) return {};
    const QByteArray png = ThumbnailPng(thumbnail, {{"Thumb::URI", uri},
                                                    {"Thumb::MTime", mtime},
                                                    {"Thumb::Size", QByteArray::number(info.size())},
                                                    {"Software", "Tavrin"}});
    if (!png.isEmpty() && MakePrivateFolders(QFileInfo(path).path())) WriteAtomically(path, png);
    return thumbnail;
}

ThumbnailCache::ThumbnailCache(QString root, qsizetype memoryLimit, QObject* parent)
    : QObject(parent), root_(std::move(root)), limit_(memoryLimit) {
    // One core stays for the window; two workers at most, so a scroll never waits behind many.
    pool_.setMaxThreadCount(std::clamp(QThread::idealThreadCount() - 1, 1, 2));
}

ThumbnailCache::~ThumbnailCache() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    pool_.waitForDone();
}

ThumbnailCache::Lookup ThumbnailCache::Find(const QString& key, int side, const Locate& locate) {
    const QString memoryKey = MemoryKey(key, side);
    if (const auto found = byMemoryKey_.constFind(memoryKey); found != byMemoryKey_.constEnd()) {
        recent_.splice(recent_.begin(), recent_, *found);
        Entry& entry = recent_.front();
        const bool renewing = entry.generation != generation_;
        if (renewing) Ask(memoryKey, Job{key, side, locate});
        return {State::Ready, entry.image, renewing};
    }
    if (failed_.contains(key)) return {State::Failed, {}};
    Ask(memoryKey, Job{key, side, locate});
    return {State::Waiting, {}};
}

void ThumbnailCache::Ask(const QString& memoryKey, Job job) {
    if (asked_.contains(memoryKey)) return;
    asked_.insert(memoryKey);
    const std::lock_guard lock(mutex_);
    waiting_.push_back(std::move(job));
    if (waiting_.size() > MaxWaiting) {
        asked_.remove(MemoryKey(waiting_.front().key, waiting_.front().side));
        waiting_.pop_front();
    }
    if (running_ < pool_.maxThreadCount()) {
        ++running_;
        pool_.start([this] { RunJobs(); });
    }
}

void ThumbnailCache::DropWaiting() {
    const std::lock_guard lock(mutex_);
    for (const Job& job : waiting_)
        asked_.remove(MemoryKey(job.key, job.side));
    waiting_.clear();
}

void ThumbnailCache::ForgetFailures() {
    failed_.clear();
}

void ThumbnailCache::Revalidate() {
    ++generation_;
}

void ThumbnailCache::WaitForDone() {
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

void ThumbnailCache::RunJobs() {
    for (;;) {
        Job job;
        {
            const std::lock_guard lock(mutex_);
            if (stopping_ || waiting_.empty()) {
                --running_;
                return;
            }
            job = std::move(waiting_.back());
            waiting_.pop_back();
        }
        QImage image;
        if (const QString file = job.locate(); !file.isEmpty()) {
            const QImage thumbnail = CachedThumbnail(root_, file, FolderForSide(job.side));
            if (!thumbnail.isNull()) image = ForDrawing(thumbnail, job.side);
        }
        QMetaObject::invokeMethod(
            this,
            [this, key = std::move(job.key), side = job.side, image = std::move(image)] {
                Finished(key, side, image);
            },
            Qt::QueuedConnection);
    }
}

void ThumbnailCache::Finished(const QString& key, int side, const QImage& image) {
    const QString memoryKey = MemoryKey(key, side);
    asked_.remove(memoryKey);
    const auto found = byMemoryKey_.find(memoryKey);
    if (found != byMemoryKey_.end()) {
        // Checked again: the file may have changed, or gone.
        used_ -= (*found)->image.sizeInBytes();
        recent_.erase(*found);
        byMemoryKey_.erase(found);
    }
    if (image.isNull()) {
        failed_.insert(key);
    } else {
        recent_.push_front(Entry{memoryKey, image, generation_});
        byMemoryKey_.insert(memoryKey, recent_.begin());
        used_ += image.sizeInBytes();
        Evict();
    }
    emit Ready(key, side);
}

void ThumbnailCache::Evict() {
    // The newest stays even alone above the limit: it is about to be drawn.
    while (used_ > limit_ && recent_.size() > 1) {
        const Entry& last = recent_.back();
        used_ -= last.image.sizeInBytes();
        byMemoryKey_.remove(last.memoryKey);
        recent_.pop_back();
    }
}

} // namespace tavrin
