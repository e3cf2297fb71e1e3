// The Find command's loop: it walks the displayed albums and opens each match in the entry sheet,
// asking after each whether to go on.
#pragma once

#include "core/order/find.h"

namespace discora {

class CatalogueDocument;
class Prompter;

// What the loop needs of the window: the view's selection and the Modify command.
class FindActions
{
public:
    virtual ~FindActions() = default;
    // Clears the selection and selects the one position, without counting as a user selection.
    virtual void selectOnly(int position) = 0;
    virtual void clearSelection() = 0;
    // Runs Modify on the selected position; it may change, hide or re-sort albums.
    virtual void modifySelected(int position) = 0;
};

struct FindResult
{
    int matches = 0;
    bool cancelled = false; // the user answered Cancel to "Continue Find?"
};

// Stores the query in the document and walks the displayed albums from the first position,
// re-reading the displayed count at every step because each Modify can change it.
FindResult runFind(CatalogueDocument& doc, const FindQuery& query, Prompter& prompter, FindActions& actions);

} // namespace discora
