#pragma once

#include "document/CatalogPage.h"
#include "editor/PageFlows.h"
#include "editor/ProductGrid.h"
#include "support/TestFiles.h"

namespace pagora::test {

// A new page with its grid, as the window holds them.
struct GridFixture {
  TestContext t;
  TempDir files;
  CatalogPage page;
  ProductGrid grid{page, t.context};

  GridFixture() { CreateNewPage(page, grid, t.context); }

  // The lines of block k of the page text.
  Lines BlockLines(int k) const {
    const auto header = page.FindBlockHeader(k);
    if (!header) return {};
    const size_t at = *header;
    return Lines(
        page.Text().begin() + static_cast<std::ptrdiff_t>(at),
        page.Text().begin() + static_cast<std::ptrdiff_t>(std::min(at + 11, page.Text().size())));
  }
  std::string Number(int k) const { return grid.Item(k).Field(ItemField::Number).value; }
};

}  // namespace pagora::test
