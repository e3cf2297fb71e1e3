// Where the entry sheet's drop-down lists are filled from the value lists; the sheet answers it.
#pragma once

#include "core/model/valuelist.h"

#include <string>

namespace discora {

class EntryListSink
{
public:
    virtual ~EntryListSink() = default;
    virtual void clearEntryLists() = 0;
    virtual void addEntryValue(ValueListId list, const std::string& text) = 0;
};

} // namespace discora
