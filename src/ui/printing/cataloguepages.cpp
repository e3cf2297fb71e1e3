#include "ui/printing/cataloguepages.h"

#include "core/base/progresssink.h"
#include "core/document/cataloguedocument.h"
#include "core/layout/viewfonts.h"
#include "core/view/catalogue.h"
#include "ui/support/fonts.h"
#include "ui/support/qttext.h"

#include <QCache>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace discora {

namespace {

// 16 MiB in blocks small enough to be had when memory is scattered.
constexpr int kEndReserveBlocks = 256;
constexpr std::size_t kEndReserveBlock = 64 * 1024;

// How often a long job lets the window repaint, in milliseconds.
constexpr int kRepaintInterval = 100;

} // namespace

std::string printingPageText(int page, int pageCount)
{
    return "Printing page " + std::to_string(page) + " of " + std::to_string(pageCount);
}

CataloguePages::CataloguePages(const Catalogue& doc, const QPaintDevice& device,
                               std::optional<std::vector<int>> selection, CoverLookup covers)
    : m_doc(doc), m_colors(toViewColors(doc.colors())), m_covers(std::move(covers))
{
    const ViewFonts fonts = makeViewFonts(doc.font(), doc.screenDpi(), device.logicalDpiY());
    m_font = toQFont(fonts.print);
    m_boldFont = toQFont(fonts.printBold);
    const QFontMetrics fm(m_font, &device);
    m_printDpi = device.logicalDpiX();
    m_printWidth = device.width() - 5;
    m_timeWidth = std::max(fm.horizontalAdvance(QStringLiteral("00:00")),
                           QFontMetrics(m_boldFont, &device).horizontalAdvance(QStringLiteral("Time")));
    m_pageHeight = device.height();
    const PageMetrics page{m_pageHeight, lineHeight(fm)};
    m_pagination = paginate(doc, page, std::move(selection));
}

void CataloguePages::printPage(QPainter& painter, int page) const
{
    const PageInput input{m_doc,        m_pagination,        m_printDpi,  m_printWidth,
                          m_pageHeight, m_doc.screenDpi(),   m_font,      m_boldFont,
                          m_colors,     m_doc.viewOptions(), m_timeWidth, m_covers};
    CataloguePainter(painter, input).paintPage(page);
}

CoverLookup documentCovers(const CatalogueDocument& doc)
{
    // A job prints each cover once or a few times, near one another: a few pictures are kept.
    auto kept = std::make_shared<QCache<QString, QImage>>(64 * 1024); // in KB
    return [&doc, kept](std::string_view name, int side) {
        const QString key = toQt(name) + QLatin1Char('@') + QString::number(side);
        if (const QImage* image = kept->object(key))
            return CoverLook{*image, false};
        const std::optional<std::string> bytes = doc.coverImage(name);
        QImage image;
        if (bytes)
            image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                               static_cast<int>(bytes->size()));
        if (image.isNull())
            return CoverLook{{}, true};
        if (image.width() > side || image.height() > side)
            image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        kept->insert(key, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes() / 1024));
        return CoverLook{image, false};
    };
}

Status printPages(QPagedPaintDevice& device, const CataloguePages& job, PageSpan span, ProgressSink* progress,
                  const KeepPrinting& keepPrinting)
{
    const int count = job.pageCount();
    const int first = span.first <= 0 ? 1 : std::min(span.first, count);
    const int last = span.last <= 0 ? count : std::clamp(span.last, first, count);
    const int copies = std::max(1, span.copies);
    // Memory kept back while the pages are drawn, given back should drawing run out, so that the
    // job can still be ended. Ending it writes the last page, which takes memory too.
    std::vector<std::unique_ptr<char[]>> reserve;
    for (int block = 0; block < kEndReserveBlocks; ++block)
        reserve.emplace_back(new char[kEndReserveBlock]);
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&device))
        return Error{kCouldNotStartPrintJob};
    try {
        ProgressScope scope(progress, printingPageText(first, count), (last - first + 1) * copies);
        QElapsedTimer shown;
        shown.start();
        bool firstSheet = true;
        const int total = (last - first + 1) * copies;
        int printed = 0;
        for (int copy = 0; copy < copies; ++copy) {
            for (int page = first; page <= last; ++page) {
                if (keepPrinting && printed > 0 && !keepPrinting(printed, total)) {
                    painter->end();
                    return success();
                }
                if (!firstSheet)
                    device.newPage();
                firstSheet = false;
                job.printPage(*painter, page);
                ++printed;
                scope.step();
                // A long job tells where it is and lets the window repaint; what the user types waits.
                if (progress && shown.elapsed() >= kRepaintInterval) {
                    progress->setText(printingPageText(page, count));
                    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                    shown.restart();
                }
            }
        }
        painter->end();
    } catch (const std::bad_alloc&) {
        reserve.clear();
        try {
            if (painter->isActive())
                painter->end();
        } catch (const std::bad_alloc&) {
            // A painter still active ends its job again when destroyed, which would run out of
            // memory once more inside a destructor and end the program. It is left as it is; the
            // job and its bytes go with the device.
            static_cast<void>(painter.release());
        }
        throw;
    }
    return success();
}

} // namespace discora
