#pragma once

#include <string>

#include "editor/EditorSession.h"

namespace pagora {

// Unpacks a package into AppDir/tmp/NAME (NAME: the file name up to its first dot) and
// opens the page or book it carries; the document stays bound to the package.
bool OpenPackage(EditorSession& session, const std::string& path);

// After a page from a package was saved: packs it again and puts the new package in
// place of the one it came from. False, with the message, when that fails.
bool WritePackageBack(EditorSession& session);

}  // namespace pagora
