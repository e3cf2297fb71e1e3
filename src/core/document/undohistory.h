// The changes Undo and Redo walk through. Each step is the record that reverses one change; undoing
// a step moves the record that reverses the undo onto the redo list, and the other way round. The
// history keeps at least the last kMinimumSteps changes, and older ones while they fit in
// kMemoryBudget. It also knows which step matches the file last saved or opened.
#pragma once

#include "core/document/undorecord.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace discora {

class UndoHistory
{
public:
    static constexpr std::size_t kMinimumSteps = 100;
    static constexpr std::size_t kMemoryBudget = std::size_t{64} << 20;

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    int undoCount() const { return static_cast<int>(m_undo.size()); }
    int redoCount() const { return static_cast<int>(m_redo.size()); }
    // The step Undo reverses next, or an empty record.
    const UndoRecord& nextUndo() const;
    const UndoRecord& nextRedo() const;

    // Room for one more step on each list, so that the moves below cannot fail. May throw
    // std::bad_alloc, changing nothing a user can see.
    void reserve();
    // A new change (after reserve): the redo steps go, and the oldest steps when the history is
    // over its bounds. An incomplete record cannot bring back the state the steps before it
    // start from, so they go too.
    void add(UndoRecord step) noexcept;
    // reserve, false instead of std::bad_alloc: a change goes ahead without its step.
    bool reserveRoom() noexcept;
    // The step of a change that happened (room: what reserveRoom said). Without its step, the
    // steps before it no longer lead back to the states they recorded, so they go too.
    void addStep(UndoRecord step, bool room) noexcept;
    // Taking a step and putting one on a list, after reserve.
    UndoRecord takeUndo() noexcept;
    UndoRecord takeRedo() noexcept;
    void putUndo(UndoRecord step) noexcept;
    void putRedo(UndoRecord step) noexcept;
    void clear() noexcept;

    // The catalogue now matches its file.
    void markSaved() noexcept { m_savedAt = m_undo.size(); }
    // A change outside the history: no step matches the file any more.
    void forgetSaved() noexcept { m_savedAt.reset(); }
    bool atSaved() const { return m_savedAt == m_undo.size(); }

    // Calls visit(store) with the albums each step keeps, undo and redo steps alike.
    template <class Visit> void forEachKeptStore(Visit visit) const
    {
        for (const UndoRecord& step : m_undo)
            visit(step.savedAlbums());
        for (const UndoRecord& step : m_redo)
            visit(step.savedAlbums());
    }

private:
    void dropOldest(std::size_t count) noexcept;

    std::vector<UndoRecord> m_undo;
    std::vector<UndoRecord> m_redo;
    // The number of undo steps when the catalogue matched its file; none when no sequence of
    // undos and redos leads back to it.
    std::optional<std::size_t> m_savedAt = 0;
};

} // namespace discora
