// The covers' thumbnails in the desktop's shared cache: named by the MD5 of the picture's URI,
// marked with that URI and the picture's time, renewed when the picture changes, shared with other
// programs; decoded off the GUI thread and kept in memory within a limit.
#include "app/window_test_main.h"
#include "picture_samples.h"
#include "platform/file_uri.h"
#include "platform/text.h"
#include "platform/thumbnail_cache.h"
#include "test_support.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <memory>

using namespace tavrin;
using namespace tavrin::test;

namespace {

// A file's permissions as chmod writes them (0600).
int Mode(const QString& path) {
    const auto p = static_cast<int>(QFile::permissions(path));
    return ((p >> 12) & 7) * 0100 + ((p >> 4) & 7) * 010 + (p & 7);
}

QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The picture saved with its modification time set to seconds since 1970.
void SavePicture(const QString& file, const QImage& image, qint64 seconds) {
    QVERIFY(image.save(file));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::fromSecsSinceEpoch(seconds), QFileDevice::FileModificationTime));
}

QString TextOf(const QString& png, const char* key) {
    return QImageReader(png).read().text(QLatin1String(key));
}

} // namespace

class ThumbnailCacheTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;

    QString Root() const { return dir_->filePath(QStringLiteral("cache/thumbnails")); }
    QString Path(const char* name) const { return dir_->filePath(QLatin1String(name)); }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void writtenUnderItsUriWithItsTimeAndRenewed() {
        const QString file = Path("My Cover #1.jpg");
        SavePicture(file, Filled(600, 300, Qt::red), 1'000'000'000);
        const QImage made = CachedThumbnail(Root(), file, ThumbnailFolder::Normal);
        QCOMPARE(made.size(), QSize(128, 64));

        const QString uri =
            QStringLiteral("file://") + dir_->path() + QStringLiteral("/My%20Cover%20%231.jpg");
        QCOMPARE(QString::fromStdString(FileUri(file.toStdString())), uri);
        const QString png = ThumbnailPath(Root(), file, ThumbnailFolder::Normal);
        QCOMPARE(png, Root() + QStringLiteral("/normal/") +
                          QCryptographicHash::hash(uri.toLatin1(), QCryptographicHash::Md5).toHex() +
                          QStringLiteral(".png"));
        QCOMPARE(TextOf(png, "Thumb::URI"), uri);
        QCOMPARE(TextOf(png, "Thumb::MTime"), QStringLiteral("1000000000"));
        QCOMPARE(Mode(png), 0600);
        for (const QString& folder :
             {dir_->filePath(QStringLiteral("cache")), Root(), Root() + QStringLiteral("/normal")})
            QCOMPARE(Mode(folder), 0700);
        QCOMPARE(QDir(Root() + QStringLiteral("/normal")).entryList(QDir::Files | QDir::Hidden).size(), 1);

        // Changed on disk: made anew, with the new time.
        SavePicture(file, Filled(100, 200, Qt::blue), 1'000'000'060);
        const QImage renewed = CachedThumbnail(Root(), file, ThumbnailFolder::Normal);
        QCOMPARE(renewed.size(), QSize(64, 128));
        QVERIFY(qBlue(renewed.pixel(30, 60)) > 200);
        QCOMPARE(TextOf(png, "Thumb::MTime"), QStringLiteral("1000000060"));
        // The large folder for covers above 128 pixels; a small picture keeps its size.
        QCOMPARE(FolderForSide(160), ThumbnailFolder::Large);
        QCOMPARE(CachedThumbnail(Root(), file, ThumbnailFolder::Large).size(), QSize(100, 200));
        QVERIFY(QFileInfo::exists(ThumbnailPath(Root(), file, ThumbnailFolder::Large)));
    }

    // Another program's thumbnail of the picture as it is now is used; one of an older state is
    // replaced.
    void sharedWithOtherPrograms() {
        const QString file = Path("shared.png");
        SavePicture(file, Filled(300, 300, Qt::green), 1'200'000'000);
        const QString png = ThumbnailPath(Root(), file, ThumbnailFolder::Normal);
        QVERIFY(QDir().mkpath(QFileInfo(png).path()));
        for (const auto& [mtime, shared] : {std::pair{"1200000000", true}, std::pair{"1199999999", false}}) {
            QImage theirs = Filled(128, 128, Qt::yellow);
            theirs.setText(QStringLiteral("Thumb::URI"), QString::fromStdString(FileUri(file.toStdString())));
            theirs.setText(QStringLiteral("Thumb::MTime"), QLatin1String(mtime));
            QVERIFY(QImageWriter(png, "png").write(theirs));
            const QImage got = CachedThumbnail(Root(), file, ThumbnailFolder::Normal);
            QCOMPARE(got.pixel(5, 5) == QColor(Qt::yellow).rgb(), shared);
        }
    }

    // Every format the program reads, TGA and PCX through our own readers; a damaged or missing
    // file gives nothing and leaves nothing in the cache.
    void everyFormatAndNothingForABadFile() {
        const Picture picture = MakePicture(300, 150, [](int x, int y) { return Rgb(x % 256, y, 90); });
        WriteBytes(PathFromQString(Path("a.tga")), MakeTga(picture, {10, 24}));
        WriteBytes(PathFromQString(Path("b.PCX")), MakePcx(picture, {}));
        for (const char* name : {"c.bmp", "d.jpg", "e.png"})
            QVERIFY(Filled(300, 150, Qt::gray).save(Path(name)));
        for (const char* name : {"a.tga", "b.PCX", "c.bmp", "d.jpg", "e.png"})
            QCOMPARE(CachedThumbnail(Root(), Path(name), ThumbnailFolder::Normal).size(), QSize(128, 64));

        WriteBytes(PathFromQString(Path("broken.jpg")), Bytes("not a picture at all"));
        for (const char* name : {"broken.jpg", "gone.jpg"}) {
            QVERIFY(CachedThumbnail(Root(), Path(name), ThumbnailFolder::Normal).isNull());
            QVERIFY(!QFileInfo::exists(ThumbnailPath(Root(), Path(name), ThumbnailFolder::Normal)));
        }
    }

    // Decoded on a worker once however often asked; the least recently used go first beyond the
    // memory limit; a failure is kept until forgotten.
    void decodedOffTheGuiThreadWithinItsMemory() {
        for (const char* name : {"0.png", "1.png", "2.png", "3.png"})
            QVERIFY(Filled(200, 200, Qt::cyan).save(Path(name)));
        const qsizetype one = 64 * 64 * 4;
        ThumbnailCache cache(Root(), 3 * one);
        QSignalSpy ready(&cache, &ThumbnailCache::Ready);
        std::atomic<int> located = 0;
        std::atomic<bool> offThread = true;
        QThread* const gui = QThread::currentThread();
        const auto find = [&](const char* name) {
            return cache.Find(QLatin1String(name), 64, [&, file = Path(name)] {
                ++located;
                if (QThread::currentThread() == gui) offThread = false;
                return QFileInfo::exists(file) ? file : QString();
            });
        };
        using S = ThumbnailCache::State;
        QCOMPARE(find("0.png").state, S::Waiting);
        QCOMPARE(find("0.png").state, S::Waiting);
        cache.WaitForDone();
        QCOMPARE(located.load(), 1);
        QVERIFY(offThread.load());
        QCOMPARE(ready.count(), 1);
        QCOMPARE(ready.front(), (QVariantList{QStringLiteral("0.png"), 64}));
        QCOMPARE(find("0.png").image.size(), QSize(64, 64));

        for (const char* name : {"1.png", "2.png"}) {
            find(name);
            cache.WaitForDone();
        }
        QCOMPARE(find("0.png").state, S::Ready); // now the most recently used
        find("3.png");
        cache.WaitForDone();
        QCOMPARE(cache.MemoryUsed(), 3 * one);
        QCOMPARE(find("1.png").state, S::Waiting); // the least recently used went
        for (const char* name : {"0.png", "2.png", "3.png"})
            QCOMPARE(find(name).state, S::Ready);
        QVERIFY(cache.MemoryUsed() <= cache.MemoryLimit());

        QCOMPARE(find("gone.png").state, S::Waiting);
        cache.WaitForDone();
        QCOMPARE(find("gone.png").state, S::Failed);
        // Changed on disk: shown as it was until checked again, then as it is.
        SavePicture(Path("3.png"), Filled(200, 100, Qt::magenta), QDateTime::currentSecsSinceEpoch() + 5);
        cache.Revalidate();
        const auto checking = find("3.png");
        QVERIFY(checking.renewing);
        QCOMPARE(checking.image.size(), QSize(64, 64));
        cache.WaitForDone();
        QCOMPARE(find("3.png").image.size(), QSize(64, 32));
        cache.ForgetFailures();
        QCOMPARE(find("gone.png").state, S::Waiting);
        cache.WaitForDone(); // the workers use this function's counters
    }
};

TAVRIN_WINDOW_TEST(ThumbnailCacheTest, "thumbnail_cache_test");

#include "thumbnail_cache_test.moc"
