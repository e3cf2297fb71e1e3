// The user's preferences that are not part of a catalogue: their keys and defaults, and the rules
// that fill defaults, write the keys back and hand the values to the document.
#pragma once

#include "core/base/result.h"
#include "core/model/headings.h"
#include "core/settings/settingsstore.h"
#include "core/view/displaysettings.h"

#include <array>
#include <string>
#include <vector>

namespace discora {

// The largest font size (in tenths of a point: 1,638 points) and weight a setting may hold.
inline constexpr int kLargestFontSize = 16380;
inline constexpr int kHeaviestFontWeight = 1000;

class CatalogueDocument;

inline constexpr const char* kUserData = "User Data";
inline constexpr const char* kWindowSize = "Window size";
inline constexpr const char* kRecentFileList = "Recent File List";
constexpr int kRecentFileCount = 4;
// The CD player's drive: a device file or a disc image; empty for the system's default drive.
inline constexpr const char* kCdDriveKey = "CD drive";
inline constexpr const char* kCdDeviceVariable = "DISCORA_CD_DEVICE";
// Whether "Look Up Online" fetches the chosen release's front cover: 1 (the default) or 0.
inline constexpr const char* kFetchCoversKey = "FetchCovers";

// The four colors the user chooses; -1 when not set.
struct UserColors
{
    ColorValue data = -1;
    ColorValue heading = -1;
    ColorValue highlightedData = -1;
    ColorValue highlightBackground = -1;
    bool operator==(const UserColors&) const = default;
};

// The four colors the desktop supplies: window background, button face, button shadow, menu text.
// Without a desktop, the defaults.
struct SystemColors
{
    ColorValue window = DisplayColors{}.windowBackground;
    ColorValue buttonFace = DisplayColors{}.buttonFace;
    ColorValue buttonShadow = DisplayColors{}.buttonShadow;
    ColorValue menuText = DisplayColors{}.menuText;
};

class AppSettings
{
public:
    explicit AppSettings(SettingsStore& store) : m_store(store) {}

    // Reading the stored values (absent or unreadable keys give the defaults).
    UserColors readColors() const;
    ScreenFont readFont() const;
    std::array<std::string, 2> readHeadings() const;
    ViewOptions readViewOptions() const;
    // The stored headings with empty ones replaced by "Custom 1" and "Custom 2", nothing written.
    std::array<std::string, 2> headingsWithDefaults() const;
    // The stored colors and font as the apply rules below fill them, nothing written.
    UserColors colorsWithDefaults() const;
    ScreenFont fontWithDefaults() const;
    bool readLoadLast() const;
    std::string readCdDrive() const;
    void writeCdDrive(const std::string& path);
    // The online music database's address, "https://musicbrainz.org" unless changed.
    std::string readMusicBrainzServer() const;
    void writeMusicBrainzServer(const std::string& server);
    // Whether a lookup fetches the release's front cover ("FetchCovers"); on unless turned off.
    bool readFetchCovers() const;
    void writeFetchCovers(bool fetch);

    // The apply rules: fill defaults, write the keys, hand the values to the document (when given).
    UserColors applyColors(UserColors colors, const SystemColors& system, CatalogueDocument* doc);
    ScreenFont applyFont(ScreenFont font, CatalogueDocument* doc);
    std::array<std::string, 2> applyHeadings(std::array<std::string, 2> headings, CatalogueDocument* doc);
    // Fails as the document's order does when the new options re-run it.
    Status applyViewOptions(const ViewOptions& options, bool loadLast, CatalogueDocument* doc);

    // At start-up, once the window is up: read and apply colors, view options, font and headings. A catalogue
    // opened at start-up keeps its own non-empty headings; the settings fill only empty ones.
    void applyAllAtStartup(const SystemColors& system, CatalogueDocument& doc);

    // The headings the user set, with their defaults; what a new catalogue starts with.
    const std::array<std::string, 2>& headings() const { return m_headings; }

    // Recent files, most recent first, empty entries dropped.
    std::vector<std::string> readRecentFiles() const;
    void writeRecentFiles(const std::vector<std::string>& files);

    SettingsStore& store() { return m_store; }

private:
    SettingsStore& m_store;
    std::array<std::string, 2> m_headings = withDefaultHeadings({});
};

DisplayColors toDisplayColors(const UserColors& user, const SystemColors& system);

// The last-file rule: with no file named on the command line and "LoadLast" on, the most recent
// file is reopened when it can be read. Returns the file to open, or empty for a new catalogue.
std::string chooseStartupFile(const std::string& commandLineFile, const std::string& mostRecentFile,
                              bool loadLast, bool (*canRead)(const std::string&));
bool fileIsReadable(const std::string& path);

// The drive the CD player and "Load Times from CD" use: the one named on the command line, else
// the one in the environment (DISCORA_CD_DEVICE; null when unset), else the "CD drive" setting.
std::string chooseCdDrive(const std::string& commandLine, const char* environment,
                          const std::string& setting);

} // namespace discora
