// What the application hands the document from the settings: colors, the screen font and the
// 28 view options. The document keeps them and passes them on to the view.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace discora {

// A color as stored in the settings: red in the low byte, then green, then blue. -1 = not set.
using ColorValue = std::int32_t;

constexpr bool isColorValue(ColorValue value)
{
    return value >= 0 && value <= 0xFFFFFF;
}

// The value to draw with: a stored value that is no color (such as the -1 a missing key leaves)
// draws as the fallback. The setting itself keeps what was stored.
constexpr ColorValue drawableColor(ColorValue value, ColorValue fallback)
{
    return isColorValue(value) ? value : fallback;
}

// The default of every color, the ones the view draws with before the settings arrive and in
// place of any stored value that is no color.
struct DisplayColors
{
    // In the order the document receives them.
    ColorValue windowBackground = 0xFFFFFF;
    ColorValue dataText = 0x000000;
    ColorValue headingText = 0xFF0000;
    ColorValue buttonFace = 0xC0C0C0;
    ColorValue buttonShadow = 0x323232;
    ColorValue menuText = 0x000000;
    ColorValue highlightedText = 0xFFFFFF;
    ColorValue highlightBackground = 0x000000;
    bool operator==(const DisplayColors&) const = default;
};

// Every stored color that is no color replaced by its default.
constexpr DisplayColors drawableColors(const DisplayColors& colors)
{
    const DisplayColors initial;
    DisplayColors c;
    c.windowBackground = drawableColor(colors.windowBackground, initial.windowBackground);
    c.dataText = drawableColor(colors.dataText, initial.dataText);
    c.headingText = drawableColor(colors.headingText, initial.headingText);
    c.buttonFace = drawableColor(colors.buttonFace, initial.buttonFace);
    c.buttonShadow = drawableColor(colors.buttonShadow, initial.buttonShadow);
    c.menuText = drawableColor(colors.menuText, initial.menuText);
    c.highlightedText = drawableColor(colors.highlightedText, initial.highlightedText);
    c.highlightBackground = drawableColor(colors.highlightBackground, initial.highlightBackground);
    return c;
}

struct ScreenFont
{
    std::string faceName = "MS Sans Serif";
    int size = 80; // tenths of a point
    int weight = 400;
    bool bold = false;
    bool italic = false;
    bool operator==(const ScreenFont&) const = default;
};

// The view options in the order the document receives them.
enum class ViewOption : int
{
    ArtistGrid,
    ArtistPrint,
    NlViewGrid,
    NlViewPrint,
    ProducerGrid,
    ProducerPrint,
    SongGrid,
    SongPrint,
    GroupViewGrid,
    GroupViewPrint,
    GroupViewThe,
    SongThe,
    NlViewThe,
    ArtistThe,
    ArtistSongSort,
    ShowSongs,
    ShowProducers,
    ShowQuality,
    ShowPeople,
    ShowLabel, // stored under the key "ShowLable"
    ShowCatalogNum,
    ShowNotes,
    AutoLoad,
    PerformerGrid,
    PerformerPrint,
    ShowCustom1,
    ShowCustom2,
    ShowPageNum,
    SortAccents, // accented Latin letters sort, find and group with their base letter
    ShowCover,   // the normal layout shows a small front cover at the left of each album
};

constexpr int kViewOptionCount = 30;

struct ViewOptionInfo
{
    const char* key;
    int defaultValue;
};

// Settings key and default of each view option, indexed by ViewOption.
constexpr std::array<ViewOptionInfo, kViewOptionCount> kViewOptionInfo = {{
    {"ArtistGrid", 1},     {"ArtistPrint", 0},    {"NlViewGrid", 1},     {"NlViewPrint", 0},
    {"ProducerGrid", 1},   {"ProducerPrint", 0},  {"SongGrid", 1},       {"SongPrint", 0},
    {"GroupViewGrid", 1},  {"GroupViewPrint", 0}, {"GroupViewThe", 1},   {"SongThe", 1},
    {"NlViewThe", 1},      {"ArtistThe", 1},      {"ArtistSongSort", 0}, {"ShowSongs", 1},
    {"ShowProducers", 0},  {"ShowQuality", 0},    {"ShowPeople", 0},     {"ShowLable", 0},
    {"ShowCatalogNum", 0}, {"ShowNotes", 0},      {"AutoLoad", 1},       {"PerformerGrid", 1},
    {"PerformerPrint", 0}, {"ShowCustom1", 0},    {"ShowCustom2", 0},    {"ShowPageNum", 1},
    {"SortAccents", 0},    {"ShowCover", 0},
}};

class ViewOptions
{
public:
    ViewOptions()
    {
        for (int i = 0; i < kViewOptionCount; ++i)
            m_values[i] = kViewOptionInfo[i].defaultValue;
    }
    int value(ViewOption o) const { return m_values[static_cast<int>(o)]; }
    bool on(ViewOption o) const { return value(o) != 0; }
    void set(ViewOption o, int v) { m_values[static_cast<int>(o)] = v; }
    int at(int index) const { return m_values[index]; }
    void setAt(int index, int v) { m_values[index] = v; }
    bool operator==(const ViewOptions&) const = default;

private:
    std::array<int, kViewOptionCount> m_values{};
};

} // namespace discora
