#include "ui/printing/printcommandline.h"

#include "core/catalogue/atomicfile.h"
#include "core/commands/commandlinemodes.h"
#include "core/document/cataloguedocument.h"
#include "core/settings/appsettings.h"
#include "ui/printing/cataloguepages.h"
#include "ui/support/colors.h"
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

Status printOnDefaultPrinter(const CatalogueDocument& doc, const std::string& file)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return Error{"There is no printer to print on; " + file + " was not printed."};
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(fromPath(file));
    const CataloguePages job(doc, printer, std::nullopt);
    return printPages(printer, job);
}

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
        const CataloguePages job(doc, writer, std::nullopt);
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

int runPrintingMode(const CommandLine& cl, SettingsStore& store)
{
    Status status = success();
    try {
        CatalogueDocument doc;
        const AppSettings settings(store);
        // The pages look as the window prints them: the settings' font and colors with the rest.
        doc.setFont(settings.fontWithDefaults());
        doc.setColors(toDisplayColors(settings.colorsWithDefaults(), systemColorsFromPalette()));
        doc.setValueListsKept(false); // printed and closed: nothing offers them
        status = loadForCommandLine(doc, cl, settings);
        if (status) {
            if (cl.mode == CommandLine::Mode::PrintPdf) {
                // A list cut short by memory would print as if it were the whole one.
                status = doc.runOrder(cl.order);
                if (status)
                    status = printToPdf(doc, cl.output, localePaperSize(), cl.file);
            } else {
                status = printOnDefaultPrinter(doc, cl.file);
            }
        }
    } catch (const std::bad_alloc&) {
        // The half-written PDF went with its temporary file; nothing was put in place.
        status = Error{kNotEnoughMemory};
    }
    return exitCodeFor(status);
}

} // namespace discora
