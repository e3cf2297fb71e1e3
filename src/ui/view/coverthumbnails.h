// Small pictures of the covers for the Covers view (and the normal layout's cover). They are made on
// worker threads, kept in memory up to a budget, and kept on disk in the user's cache folder
// ($XDG_CACHE_HOME/Quorvane/Discora/thumbnails), keyed by the cover's name and the size: a cover's
// name is a hash of its bytes, so a thumbnail never goes stale, and a second open of a large
// catalogue draws its covers at once.
#pragma once

#include <QByteArray>
#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <deque>
#include <mutex>
#include <vector>

namespace discora {

class CoverThumbnails : public QObject
{
    Q_OBJECT
public:
    // Where a cover's picture is: its file, or its bytes while the catalogue keeps it in memory.
    struct Source
    {
        QString name;
        QString path;
        QByteArray bytes;
    };

    explicit CoverThumbnails(QObject* parent = nullptr);
    ~CoverThumbnails() override;

    // The thumbnail that fits a square of this side, or null while it is being made.
    QImage find(const QString& name, int side) const;
    // Whether the cover's picture could not be read (a missing or broken file).
    bool unreadable(const QString& name) const { return m_unreadable.contains(name); }
    // Another catalogue, or the same one saved elsewhere: a cover missing before may be found now.
    void forgetUnreadable() { m_unreadable.clear(); }
    // The covers to make now, the most wanted first; replaces what was asked before and is not
    // made yet, so a fast scroll does not leave a queue of pictures nobody sees any more.
    void request(const std::vector<Source>& sources, int side);

    // The bytes the thumbnails in memory take.
    qint64 memoryInUse() const { return m_images.totalCost() * 1024; }
    // The memory budget in bytes (about 200 MB unless set).
    void setMemoryBudget(qint64 bytes);
    // The disk cache's folder; empty keeps no files.
    void setCacheFolder(const QString& folder);
    const QString& cacheFolder() const { return m_cacheFolder; }
    static QString defaultCacheFolder();

    // Blocks until the workers are idle; for tests and the benchmark.
    void waitForDone();

signals:
    // Thumbnails arrived (several may come with one signal).
    void thumbnailsReady();

private:
    struct Job
    {
        Source source;
        int side = 0;
        QString cacheFile;
    };

    static QString key(const QString& name, int side);
    void work();
    void deliver(const QString& name, int side, const QImage& image);

    QCache<QString, QImage> m_images;
    QSet<QString> m_unreadable;
    QString m_cacheFolder;
    QThreadPool m_pool;

    std::mutex m_mutex; // guards what follows
    std::deque<Job> m_queue;
    QSet<QString> m_working; // keys a worker is making
    int m_workers = 0;
};

// Reads a picture scaled to fit a square of this side (the decoder scales JPEGs as it reads);
// null for a picture that cannot be read.
QImage readScaledPicture(const CoverThumbnails::Source& source, int side);

} // namespace discora
