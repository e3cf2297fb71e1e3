#include "core/settings/appsettings.h"

#include "core/document/cataloguedocument.h"
#include "core/lookup/lookuprequest.h"

#include "core/settings/optionpages.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace discora {

namespace {

constexpr const char* kColorKeys[4] = {"DataColor", "HeadingColor", "HDataColor", "HBkColor"};

UserColors withDefaultColors(UserColors c)
{
    // Only the data color decides whether the whole set is missing.
    if (c.data == -1)
        c = UserColors{0, 0xFF0000, 0xFFFFFF, 0};
    return c;
}

ScreenFont withDefaultFont(ScreenFont font)
{
    // A size or weight below zero can only come from a damaged settings file; it is as broken as 0.
    if (font.faceName.empty() || font.size <= 0 || font.weight <= 0)
        font = ScreenFont{};
    // Beyond these the pixel arithmetic of the screen and the printer would overflow.
    font.size = std::min(font.size, kLargestFontSize);
    font.weight = std::min(font.weight, kHeaviestFontWeight);
    return font;
}

} // namespace

UserColors AppSettings::readColors() const
{
    UserColors c;
    c.data = m_store.readInt(kUserData, kColorKeys[0], -1);
    c.heading = m_store.readInt(kUserData, kColorKeys[1], -1);
    c.highlightedData = m_store.readInt(kUserData, kColorKeys[2], -1);
    c.highlightBackground = m_store.readInt(kUserData, kColorKeys[3], -1);
    return c;
}

ScreenFont AppSettings::readFont() const
{
    ScreenFont f;
    f.faceName = m_store.readString(kUserData, "Face Name", "");
    f.size = m_store.readInt(kUserData, "Font Size", 80);
    f.weight = m_store.readInt(kUserData, "Font Weight", 400);
    f.bold = m_store.readInt(kUserData, "Bold", 0) != 0;
    f.italic = m_store.readInt(kUserData, "Italic", 0) != 0;
    return f;
}

std::array<std::string, 2> AppSettings::readHeadings() const
{
    return {m_store.readString(kUserData, "Custom1", ""), m_store.readString(kUserData, "Custom2", "")};
}

std::array<std::string, 2> AppSettings::headingsWithDefaults() const
{
    return withDefaultHeadings(readHeadings());
}

ViewOptions AppSettings::readViewOptions() const
{
    ViewOptions options;
    // A page-break choice is one of its radio buttons, else the default.
    for (int i = 0; i < kViewOptionCount; ++i) {
        const ViewOptionInfo& info = kViewOptionInfo[i];
        const int value = m_store.readInt(kUserData, info.key, info.defaultValue);
        const int choices = optionChoiceCount(info.key);
        options.setAt(i, choices > 0 && (value < 0 || value >= choices) ? info.defaultValue : value);
    }
    return options;
}

bool AppSettings::readLoadLast() const
{
    return m_store.readInt(kUserData, "LoadLast", 0) != 0;
}

std::string AppSettings::readCdDrive() const
{
    return m_store.readString(kUserData, kCdDriveKey, "");
}

void AppSettings::writeCdDrive(const std::string& path)
{
    m_store.writeString(kUserData, kCdDriveKey, path);
}

std::string AppSettings::readMusicBrainzServer() const
{
    return m_store.readString(kUserData, kMusicBrainzServerKey, kDefaultMusicBrainzServer);
}

void AppSettings::writeMusicBrainzServer(const std::string& server)
{
    m_store.writeString(kUserData, kMusicBrainzServerKey, server);
}

bool AppSettings::readFetchCovers() const
{
    return m_store.readInt(kUserData, kFetchCoversKey, 1) != 0;
}

void AppSettings::writeFetchCovers(bool fetch)
{
    m_store.writeInt(kUserData, kFetchCoversKey, fetch ? 1 : 0);
}

DisplayColors toDisplayColors(const UserColors& user, const SystemColors& system)
{
    DisplayColors d;
    d.windowBackground = system.window;
    d.dataText = user.data;
    d.headingText = user.heading;
    d.buttonFace = system.buttonFace;
    d.buttonShadow = system.buttonShadow;
    d.menuText = system.menuText;
    d.highlightedText = user.highlightedData;
    d.highlightBackground = user.highlightBackground;
    return d;
}

UserColors AppSettings::colorsWithDefaults() const
{
    return withDefaultColors(readColors());
}

ScreenFont AppSettings::fontWithDefaults() const
{
    return withDefaultFont(readFont());
}

UserColors AppSettings::applyColors(UserColors c, const SystemColors& system, CatalogueDocument* doc)
{
    c = withDefaultColors(c);
    m_store.writeInt(kUserData, kColorKeys[0], c.data);
    m_store.writeInt(kUserData, kColorKeys[1], c.heading);
    m_store.writeInt(kUserData, kColorKeys[2], c.highlightedData);
    m_store.writeInt(kUserData, kColorKeys[3], c.highlightBackground);
    if (doc)
        doc->setColors(toDisplayColors(c, system));
    return c;
}

ScreenFont AppSettings::applyFont(ScreenFont font, CatalogueDocument* doc)
{
    font = withDefaultFont(std::move(font));
    m_store.writeString(kUserData, "Face Name", font.faceName);
    m_store.writeInt(kUserData, "Font Size", font.size);
    m_store.writeInt(kUserData, "Font Weight", font.weight);
    m_store.writeInt(kUserData, "Bold", font.bold ? 1 : 0);
    m_store.writeInt(kUserData, "Italic", font.italic ? 1 : 0);
    if (doc)
        doc->setFont(font);
    return font;
}

std::array<std::string, 2> AppSettings::applyHeadings(std::array<std::string, 2> headings,
                                                      CatalogueDocument* doc)
{
    headings = withDefaultHeadings(std::move(headings));
    m_store.writeString(kUserData, "Custom1", headings[0]);
    m_store.writeString(kUserData, "Custom2", headings[1]);
    m_headings = headings;
    if (doc)
        doc->setHeadings(headings[0], headings[1]);
    return headings;
}

Status AppSettings::applyViewOptions(const ViewOptions& options, bool loadLast, CatalogueDocument* doc)
{
    for (int i = 0; i < kViewOptionCount; ++i)
        m_store.writeInt(kUserData, kViewOptionInfo[i].key, options.at(i));
    m_store.writeInt(kUserData, "LoadLast", loadLast ? 1 : 0);
    return doc ? doc->setViewOptions(options) : success();
}

void AppSettings::applyAllAtStartup(const SystemColors& system, CatalogueDocument& doc)
{
    applyColors(readColors(), system, &doc);
    applyViewOptions(readViewOptions(), readLoadLast(), &doc);
    applyFont(readFont(), &doc);
    const auto stored = applyHeadings(readHeadings(), nullptr);
    const std::string first = doc.heading(0).empty() ? stored[0] : doc.heading(0);
    const std::string second = doc.heading(1).empty() ? stored[1] : doc.heading(1);
    doc.setHeadings(first, second);
    writeCdDrive(readCdDrive());
    writeMusicBrainzServer(readMusicBrainzServer());
    writeFetchCovers(readFetchCovers());
}

std::vector<std::string> AppSettings::readRecentFiles() const
{
    std::vector<std::string> files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        std::string file = m_store.readString(kRecentFileList, "File" + std::to_string(i), "");
        if (!file.empty())
            files.push_back(std::move(file));
    }
    return files;
}

void AppSettings::writeRecentFiles(const std::vector<std::string>& files)
{
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const std::string key = "File" + std::to_string(i);
        m_store.writeString(kRecentFileList, key,
                            i <= static_cast<int>(files.size()) ? files[i - 1] : std::string());
    }
}

std::string chooseStartupFile(const std::string& commandLineFile, const std::string& mostRecentFile,
                              bool loadLast, bool (*canRead)(const std::string&))
{
    if (!commandLineFile.empty())
        return commandLineFile;
    if (loadLast && !mostRecentFile.empty() && canRead(mostRecentFile))
        return mostRecentFile;
    return {};
}

std::string chooseCdDrive(const std::string& commandLine, const char* environment, const std::string& setting)
{
    if (!commandLine.empty())
        return commandLine;
    if (environment && *environment)
        return environment;
    return setting;
}

bool fileIsReadable(const std::string& path)
{
    // A folder opens for reading on Linux, yet no catalogue can be read from it.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

} // namespace discora
