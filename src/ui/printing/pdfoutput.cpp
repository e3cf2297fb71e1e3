#include "ui/printing/pdfoutput.h"

#include "core/document/cataloguedocument.h"
#include "core/fileformat/atomicfile.h"
#include "ui/printing/cataloguepages.h"
#include "ui/support/qttext.h"

#include <QBuffer>
#include <QByteArray>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <new>

namespace discora {

namespace {

Status writePdf(const CatalogueDocument& doc, const std::string& path, const QPageSize& paper,
                const std::string& source)
{
    const auto failed = [&](const std::string& reason) {
        return Status(Error{"Cannot print to \"" + path + "\". " + reason});
    };
    if (isSameFile(path, source))
        return failed(kOutputIsSource);
    // The pages are made in memory and reach the disk as every other file the program writes: put
    // in place only when complete, so a failed job leaves an existing file as it was.
    QByteArray bytes;
    Status status = success();
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        setUpPdfPage(writer, paper);
        writer.setCreator(QStringLiteral("Discora"));
        const CataloguePages job(doc, writer, std::nullopt, documentCovers(doc));
        status = printPages(writer, job);
    }
    if (!status)
        return failed(status.error());
    status = writeFileAtomically(path,
                                 std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!status)
        return failed(status.error());
    return success();
}

} // namespace

QPageSize localePaperSize()
{
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                        : QPageSize::A4);
}

void setUpPdfPage(QPdfWriter& writer, const QPageSize& paper)
{
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(
        QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
}

Status printToPdf(const CatalogueDocument& doc, const std::string& path, const QPageSize& paper,
                  const std::string& source)
{
    try {
        return writePdf(doc, path, paper, source);
    } catch (const std::bad_alloc&) {
        // The half-written job went with its temporary file; nothing was put in place.
        return Error{kNotEnoughMemory};
    }
}

Status printOnDefaultPrinter(const CatalogueDocument& doc, const std::string& file)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return Error{"There is no printer to print on; " + file + " was not printed."};
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(fromPath(file));
    const CataloguePages job(doc, printer, std::nullopt, documentCovers(doc));
    return printPages(printer, job);
}

} // namespace discora
