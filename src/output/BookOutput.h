#pragma once

#include <string>

#include "document/CatalogBook.h"

namespace pagora {

struct Context;

enum class BookOutputKind {
  Html = 2,
  Zip = 4,
  Chm = 8,
  Mht = 16,
  Package = 32,
  Preview = 64,
  JpgSingle = 128,
  JpgPaged = 256,
  Pdf = 512
};

struct BookOutputRequest {
  BookOutputKind kind = BookOutputKind::Html;
  bool openFolder = false;
  // From the page open in the editor: its unsaved changes are not output, and its
  // output language decides the navigation's charset.
  bool currentPageModified = false;
  std::string currentLanguage = "中文";
  // The package the book was opened from, which a package output replaces.
  std::string packagePath;
};

struct BookOutputResult {
  bool done = false;
  std::string path;  // what the kind made: BOOKDIR (Html, Preview) or the file
};

// Generates every page of the book into OUT/BOOK/, writes the navigation column and
// the frameset, and delivers the whole as the requested kind.
BookOutputResult OutputBook(const CatalogBook& book, const BookOutputRequest& request,
                            Context& context);

}  // namespace pagora
