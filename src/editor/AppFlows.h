#pragma once

#include <string>
#include <vector>

#include "editor/EditorSession.h"

namespace pagora {

// The page and book flows of the main window, without the window.

// "新建页面": closes the open page (asking), opens the default book when none is open,
// and makes a new page named after its title with the first free number.
bool NewPage(EditorSession& session);
// "关闭当前页面": asks when the page is modified; false when the user kept it.
bool ClosePage(EditorSession& session);
// "关闭全部页面": the page (asking) and the book.
bool CloseEverything(EditorSession& session);
// "另存为……": the page under another name; the book and the page list stay as they are.
bool SavePageAs(EditorSession& session);
// The window is about to close: false keeps it open.
bool CloseQuery(EditorSession& session);
// The window closed: the files below AppDir/tmp are deleted (folders stay).
void CleanUpOnClose(Context& context);

// What the program does with its command line (paths, also several in one argument,
// one a line) once the window shows.
enum class StartOutcome { ShowStartDialog, Done, Quit };
StartOutcome DispatchArguments(EditorSession& session, const std::vector<std::string>& arguments);

}  // namespace pagora
