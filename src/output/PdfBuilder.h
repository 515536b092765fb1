#pragma once

#include <string>
#include <vector>

namespace pagora {

// Binds JPEG pictures into a PDF, one picture a page: every page is the first picture's
// size plus 32 units of margin on each side, each picture drawn at its natural size
// from the top-left corner inside the margins and clipped to the first picture's area.
// The JPEG data is embedded as it is, never encoded again. A file that is not a whole
// JPEG is a UserError and no PDF is written. The pictures are deleted afterwards, as
// the picture export leaves only the PDF. Nothing happens for an empty list.
void BuildPdf(const std::string& pdfPath, const std::vector<std::string>& pictures);

}  // namespace pagora
