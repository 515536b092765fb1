#pragma once

#include <optional>
#include <string>

#include "editor/EditorSession.h"

namespace pagora {

// Which output entries the main menu and the output pop-up offer right now. The
// window asks for this each time one of those menus opens, so it always follows the
// page, the book and the page-list selection.
struct OutputMenuState {
  bool pageOutputs = false;        // "创建目录页" / "输出页面"
  bool bookOutputs = false;        // "创建目录册" / "输出目录册"
  bool singlePageOutputs = false;  // CHM, MHT, HTML, ZIP and package of one page
  std::string languageCaption;     // the pop-up's language item
};

// selectedEntry is the file name of the page-list entry that is selected, if any.
// Picture and PDF output work from any saved page, so only the outputs that are
// built from the page in memory are withdrawn when another entry is selected.
OutputMenuState ComputeOutputMenuState(const EditorSession& session,
                                       const std::optional<std::string>& selectedEntry);

// "切换输出语言": toggles {输出语言} between 中文 and 英文, warning before English.
// Only the language changes; the page settings dialog also swaps currency and company.
void SwitchOutputLanguage(EditorSession& session);

}  // namespace pagora
