// What the user has selected in the view: one flag per entry of the current order, and the
// positions in the order they were picked, which Play takes as its play list.
#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace discora {

struct ClickModifiers
{
    bool shift = false;
    bool ctrl = false;
};

class ViewSelection
{
public:
    static constexpr int kMaxPlayOrder = 26;

    // Everything unselected, flags for entryCount entries.
    void clear(int entryCount);
    // Clears when the flags do not cover every entry (the order grew since the last clear).
    void cover(int entryCount);

    int size() const { return static_cast<int>(m_flags.size()); }
    bool isSelected(int position) const;
    bool anySelected() const { return m_anySelected; }
    const std::vector<char>& flags() const { return m_flags; }
    int selectedCount() const;
    // The selected positions, in order; what Modify and Delete work on.
    std::vector<int> positions() const;

    const std::vector<int>& playOrder() const { return m_playOrder; }
    int playInsertPos() const { return m_playInsertPos; }
    std::optional<int> lastUnplayable() const { return m_lastUnplayable; }

    // A left click on an entry. playable tells whether Play may take a position.
    void click(int position, ClickModifiers modifiers, const std::function<bool(int)>& playable);
    // A double click: this entry alone.
    void selectOnly(int position);
    // Select/Unselect All: clears a selection, or selects every entry.
    void toggleAll();
    // Marks an entry the way Find shows what it found, without counting as the user's selection.
    void markFound(int position);

private:
    void store(int position, const std::function<bool(int)>& playable);

    std::vector<char> m_flags;
    bool m_anySelected = false;
    std::vector<int> m_playOrder;
    int m_playInsertPos = 0;
    std::optional<int> m_lastUnplayable;
};

} // namespace discora
