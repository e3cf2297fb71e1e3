#include "ui/view/coverthumbnails.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QStandardPaths>

namespace discora {

namespace {

constexpr qint64 kDefaultBudget = qint64{200} << 20;
constexpr int kWorkers = 2;

qint64 costOf(const QImage& image)
{
    return std::max<qint64>(1, image.sizeInBytes() / 1024);
}

} // namespace

QImage readScaledPicture(const CoverThumbnails::Source& source, int side)
{
    QBuffer buffer;
    QImageReader reader;
    if (!source.bytes.isEmpty()) {
        buffer.setData(source.bytes);
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
    } else {
        reader.setFileName(source.path);
    }
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && (full.width() > side || full.height() > side)) {
        // Decoding at twice the size and scaling smoothly looks better than the decoder's own
        // scaling, and still reads a large JPEG at a fraction of its size.
        const QSize twice = full.scaled(side * 2, side * 2, Qt::KeepAspectRatio);
        if (twice.width() < full.width())
            reader.setScaledSize(twice);
    }
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.width() > side || image.height() > side)
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (image.hasAlphaChannel()) {
        // Kept as JPEG on disk: a transparent picture goes on white.
        QImage opaque(image.size(), QImage::Format_RGB32);
        opaque.fill(Qt::white);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
        painter.end();
        image = opaque;
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

CoverThumbnails::CoverThumbnails(QObject* parent) : QObject(parent), m_cacheFolder(defaultCacheFolder())
{
    m_images.setMaxCost(kDefaultBudget / 1024);
    m_pool.setMaxThreadCount(kWorkers);
}

CoverThumbnails::~CoverThumbnails()
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.clear();
    }
    m_pool.waitForDone();
}

QString CoverThumbnails::defaultCacheFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/thumbnails");
}

void CoverThumbnails::setMemoryBudget(qint64 bytes)
{
    m_images.setMaxCost(std::max<qint64>(1, bytes / 1024));
}

void CoverThumbnails::setCacheFolder(const QString& folder)
{
    m_cacheFolder = folder;
}

QString CoverThumbnails::key(const QString& name, int side)
{
    return name + QLatin1Char('@') + QString::number(side);
}

QImage CoverThumbnails::find(const QString& name, int side) const
{
    if (const QImage* image = m_images.object(key(name, side)))
        return *image;
    return {};
}

void CoverThumbnails::request(const std::vector<Source>& sources, int side)
{
    if (side <= 0)
        return;
    std::deque<Job> jobs;
    for (const Source& source : sources) {
        const QString k = key(source.name, side);
        if (m_images.contains(k) || m_unreadable.contains(source.name))
            continue;
        QString cacheFile;
        if (!m_cacheFolder.isEmpty()) {
            const QString stem = source.name.section(QLatin1Char('.'), 0, 0);
            cacheFile = m_cacheFolder + QLatin1Char('/') + stem + QLatin1Char('-') + QString::number(side) +
                        QStringLiteral(".jpg");
        }
        jobs.push_back({source, side, cacheFile});
    }
    int start = 0;
    {
        const std::lock_guard lock(m_mutex);
        m_queue.clear();
        for (Job& job : jobs)
            if (!m_working.contains(key(job.source.name, job.side)))
                m_queue.push_back(std::move(job));
        start = std::min<int>(kWorkers - m_workers, static_cast<int>(m_queue.size()));
        m_workers += start;
    }
    for (int i = 0; i < start; ++i)
        m_pool.start([this] { work(); });
}

void CoverThumbnails::work()
{
    for (;;) {
        Job job;
        {
            const std::lock_guard lock(m_mutex);
            if (m_queue.empty()) {
                --m_workers;
                return;
            }
            job = std::move(m_queue.front());
            m_queue.pop_front();
            m_working.insert(key(job.source.name, job.side));
        }
        QImage image;
        if (!job.cacheFile.isEmpty() && QFile::exists(job.cacheFile))
            image = QImage(job.cacheFile);
        if (image.isNull()) {
            image = readScaledPicture(job.source, job.side);
            if (!image.isNull() && !job.cacheFile.isEmpty() && QDir().mkpath(m_cacheFolder)) {
                // Written whole or not at all, so a second reader never finds half a picture.
                QSaveFile file(job.cacheFile);
                if (file.open(QIODevice::WriteOnly)) {
                    QImageWriter writer(&file, "jpeg");
                    writer.setQuality(88);
                    if (writer.write(image))
                        file.commit();
                }
            }
        }
        QMetaObject::invokeMethod(
            this, [this, name = job.source.name, side = job.side, image] { deliver(name, side, image); },
            Qt::QueuedConnection);
    }
}

void CoverThumbnails::deliver(const QString& name, int side, const QImage& image)
{
    {
        const std::lock_guard lock(m_mutex);
        m_working.remove(key(name, side));
    }
    if (image.isNull())
        m_unreadable.insert(name);
    else
        m_images.insert(key(name, side), new QImage(image), costOf(image));
    emit thumbnailsReady();
}

void CoverThumbnails::waitForDone()
{
    m_pool.waitForDone();
}

} // namespace discora
