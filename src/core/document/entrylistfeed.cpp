#include "core/document/entrylistfeed.h"

#include "core/base/progresssink.h"

#include <new>

namespace discora {

void EntryListFeed::clear()
{
    if (m_sink)
        m_sink->clearEntryLists();
}

void EntryListFeed::refill(const std::array<ValueList, kValueListCount>& lists, ProgressSink* progress)
{
    clear();
    int total = 0;
    for (const auto& list : lists)
        total += list.count();
    ProgressScope scope(progress, "Updating Edit/Enter Dialog Box", total);
    try {
        for (int id = 0; id < kValueListCount; ++id) {
            for (const std::string& value : lists[static_cast<std::size_t>(id)].values()) {
                if (m_sink)
                    m_sink->addEntryValue(static_cast<ValueListId>(id), value);
                scope.step();
            }
        }
    } catch (const std::bad_alloc&) {
        // The sheet offers the values that fit.
    }
}

} // namespace discora
