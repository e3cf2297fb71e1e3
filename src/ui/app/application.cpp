#include "ui/app/application.h"

#include "core/catalogue/cataloguefile.h"
#include "ui/app/documentcommands.h"
#include "ui/entry/newalbumsheet.h"
#include "core/commands/commandlineexport.h"
#include "ui/app/mainwindow.h"
#include "ui/options/colours.h"
#include "ui/options/optionscommands.h"
#include "core/order/orderlisting.h"
#include "core/order/orders.h"
#include "ui/support/qttext.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>

#include <iostream>

namespace discora {

SystemColours systemColoursFromPalette()
{
    const QPalette palette = QApplication::palette();
    SystemColours s;
    s.window = toColourValue(palette.color(QPalette::Base));
    s.buttonFace = toColourValue(palette.color(QPalette::Button));
    s.buttonShadow = toColourValue(palette.color(QPalette::Dark));
    s.menuText = toColourValue(palette.color(QPalette::WindowText));
    return s;
}

Application::Application(SettingsStore& store, Prompter* prompter)
    : m_store(store), m_settings(store), m_prompter(prompter ? *prompter : m_messagePrompter)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_doc.setScreenDpi(qRound(screen->logicalDotsPerInchY()));
    m_window = std::make_unique<MainWindow>(m_doc, m_settings, m_prompter);
    registerOptionsCommands(*m_window, m_settings, m_doc);
    m_albumSheet = std::make_unique<NewAlbumSheet>(m_doc, m_prompter, m_window.get());
    m_doc.setEntryListSink(m_albumSheet.get());
    m_documentCommands = std::make_unique<DocumentCommands>(m_doc, *m_window, m_prompter, *m_albumSheet);
    m_documentCommands->registerCommands();
    m_messagePrompter.setParent(m_window.get());
}

Application::~Application()
{
    m_doc.setEntryListSink(nullptr);
}

void Application::start(const CommandLine& commandLine)
{
    // The rule looks at "File1" alone: an empty first entry means there is no last file.
    const std::string fileToOpen =
        chooseStartupFile(commandLine.file, m_store.readString(kRecentFileList, "File1", ""),
                          m_settings.readLoadLast(), &fileIsReadable);
    m_doc.newDocument();
    m_doc.setProgressEnabled(false); // the first load shows no progress
    if (!fileToOpen.empty()) {
        const Status status = m_doc.openFile(fileToOpen);
        if (status)
            m_window->adoptStartupFile(fromPath(fileToOpen));
        else
            m_prompter.showError(status.error() + "\nDiscora starts with an empty catalogue.");
    }
    m_window->showWithSavedPlacement();
    m_doc.setProgressEnabled(true);
    m_settings.applyAllAtStartup(systemColoursFromPalette(), m_doc);
}

namespace {

// A catalogue read as the running program reads it after start-up: the settings' view options,
// the style and filters in force before the load (whose last step sorts by artist), and the
// settings' headings filling the file's empty ones.
Status loadForScripting(CatalogueDocument& doc, const CommandLine& cl, const AppSettings& settings)
{
    doc.setViewOptions(settings.readViewOptions());
    doc.setViewStyle(cl.style);
    for (const auto& [field, text] : cl.filters)
        doc.setFilter(field, text);
    Status status = doc.openFile(cl.file);
    if (!status)
        return status;
    const auto headings = settings.headingsWithDefaults();
    doc.setHeadings(doc.heading(0).empty() ? headings[0] : doc.heading(0),
                    doc.heading(1).empty() ? headings[1] : doc.heading(1));
    return status;
}

Status runScripted(const CommandLine& cl, CatalogueDocument& doc)
{
    switch (cl.mode) {
    case CommandLine::Mode::SaveAs: return doc.saveFile(cl.output);
    case CommandLine::Mode::List:
        runOrder(doc, cl.order);
        for (const std::string& line : listCurrentOrder(doc))
            std::cout << line << '\n';
        std::cout.flush();
        return std::cout ? success() : Status(Error{"The list could not be written."});
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
    case CommandLine::Mode::Help: std::cout << usageText(); return 0;
    case CommandLine::Mode::Version: std::cout << "Discora " << DISCORA_VERSION << "\n"; return 0;
    case CommandLine::Mode::Window: return 0;
    default: break;
    }
    CatalogueDocument doc;
    AppSettings settings(store);
    Status status = loadForScripting(doc, cl, settings);
    if (status)
        status = runScripted(cl, doc);
    if (!status) {
        std::cerr << "discora: " << status.error() << "\n";
        return 1;
    }
    return 0;
}

} // namespace discora
