#include "ui/app/application.h"

#include "core/catalogue/cataloguefile.h"
#include "ui/app/documentcommands.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/entry/newalbumsheet.h"
#include "ui/options/optionscommands.h"
#include "ui/printing/printcommands.h"
#include "ui/support/colors.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>

namespace discora {

Application::Application(SettingsStore& store, Prompter* prompter)
    : m_store(store), m_settings(store), m_prompter(prompter ? *prompter : m_messagePrompter)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_doc.setScreenDpi(qRound(screen->logicalDotsPerInchY()));
    m_window = std::make_unique<MainWindow>(m_doc, m_settings, m_prompter);
    registerOptionsCommands(*m_window, m_settings, m_doc, m_prompter, m_window.get());
    m_albumSheet = std::make_unique<NewAlbumSheet>(m_doc, m_prompter, m_window.get());
    m_doc.setEntryListSink(m_albumSheet.get());
    m_documentCommands = std::make_unique<DocumentCommands>(m_doc, *m_window, m_prompter, *m_albumSheet);
    m_documentCommands->registerCommands();
    CatalogueView* view = m_window->view();
    const PrintSelection selection{[view]() -> const ViewSelection& { return view->selection(); },
                                   [view] { view->clearSelection(); }};
    m_printCommands = std::make_unique<PrintCommands>(m_doc, m_prompter, m_window->mainStatusBar(), selection,
                                                      m_window.get());
    m_printCommands->registerCommands(*m_window);
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
    m_settings.applyAllAtStartup(systemColorsFromPalette(), m_doc);
}

} // namespace discora
