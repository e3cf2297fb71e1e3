#include "core/commands/scriptingcommands.h"

#include "core/commands/commandlineexport.h"
#include "core/document/cataloguedocument.h"
#include "core/order/orderlisting.h"
#include "core/settings/appsettings.h"

#include <iostream>
#include <new>

namespace discora {

Status loadForScripting(CatalogueDocument& doc, const CommandLine& cl, const AppSettings& settings)
{
    doc.setViewOptions(settings.readViewOptions());
    std::array<std::string, kFilterCount> filters;
    filters.fill(kNoFilter);
    for (const auto& [field, text] : cl.filters)
        filters[static_cast<int>(field)] = text;
    doc.setFilters(filters);
    doc.setViewStyle(cl.style);
    Status status = doc.openFile(cl.file);
    if (!status)
        return status;
    const auto headings = settings.headingsWithDefaults();
    doc.setHeadings(doc.heading(0).empty() ? headings[0] : doc.heading(0),
                    doc.heading(1).empty() ? headings[1] : doc.heading(1));
    return status;
}

namespace {

Status runScripted(const CommandLine& cl, CatalogueDocument& doc)
{
    switch (cl.mode) {
    case CommandLine::Mode::SaveAs: return doc.saveFile(cl.output);
    case CommandLine::Mode::List: {
        // A list cut short by memory is not printed: a partial list would pass for the whole one.
        if (Status status = doc.runOrder(cl.order); !status)
            return status;
        for (const std::string& line : listCurrentOrder(doc))
            std::cout << line << '\n';
        std::cout.flush();
        return std::cout ? success() : Status(Error{"The list could not be written."});
    }
    case CommandLine::Mode::ExportCsv:
    case CommandLine::Mode::ExportText: {
        const ExportFormat format =
            cl.mode == CommandLine::Mode::ExportCsv ? ExportFormat::Csv : ExportFormat::Text;
        const Result<ExportedFile> file =
            exportDisplayedAlbums(doc, format, cl.order, cl.filters, ExportSettings::of(doc));
        if (!file)
            return Error{file.error()};
        Status status = writeExportFile(cl.output, file.value());
        if (status && file.value().utf8)
            std::cerr << "discora: " << kUtf8ExportNotice << "\n";
        return status;
    }
    default: return success();
    }
}

} // namespace

int runScriptingCommand(const CommandLine& cl, SettingsStore& store)
{
    switch (cl.mode) {
    case CommandLine::Mode::Help: std::cout << usageText(); return kExitSuccess;
    case CommandLine::Mode::Version: std::cout << "Discora " << DISCORA_VERSION << "\n"; return kExitSuccess;
    case CommandLine::Mode::Window: return kExitSuccess;
    case CommandLine::Mode::Print:
    case CommandLine::Mode::PrintPdf:
        std::cerr << "discora: printing needs the window library\n";
        return kExitFailure;
    default: break;
    }
    CatalogueDocument doc;
    AppSettings settings(store);
    Status status = success();
    try {
        status = loadForScripting(doc, cl, settings);
        if (status)
            status = runScripted(cl, doc);
    } catch (const std::bad_alloc&) {
        status = Error{kNotEnoughMemory};
    }
    if (!status) {
        std::cerr << "discora: " << status.error() << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace discora
