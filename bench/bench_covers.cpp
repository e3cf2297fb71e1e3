// The Covers view on catalogues whose every album has a cover (400 different 600 x 600 JPEGs shared
// among them, kept in the catalogue's covers folder):
// - ViewUp: choosing View by Covers until the first page is painted (placeholders where no
//   thumbnail is made yet): the wait the user sees.
// - ScrollPage: one page down and its paint, with the thumbnails made so far; the cost must not grow
//   with the catalogue.
// - ThumbnailsOfAPage: a page of covers' thumbnails made from the pictures (cold) or read back from
//   the disk cache (warm), on the worker threads, until all have arrived.
// The memory the thumbnails hold after scrolling through 60 pages is reported as "thumbnailMB".
#include "benchdocument.h"
#include "qtbenchmarkmain.h"

#include "core/fileformat/coverfolder.h"
#include "core/model/field.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace discora {
namespace {

constexpr int kDistinctCovers = 400;

std::string jpegCover(int n)
{
    QImage image(600, 600, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((n * 37) % 360, 160, 120 + n % 100));
    QPainter painter(&image);
    painter.setPen(QPen(Qt::white, 12));
    painter.drawEllipse(QPoint(300, 300), 100 + n % 150, 100 + (n * 7) % 150);
    painter.drawText(QRect(0, 480, 600, 80), Qt::AlignCenter, QString::number(n));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes.toStdString();
}

// A catalogue of this many generated albums saved beside its covers folder, so that the document
// reads its covers from files as after an open.
struct CoveredCatalogue
{
    QTemporaryDir dir;
    CatalogueDocument document;
    CatalogueDocument* doc = &document;
};

CoveredCatalogue& coveredCatalogue(int albums)
{
    static std::map<int, std::unique_ptr<CoveredCatalogue>> made;
    auto& covered = made[albums];
    if (!covered) {
        covered = std::make_unique<CoveredCatalogue>();
        const std::string path = covered->dir.filePath(QStringLiteral("covered.dcf")).toStdString();
        const std::string folder = coverFolderOf(path);
        std::vector<std::string> names;
        for (int n = 0; n < kDistinctCovers; ++n)
            names.push_back(*addCover(folder, jpegCover(n)));
        CatalogueDocument& doc = covered->document;
        doc.newDocument();
        LoadedCatalogue loaded;
        loaded.albums = generateCatalogue(albums, kBenchSeed);
        for (int a = 0; a < albums; ++a)
            loaded.albums.setText(Field::Cover, a, names[static_cast<std::size_t>(a) % names.size()]);
        loaded.layouts = defaultColumnLayouts(96);
        loaded.headings = {"Custom 1", "Custom 2"};
        doc.adoptLoaded(std::move(loaded));
        if (!doc.saveFile(path))
            std::abort();
    }
    return *covered;
}

struct Window
{
    explicit Window(CatalogueDocument& doc, const QString& cache) : view(doc)
    {
        view.thumbnails().setCacheFolder(cache);
        view.resize(1280, 900);
        view.show();
        QApplication::processEvents();
    }

    void paint()
    {
        QPainter painter(&image);
        painter.fillRect(image.rect(), view.colors().background);
        view.paintContents(painter);
    }

    CatalogueView view;
    QImage image{1280, 900, QImage::Format_ARGB32_Premultiplied};
};

void BM_CoversViewUp(benchmark::State& state)
{
    CoveredCatalogue& covered = coveredCatalogue(static_cast<int>(state.range(0)));
    QTemporaryDir cache;
    Window window(*covered.doc, cache.path());
    for (auto _ : state) {
        state.PauseTiming();
        covered.doc->setViewStyle(ViewStyle::Normal);
        QApplication::processEvents();
        state.ResumeTiming();
        covered.doc->setViewStyle(ViewStyle::Covers);
        window.paint();
    }
    state.counters["tiles"] = window.view.coverGrid().entries;
    covered.doc->setViewStyle(ViewStyle::Normal);
}

void BM_CoversScrollPage(benchmark::State& state)
{
    CoveredCatalogue& covered = coveredCatalogue(static_cast<int>(state.range(0)));
    QTemporaryDir cache;
    Window window(*covered.doc, cache.path());
    covered.doc->setViewStyle(ViewStyle::Covers);
    int pages = 0;
    for (auto _ : state) {
        window.view.scrollVertically(ScrollRequest::PageForward);
        window.paint();
        QApplication::processEvents(); // the thumbnails that came meanwhile
        if (++pages % 60 == 0)
            window.view.scrollVertically(ScrollRequest::ToStart);
    }
    window.view.thumbnails().waitForDone();
    QApplication::processEvents();
    state.counters["thumbnailMB"] = static_cast<double>(window.view.thumbnails().memoryInUse()) / (1 << 20);
    covered.doc->setViewStyle(ViewStyle::Normal);
}

void BM_CoverThumbnailsOfAPage(benchmark::State& state, bool warm)
{
    CoveredCatalogue& covered = coveredCatalogue(1000);
    QTemporaryDir cache;
    const std::string folder = covered.doc->coverFolder();
    std::vector<CoverThumbnails::Source> page;
    const QStringList files = QDir(QString::fromStdString(folder)).entryList(QDir::Files);
    for (int i = 0; i < 40 && i < files.size(); ++i)
        page.push_back({files[i], QString::fromStdString(folder) + QLatin1Char('/') + files[i], {}});
    if (warm) {
        CoverThumbnails first;
        first.setCacheFolder(cache.path());
        first.request(page, 160);
        first.waitForDone();
    }
    for (auto _ : state) {
        CoverThumbnails thumbnails;
        thumbnails.setCacheFolder(warm ? cache.path() : QString());
        thumbnails.request(page, 160);
        thumbnails.waitForDone();
        QApplication::processEvents();
        if (thumbnails.find(page.back().name, 160).isNull())
            state.SkipWithError("a thumbnail did not arrive");
    }
    state.counters["covers"] = static_cast<double>(page.size());
}

BENCHMARK(BM_CoversViewUp)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CoversScrollPage)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CoverThumbnailsOfAPage, Cold, false)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CoverThumbnailsOfAPage, Warm, true)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace discora

int main(int argc, char** argv)
{
    return discora::runQtBenchmarks<QApplication>(argc, argv);
}
