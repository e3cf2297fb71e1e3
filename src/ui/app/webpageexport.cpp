#include "ui/app/webpageexport.h"

#include "core/base/twothreads.h"
#include "core/document/cataloguedocument.h"
#include "core/export/webpage.h"
#include "core/export/webpagefolder.h"
#include "ui/view/coverthumbnails.h"

#include <QImageWriter>
#include <QSaveFile>

#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>

namespace discora {

namespace {

enum class Thumbnail
{
    Made,
    Unreadable,
    Unwritable
};

Thumbnail makeThumbnail(const CatalogueDocument& doc, const std::string& cover, const std::string& path)
{
    // One an earlier export made shows the same picture: the name follows the cover's bytes. A link
    // in its place is not ours to follow.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, ec);
    if (std::filesystem::is_regular_file(status))
        return Thumbnail::Made;
    if (std::filesystem::is_symlink(status) && !std::filesystem::remove(path, ec))
        return Thumbnail::Unwritable;
    const std::optional<std::string> bytes = doc.coverImage(cover);
    if (!bytes)
        return Thumbnail::Unreadable;
    CoverThumbnails::Source source;
    source.name = QString::fromStdString(cover);
    source.bytes = QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
    const QImage image = readScaledPicture(source, kWebPageThumbnailSide);
    if (image.isNull())
        return Thumbnail::Unreadable;
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return Thumbnail::Unwritable;
    QImageWriter writer(&file, "jpeg");
    writer.setQuality(85);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(true);
    if (!writer.write(image) || !file.commit())
        return Thumbnail::Unwritable;
    return Thumbnail::Made;
}

} // namespace

Result<WebPageReport> exportWebPage(const CatalogueDocument& doc, std::span<const std::uint32_t> albums,
                                    const std::string& folder, const std::string& title,
                                    ProgressSink* progress)
{
    if (Status ready = prepareWebPageFolder(folder); !ready)
        return Error{ready.error()};

    std::set<std::string> covers;
    for (std::uint32_t album : albums)
        if (const std::string_view cover = doc.text(Field::Cover, static_cast<int>(album));
            !thumbnailFileName(cover).empty())
            covers.emplace(cover);
    const std::vector<std::string> names(covers.begin(), covers.end());
    std::vector<Thumbnail> made(names.size(), Thumbnail::Unreadable);
    {
        // Pictures are decoded on two threads; this one reports for both.
        ProgressScope scope(progress, kWebPageCoversStatusText, static_cast<int>(names.size() + 1) / 2);
        std::atomic<bool> stop = false;
        onTwoThreads(
            [&](int half) {
                for (std::size_t i = static_cast<std::size_t>(half); i < names.size() && !stop; i += 2) {
                    made[i] = makeThumbnail(doc, names[i], thumbnailPath(folder, names[i]));
                    if (made[i] == Thumbnail::Unwritable)
                        stop = true;
                    if (half == 0)
                        scope.step();
                }
            },
            [&] { stop = true; });
    }

    WebPageReport report;
    std::set<std::string> shown; // the thumbnails' file names
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (made[i] == Thumbnail::Unwritable)
            return Error{"Cannot export the web page to \"" + folder + "\". The cover " +
                         thumbnailFileName(names[i]) + " could not be written."};
        if (made[i] == Thumbnail::Unreadable) {
            report.missingCovers.push_back(names[i]);
            continue;
        }
        shown.insert(std::filesystem::path(thumbnailFileName(names[i])).filename().string());
        ++report.covers;
    }
    const std::set<std::string> missing(report.missingCovers.begin(), report.missingCovers.end());

    WebPageSource source;
    source.title = title;
    source.albums = albums;
    source.totals = webPageTotals(doc, albums);
    source.thumbnailOf = [&](std::uint32_t album) {
        const std::string_view cover = doc.text(Field::Cover, static_cast<int>(album));
        return missing.contains(std::string(cover)) ? std::string() : thumbnailFileName(cover);
    };
    if (Status written = writeWebPages(folder, doc, source, progress); !written)
        return Error{written.error()};
    removeUnusedThumbnails(folder, shown);
    report.pages = webPageCount(albums.size());
    return report;
}

std::string webPageTitleOf(const std::string& cataloguePath)
{
    if (cataloguePath.empty())
        return "Untitled";
    std::filesystem::path path(cataloguePath);
    if (path.extension() == ".dcf" || path.extension() == ".DCF")
        path.replace_extension();
    const std::string name = path.filename().string();
    return name.empty() ? "Untitled" : name;
}

} // namespace discora
