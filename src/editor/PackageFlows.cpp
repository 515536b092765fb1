#include "editor/PackageFlows.h"

#include <filesystem>

#include "base/AtomicFile.h"
#include "base/KeyValueLines.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "base/ZipReader.h"
#include "editor/BookOperations.h"
#include "editor/GridItemNumbers.h"
#include "editor/PageFlows.h"
#include "generate/GeneratePage.h"
#include "output/BookOutput.h"
#include "output/PageOutputBranches.h"
#include "platform/Context.h"

namespace fs = std::filesystem;

namespace pagora {

bool OpenPackage(EditorSession& session, const std::string& path) {
  Context& context = session.context;
  Ui& ui = context.ui;
  const std::string tmp = context.appDir + "tmp/";
  std::error_code error;
  fs::create_directories(tmp, error);
  BusyCursor busy(ui);
  const std::string name = FileNameOf(path);
  const size_t dot = name.find('.');
  const std::string destination = dot == std::string::npos ? tmp : tmp + name.substr(0, dot) + "/";
  int extracted = 0;
  try {
    extracted = ExtractZip(path, destination);
  } catch (const UserError& reason) {
    ui.ShowMessage("出错", "不是有效的pga文件，读取出现错误。\n" + std::string(reason.what()),
                   MessageIcon::Error, MessageButtons::Ok);
    return false;
  }
  if (extracted < 2) {
    ui.ShowMessage("出错", "不是有效的pga文件，读取出现错误。", MessageIcon::Error,
                   MessageButtons::Ok);
    return false;
  }
  if (!FileExists(destination + "index.dat")) {
    ui.ShowMessage("出错", "信息描述文件不存在，文件载入失败。", MessageIcon::Error,
                   MessageButtons::Ok);
    return false;
  }
  if (session.panelCaption.empty()) session.panelCaption = path;
  const Lines index = ReadTextLines(destination + "index.dat").lines;
  const std::string source = destination + ValueOfKey(index, "index");
  const bool book = ValueOfKey(index, "type") == "PGS";
  if (book) {
    if (!OpenBook(session, source, true)) return false;
  } else {
    OpenPage(session.page, session.grid, context, source);
  }
  session.fromPackage = true;
  session.packageHoldsBook = book;
  session.packagePath = path;
  return true;
}

bool WritePackageBack(EditorSession& session) {
  if (!session.fromPackage) return false;
  BusyCursor busy(session.context.ui);
  if (session.packageHoldsBook) {
    // The whole book is output as a package, which replaces the one it came from.
    BookOutputRequest request;
    request.kind = BookOutputKind::Package;
    request.packagePath = session.packagePath;
    request.currentLanguage = session.page.GetSetting("{输出语言}");
    OutputBook(session.book, request, session.context);
    return false;
  }
  GridItemNumbers numbers(session.grid);
  PageOutputBranches branches;
  PageGenerationRequest request;
  request.request = PageOutputRequest::Package;
  const std::string made = GeneratePage(session.page, numbers, session.context, request, &branches);
  bool replaced = false;
  if (!made.empty()) {
    try {
      ReplaceFileWithCopy(made, session.packagePath);
      replaced = true;
    } catch (const UserError&) {
    }
  }
  if (!replaced) {
    session.context.ui.ShowMessage("错误", "保存pga文件失败，可能一个pga文件处于写保护状态。",
                                   MessageIcon::Error, MessageButtons::Ok);
    return false;
  }
  std::error_code error;
  fs::remove(made, error);
  return true;
}

}  // namespace pagora
