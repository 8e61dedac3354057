// The covers' thumbnails: kept on disk in the desktop's shared thumbnail cache
// ($XDG_CACHE_HOME/thumbnails/normal and large, each file named by the MD5 of the picture's URI
// and marked with that URI and the picture's modification time), decoded and scaled on worker
// threads, and the ones shown lately kept in memory within a limit in bytes.
#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <mutex>

namespace tavrin {

// The cache's two folders: "normal" holds thumbnails of at most 128 pixels a side, "large" of 256.
enum class ThumbnailFolder { Normal, Large };
int ThumbnailSide(ThumbnailFolder folder);
// The folder whose thumbnails are large enough for covers of side pixels.
ThumbnailFolder FolderForSide(int side);

// $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails when that is unset or not absolute.
QString ThumbnailRoot();
// The cache file of a picture file: ROOT/normal/MD5.png or ROOT/large/MD5.png, MD5 that of the
// file's URI (its absolute path as given, links not followed).
QString ThumbnailPath(const QString& root, const QString& file, ThumbnailFolder folder);

// The thumbnail of a picture file: the cache's, when it was made from the file as it is now (its
// Thumb::URI and Thumb::MTime match); else made from the file, written to the cache (a temporary
// file renamed into place; missing folders made 0700, the file 0600) and returned. A picture
// smaller than the folder's side is kept at its size. A null image when the file is missing or
// cannot be decoded; a cache that cannot be written still gives the thumbnail. Safe on any thread.
QImage CachedThumbnail(const QString& root, const QString& file, ThumbnailFolder folder);

class ThumbnailCache : public QObject {
    Q_OBJECT

  public:
    // Finds a picture's file; run on a worker thread, so it must use nothing the GUI thread
    // changes. An empty path: the picture has no file.
    using Locate = std::function<QString()>;

    enum class State { Ready, Waiting, Failed };
    struct Lookup {
        State state = State::Waiting;
        QImage image;          // Ready: the picture scaled to fit the square asked for
        bool renewing = false; // Ready, but checked again: Ready(key, side) follows
    };

    // root: the cache's folder (ThumbnailRoot() for the user's). memoryLimit: the bytes the
    // decoded thumbnails may take in memory; the least recently used go first beyond it.
    ThumbnailCache(QString root, qsizetype memoryLimit, QObject* parent = nullptr);
    ~ThumbnailCache() override;

    // The picture known by key, scaled to fit a side x side square. Ready: here it is. Waiting:
    // a worker decodes it (asked once however often this is called) and Ready(key, side) follows.
    // Failed: it has no file, or its file is no picture.
    Lookup Find(const QString& key, int side, const Locate& locate);
    // The pictures asked for but not yet started are no longer wanted (the view asks again for
    // what it still shows). The newest are started first in any case, and only so many wait.
    void DropWaiting();
    // Pictures that failed are tried again when next asked for (their file may have come).
    void ForgetFailures();
    // The pictures in memory are checked against their files when next asked for, and decoded
    // anew when changed (edited in another program meanwhile); until then they stay as they are.
    void Revalidate();

    qsizetype MemoryUsed() const { return used_; }
    qsizetype MemoryLimit() const { return limit_; }
    // Blocks until no picture is being decoded or waits to be, then delivers what was decoded
    // (for tests and benchmarks).
    void WaitForDone();

  signals:
    void Ready(const QString& key, int side);

  private:
    struct Job {
        QString key;
        int side = 0;
        Locate locate;
    };
    struct Entry {
        QString memoryKey;
        QImage image;
        std::uint64_t generation = 0; // the Revalidate() it was checked after
    };

    // A worker asked for the picture, unless one already is.
    void Ask(const QString& memoryKey, Job job);
    void RunJobs();
    void Finished(const QString& key, int side, const QImage& image);
    void Evict();

    const QString root_;
    const qsizetype limit_;
    QThreadPool pool_;

    // Shared with the workers, under mutex_.
    std::mutex mutex_;
    std::deque<Job> waiting_; // the newest last; workers take from the end
    int running_ = 0;         // workers started and not yet out of work
    bool stopping_ = false;

    // The GUI thread's own.
    QSet<QString> asked_;                                    // waiting or being decoded
    QSet<QString> failed_;                                   // by key, whatever the side
    std::list<Entry> recent_;                                // most recently used first
    QHash<QString, std::list<Entry>::iterator> byMemoryKey_; // into recent_
    qsizetype used_ = 0;                                     // bytes of the images in recent_
    std::uint64_t generation_ = 0;
};

} // namespace tavrin
