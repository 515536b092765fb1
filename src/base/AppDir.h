#pragma once

#include <string>

namespace pagora {

// The folder of the program file (with a trailing "/").
std::string ProgramFolder();

// The folder that holds every data folder and data file of the system, with a
// trailing "/":
//  1. PAGORA_APPDIR when set;
//  2. the program's folder when it holds html/ and is writable (portable layout,
//     used by the build tree);
//  3. $XDG_DATA_HOME/pagora (default ~/.local/share/pagora), filled on first use from
//     the installed data folder (<prefix>/share/pagora next to <prefix>/bin).
std::string ResolveAppDir(const std::string& programFolder);

// Copies the files of `from` into `to` that `to` lacks; folders are created as needed.
void CopyMissingFiles(const std::string& from, const std::string& to);

}  // namespace pagora
