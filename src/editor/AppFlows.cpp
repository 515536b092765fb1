#include "editor/AppFlows.h"

#include <filesystem>

#include "base/Paths.h"
#include "base/Strings.h"
#include "editor/BookOperations.h"
#include "editor/PackageFlows.h"
#include "editor/PageFlows.h"
#include "editor/SaveFlows.h"
#include "platform/Context.h"

namespace fs = std::filesystem;

namespace pagora {

bool ClosePage(EditorSession& session) {
  if (session.page.IsModified() &&
      !session.context.ui.AskYesNo(
          "关闭页面", "该Catalog页面还没保存，没有保存的信息将丢失，是否关闭当前页面？",
          MessageIcon::Warning)) {
    return false;
  }
  session.ClearPage();
  return true;
}

bool CloseEverything(EditorSession& session) {
  if (!ClosePage(session)) return false;
  session.pageList.clear();
  session.panelCaption.clear();
  session.book.Clear();
  session.page.SetModified(false);
  session.savedFlag = true;
  return true;
}

bool NewPage(EditorSession& session) {
  if (session.page.IsOpen() && session.page.Path().empty() && session.page.IsModified())
    return false;
  if (!ClosePage(session)) return false;
  if (!session.book.HasBook()) OpenDefaultBook(session, false);
  CreateNewPage(session.page, session.grid, session.context);
  const std::string title = session.page.GetSetting("{Catalog名称}");
  for (int n = 1; n < 1000; ++n) {
    const std::string name = title + std::to_string(n) + ".pgt";
    if (std::find(session.pageList.begin(), session.pageList.end(), name) ==
        session.pageList.end()) {
      session.page.SetDisplayName(name);
      session.pageList.push_back(name);
      break;
    }
  }
  session.savedFlag = false;
  return true;
}

bool SavePageAs(EditorSession& session) {
  Context& context = session.context;
  const auto chosen = ChoosePageSaveFile(session, "另存为");
  if (!chosen) return false;
  std::string path = *chosen;
  if (ToUpperAscii(ExtensionOf(path)) != ".PGT") path += ".pgt";
  if (FileExists(path) &&
      !context.ui.AskYesNo("确认覆盖", "该页面文件已经存在，覆盖已存在的文件吗？（不推荐）",
                           MessageIcon::Information)) {
    return false;
  }
  session.page.SetPath(path);
  if (session.panelCaption.empty()) session.panelCaption = "页面文件 " + path;
  session.page.SaveText(path);
  AppendHistory(PageHistoryPath(context.appDir), path);
  session.page.SetModified(false);
  return true;
}

bool CloseQuery(EditorSession& session) {
  if (!session.page.IsModified()) return true;
  const Answer answer =
      session.context.ui.ShowMessage("确认存盘", "有资料修改后尚未保存，是否存盘？",
                                     MessageIcon::Warning, MessageButtons::YesNoCancel);
  if (answer == Answer::Cancel) return false;
  // A save that did not happen (the file name was not given, the package could not be
  // written back) keeps the window open rather than dropping the changes.
  return answer == Answer::No || SavePage(session);
}

void CleanUpOnClose(Context& context) {
  BusyCursor busy(context.ui);
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(context.appDir + "tmp", error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_regular_file()) continue;
    if (!fs::remove(it->path(), error)) break;  // a file in use: the rest stays for next time
  }
}

StartOutcome DispatchArguments(EditorSession& session, const std::vector<std::string>& arguments) {
  Context& context = session.context;
  std::vector<std::string> entries;
  for (const std::string& argument : arguments) {
    for (std::string& line : SplitLines(argument)) entries.push_back(std::move(line));
  }
  if (entries.empty()) return StartOutcome::ShowStartDialog;
  if (!ClosePage(session)) return StartOutcome::Done;
  BusyCursor busy(context.ui);
  std::string page;
  std::vector<std::string> pictures;
  for (const std::string& entry : entries) {
    const std::string extension = ToUpperAscii(ExtensionOf(entry));
    if (extension == ".PGA") {
      OpenPackage(session, entry);
      return StartOutcome::Done;
    }
    if (extension == ".PGS") {
      OpenBook(session, entry, true);
      break;
    }
    if (extension == ".PGT") {
      page = entry;
      break;
    }
    if (extension == ".JPG" || extension == ".GIF" || extension == ".BMP" || FolderExists(entry)) {
      pictures.push_back(entry);
    }
  }
  if (!page.empty()) {
    OpenPage(session.page, session.grid, context, page);
    return StartOutcome::Done;
  }
  if (pictures.empty()) return StartOutcome::Done;
  if (pictures.size() == 1 && FolderExists(std::string(Trim(pictures.front())))) {
    pictures = ListFolderFiles(std::string(Trim(pictures.front())), "*.jpg", false);
  }
  if (pictures.empty()) {
    context.ui.Inform("图片没找到",
                      "没有发现图片文件，系统右键支持jpg格式的图片。\r\n您可以同时选择多个文件夹，"
                      "注意，不会搜索子文件夹。");
    return StartOutcome::Quit;
  }
  NewPage(session);
  SessionBookAdder book(session);
  session.grid.ImportPaths(pictures, &book);
  return StartOutcome::Done;
}

}  // namespace pagora
