#include "core/commands/scriptingcommands.h"

#include "core/catalogue/cataloguefile.h"
#include "core/catalogue/filebytes.h"
#include "core/commands/commandlineexport.h"
#include "core/document/cataloguedocument.h"
#include "core/order/orderlisting.h"
#include "core/settings/appsettings.h"

#include <iostream>
#include <new>

namespace discora {

namespace {

// A catalogue read as the running program reads it after start-up: the settings' view options,
// the style and filters in force before the load (whose last step sorts by artist), and the
// settings' headings filling the file's empty ones.
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

// --save-as: the albums, column layouts and headings the window would load (a fresh catalogue's
// layouts for a file from before layouts were stored, the settings' headings for empty ones),
// written in the current version. Nothing is shown, so the value lists, filters and order that a
// loaded catalogue is given are not made.
Status saveAsCurrentVersion(const CommandLine& cl, const AppSettings& settings)
{
    const Catalogue fresh;
    LoadedCatalogue loaded;
    {
        auto bytes = FileBytes::read(cl.file);
        if (!bytes)
            return Error{"Cannot open \"" + cl.file + "\". " + bytes.error()};
        auto read = readCatalogue(bytes->view(), LoadBase{fresh.columnLayouts(), fresh.headings()}, nullptr);
        if (!read)
            return Error{"Cannot open \"" + cl.file + "\". " + read.error()};
        loaded = std::move(*read);
    }
    const auto defaults = settings.headingsWithDefaults();
    for (int h = 0; h < 2; ++h)
        if (loaded.headings[h].empty())
            loaded.headings[h] = defaults[h];
    Status status = success();
    try {
        status = writeFileAtomically(cl.output, [&](ByteSink& sink) {
            writeCatalogue(sink, loaded.albums, loaded.layouts, loaded.headings);
        });
    } catch (const std::bad_alloc&) {
        return Error{"Cannot save \"" + cl.output + "\". Not enough memory to save the file."};
    }
    if (!status)
        return Error{"Cannot save \"" + cl.output + "\". " + status.error()};
    return success();
}

Status runScripted(const CommandLine& cl, CatalogueDocument& doc)
{
    switch (cl.mode) {
    case CommandLine::Mode::List: {
        doc.runOrder(cl.order);
        // Lines are gathered into blocks: a million writes to the stream one by one cost seconds.
        constexpr std::size_t kBlock = std::size_t{1} << 20;
        std::string block;
        block.reserve(kBlock + 4096);
        listCurrentOrder(doc, [&](std::string_view line) {
            block += line;
            block += '\n';
            if (block.size() >= kBlock) {
                std::cout.write(block.data(), static_cast<std::streamsize>(block.size()));
                block.clear();
            }
        });
        std::cout.write(block.data(), static_cast<std::streamsize>(block.size()));
        std::cout.flush();
        return std::cout ? success() : Status(Error{"The list could not be written."});
    }
    case CommandLine::Mode::ExportCsv:
    case CommandLine::Mode::ExportText: {
        const ExportFormat format =
            cl.mode == CommandLine::Mode::ExportCsv ? ExportFormat::Csv : ExportFormat::Text;
        const ExportedFile file =
            exportDisplayedAlbums(doc, format, cl.order, cl.filters, ExportSettings::of(doc));
        Status status = writeExportFile(cl.output, file);
        if (status && file.utf8)
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
    default: break;
    }
    AppSettings settings(store);
    if (cl.mode == CommandLine::Mode::SaveAs) {
        const Status status = saveAsCurrentVersion(cl, settings);
        if (!status) {
            std::cerr << "discora: " << status.error() << "\n";
            return kExitFailure;
        }
        return kExitSuccess;
    }
    CatalogueDocument doc;
    Status status = loadForScripting(doc, cl, settings);
    if (status)
        status = runScripted(cl, doc);
    if (!status) {
        std::cerr << "discora: " << status.error() << "\n";
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace discora
