#include "editor/SaveFlows.h"

#include "base/Paths.h"
#include "base/Strings.h"
#include "document/CompanyEntry.h"
#include "editor/PackageFlows.h"
#include "editor/PageFlows.h"
#include "platform/Context.h"

namespace pagora {

std::optional<std::string> ChoosePageSaveFile(EditorSession& session, const std::string& title) {
  Context& context = session.context;
  FileDialogRequest request;
  request.title = title;
  request.filter = "页面文件 *.pgt|*.pgt|目录册文件 *.pgs|*.pgs|Catalog包文件 *.pga|*.pga";
  request.folder =
      ReadCompanyEntry(context.appDir + kChineseCompanyFile, kCompanyProjectFolderEntry);
  request.fileName = session.page.DisplayName();
  return context.ui.ChooseSaveFile(request);
}

bool SavePage(EditorSession& session) {
  if (session.savedFlag && !session.page.IsModified()) return true;
  Context& context = session.context;
  CatalogPage& page = session.page;
  CatalogBook& book = session.book;
  if (!page.Path().empty()) {
    page.SaveText(page.Path());
  } else {
    const auto chosen = ChoosePageSaveFile(session, "保存页面");
    if (!chosen) return false;
    std::string path = *chosen;
    if (ExtensionOf(path).empty()) path += ".pgt";
    page.SetPath(path);
    if (session.panelCaption.empty()) session.panelCaption = "页面文件：" + path;
    const std::string name = FileNameOf(path);
    auto& list = session.pageList;
    const auto old = std::find(list.begin(), list.end(), page.DisplayName());
    if (old != list.end()) {
      *old = name;
    } else {
      list.push_back(name);
    }
    page.SetDisplayName(name);
    if (page.GetSetting("{Catalog名称}") == "新建页面") {
      page.StoreSetting("{Catalog名称}", name.substr(0, name.size() >= 4 ? name.size() - 4 : 0));
    }
    page.SaveText(path);
    book.AppendEntry(path);
    AppendHistory(PageHistoryPath(context.appDir), path);
  }
  book.StoreSetting("Catalog_Lost_name", page.DisplayName());
  if (book.HasBook() && !book.Path().empty()) book.Save();
  page.SetModified(false);
  session.savedFlag = true;
  if (session.fromPackage) return WritePackageBack(session);
  return true;
}

void OpenPageListEntry(EditorSession& session, size_t k) {
  Context& context = session.context;
  if (!session.book.HasBook() || k >= session.pageList.size()) return;
  const bool saved = k < session.book.EntryCount();
  const std::string path = saved ? session.book.EntryPath(k) : std::string();
  const std::string extension = ToUpperAscii(ExtensionOf(session.pageList[k]));
  if (extension != ".PGT" && extension != ".PGS" && extension != ".PGA") {
    if (context.ui.AskYesNo("外部文件",
                            "这是一个外部文件，Pagora不能直接编辑，是否调用关联程序打开？",
                            MessageIcon::Question)) {
      context.shell.OpenPath(path);
    }
    return;
  }
  if (saved ? path == session.page.Path() : session.page.Path().empty()) return;  // already open
  if (session.page.IsModified()) {
    const Answer answer = context.ui.ShowMessage("打开新页面", "有页面资料没有保存，是否保存？",
                                                 MessageIcon::Warning, MessageButtons::YesNoCancel);
    if (answer == Answer::Cancel) return;
    if (answer == Answer::Yes && !SavePage(session)) return;  // keep the changes open
  }
  if (saved) {
    OpenPage(session.page, session.grid, context, path);
  } else {
    CreateNewPage(session.page, session.grid, context);
  }
}

}  // namespace pagora
