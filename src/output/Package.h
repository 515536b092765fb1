#pragma once

#include <string>

#include "base/KeyValueLines.h"
#include "document/CatalogPage.h"

namespace pagora {

class Ui;

// A package (.pga) carries a page or a book with every picture it uses to another
// computer: a ZIP archive of a folder holding index.dat, the source file and images/.

// The page text with its picture, background and music paths pointing into images/.
Lines PortablePageSource(const CatalogPage& page);

// Packs `folder` (with a trailing "/") into a package whose index names `source`, then
// removes what was packed (images/, index.dat, the page source). Returns the package:
// `packagePath`, or the source's name with ".pga" in the folder.
std::string PackPackage(const std::string& folder, const std::string& source, bool book,
                        const std::string& packagePath, Ui& ui);

}  // namespace pagora
