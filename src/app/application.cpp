#include "application.h"

#include "catalogue/cataloguefile.h"
#include "mainwindow.h"
#include "qttext.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>

#include <iostream>

namespace discora {

namespace {

ColourValue toColourValue(const QColor& c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

} // namespace

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
    m_messagePrompter.setParent(m_window.get());
}

Application::~Application() = default;

void Application::start(const CommandLine& commandLine)
{
    const auto recent = m_settings.readRecentFiles();
    const std::string fileToOpen = chooseStartupFile(commandLine.file, recent.empty() ? std::string() : recent[0],
                                                     m_settings.readLoadLast(), &fileIsReadable);
    m_doc.newDocument();
    m_doc.setProgressEnabled(false); // the first load shows no progress
    if (!fileToOpen.empty()) {
        const Status status = m_doc.openFile(fileToOpen);
        if (status)
            m_window->setCurrentFile(fromPath(fileToOpen));
        else
            m_prompter.showError(status.error() + "\nDiscora starts with an empty catalogue.");
    }
    m_window->showWithSavedPlacement();
    m_doc.setProgressEnabled(true);
    m_settings.applyAllAtStartup(systemColoursFromPalette(), m_doc);
}

int runScriptingCommand(const CommandLine& cl, SettingsStore& store)
{
    switch (cl.mode) {
    case CommandLine::Mode::Help:
        std::cout << usageText();
        return 0;
    case CommandLine::Mode::Version:
        std::cout << "Discora " << DISCORA_VERSION << "\n";
        return 0;
    case CommandLine::Mode::SaveAs: {
        // Prepared as the running program would be after start-up: default layouts at 96 dpi, and
        // the settings' headings filling the file's empty ones.
        CatalogueDocument doc;
        AppSettings settings(store);
        doc.setViewOptions(settings.readViewOptions());
        Status status = doc.openFile(cl.file);
        if (status) {
            auto headings = settings.readHeadings();
            if (headings[0].empty())
                headings[0] = "Custom 1";
            if (headings[1].empty())
                headings[1] = "Custom 2";
            doc.setHeadings(doc.heading(0).empty() ? headings[0] : doc.heading(0),
                            doc.heading(1).empty() ? headings[1] : doc.heading(1));
            status = doc.saveFile(cl.output);
        }
        if (!status) {
            std::cerr << "discora: " << status.error() << "\n";
            return 1;
        }
        return 0;
    }
    case CommandLine::Mode::Window: break;
    }
    return 0;
}

} // namespace discora
