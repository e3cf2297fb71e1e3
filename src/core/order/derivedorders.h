// The lists the derived orders show (the artist short list, the two song lists, the producer and
// the performer list), built from the displayed albums as the document hands them over.
#pragma once

#include "core/base/result.h"
#include "core/model/derivedlists.h"
#include "core/view/sortorder.h"

#include <cstdint>
#include <span>

namespace discora {

class Catalogue;
class ProgressSink;

struct DerivedOrderLists
{
    DerivedLists lists;
    Status status = success();
};

// The song lists take the shown albums in that order: the display order, but for the artist short
// list the displayed albums sorted by artist, which the display order becomes along with the list.
// The producer and performer lists take the display order itself. When memory cuts a list short,
// it holds what was built and status fails with the list's message. An album order has no lists.
DerivedOrderLists derivedOrderLists(const Catalogue& catalogue, SortOrder order,
                                    std::span<const std::uint32_t> shown, ProgressSink* progress);

} // namespace discora
