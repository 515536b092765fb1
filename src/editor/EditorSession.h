#pragma once

#include <string>
#include <vector>

#include "document/CatalogBook.h"
#include "document/CatalogPage.h"
#include "editor/ProductGrid.h"

namespace pagora {

struct Context;

// What the main window holds: the open page with its grid, the open book with the
// page list of the book panel, and the flags of the page flows.
struct EditorSession {
  explicit EditorSession(Context& context) : context(context), grid(page, context) {}

  // Empties the page: no text, an empty grid of one item, no path or name, unmodified.
  void ClearPage() {
    page.Clear();
    grid.ResetGrid();
  }

  Context& context;
  CatalogPage page;
  ProductGrid grid;
  CatalogBook book;
  std::vector<std::string> pageList;  // file names of the entries, then an unsaved page
  std::string panelCaption;
  bool savedFlag = false;
  std::string pendingNewBook;
  // A page or book opened from a package stays bound to it: saving writes it back.
  bool fromPackage = false;
  bool packageHoldsBook = false;
  std::string packagePath;
};

}  // namespace pagora
