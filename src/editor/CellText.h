#pragma once

#include <string>
#include <string_view>

namespace pagora {

// Conversions between a cell's stored text (one line, line breaks as "<br>") and the
// editors and the clipboard. No line break ever reaches a cell: the page file keeps one
// field a line.

// The description editor shows "<br>" as CR LF.
std::string DescriptionForEditor(std::string_view stored);
// What the description editor holds, stored: CR becomes "<br>", LF is dropped.
std::string DescriptionFromEditor(std::string_view edited);

// Cut and copy put the selection on the clipboard with "<br>" as CR LF.
std::string ClipboardTextFromCell(std::string_view selection);
// Pasted plain text: CR LF, lone CR and lone LF (the Linux line end) become "<br>".
std::string CellTextFromClipboard(std::string_view text);
// Pasted web content: the part between the StartFragment and EndFragment markers when
// both are there, else the inside of <body> when there is one, else all of it; line
// breaks removed, the markup kept (it reaches the generated pages).
std::string CellTextFromHtml(std::string_view html);

}  // namespace pagora
