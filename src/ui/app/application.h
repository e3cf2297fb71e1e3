// The composition root: builds the settings, the document and the main window, and runs the
// start-up sequence.
#pragma once

#include "core/commands/commandline.h"
#include "core/commands/scriptingcommands.h"
#include "core/document/cataloguedocument.h"
#include "core/settings/appsettings.h"
#include "ui/app/messageprompter.h"

#include <memory>

namespace discora {

class DocumentCommands;
class MainWindow;
class NewAlbumSheet;
class PrintCommands;

class Application
{
public:
    // store: the settings; prompter: how the user is told about problems (null: message boxes).
    Application(SettingsStore& store, Prompter* prompter = nullptr);
    ~Application();

    // Opens the file named on the command line (or the last file when asked to), shows the main
    // window and applies the settings. A file that cannot be read is reported and the program
    // starts with an empty catalogue instead.
    void start(const CommandLine& commandLine);

    CatalogueDocument& document() { return m_doc; }
    AppSettings& settings() { return m_settings; }
    MainWindow& mainWindow() { return *m_window; }
    // The entry sheet for Enter and Modify; it lives as long as the document.
    NewAlbumSheet& albumSheet() { return *m_albumSheet; }
    DocumentCommands& documentCommands() { return *m_documentCommands; }
    PrintCommands& printCommands() { return *m_printCommands; }

private:
    SettingsStore& m_store;
    AppSettings m_settings;
    CatalogueDocument m_doc;
    MessagePrompter m_messagePrompter;
    Prompter& m_prompter;
    std::unique_ptr<MainWindow> m_window;
    // Declared after the window it is a child of, so it goes first.
    std::unique_ptr<NewAlbumSheet> m_albumSheet;
    std::unique_ptr<DocumentCommands> m_documentCommands;
    std::unique_ptr<PrintCommands> m_printCommands;
};

} // namespace discora
