#include "editor/StartDialog.h"

#include <filesystem>

#include "base/AppDir.h"
#include "base/KeyValueLines.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "document/CatalogBook.h"
#include "document/CompanyEntry.h"
#include "platform/Context.h"

namespace pagora {
namespace {

// Entries written on Windows carry "D:\..."; relative ones lie under AppDir.
std::string HistoryEntryPath(const Context& context, const std::string& entry) {
  return IsAbsoluteStoredPath(entry) ? entry : context.appDir + LocalRelativePath(entry);
}

}  // namespace

void StartDialog::Show() {
  const std::string history = BookHistoryPath(context_.appDir);
  if (FileExists(history)) books_ = ReadTextLines(history).lines;
}

std::string StartDialog::EntryPath(const std::string& entry) const {
  return HistoryEntryPath(context_, entry);
}

StartDialog::Result StartDialog::OpenEntry(size_t k) {
  if (k >= books_.size()) return Result::Stay;
  const std::string path = EntryPath(books_[k]);
  if (!FileExists(path)) {
    context_.ui.Warn("开始", "该记录已经不存在，请重新选择。");
    return Result::Stay;
  }
  chosen_ = path;
  return Result::Open;
}

StartDialog::Result StartDialog::OpenOther() {
  FileDialogRequest request;
  request.title = "打开现有的目录册";
  request.filter =
      "全部文件*.pgs;*.pgt;*.pga|*.pgs;*.pgt;*.pga|目录册文件 *.pgs|*.pgs|页面文件 *.pgt|*.pgt|"
      "Catalog包文件 *.pga|*.pga";
  request.folder =
      ReadCompanyEntry(context_.appDir + kChineseCompanyFile, kCompanyProjectFolderEntry);
  const std::vector<std::string> chosen = context_.ui.ChooseOpenFiles(request);
  if (chosen.empty()) return Result::Stay;
  chosen_ = chosen.front();
  return Result::Open;
}

void StartDialog::RemoveMissingEntries() {
  std::erase_if(books_, [&](const std::string& entry) { return !FileExists(EntryPath(entry)); });
  WriteTextLines(BookHistoryPath(context_.appDir), books_);
  context_.ui.Inform("开始", "操作完成。");
}

void StartDialog::ClearHistory() {
  if (!context_.ui.AskYesNo("开始", "真的清空历史记录？", MessageIcon::Question)) return;
  books_.clear();
  std::error_code error;
  std::filesystem::remove(BookHistoryPath(context_.appDir), error);
}

void StartDialog::OpenTutorial() {
  context_.shell.OpenPath(context_.appDir + "help/help2.htm");
}

void OpenSearchResult(Context& context, const std::string& page) {
  const Answer answer = context.ui.ShowMessage(
      "请选择", "点击“是”直接打开此页面，点击“否”则首先查找哪个目录册包含此页面并打开目录册。",
      MessageIcon::Question, MessageButtons::YesNoCancel);
  if (answer == Answer::Cancel) return;
  // A new instance gets the path as one argument: no shell sees it, blanks stay.
  const std::string program = ProgramFolder() + "pagora";
  if (answer == Answer::Yes) {
    context.shell.StartProgram(program, {page});
    return;
  }
  BusyCursor busy(context.ui);
  const std::string name = FileNameOf(page);
  const std::string history = BookHistoryPath(context.appDir);
  const Lines books = FileExists(history) ? ReadTextLines(history).lines : Lines();
  for (const std::string& entry : books) {
    const std::string book = HistoryEntryPath(context, entry);
    if (!FileExists(book)) continue;
    for (const std::string& line : ReadTextLines(book).lines) {
      if (line.size() >= name.size() &&
          ToUpperAscii(line).find(ToUpperAscii(name)) != std::string::npos) {
        context.shell.StartProgram(program, {book});
        return;
      }
    }
  }
  context.ui.ShowMessage("完毕",
                         "没有找到匹配的目录册，也许你曾经清空了全部或者部分目录册历史记录。",
                         MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace pagora
