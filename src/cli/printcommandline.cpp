#include "cli/printcommandline.h"

#include "cli/commandlinemodes.h"
#include "core/document/cataloguedocument.h"
#include "core/settings/appsettings.h"
#include "ui/printing/pdfoutput.h"
#include "ui/support/colors.h"

#include <QPageSize>

#include <new>

namespace discora {

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
