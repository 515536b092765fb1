#pragma once

#include <optional>
#include <string>

#include "editor/EditorSession.h"

namespace pagora {

// The book and its page list, as the book panel works them.

// Opens the book file; asks first when the open page is modified (No keeps it and
// returns false). With `openPage`, opens the page saved last (or the first entry).
bool OpenBook(EditorSession& session, const std::string& path, bool openPage);
// Opens AppDir/目录册/default.pgs, creating it when missing.
bool OpenDefaultBook(EditorSession& session, bool openPage);

// The entry opened with the book: the only one, else the one named by
// Catalog_Lost_name (letter case ignored), else the first.
std::optional<size_t> PageToOpen(const CatalogBook& book);

void FillPageList(EditorSession& session);
bool IsDefaultPage(const EditorSession& session, size_t k);
// The box "设为目录册默认页面" released with entry k selected.
void SetDefaultPage(EditorSession& session, size_t k, bool ticked);
// Drag and drop in the page list: entry `from` dropped on entry `to`.
void MovePageListEntry(EditorSession& session, size_t from, size_t to);
// "删除选中页面": removes entry k from the book (the file stays on disk).
void RemoveSelectedPage(EditorSession& session, size_t k);
// "导入文件到目录册": a file chosen in the open dialog becomes the first entry.
void ImportFileIntoBook(EditorSession& session);
// "添加到其他目录册": appends the open page's file to another book file.
void AddCurrentPageToOtherBook(EditorSession& session);

// The book's add-file command, for imports that meet page and web files.
class SessionBookAdder final : public BookFileAdder {
 public:
  explicit SessionBookAdder(EditorSession& session) : session_(session) {}
  void AddFileToBook(const std::string& path) override;

 private:
  EditorSession& session_;
};

// The filters of the program's open dialog, in order.
inline constexpr const char* kOpenFilters =
    "页面文件 *.pgt|*.pgt|目录册文件 *.pgs|*.pgs|Catalog包文件 *.pga|*.pga|"
    "catlog文件 *.pgt,*.pgs,*.pga|*.pgt;*.pgs;*.pga|网页文件|*.htm|文本文件|*.txt|任意文件|*.*";

}  // namespace pagora
