#pragma once

#include <string>
#include <vector>

#include "base/KeyValueLines.h"
#include "generate/OutputRequest.h"

namespace pagora {

// The HTML Help project of a single page: its HTML (the default topic) and pictures.
Lines SinglePageChmProject(const std::string& pageDir, const std::string& number,
                           const std::string& appDir, const std::string& language,
                           const CopyList& copies);

// The project of a book: its output files (names in the project's folder), the contents
// file "Contents.hhc" and full-text search.
Lines BookChmProject(const std::string& bookDir, const std::string& book,
                     const std::string& defaultName, bool chinese,
                     const std::vector<std::string>& names);

struct ContentsEntry {
  std::string title;
  std::string local;
};
// The contents file "Contents.hhc" of a book.
Lines BookChmContents(const std::vector<ContentsEntry>& entries);

}  // namespace pagora
