// The producer list behind ByProducer: one entry per producer named in a displayed album, and one
// "No producer listed" entry for an album that names none.
#pragma once

#include <string_view>

namespace discora {

class CatalogueDocument;

// Rebuilds the producer list from displayOrder and orders it: named producers by name, then the
// entries without a usable name.
void buildProducerList(CatalogueDocument& doc);

// A producer text that sorts after every named one: empty, starting with a blank, or exactly
// "No producer listed".
bool isUnnamedProducer(std::string_view producer);

} // namespace discora
