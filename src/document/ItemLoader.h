#pragma once

#include <string>
#include <vector>

#include "document/CatalogPage.h"
#include "document/ProductItem.h"

namespace pagora {

class FileExistenceCache;
class Ui;

// Rebuilds the item list from the page text, with progress. `items` is updated in
// place (it holds at least one item, as the grid does); the result lists the 0-based
// indexes of the items whose resolved picture changed, the only ones whose
// thumbnails need decoding. `files` answers which pictures exist.
std::vector<size_t> LoadItems(const CatalogPage& page, std::vector<ProductItem>& items,
                              const std::string& appDir, Ui& ui, FileExistenceCache& files);

}  // namespace pagora
