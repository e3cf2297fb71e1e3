// The main window's size, position and state as kept in the settings ("Window size" section).
#pragma once

#include <string>
#include <vector>

namespace discora {

struct ScreenRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

enum class ShowState
{
    Normal,
    Maximized,
    Minimized,
    MinimizedFromMaximized
};

struct WindowPlacement
{
    ScreenRect normal{10, 10, 500, 400};
    ShowState state = ShowState::Normal;
    bool operator==(const WindowPlacement&) const = default;
};

// "%04d %04d %04d %04d" of left, top, right and bottom.
std::string formatRect(const ScreenRect& r);
// Reads the four numbers by their separators, so five-digit and negative values read back too;
// missing or unreadable parts read as 0. An empty text gives the first-run rectangle.
ScreenRect parseRect(const std::string& text);

WindowPlacement placementFromSettings(const std::string& rect, int icon, int maximized);
// The "Icon" and "Maximized" values for a state.
int iconValue(ShowState state);
int maximizedValue(ShowState state);

// Where the window opens when no placement is stored: three quarters of the screen each way,
// centred on it.
ScreenRect firstOpeningRect(const ScreenRect& screen);

// A rectangle lying entirely outside every screen is moved onto the primary screen (keeping its
// size where it fits); one that overlaps a screen is kept.
ScreenRect keepOnScreen(const ScreenRect& r, const std::vector<ScreenRect>& screens,
                        const ScreenRect& primary);

} // namespace discora
