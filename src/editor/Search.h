#pragma once

#include <functional>
#include <string>
#include <vector>

#include "editor/ProductGrid.h"

namespace pagora {

struct Context;

// Searching the saved pages: those listed in the page history ("all books") or the
// entries of the open book, for a keyword in any of their lines.
enum class SearchScope { AllBooks, CurrentBook };

struct FileSearch {
  std::string keyword;
  SearchScope scope = SearchScope::AllBooks;
  bool matchCase = false;
  std::string bookPath;  // the open book, for SearchScope::CurrentBook
  // Asked before every file and every line; true ends the search early ("停止").
  std::function<bool()> stopRequested;
};

struct FileSearchResult {
  std::vector<std::string> pages;  // in search order, one per matching file
  int searched = 0;
};

// Runs the search, telling the user the errors of the two scopes and, at the end,
// how many files were searched.
FileSearchResult SearchFiles(const FileSearch& search, Context& context);

// The search over the open page's grid (value columns 3 and 5, row by row), which
// "继续搜索" continues after the last hit.
class PageSearch {
 public:
  // Makes the cell of the next hit current and returns true; at the end says so.
  bool Find(ProductGrid& grid, Context& context, const std::string& keyword, bool goOn);

 private:
  int nextRow_ = 1;
};

}  // namespace pagora
