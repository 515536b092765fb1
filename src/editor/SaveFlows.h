#pragma once

#include <optional>
#include <string>

#include "editor/EditorSession.h"

namespace pagora {

// "保存页面": writes the page (asking for a file name the first time), keeps the book
// in step (the page saved last, a new page's entry), lists a new file in the page
// history and writes a package the page came from back. False when the user
// cancelled or the package could not be written back.
bool SavePage(EditorSession& session);

// The save dialog of "保存页面" and "另存为……": the three file kinds, starting in the
// project folder of the company information with the display name proposed.
std::optional<std::string> ChoosePageSaveFile(EditorSession& session, const std::string& title);

// Double-click on entry k of the page list: external files open with their program,
// pages open in the editor (asking to save the open page first).
void OpenPageListEntry(EditorSession& session, size_t k);

}  // namespace pagora
