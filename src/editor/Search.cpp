#include "editor/Search.h"

#include <cstring>

#include "base/AtomicFile.h"
#include "base/Gb18030.h"
#include "base/KeyValueLines.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "document/CatalogBook.h"
#include "platform/Context.h"

namespace pagora {
namespace {

bool Contains(std::string_view line, std::string_view keyword, bool matchCase) {
  if (matchCase) return line.find(keyword) != std::string_view::npos;
  if (keyword.size() > line.size()) return false;
  for (size_t i = 0; i + keyword.size() <= line.size(); ++i) {
    if (EqualsIgnoreCase(line.substr(i, keyword.size()), keyword)) return true;
  }
  return false;
}

std::string FoldedAscii(std::string text) {
  for (char& c : text) c = ToLowerAscii(c);
  return text;
}

// A quick look at the file's bytes: the keyword in the code page, letters folded the
// same way on both sides when case does not count. It can only err towards yes (a
// folded trail byte of a Chinese character), and a yes is checked line by line.
bool MayContain(std::string bytes, const std::string& needle, bool fold) {
  // Folding only matters where the keyword has letters to fold.
  if (fold) bytes = FoldedAscii(std::move(bytes));
  return memmem(bytes.data(), bytes.size(), needle.data(), needle.size()) != nullptr;
}

bool HasAsciiLetters(std::string_view text) {
  for (const char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  }
  return false;
}

}  // namespace

FileSearchResult SearchFiles(const FileSearch& search, Context& context) {
  Ui& ui = context.ui;
  FileSearchResult result;
  Lines entries;
  std::string base = context.appDir;
  if (search.scope == SearchScope::AllBooks) {
    const std::string history = PageHistoryPath(context.appDir);
    if (FileExists(history)) {
      entries = ReadTextLines(history).lines;
    } else {
      ui.ShowMessage("错误", "历史记录文件不存在，搜索不能完成", MessageIcon::Error,
                     MessageButtons::Ok);
    }
  } else if (!search.bookPath.empty() && FileExists(search.bookPath)) {
    entries = ReadTextLines(search.bookPath).lines;
    base = FolderOf(search.bookPath);
  } else {
    ui.ShowMessage("错误", "当前没有打开目录册，搜索不能完成", MessageIcon::Error,
                   MessageButtons::Ok);
  }
  auto stop = [&] { return search.stopRequested && search.stopRequested(); };
  const std::string encoded = EncodeGb18030(search.keyword);
  const bool fold = !search.matchCase && HasAsciiLetters(encoded);
  const std::string needle = fold ? FoldedAscii(encoded) : encoded;

  {
    BusyCursor busy(ui);
    ProgressPanel progress(ui, int(entries.size()));
    for (size_t i = 0; i < entries.size() && !stop(); ++i) {
      if (progress.Due(int(i) + 1)) progress.Show("正在搜索：" + entries[i], int(i) + 1);
      if (entries[i].empty()) continue;
      const std::string path = IsAbsoluteStoredPath(entries[i])
                                   ? entries[i]
                                   : JoinPath(base, LocalRelativePath(entries[i]));
      if (!FileExists(path)) continue;
      ++result.searched;
      if (!MayContain(ReadWholeFile(path), needle, fold)) continue;
      for (const std::string& line : ReadTextLines(path).lines) {
        if (stop()) break;
        if (Contains(line, search.keyword, search.matchCase)) {
          result.pages.push_back(path);
          break;
        }
      }
    }
  }
  ui.ShowMessage("完毕", "搜索完毕，一共搜索了 " + std::to_string(result.searched) + " 个文件",
                 MessageIcon::Information, MessageButtons::Ok);
  return result;
}

bool PageSearch::Find(ProductGrid& grid, Context& context, const std::string& keyword, bool goOn) {
  if (!goOn) nextRow_ = 1;
  for (int row = nextRow_; row < grid.RowCount(); ++row) {
    for (const int column : {3, 5}) {
      // A merged cell is read through its range: the description answers on both rows.
      int read = row;
      if (column == 3 && (row - 1) % ProductGrid::kRowsPerItem == 4) read = row - 1;
      if (grid.CellText(column, read).find(keyword) != std::string::npos) {
        nextRow_ = row + 1;
        grid.SetCurrentCell(column, row);
        return true;
      }
    }
  }
  context.ui.ShowMessage("完毕", "查找完毕，没有匹配的关键字。", MessageIcon::Information,
                         MessageButtons::Ok);
  return false;
}

}  // namespace pagora
