#include "output/BookOutput.h"

#include <algorithm>
#include <filesystem>

#include "base/AtomicFile.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "base/ZipWriter.h"
#include "document/CatalogPage.h"
#include "generate/GeneratePage.h"
#include "generate/PageFileNumbers.h"
#include "output/ChmProject.h"
#include "output/MhtWriter.h"
#include "output/Package.h"
#include "output/PageOutputBranches.h"
#include "platform/ChmCompiler.h"
#include "platform/Context.h"

namespace fs = std::filesystem;

namespace pagora {
namespace {

bool IsPage(const std::string& path) {
  return ToUpperAscii(ExtensionOf(path)) == ".PGT";
}

std::string UpToFirstDot(const std::string& name) {
  return name.substr(0, name.find('.'));
}

// Deletes every file below `folder`; folders stay.
void DeleteFilesBelow(const std::string& folder) {
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file()) fs::remove(it->path(), error);
  }
}

void CleanUp(const std::string& bookDir) {
  RemovePagePictures(bookDir);
  std::error_code error;
  fs::remove(bookDir + "index.htm", error);
}

// Copies the file into `folder` under its own name unless one is there already.
void CopyKeeping(const std::string& file, const std::string& folder) {
  std::error_code error;
  fs::copy_file(file, folder + FileNameOf(file), fs::copy_options::skip_existing, error);
}

// A web page's companion folder NAME.files beside it, copied flat into images/.
void CopyCompanionFolder(const std::string& file, const std::string& images, Ui& ui) {
  const std::string companion = FolderOf(file) + UpToFirstDot(FileNameOf(file)) + ".files";
  if (!FolderExists(companion)) return;
  const std::string target = images + FileNameOf(companion);
  std::error_code error;
  fs::create_directory(target, error);
  if (!FolderExists(target)) {
    ui.ShowMessage("Pagora 2008", "不能创建目录" + target + "\r\n或无该目录权限",
                   MessageIcon::Error, MessageButtons::Ok);
    return;
  }
  for (const auto& entry : fs::directory_iterator(companion, error)) {
    if (!entry.is_regular_file()) continue;
    fs::path to = fs::path(target) / entry.path().filename();
    for (int n = 2; fs::exists(to); ++n) {  // an existing name gets a new one
      to = fs::path(target) / (entry.path().stem().string() + " (" + std::to_string(n) + ")" +
                               entry.path().extension().string());
    }
    fs::copy_file(entry.path(), to, error);
  }
}

Lines NavigationPage(const std::string& charset, const std::string& title, const Lines& links) {
  Lines lines = {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
                 "<html>",
                 "<head>",
                 "<META http-equiv=Content-Type content=\"text/html; charset=" + charset + "\">",
                 "<TITLE>" + title + "</TITLE>",
                 "<meta http-equiv=Content-Type content=\"text/html; charset=" + charset + "\">",
                 "</head>",
                 "<body>",
                 "<p>" + title + "</p>"};
  lines.insert(lines.end(), links.begin(), links.end());
  lines.push_back("</body>");
  lines.push_back("</html>");
  return lines;
}

Lines Frameset(const std::string& charset, const std::string& title, const std::string& defaultName,
               bool flat) {
  const std::string prefix = flat ? "" : "images/";
  return {"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Frameset//EN\">",
          "<HTML><HEAD><TITLE>" + title + "</TITLE>",
          "<META http-equiv=Content-Type content=\"text/html; charset=" + charset + "\">",
          "<META content=\"MSHTML 6.00.2900.3059\" name=GENERATOR></HEAD>",
          "<FRAMESET id=bbsArea name=main frameSpacing=0 frameBorder=no cols=176,8,*>",
          "<FRAME id=_leftup name=leftup src=\"" + prefix + "left.htm\" scrolling=yes>",
          "<FRAME name=control marginWidth=0 src=\"" + prefix +
              "control_new.htm\" noResize scrolling=no>",
          "<FRAME name=right src=\"" + prefix + defaultName + "\" scrolling=yes>",
          "</FRAMESET>",
          "</HTML>"};
}

}  // namespace

BookOutputResult OutputBook(const CatalogBook& book, const BookOutputRequest& request,
                            Context& context) {
  Ui& ui = context.ui;
  BookOutputResult result;
  if (request.kind == BookOutputKind::JpgSingle || request.kind == BookOutputKind::JpgPaged ||
      request.kind == BookOutputKind::Pdf) {
    throw UserError("这个版本还不能把目录册输出为图片或PDF。");
  }
  if (request.currentPageModified &&
      !ui.AskYesNo("注意", "注意：在输出目录册时，没有保存的内容不会被输出，是否继续？",
                   MessageIcon::Warning)) {
    return result;
  }
  if (book.Path().empty()) {
    ui.ShowMessage("错误", "当前目录册路径为空，输出不能完成。", MessageIcon::Error,
                   MessageButtons::Ok);
    return result;
  }
  const std::string language(Trim(request.currentLanguage));
  const bool chinese = language == "中文" || language.empty();
  const std::string charset = chinese ? "gb2312" : "iso-8859-1";
  const std::string bookName = UpToFirstDot(FileNameOf(book.Path()));
  std::string out = book.GetSetting("Catalog_Output");
  if (Trim(out).empty() || !FolderExists(out)) out = context.appDir + "输出";
  out = WithTrailingSlash(out);
  const std::string bookDir = out + bookName + "/";
  const std::string images = bookDir + "images/";
  const std::string title = book.Name();

  BusyCursor busy(ui);
  struct HideProgress {
    Ui& ui;
    ~HideProgress() { ui.HideProgress(); }
  } hide{ui};
  const size_t count = book.EntryCount();
  ui.ShowProgress("总计：" + std::to_string(count) + " 个文件，正在处理第：1 个", 0, 100);
  if (FolderExists(bookDir)) {
    DeleteFilesBelow(bookDir);
  } else {
    std::error_code error;
    fs::create_directories(bookDir, error);
    if (error) throw UserError("无法创建文件夹“" + bookDir + "”：" + error.message());
  }

  const bool package = request.kind == BookOutputKind::Package;
  std::vector<std::string> names;
  std::vector<ContentsEntry> contents;
  Lines links;
  std::string defaultName;
  PageOutputBranches branches;
  for (size_t k = 1; k <= count; ++k) {
    ui.ShowProgress(
        "总计：" + std::to_string(count) + " 个文件，正在处理第：" + std::to_string(k) + " 个",
        int((50 / count) * k), 100);
    const std::string entry = book.EntryPath(k - 1);
    if (!FileExists(entry)) continue;
    std::string name, label;
    if (IsPage(entry)) {
      CatalogPage page;
      page.LoadText(entry);
      page.SetPath(entry);
      page.SetDisplayName(FileNameOf(entry));
      PageFileNumbers numbers(page, context.appDir, ui);
      PageGenerationRequest generation;
      generation.request = package ? PageOutputRequest::PackageSource : PageOutputRequest::Html;
      generation.baseFolder = bookDir.substr(0, bookDir.size() - 1);
      const std::string made = GeneratePage(page, numbers, context, generation, &branches);
      if (made.empty()) {
        if (request.openFolder) context.shell.OpenPath(bookDir);
        return result;
      }
      name = FileNameOf(made);
      label = page.GetSetting("{Catalog名称}");
    } else {
      std::error_code error;
      fs::create_directories(images, error);
      CopyKeeping(entry, images);
      CopyCompanionFolder(entry, images, ui);
      name = FileNameOf(entry);
      label = UpToFirstDot(name);
    }
    names.push_back(name);
    if (k == 1) defaultName = name;
    if (FileNameOf(entry) == book.DefaultPage()) defaultName = name;
    links.push_back("<p><a href=\"" + name + "\" target=\"right\">" + label + "</a></p>");
    contents.push_back({label, name});
  }

  std::error_code error;
  fs::create_directories(images, error);
  WriteTextLines(images + "left.htm", NavigationPage(charset, title, links));
  WriteTextLines(bookDir + "index.htm",
                 Frameset(charset, title, defaultName, request.kind == BookOutputKind::Mht));
  for (const char* shared : {"control_new.htm", "middle_1.gif", "middle_bg.gif"}) {
    if (FileExists(context.appDir + shared)) CopyKeeping(context.appDir + shared, images);
  }

  switch (request.kind) {
    case BookOutputKind::Html:
      result.path = bookDir;
      break;
    case BookOutputKind::Preview:
      context.shell.OpenPath(bookDir + "index.htm");
      result.path = bookDir + "index.htm";
      break;
    case BookOutputKind::Zip: {
      const std::string zip = bookDir + bookName + ".zip";
      WriteZip(zip, ZipEntriesOfFolder(bookDir, zip),
               [&](int percent) { ZipProgress(ui, percent); });
      CleanUp(bookDir);
      result.path = zip;
      break;
    }
    case BookOutputKind::Chm: {
      fs::create_directories(context.appDir + "tmp", error);
      WriteTextLines(images + "tmpchm.hhp",
                     BookChmProject(bookDir, bookName, defaultName, chinese, names));
      WriteTextLines(images + "Contents.hhc", BookChmContents(contents));
      int position = 0;
      TChmCompiler::Instance().Compile(images + "tmpchm.hhp", [&](const std::string& line) {
        position = std::min(100, position + 1);
        ui.ShowProgress(line, position, 100);
      });
      CleanUp(bookDir);
      result.path = bookDir + bookName + ".chm";
      break;
    }
    case BookOutputKind::Mht: {
      MhtRequest mht;
      mht.htmlPath = bookDir + "index.htm";
      for (const auto& file : fs::directory_iterator(images, error)) {
        if (file.is_regular_file()) mht.files.push_back(file.path().string());
      }
      std::sort(mht.files.begin(), mht.files.end());
      mht.outputPath = bookDir + bookName + ".mht";
      mht.number = title;
      mht.chinese = chinese;
      result.path = WriteMht(mht, ui);
      CleanUp(bookDir);
      break;
    }
    case BookOutputKind::Package: {
      Lines source;
      bool files = false;
      for (const std::string& line : book.Text()) {
        source.push_back(line);
        if (line == "{$Files}") {
          files = true;
          break;
        }
      }
      if (files) source.insert(source.end(), names.begin(), names.end());
      WriteTextLines(bookDir + bookName + ".pgs", source);
      const std::string pga = PackPackage(bookDir, bookName + ".pgs", true, "", ui);
      fs::remove(bookDir + "index.htm", error);
      fs::remove(bookDir + bookName + ".pgs", error);
      for (const std::string& name : names) fs::remove(bookDir + name, error);
      result.path = pga;
      if (!request.packagePath.empty()) {
        try {
          ReplaceFileWithCopy(pga, request.packagePath);
          fs::remove(pga, error);
          result.path = request.packagePath;
        } catch (const UserError&) {
          ui.ShowMessage("错误", "保存pga文件失败，可能一个pga文件处于写保护状态。",
                         MessageIcon::Error, MessageButtons::Ok);
        }
      }
      break;
    }
    case BookOutputKind::JpgSingle:
    case BookOutputKind::JpgPaged:
    case BookOutputKind::Pdf:
      break;
  }
  result.done = true;
  if (request.openFolder) context.shell.OpenPath(bookDir);
  return result;
}

}  // namespace pagora
