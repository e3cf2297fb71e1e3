// Any text as the settings file: INI sections and key=value lines, values read as the settings
// file on disk is read (an integer only when the whole trimmed value is one). Every read and
// apply rule gives usable values, and the window placement written back reads back the same.
#include "core/document/cataloguedocument.h"
#include "core/settings/appsettings.h"
#include "core/settings/optionvalues.h"
#include "core/settings/windowplacement.h"
#include "fuzzcheck.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

using namespace discora;
using fuzz::check;

namespace {

std::string_view trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Texts by section and key, as an INI file holds them.
class TextSettingsStore : public SettingsStore
{
public:
    explicit TextSettingsStore(std::string_view text)
    {
        std::string section;
        while (!text.empty()) {
            const auto end = text.find('\n');
            const std::string_view line = trimmed(text.substr(0, end));
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
            if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
                section = line.substr(1, line.size() - 2);
            } else if (const auto eq = line.find('='); eq != std::string_view::npos) {
                m_values[{section, std::string(trimmed(line.substr(0, eq)))}] = line.substr(eq + 1);
            }
        }
    }

    using SettingsStore::readInt;
    using SettingsStore::readString;

    std::optional<int> readInt(const std::string& section, const std::string& key) const override
    {
        const auto text = readString(section, key);
        if (!text)
            return std::nullopt;
        const std::string_view digits = trimmed(*text);
        int value = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size())
            return std::nullopt;
        return value;
    }
    std::optional<std::string> readString(const std::string& section, const std::string& key) const override
    {
        const auto it = m_values.find({section, key});
        if (it == m_values.end())
            return std::nullopt;
        return it->second;
    }
    void writeInt(const std::string& section, const std::string& key, int value) override
    {
        m_values[{section, key}] = std::to_string(value);
    }
    void writeString(const std::string& section, const std::string& key, const std::string& value) override
    {
        m_values[{section, key}] = value;
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

bool canRead(const std::string& path)
{
    return path.size() % 2 == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TextSettingsStore store(std::string_view(reinterpret_cast<const char*>(data), size));
    AppSettings settings(store);

    const std::vector<std::string> recent = settings.readRecentFiles();
    check(recent.size() <= kRecentFileCount, "too many recent files");
    chooseStartupFile("", recent.empty() ? std::string() : recent.front(), settings.readLoadLast(), &canRead);

    // The start-up rules fill defaults and write every key; what they wrote reads back as applied.
    CatalogueDocument doc;
    doc.newDocument();
    settings.applyAllAtStartup(SystemColors{}, doc);
    const ScreenFont font = settings.readFont();
    check(font == doc.font(), "the font read back differs from the one applied");
    check(!font.faceName.empty() && font.size > 0 && font.weight > 0, "a broken font survived");
    check(settings.readViewOptions() == doc.viewOptions(), "the view options read back differ");
    const auto headings = settings.readHeadings();
    check(!headings[0].empty() && !headings[1].empty(), "an empty heading survived");
    check(applyOptionValues(currentOptionValues(settings, doc), settings, doc).ok(), "options failed");

    const WindowPlacement placement = placementFromSettings(store.readString(kWindowSize, "Rect", ""),
                                                            store.readInt(kWindowSize, "Icon", 0),
                                                            store.readInt(kWindowSize, "Maximized", 0));
    check(parseRect(formatRect(placement.normal)) == placement.normal, "the rectangle does not read back");
    check(placementFromSettings(formatRect(placement.normal), iconValue(placement.state),
                                maximizedValue(placement.state)) == placement,
          "the placement does not read back");
    const ScreenRect primary{0, 0, 1280, 1024};
    const ScreenRect second{1280, 0, 2560, 1024};
    const ScreenRect shown = keepOnScreen(placement.normal, {primary, second}, primary);
    const auto overlaps = [&](const ScreenRect& s) {
        return shown.left < s.right && shown.right > s.left && shown.top < s.bottom && shown.bottom > s.top;
    };
    check(overlaps(primary) || overlaps(second), "the window was put off every screen");
    return 0;
}
