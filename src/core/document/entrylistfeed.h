// The entry sheet's drop-down lists kept in step with the document's value lists: emptied with
// them, and refilled whole after every change, so the next sheet offers what was typed.
#pragma once

#include "core/document/entrylistsink.h"
#include "core/model/valuelist.h"

#include <array>

namespace discora {

class ProgressSink;

class EntryListFeed
{
public:
    // Null while no sheet listens.
    void setSink(EntryListSink* sink) { m_sink = sink; }

    void clear();
    // Every list's values in list order, one progress step each. When memory runs out the sheet
    // keeps the values that fit; every field can still be typed.
    void refill(const std::array<ValueList, kValueListCount>& lists, ProgressSink* progress);

private:
    EntryListSink* m_sink = nullptr;
};

} // namespace discora
