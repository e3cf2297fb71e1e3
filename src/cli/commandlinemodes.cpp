#include "cli/commandlinemodes.h"

#include "cli/commandlineexport.h"
#include "core/cdplayer/cdplayertext.h"
#include "core/cdplayer/discidentity.h"
#include "core/cdplayer/disctimes.h"
#include "core/cdplayer/libcdiodevice.h"
#include "core/document/audioimportplan.h"
#include "core/document/cataloguedocument.h"
#include "core/document/csvimportplan.h"
#include "core/export/orderlisting.h"
#include "core/export/statisticslisting.h"
#include "core/fileformat/atomicfile.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/cataloguewriter.h"
#include "core/fileformat/coverfolder.h"
#include "core/import/csvreader.h"
#include "core/settings/appsettings.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <new>

namespace discora {

Status loadForCommandLine(CatalogueDocument& doc, const CommandLine& cl, const AppSettings& settings)
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
// A new catalogue as the window starts one: the settings' view options and custom headings.
void newForCommandLine(CatalogueDocument& doc, const AppSettings& settings)
{
    doc.setViewOptions(settings.readViewOptions());
    doc.newDocument();
    const auto headings = settings.headingsWithDefaults();
    doc.setHeadings(headings[0], headings[1]);
}

// Why --save-as refuses to write over a file the import reads: it would be replaced by the
// catalogue made from it.
constexpr const char* kOutputIsImported =
    "It is a file being imported, which would be lost; choose another file.";

Status refuseImportedOutput(const std::string& output, const std::string& imported)
{
    if (!isSameFile(output, imported))
        return success();
    return Error{"Cannot save \"" + output + "\". " + kOutputIsImported};
}

// Adds the rows of the --import-csv file, each column filling the field its heading names unless
// a --map assignment says otherwise.
Status importForCommandLine(CatalogueDocument& doc, const CommandLine& cl)
{
    if (Status refused = refuseImportedOutput(cl.output, cl.importCsv); !refused)
        return refused;
    auto plan = planCsvImport(doc, cl.importCsv, cl.columnMaps);
    if (!plan)
        return Error{plan.error()};
    const CsvImportOutcome outcome = applyCsvImport(doc, plan->table, plan->mapping);
    // Without a window the message names the file, as every other message of the import does.
    if (!outcome.edit.error.empty())
        return Error{cannotImport(cl.importCsv, outcome.edit.error)};
    std::cerr << "discora: " << importSummary(outcome.report) << "\n";
    return success();
}

// Adds the albums of the audio files under --import-audio DIR, all of them but those the catalogue
// holds already, as the dialog offers them.
Status importAudioForCommandLine(CatalogueDocument& doc, const CommandLine& cl)
{
    auto scan = scanAudioFolder(cl.importAudio);
    if (!scan)
        return Error{scan.error()};
    const std::filesystem::path root = cl.importAudio;
    for (const AudioTrack& track : scan->tracks)
        if (Status refused = refuseImportedOutput(cl.output, (root / track.folder / track.fileName).string());
            !refused)
            return refused;
    for (const AudioScanProblem& problem : scan->unreadable)
        if (Status refused = refuseImportedOutput(cl.output, (root / problem.file).string()); !refused)
            return refused;
    auto plan = planAudioImport(doc, cl.importAudio, std::move(*scan), cl.tagMaps);
    if (!plan)
        return Error{plan.error()};
    plan->options.mediaType = cl.mediaType;
    const AudioImportOutcome outcome = applyAudioImport(doc, *plan);
    if (!outcome.edit.error.empty())
        return Error{cannotImport(cl.importAudio, outcome.edit.error)};
    for (const AudioScanProblem& problem : plan->scan.unreadable)
        std::cerr << "discora: skipped \"" << problem.file << "\": " << problem.reason << "\n";
    std::cerr << "discora: " << audioImportSummary(outcome.report) << "\n";
    return success();
}

// --save-as: the albums, column layouts and headings the window would load (a fresh catalogue's
// layouts for a file from before layouts were stored, the settings' headings for empty ones),
// written in the current version. Nothing is shown, so the value lists, filters and order that a
// loaded catalogue is given are not made.
Status saveAsCurrentVersion(const CommandLine& cl, const AppSettings& settings)
{
    const Catalogue fresh;
    auto loaded = readCatalogueFile(cl.file, LoadBase{fresh.columnLayouts(), fresh.headings()}, nullptr);
    if (!loaded)
        return Error{loaded.error()};
    const auto defaults = settings.headingsWithDefaults();
    for (int h = 0; h < 2; ++h)
        if (loaded->headings[h].empty())
            loaded->headings[h] = defaults[h];
    if (!loaded->detailsNotice.empty())
        std::cerr << "discora: " << loaded->detailsNotice << "\n";
    if (Status status = writeCatalogueFile(cl.output, loaded->albums, loaded->layouts, loaded->headings,
                                           loaded->keptBlock);
        !status)
        return status;
    // The covers go with the catalogue, into the new file's covers folder.
    const std::vector<std::string> covers = coverNamesOf(loaded->albums);
    if (covers.empty())
        return success();
    auto missing = copyCovers(coverFolderOf(cl.file), coverFolderOf(cl.output), covers);
    if (!missing)
        return Error{"Cannot copy the covers to " + coverFolderOf(cl.output) + ": " + missing.error()};
    for (const std::string& name : *missing)
        std::cerr << "discora: the cover " << name << " is missing from " << coverFolderOf(cl.file) << "\n";
    return success();
}

Status runScripted(const CommandLine& cl, CatalogueDocument& doc)
{
    switch (cl.mode) {
    case CommandLine::Mode::SaveAs: return doc.saveFile(cl.output);
    case CommandLine::Mode::List: {
        // A list cut short by memory is not printed: a partial list would pass for the whole one.
        // (Should memory run out while the lines are written, the exit status says they are not
        // all there.)
        if (Status status = doc.runOrder(cl.order); !status)
            return status;
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
    case CommandLine::Mode::Stats: {
        const CollectionStatistics stats =
            collectionStatistics(doc.albums(), doc.displayOrder(), todaysDate());
        std::cout << statisticsText(statisticsSections(stats));
        std::cout.flush();
        return std::cout ? success() : Status(Error{"The statistics could not be written."});
    }
    case CommandLine::Mode::ExportCsv:
    case CommandLine::Mode::ExportText: {
        const ExportFormat format =
            cl.mode == CommandLine::Mode::ExportCsv ? ExportFormat::Csv : ExportFormat::Text;
        ExportSettings settings = ExportSettings::of(doc);
        settings.withDetails = cl.withDetails;
        const Result<ExportedFile> file = exportDisplayedAlbums(doc, format, cl.order, cl.filters, settings);
        if (!file)
            return Error{file.error()};
        Status status = writeExportFile(cl.output, file.value(), cl.file);
        if (status && file.value().utf8)
            std::cerr << "discora: " << kUtf8ExportNotice << "\n";
        return status;
    }
    case CommandLine::Mode::ExportHtml: {
        const Result<WebPageReport> report =
            exportDisplayedAlbumsAsWebPage(doc, cl.output, cl.order, cl.filters, webPageTitleOf(cl.file));
        if (!report)
            return Error{report.error()};
        for (const std::string& name : report->missingCovers)
            std::cerr << "discora: the cover " << name << " could not be read from " << doc.coverFolder()
                      << "\n";
        return success();
    }
    default: return success();
    }
}

// What "Load Times from CD" would read, one "NN<TAB>MM:SS" line per track; without an audio disc,
// the message the entry sheet would show.
int printCdInfo(const CommandLine& cl, const AppSettings& settings)
{
    LibcdioDevice device(chooseCdDrive(cl.cdDevice, std::getenv(kCdDeviceVariable), settings.readCdDrive()));
    const DiscReading reading = readDiscTimes(device);
    const std::string problem = !reading.ok() ? (reading.message.empty() ? kNoCdDetected : reading.message)
                                : reading.times.empty() ? kNoAudioTracks
                                                        : std::string();
    if (!problem.empty()) {
        std::cerr << problem << "\n";
        return kExitFailure;
    }
    int track = 0;
    for (const std::string& time : reading.times) {
        ++track;
        std::cout << (track < 10 ? "0" : "") << track << '\t' << time << '\n';
    }
    std::cout.flush();
    return std::cout ? kExitSuccess : kExitFailure;
}

// The disc's IDs, three lines: the MusicBrainz disc ID, the FreeDB ID and where to add the disc.
int printDiscId(const CommandLine& cl, const AppSettings& settings)
{
    LibcdioDevice device(chooseCdDrive(cl.cdDevice, std::getenv(kCdDeviceVariable), settings.readCdDrive()));
    const DiscIdReading reading = readDiscIdentity(device);
    if (!reading.ok()) {
        std::cerr << reading.message << "\n";
        return kExitFailure;
    }
    std::cout << reading.identity.discId << '\n'
              << reading.identity.freedbId << '\n'
              << reading.identity.submissionUrl << '\n';
    std::cout.flush();
    return std::cout ? kExitSuccess : kExitFailure;
}

} // namespace

int exitCodeFor(const Status& status)
{
    if (status)
        return kExitSuccess;
    std::cerr << "discora: " << status.error() << "\n";
    return kExitFailure;
}

int runCommandLineMode(const CommandLine& cl, SettingsStore& store)
{
    switch (cl.mode) {
    case CommandLine::Mode::Help: std::cout << usageText(); return kExitSuccess;
    case CommandLine::Mode::Version: std::cout << "Discora " << DISCORA_VERSION << "\n"; return kExitSuccess;
    case CommandLine::Mode::Window: return kExitSuccess;
    case CommandLine::Mode::Print:
    case CommandLine::Mode::PrintPdf:
        std::cerr << "discora: printing needs the window library\n";
        return kExitFailure;
    case CommandLine::Mode::Lookup:
        std::cerr << "discora: the lookup needs the window library\n";
        return kExitFailure;
    default: break;
    }
    AppSettings settings(store);
    if (cl.mode == CommandLine::Mode::CdInfo)
        return printCdInfo(cl, settings);
    if (cl.mode == CommandLine::Mode::DiscId)
        return printDiscId(cl, settings);
    CatalogueDocument doc;
    Status status = success();
    try {
        if (cl.mode == CommandLine::Mode::SaveAs && cl.importCsv.empty() && cl.importAudio.empty()) {
            status = saveAsCurrentVersion(cl, settings);
        } else {
            // A catalogue only listed or exported and closed needs no value lists.
            const bool onlyRead =
                cl.importCsv.empty() && cl.importAudio.empty() &&
                (cl.mode == CommandLine::Mode::List || cl.mode == CommandLine::Mode::Stats ||
                 cl.mode == CommandLine::Mode::ExportCsv || cl.mode == CommandLine::Mode::ExportText ||
                 cl.mode == CommandLine::Mode::ExportHtml);
            doc.setValueListsKept(!onlyRead);
            if (cl.file.empty())
                newForCommandLine(doc, settings);
            else
                status = loadForCommandLine(doc, cl, settings);
            if (status && !cl.importCsv.empty())
                status = importForCommandLine(doc, cl);
            if (status && !cl.importAudio.empty())
                status = importAudioForCommandLine(doc, cl);
            if (status)
                status = runScripted(cl, doc);
        }
    } catch (const std::bad_alloc&) {
        status = Error{kNotEnoughMemory};
    }
    return exitCodeFor(status);
}

} // namespace discora
