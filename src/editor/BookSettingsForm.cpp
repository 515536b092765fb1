#include "editor/BookSettingsForm.h"

#include <filesystem>

#include "base/Paths.h"
#include "editor/BookOperations.h"
#include "platform/Context.h"

namespace pagora {

void BookSettingsForm::TakeFlags() {
  const CatalogBook& book = session_.book;
  if (book.HasBook()) {
    fullTextSearch = book.GetSetting("Catalog_fulltext_search") == "true";
    alwaysOpen = book.GetSetting("Catalog_always_open") == "true";
    removeMark = book.GetSetting("Catalog_move_v") == "true";
  } else {
    fullTextSearch = alwaysOpen = true;
    removeMark = false;
  }
}

void BookSettingsForm::BeginNew() {
  Reset();
  TakeFlags();
  Show();
}

void BookSettingsForm::BeginEdit() {
  name = session_.book.Name();
  path = session_.book.Path();
  output = session_.book.GetSetting("Catalog_Output");
  TakeFlags();
  Show();
}

void BookSettingsForm::Show() {
  const std::string& appDir = session_.context.appDir;
  if (name.empty()) name = "新的目录册-" + session_.context.clock.ShortDate();
  if (path.empty()) {
    std::string folder = appDir + "目录册/";
    if (const auto defaults = ReadBookDefaults(appDir)) {
      name = defaults->settings.name;
      output = defaults->settings.output;
      alwaysOpen = defaults->settings.alwaysOpen;
      removeMark = defaults->settings.removeMark;
      fullTextSearch = defaults->settings.fullTextSearch;
      folder = WithTrailingSlash(defaults->saveFolder);
      setAsDefault = true;
    }
    for (int n = 1; n < 1000; ++n) {
      const std::string candidate = folder + "新建目录册" + std::to_string(n) + ".pgs";
      if (!std::filesystem::exists(candidate)) {
        path = candidate;
        if (output.empty()) output = appDir + "输出";
        break;
      }
    }
  }
  nameChanged_ = false;
}

void BookSettingsForm::EditName(std::string text) {
  name = std::move(text);
  nameChanged_ = true;
}

void BookSettingsForm::LeaveName() {
  if (nameChanged_ && !std::filesystem::exists(path)) path = FolderOf(path) + name + ".pgs";
}

void BookSettingsForm::BrowsePath() {
  FileDialogRequest request;
  request.title = "目录册保存路径";
  request.filter = "目录册 *.pgs|*.pgs|全部文件 *.*|*.*";
  request.folder = FolderOf(path);
  request.fileName = FileNameOf(path);
  if (const auto chosen = session_.context.ui.ChooseSaveFile(request)) path = *chosen;
}

void BookSettingsForm::BrowseOutput() {
  if (const auto chosen = session_.context.ui.ChooseFolder("请选择一个文件夹：")) output = *chosen;
}

void BookSettingsForm::Save() {
  const BookSettings settings{name, output, fullTextSearch, alwaysOpen, removeMark};
  if (std::filesystem::exists(path)) {
    CatalogBook& book = session_.book;
    book.StoreSetting("Catalog_name", name);
    book.StoreSetting("Catalog_Output", output);
    book.StoreSetting("Catalog_fulltext_search", fullTextSearch ? "true" : "false");
    book.StoreSetting("Catalog_always_open", alwaysOpen ? "true" : "false");
    book.StoreSetting("Catalog_move_v", removeMark ? "true" : "false");
    book.Save();
  } else {
    std::error_code error;
    std::filesystem::create_directory(FolderOf(path), error);
    CatalogBook created;
    created.SetPath(path);
    created.ReplaceText(NewBookLines(settings));
    created.Save();
    AppendHistory(BookHistoryPath(session_.context.appDir), path);
    session_.pendingNewBook = path;
  }
  if (setAsDefault) {
    WriteBookDefaults(session_.context.appDir, BookDefaults{settings, FolderOf(path)});
  } else {
    std::error_code error;
    std::filesystem::remove(BookDefaultsPath(session_.context.appDir), error);
  }
  Reset();
}

bool BookSettingsForm::OpenPendingBook() {
  if (session_.pendingNewBook.empty()) return false;
  const std::string pending = session_.pendingNewBook;
  if (session_.page.IsModified() &&
      !session_.context.ui.AskYesNo("新建了目录册",
                                    "新建立了一个目录册，是否关闭当前目录册并载入新建的目录册？",
                                    MessageIcon::Warning)) {
    return false;
  }
  session_.ClearPage();
  session_.book.Clear();
  session_.pageList.clear();
  session_.panelCaption.clear();
  session_.savedFlag = true;
  return OpenBook(session_, pending, true);
}

void BookSettingsForm::Reset() {
  name.clear();
  path.clear();
  output.clear();
  nameChanged_ = false;
}

}  // namespace pagora
