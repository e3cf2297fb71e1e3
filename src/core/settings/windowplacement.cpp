#include "core/settings/windowplacement.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace discora {

std::string formatRect(const ScreenRect& r)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d %04d %04d %04d", r.left, r.top, r.right, r.bottom);
    return text;
}

ScreenRect parseRect(const std::string& text)
{
    if (text.empty())
        return WindowPlacement{}.normal;
    int values[4] = {0, 0, 0, 0};
    std::size_t pos = 0;
    for (int& v : values) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == ','))
            ++pos;
        const char* start = text.c_str() + pos;
        char* end = nullptr;
        const long number = std::strtol(start, &end, 10);
        if (end == start)
            break;
        v = static_cast<int>(std::clamp(number, -1000000L, 1000000L));
        pos += static_cast<std::size_t>(end - start);
    }
    return {values[0], values[1], values[2], values[3]};
}

WindowPlacement placementFromSettings(const std::string& rect, int icon, int maximized)
{
    WindowPlacement p;
    p.normal = parseRect(rect);
    if (icon != 0)
        p.state = maximized != 0 ? ShowState::MinimizedFromMaximized : ShowState::Minimized;
    else if (maximized != 0)
        p.state = ShowState::Maximized;
    return p;
}

ScreenRect firstOpeningRect(const ScreenRect& screen)
{
    const int width = screen.width() * 3 / 4;
    const int height = screen.height() * 3 / 4;
    const int left = screen.left + (screen.width() - width) / 2;
    const int top = screen.top + (screen.height() - height) / 2;
    return {left, top, left + width, top + height};
}

int iconValue(ShowState state)
{
    return state == ShowState::Minimized || state == ShowState::MinimizedFromMaximized ? 1 : 0;
}

int maximizedValue(ShowState state)
{
    return state == ShowState::Maximized || state == ShowState::MinimizedFromMaximized ? 1 : 0;
}

ScreenRect keepOnScreen(const ScreenRect& r, const std::vector<ScreenRect>& screens,
                        const ScreenRect& primary)
{
    // A window larger than all the screens together cannot be placed; it is made to fit.
    ScreenRect reach = primary;
    for (const ScreenRect& s : screens)
        reach = {std::min(reach.left, s.left), std::min(reach.top, s.top), std::max(reach.right, s.right),
                 std::max(reach.bottom, s.bottom)};
    const bool fits =
        r.width() > 0 && r.height() > 0 && r.width() <= reach.width() && r.height() <= reach.height();
    for (const ScreenRect& s : screens)
        if (fits && r.left < s.right && r.right > s.left && r.top < s.bottom && r.bottom > s.top)
            return r;
    const int width = std::clamp(r.width(), 100, std::max(100, primary.width()));
    const int height = std::clamp(r.height(), 100, std::max(100, primary.height()));
    const int left = primary.left + std::max(0, std::min(10, primary.width() - width));
    const int top = primary.top + std::max(0, std::min(10, primary.height() - height));
    return {left, top, left + width, top + height};
}

} // namespace discora
