#include "core/document/undohistory.h"

#include <new>

#include <algorithm>
#include <iterator>

namespace discora {

namespace {

const UndoRecord kNoStep;

void reserveOneMore(std::vector<UndoRecord>& list)
{
    if (list.size() == list.capacity())
        list.reserve(std::max<std::size_t>(8, list.capacity() * 2));
}

} // namespace

const UndoRecord& UndoHistory::nextUndo() const
{
    return m_undo.empty() ? kNoStep : m_undo.back();
}

const UndoRecord& UndoHistory::nextRedo() const
{
    return m_redo.empty() ? kNoStep : m_redo.back();
}

void UndoHistory::reserve()
{
    reserveOneMore(m_undo);
    reserveOneMore(m_redo);
}

bool UndoHistory::reserveRoom() noexcept
{
    try {
        reserve();
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void UndoHistory::addStep(UndoRecord step, bool room) noexcept
{
    if (room) {
        step.setAvailable();
        add(std::move(step));
        return;
    }
    clear();
    forgetSaved();
}

void UndoHistory::dropOldest(std::size_t count) noexcept
{
    count = std::min(count, m_undo.size());
    m_undo.erase(m_undo.begin(), m_undo.begin() + static_cast<std::ptrdiff_t>(count));
    if (m_savedAt && *m_savedAt >= count)
        *m_savedAt -= count;
    else
        m_savedAt.reset();
}

void UndoHistory::add(UndoRecord step) noexcept
{
    m_redo.clear();
    if (m_savedAt && *m_savedAt > m_undo.size())
        m_savedAt.reset(); // the saved state was among the redo steps
    if (!step.complete()) {
        dropOldest(m_undo.size());
        m_savedAt.reset();
    }
    m_undo.push_back(std::move(step));
    std::size_t bytes = 0;
    for (const UndoRecord& r : m_undo)
        bytes += r.memoryUsage();
    std::size_t drop = 0;
    while (m_undo.size() - drop > kMinimumSteps && bytes > kMemoryBudget)
        bytes -= m_undo[drop++].memoryUsage();
    dropOldest(drop);
}

UndoRecord UndoHistory::takeUndo() noexcept
{
    UndoRecord step = std::move(m_undo.back());
    m_undo.pop_back();
    return step;
}

UndoRecord UndoHistory::takeRedo() noexcept
{
    UndoRecord step = std::move(m_redo.back());
    m_redo.pop_back();
    return step;
}

void UndoHistory::putUndo(UndoRecord step) noexcept
{
    m_undo.push_back(std::move(step));
}

void UndoHistory::putRedo(UndoRecord step) noexcept
{
    m_redo.push_back(std::move(step));
}

void UndoHistory::clear() noexcept
{
    m_undo.clear();
    m_undo.shrink_to_fit();
    m_redo.clear();
    m_redo.shrink_to_fit();
    m_savedAt = 0;
}

} // namespace discora
