#include "editor/BookOperations.h"

#include "base/Paths.h"
#include "base/Strings.h"
#include "editor/PageFlows.h"
#include "platform/Context.h"

namespace pagora {
namespace {

// One file from the program's open dialog, starting on the filter at `filterIndex`.
std::optional<std::string> ChooseOneFile(Ui& ui, const char* title, int filterIndex) {
  FileDialogRequest request;
  request.title = title;
  request.filter = kOpenFilters;
  request.filterIndex = filterIndex;
  const std::vector<std::string> chosen = ui.ChooseOpenFiles(request);
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

void AddAsFirstEntry(EditorSession& session, const std::string& path) {
  session.pageList.insert(session.pageList.begin(), FileNameOf(path));
  session.book.InsertEntry(0, path);
}

}  // namespace

std::optional<size_t> PageToOpen(const CatalogBook& book) {
  const size_t count = book.EntryCount();
  if (count == 0) return std::nullopt;
  if (count == 1) return 0;
  const std::string lost = book.GetSetting("Catalog_Lost_name");
  for (size_t k = 0; k < count; ++k) {
    if (EqualsIgnoreCase(FileNameOf(book.Entry(k)), lost)) return k;
  }
  return 0;
}

void FillPageList(EditorSession& session) {
  session.pageList.clear();
  for (size_t k = 0; k < session.book.EntryCount(); ++k) {
    session.pageList.push_back(FileNameOf(session.book.Entry(k)));
  }
}

bool OpenBook(EditorSession& session, const std::string& path, bool openPage) {
  Ui& ui = session.context.ui;
  if (session.page.IsModified()) {
    if (!ui.AskYesNo("是否强制关闭",
                     "当前的页面没有关闭，不能载入新的目录册，是否强制关闭当前页面？",
                     MessageIcon::Warning)) {
      return false;
    }
    session.ClearPage();
  }
  session.panelCaption = path;
  session.book.Load(path);
  FillPageList(session);
  if (const auto k = PageToOpen(session.book); k && openPage) {
    OpenPage(session.page, session.grid, session.context, session.book.EntryPath(*k));
  }
  session.fromPackage = false;
  session.pendingNewBook.clear();
  return true;
}

bool OpenDefaultBook(EditorSession& session, bool openPage) {
  return OpenBook(session, EnsureDefaultBook(session.context.appDir), openPage);
}

bool IsDefaultPage(const EditorSession& session, size_t k) {
  return k < session.pageList.size() && session.pageList[k] == session.book.DefaultPage();
}

void SetDefaultPage(EditorSession& session, size_t k, bool ticked) {
  if (!session.book.HasBook() || k >= session.pageList.size()) return;
  session.book.StoreSetting("catalog_index_name", ticked ? session.pageList[k] : "nil");
  session.book.Save();
}

void MovePageListEntry(EditorSession& session, size_t from, size_t to) {
  const size_t entries = session.book.EntryCount();
  // An unsaved page is the list's last entry and in no book line: it does not move.
  if (from >= entries || to >= entries || from == to) return;
  session.book.MoveEntry(from, to);
  session.book.Save();
  FillPageList(session);
  if (session.pageList.size() < entries + 1 && session.page.IsOpen() &&
      session.page.Path().empty()) {
    session.pageList.push_back(session.page.DisplayName());
  }
}

void RemoveSelectedPage(EditorSession& session, size_t k) {
  if (k >= session.pageList.size()) return;
  if (session.page.Path().empty()) {
    // An unsaved page is removed from the list only.
    session.pageList.erase(session.pageList.begin() + static_cast<std::ptrdiff_t>(k));
    session.ClearPage();
    return;
  }
  if (!session.context.ui.AskYesNo("确认文件删除", "是否从目录册内删除：" + session.pageList[k],
                                   MessageIcon::Warning)) {
    return;
  }
  const bool current =
      k < session.book.EntryCount() && session.book.EntryPath(k) == session.page.Path();
  if (k < session.book.EntryCount()) {
    session.book.RemoveEntry(k);
    session.book.Save();
  }
  if (current) session.ClearPage();
  session.pageList.erase(session.pageList.begin() + static_cast<std::ptrdiff_t>(k));
}

void ImportFileIntoBook(EditorSession& session) {
  Ui& ui = session.context.ui;
  if (!session.book.HasBook()) {
    ui.Warn("错误", "您没有打开目录册，不能导入文件。外部文件只能导入到目录册内。");
    return;
  }
  if (const auto chosen = ChooseOneFile(ui, "导入文件到目录册", 5))
    AddAsFirstEntry(session, *chosen);
  session.book.Save();
}

void SessionBookAdder::AddFileToBook(const std::string& path) {
  if (session_.book.Name().empty()) {
    session_.context.ui.Warn("添加文件", "当前没有打开目录册，不能添加文件。");
    return;
  }
  AddAsFirstEntry(session_, path);
  session_.book.Save();
}

void AddCurrentPageToOtherBook(EditorSession& session) {
  Ui& ui = session.context.ui;
  if (session.page.Path().empty()) {
    ui.Warn("请先保存", "当前页面没有保存，不能被其他目录册引用。");
    return;
  }
  const auto chosen = ChooseOneFile(ui, "添加到其他目录册", 2);
  if (!chosen) return;
  if (*chosen == session.book.Path()) {
    ui.Warn("错误", "不能重复添加到当前目录册。");
    return;
  }
  CatalogBook other;
  other.Load(*chosen);
  other.AppendEntry(session.page.Path());
  other.Save();
  ui.Inform("成功", "添加成功。");
}

}  // namespace pagora
