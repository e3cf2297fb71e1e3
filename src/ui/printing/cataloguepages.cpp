#include "ui/printing/cataloguepages.h"

#include "core/base/progresssink.h"
#include "core/layout/viewfonts.h"
#include "core/view/catalogue.h"
#include "ui/support/fonts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace discora {

namespace {

// How often a long job lets the window repaint, in milliseconds.
constexpr int kRepaintInterval = 100;

} // namespace

std::string printingPageText(int page, int pageCount)
{
    return "Printing page " + std::to_string(page) + " of " + std::to_string(pageCount);
}

CataloguePages::CataloguePages(const Catalogue& doc, const QPaintDevice& device,
                               std::optional<std::vector<int>> selection)
    : m_doc(doc), m_colors(toViewColors(doc.colors()))
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
    const PageInput input{m_doc,        m_pagination,        m_printDpi, m_printWidth,
                          m_pageHeight, m_doc.screenDpi(),   m_font,     m_boldFont,
                          m_colors,     m_doc.viewOptions(), m_timeWidth};
    CataloguePainter(painter, input).paintPage(page);
}

Status printPages(QPagedPaintDevice& device, const CataloguePages& job, PageSpan span, ProgressSink* progress,
                  const KeepPrinting& keepPrinting)
{
    const int count = job.pageCount();
    const int first = span.first <= 0 ? 1 : std::min(span.first, count);
    const int last = span.last <= 0 ? count : std::clamp(span.last, first, count);
    const int copies = std::max(1, span.copies);
    QPainter painter;
    if (!painter.begin(&device))
        return Error{kCouldNotStartPrintJob};
    ProgressScope scope(progress, printingPageText(first, count), (last - first + 1) * copies);
    QElapsedTimer shown;
    shown.start();
    bool firstSheet = true;
    const int total = (last - first + 1) * copies;
    int printed = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = first; page <= last; ++page) {
            if (keepPrinting && printed > 0 && !keepPrinting(printed, total)) {
                painter.end();
                return success();
            }
            if (!firstSheet)
                device.newPage();
            firstSheet = false;
            job.printPage(painter, page);
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
    painter.end();
    return success();
}

} // namespace discora
