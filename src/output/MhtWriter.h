#pragma once

#include <string>
#include <vector>

namespace pagora {

class Ui;

// The address every archive's parts are located under; pages refer to their pictures
// as "images/NAME" (a book's pages by bare names), which resolve against it.
inline constexpr const char* kMhtBase = "http://catalog.pagora.local/";

struct MhtRequest {
  std::string htmlPath;            // the document of part 1
  std::vector<std::string> files;  // absolute paths of the files to embed, in order
  std::string outputPath;          // empty: next to the HTML file, its name + ".mht"
  std::string number;              // the page's {Catalog编号}: the message subject
  bool chinese = true;             // charset gb2312, else iso-8859-1
};

// Writes a MIME multipart/related web archive of the document and the files; returns
// the path written. The archive is built in memory and written in one piece, so a file
// that cannot be read leaves nothing behind (UserError naming it).
std::string WriteMht(const MhtRequest& request, Ui& ui);

}  // namespace pagora
