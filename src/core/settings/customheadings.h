// OK of the "Custom Headings" dialog: the new headings reach the settings and the document.
#pragma once

#include <string>

namespace discora {

class AppSettings;
class CatalogueDocument;

// A catalogue that holds an album is marked modified, because its file carries the headings; an
// empty one is not. Empty headings become "Custom 1" and "Custom 2".
void applyCustomHeadings(std::string first, std::string second, AppSettings& settings,
                         CatalogueDocument& doc);

} // namespace discora
