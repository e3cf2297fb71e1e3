// The lists the derived orders show (the artist short list, the two song lists, the producer and
// the performer list), built from the displayed albums as the document hands them over.
#pragma once

#include "core/base/result.h"
#include "core/model/derivedlists.h"
#include "core/view/sortorder.h"

namespace discora {

class Catalogue;
class ProgressSink;

struct DerivedOrderLists
{
    DerivedLists lists;
    Status status = success();
};

// The artist short list takes the albums in display order, so that order must be by artist. When
// memory cuts a list short, it holds what was built and status fails with the list's message.
// An album order has no lists.
DerivedOrderLists derivedOrderLists(const Catalogue& catalogue, SortOrder order, ProgressSink* progress);

} // namespace discora
