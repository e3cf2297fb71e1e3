// The composition root: builds the settings, the document and the main window, and runs the
// start-up sequence.
#pragma once

#include "core/cdplayer/cdplayer.h"
#include "core/document/cataloguedocument.h"
#include "core/settings/appsettings.h"
#include "ui/app/messageprompter.h"
#include "ui/cdplayer/cdnoticebridge.h"

#include <functional>
#include <memory>
#include <string>

namespace discora {

class AlbumLookup;
class DialogTitleRoom;
class DocumentHandlers;
class MainWindow;
class AlbumSheet;
class PrintHandlers;

// How the program reaches the CD drive: a device for the player, which plays, or one that only
// reads the disc for "Load Times from CD". Tests hand in scripted drives.
enum class CdDeviceUse
{
    Playback,
    Reading
};
using CdDeviceMaker =
    std::function<std::unique_ptr<CdDevice>(const std::string& drive, CdDeviceUse use, CdNoticeSink notices)>;
// Drives and disc images through libcdio, the sound through the PulseAudio server.
CdDeviceMaker libcdioDevices();

// The program's and its maker's names, under which the settings are kept. No display name is set:
// Qt would append it to every window's title, and each window already names itself.
void setApplicationIdentity();

// What the command line asks of the window: the catalogue to open (empty: none, or the last one
// when the settings ask for it) and the drive or disc image the CD player uses for this run.
struct WindowStart
{
    std::string file;
    std::string cdDevice;
};

class Application
{
public:
    // store: the settings; prompter: how the user is told about problems (null: message boxes);
    // devices: how the CD drive is reached (null: libcdioDevices()).
    Application(SettingsStore& store, Prompter* prompter = nullptr, CdDeviceMaker devices = {});
    ~Application();

    // Opens the file named on the command line (or the last file when asked to), shows the main
    // window and applies the settings. A file that cannot be read is reported and the program
    // starts with an empty catalogue instead.
    void start(const WindowStart& request = {});

    CatalogueDocument& document() { return m_doc; }
    AppSettings& settings() { return m_settings; }
    MainWindow& mainWindow() { return *m_window; }
    // The entry sheet for Enter and Modify; it lives as long as the document.
    AlbumSheet& albumSheet() { return *m_albumSheet; }
    // The entry sheet's "Look Up Online".
    AlbumLookup& albumLookup() { return *m_albumLookup; }
    DocumentHandlers& documentHandlers() { return *m_documentHandlers; }
    PrintHandlers& printHandlers() { return *m_printHandlers; }
    CdPlayer& cdPlayer() { return m_cdPlayer; }
    // The drive or disc image the player and "Load Times from CD" use; empty for the default drive.
    const std::string& cdDrive() const { return m_cdDrive; }
    void setCdDrive(const std::string& drive);

private:
    SettingsStore& m_store;
    AppSettings m_settings;
    CatalogueDocument m_doc;
    MessagePrompter m_messagePrompter;
    Prompter& m_prompter;
    CdDeviceMaker m_devices;
    std::string m_cdDrive;
    // The notices' way to the player window outlives the player and its devices.
    CdNoticeBridge m_cdNotices;
    // Before the window, whose view holds it for its whole life.
    CdPlayer m_cdPlayer;
    // Every dialog wide enough for its title.
    std::unique_ptr<DialogTitleRoom> m_dialogTitles;
    std::unique_ptr<MainWindow> m_window;
    // Declared after the window it is a child of, so it goes first.
    std::unique_ptr<AlbumSheet> m_albumSheet;
    std::unique_ptr<AlbumLookup> m_albumLookup;
    std::unique_ptr<DocumentHandlers> m_documentHandlers;
    std::unique_ptr<PrintHandlers> m_printHandlers;
};

} // namespace discora
