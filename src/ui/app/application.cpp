#include "ui/app/application.h"

#include "core/cdplayer/libcdiodevice.h"
#include "core/cdplayer/pulsepcmoutput.h"
#include "core/lookup/lookuprequest.h"
#include "ui/app/documenthandlers.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/app/viewhandlers.h"
#include "ui/cdplayer/cdplayerdialog.h"
#include "ui/entry/albumsheet.h"
#include "ui/lookup/albumlookup.h"
#include "ui/options/optionshandlers.h"
#include "ui/printing/printhandlers.h"
#include "ui/support/colors.h"
#include "ui/support/comboboxaccessible.h"
#include "ui/support/dialogtitles.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QScreen>

#include <cstdlib>
#include <optional>

namespace discora {

CdDeviceMaker libcdioDevices()
{
    return [](const std::string& drive, CdDeviceUse use, CdNoticeSink notices) -> std::unique_ptr<CdDevice> {
        if (use == CdDeviceUse::Reading)
            return std::make_unique<LibcdioDevice>(drive);
        return std::make_unique<LibcdioDevice>(drive, std::make_unique<PulsePcmOutput>(), std::move(notices));
    };
}

void setApplicationIdentity()
{
    QApplication::setApplicationName(QStringLiteral("Discora"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
}

Application::Application(SettingsStore& store, Prompter* prompter, CdDeviceMaker devices)
    : m_store(store), m_settings(store), m_prompter(prompter ? *prompter : m_messagePrompter),
      m_devices(devices ? std::move(devices) : libcdioDevices()),
      m_cdDrive(chooseCdDrive({}, std::getenv(kCdDeviceVariable), m_settings.readCdDrive())),
      m_cdPlayer([this] { return m_devices(m_cdDrive, CdDeviceUse::Playback, m_cdNotices.sink()); })
{
    m_dialogTitles = std::make_unique<DialogTitleRoom>();
    QApplication::instance()->installEventFilter(m_dialogTitles.get());
    installComboBoxAccessibility();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_doc.setScreenDpi(qRound(screen->logicalDotsPerInchY()));
    m_window = std::make_unique<MainWindow>(m_doc, m_settings, m_prompter);
    registerOptionsHandlers(
        *m_window, m_settings, m_doc, m_prompter, m_window.get(),
        {[this] { return m_cdDrive; }, [this](const std::string& drive) { setCdDrive(drive); }});
    m_albumSheet = std::make_unique<AlbumSheet>(m_doc, m_prompter, m_window.get());
    m_doc.setEntryListSink(m_albumSheet.get());
    m_documentHandlers = std::make_unique<DocumentHandlers>(m_doc, *m_window, m_prompter, *m_albumSheet);
    m_documentHandlers->registerHandlers();
    CatalogueView* view = m_window->view();
    const PrintSelection selection{[view]() -> const ViewSelection& { return view->selection(); },
                                   [view] { view->clearSelection(); }};
    m_printHandlers = std::make_unique<PrintHandlers>(m_doc, m_prompter, m_window->mainStatusBar(), selection,
                                                      m_window.get());
    m_printHandlers->registerHandlers(*m_window);
    m_messagePrompter.setParent(m_window.get());

    m_documentHandlers->editHandlers().setPlayerTimesSource(&m_cdPlayer);
    m_albumSheet->setPlayerTimesSource(&m_cdPlayer);
    m_albumSheet->setDiscReader([this] { return m_devices(m_cdDrive, CdDeviceUse::Reading, {}); });
    m_albumLookup = std::make_unique<AlbumLookup>(*m_albumSheet, m_prompter, m_albumSheet.get());
    m_albumLookup->setDiscReader([this] { return m_devices(m_cdDrive, CdDeviceUse::Reading, {}); });
    m_albumLookup->setServer([this] {
        return chooseMusicBrainzServer(std::getenv(kMusicBrainzServerVariable),
                                       m_settings.readMusicBrainzServer());
    });
    m_albumLookup->setCoverServer([] { return chooseCoverArtServer(std::getenv(kCoverArtServerVariable)); });
    m_albumLookup->setFetchCovers([this] { return m_settings.readFetchCovers(); });
    m_albumSheet->setLookUp([this] { m_albumLookup->lookUpOrCancel(); },
                            [this] { return m_albumLookup->busy(); });
    m_window->viewHandlers().setPlayer(m_cdPlayer, [this](QWidget* parent) {
        auto* dialog = new CdPlayerDialog(m_cdPlayer, m_cdNotices, m_prompter, fromPath(m_cdDrive), parent);
        QObject::connect(dialog, &CdPlayerDialog::driveChosen, dialog,
                         [this](const QString& drive) { setCdDrive(toPath(drive)); });
        return dialog;
    });
}

void Application::setCdDrive(const std::string& drive)
{
    m_cdDrive = drive;
    m_settings.writeCdDrive(drive);
    // The disc in the new drive is read at the next Play; what plays now stops.
    m_cdPlayer.replaceDevice();
}

Application::~Application()
{
    m_doc.setEntryListSink(nullptr);
}

void Application::start(const WindowStart& request)
{
    // A drive named on the command line serves this run only; the setting stays as it is.
    m_cdDrive = chooseCdDrive(request.cdDevice, std::getenv(kCdDeviceVariable), m_settings.readCdDrive());
    // The rule looks at "File1" alone: an empty first entry means there is no last file.
    const std::string fileToOpen =
        chooseStartupFile(request.file, m_store.readString(kRecentFileList, "File1", ""),
                          m_settings.readLoadLast(), &fileIsReadable);
    m_doc.newDocument();
    m_doc.setProgressEnabled(false); // the first load shows no progress
    const std::optional<bool> readOnly =
        fileToOpen.empty() ? std::nullopt : m_window->askToOpen(fromPath(fileToOpen));
    bool opened = false;
    if (readOnly) {
        const Status status = m_doc.openFile(fileToOpen);
        opened = static_cast<bool>(status);
        if (status)
            m_window->adoptStartupFile(fromPath(fileToOpen), *readOnly);
        else
            m_prompter.showError(status.error() + "\nDiscora starts with an empty catalogue.");
    }
    m_window->showWithSavedPlacement();
    if (opened && !m_doc.loadNotice().empty())
        m_prompter.showError(m_doc.loadNotice());
    m_doc.setProgressEnabled(true);
    m_settings.applyAllAtStartup(systemColorsFromPalette(), m_doc);
    // The window, headings and column-heading colours follow the desktop when its theme changes.
    QObject::connect(m_window.get(), &MainWindow::desktopPaletteChanged, m_window.get(), [this] {
        m_settings.applyColors(m_settings.colorsWithDefaults(), systemColorsFromPalette(), &m_doc);
    });
}

} // namespace discora
