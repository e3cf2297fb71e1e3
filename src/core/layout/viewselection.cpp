#include "core/layout/viewselection.h"

#include <algorithm>

namespace discora {

void ViewSelection::clear(int entryCount)
{
    m_flags.assign(static_cast<std::size_t>(std::max(entryCount, 0)), 0);
    m_anySelected = false;
    m_playOrder.clear();
    m_playInsertPos = 0;
    m_lastUnplayable.reset();
}

void ViewSelection::cover(int entryCount)
{
    if (size() < entryCount)
        clear(entryCount);
}

bool ViewSelection::isSelected(int position) const
{
    return position >= 0 && position < size() && m_flags[static_cast<std::size_t>(position)] != 0;
}

int ViewSelection::selectedCount() const
{
    return static_cast<int>(std::count(m_flags.begin(), m_flags.end(), 1));
}

std::vector<int> ViewSelection::positions() const
{
    std::vector<int> out;
    for (int i = 0; i < size(); ++i)
        if (m_flags[static_cast<std::size_t>(i)] != 0)
            out.push_back(i);
    return out;
}

void ViewSelection::store(int position, const std::function<bool(int)>& playable)
{
    if (static_cast<int>(m_playOrder.size()) >= kMaxPlayOrder)
        return;
    if (!playable(position)) {
        m_lastUnplayable = position;
        return;
    }
    if (m_playInsertPos < static_cast<int>(m_playOrder.size()))
        m_playOrder[static_cast<std::size_t>(m_playInsertPos)] = position;
    else
        m_playOrder.push_back(position);
    ++m_playInsertPos;
}

void ViewSelection::click(int position, ClickModifiers modifiers, const std::function<bool(int)>& playable)
{
    if (position < 0 || position >= size())
        return;
    if (isSelected(position)) {
        clear(size());
        return;
    }
    if (!modifiers.shift && !modifiers.ctrl)
        clear(size());

    if (modifiers.shift && m_anySelected) {
        const auto first = std::find(m_flags.begin(), m_flags.end(), 1);
        const int lowest = static_cast<int>(first - m_flags.begin());
        const int highest =
            static_cast<int>(m_flags.rend() - std::find(m_flags.rbegin(), m_flags.rend(), 1)) - 1;
        int from = position;
        int step = 0;
        if (highest < position) {
            from = highest;
            step = 1;
        } else if (position <= lowest) {
            from = lowest;
            step = -1;
        }
        if (step != 0) {
            // The walk starts on the entry stored last, so it overwrites that one first.
            if (m_playInsertPos > 0)
                --m_playInsertPos;
            for (int p = from;; p += step) {
                m_flags[static_cast<std::size_t>(p)] = 1;
                store(p, playable);
                if (p == position)
                    break;
            }
        }
    }

    m_flags[static_cast<std::size_t>(position)] = 1;
    if (static_cast<int>(m_playOrder.size()) < kMaxPlayOrder) {
        if (!playable(position)) {
            m_lastUnplayable = position;
        } else if (modifiers.ctrl) {
            store(position, playable);
        } else if (!modifiers.shift) {
            m_playOrder.assign(1, position);
            m_playInsertPos = 1; // the next Ctrl+click adds after it, so Play plays this one
        }
    }
    m_anySelected = true;
}

void ViewSelection::selectOnly(int position)
{
    clear(size());
    if (position < 0 || position >= size())
        return;
    m_flags[static_cast<std::size_t>(position)] = 1;
    m_anySelected = true;
}

void ViewSelection::toggleAll()
{
    if (m_anySelected) {
        clear(size());
        return;
    }
    std::fill(m_flags.begin(), m_flags.end(), 1);
    m_anySelected = size() > 0;
}

void ViewSelection::markFound(int position)
{
    clear(size());
    if (position >= 0 && position < size())
        m_flags[static_cast<std::size_t>(position)] = 1;
}

} // namespace discora
