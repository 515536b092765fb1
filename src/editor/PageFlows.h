#pragma once

#include <string>

#include "document/CatalogPage.h"
#include "editor/ProductGrid.h"

namespace pagora {

struct Context;

// Opens the page file at `path` into `page` and fills the grid: the page is cleared
// first, the text loaded (bytes outside the code page are shown as U+FFFD and the
// user is told the file and line), the items loaded. Returns false, with the page
// cleared, when the path is not a ".pgt" file that exists.
bool OpenPage(CatalogPage& page, ProductGrid& grid, Context& context, const std::string& path);

// Fills an empty page with the text of a new page; not yet saved, so modified.
void CreateNewPage(CatalogPage& page, ProductGrid& grid, Context& context);

}  // namespace pagora
