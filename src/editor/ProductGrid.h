#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "document/CatalogPage.h"
#include "document/ItemWriter.h"
#include "document/ProductItem.h"
#include "editor/Thumbnail.h"

namespace pagora {

struct Context;

// Where the grid hands page and web files that are imported with pictures: the open
// book's add-file command.
class BookFileAdder {
 public:
  virtual ~BookFileAdder() = default;
  virtual void AddFileToBook(const std::string& path) = 0;
};

struct CellSpan {
  int columns = 1;
  int rows = 1;
};

// The product grid as a cell model: six rows per item (item k on rows 6k-5 to 6k), a
// header row, six columns. It is a view of the open page's items: every change made
// through it is written into the page text at once.
class ProductGrid {
 public:
  static constexpr int kColumns = 6;
  static constexpr int kRowsPerItem = 6;

  ProductGrid(CatalogPage& page, Context& context);

  // Layout.
  int ItemCount() const { return static_cast<int>(items_.size()); }
  int RowCount() const { return kRowsPerItem * ItemCount() + 1; }
  static int ItemOfRow(int row) { return (row - 1) / kRowsPerItem + 1; }
  static int FirstRowOfItem(int k) { return kRowsPerItem * k - 5; }
  static int RowHeight(int row);
  static int DefaultColumnWidth(int column);
  // The span of the merged cell whose top-left is (column, row); {0, 0} for a cell
  // covered by another one.
  static CellSpan SpanAt(int column, int row);

  // Cell texts as the grid shows them: ordinals, labels, values, the picture path
  // under the thumbnail and, in the picture cell, the thumbnail's text.
  std::string CellText(int column, int row) const;
  // Sets a value cell or a picture path cell (labels are not edited); false for others.
  bool SetCellText(int column, int row, std::string text);
  // The field held by a value or path cell.
  static std::optional<ItemField> FieldOfCell(int column, int row);
  // The cell that shows `field` of item k.
  static std::pair<int, int> CellOfField(ItemField field, int k);

  const ProductItem& Item(int k) const { return items_.at(size_t(k - 1)); }
  const Thumbnail& ThumbnailOf(int k) const { return thumbnails_.at(size_t(k - 1)); }

  int CurrentColumn() const { return currentColumn_; }
  int CurrentRow() const { return currentRow_; }
  int CurrentItem() const { return ItemOfRow(currentRow_); }
  void SetCurrentCell(int column, int row);

  // Line of the page text that holds the field of the cell (the page-text view puts
  // its caret there), or nullopt.
  std::optional<size_t> PageLineOfCell(int column, int row) const;

  // When off, no picture is decoded (for scripts that only edit text).
  void SetThumbnailsEnabled(bool enabled) { thumbnailsEnabled_ = enabled; }

  // Grid services.
  void ResetGrid();
  void AppendItemRows();
  void InsertItemBefore(int row);
  bool WriteCellToPage(int column, int row);
  void FillGridFromPage();
  void RefreshThumbnail(int k, const std::string& path);
  // Two items exchanging their pictures exchange their thumbnails too.
  void SwapThumbnails(int a, int b) {
    std::swap(thumbnails_.at(size_t(a - 1)), thumbnails_.at(size_t(b - 1)));
  }
  void SetItemPicture(int k, const std::string& path);
  // Imports pictures (JPEG, GIF, BMP) as items and folders as their JPEG files; page,
  // web and text files go to `book` (when there is one).
  void ImportPaths(const std::vector<std::string>& paths, BookFileAdder* book);

  // What the page repair calls to rebuild the grid from the repaired text.
  ReloadItems Reloader();

  // Commands on the current item, with their questions.
  void InsertPictures(const std::vector<std::string>& paths);
  void InsertBlankItem();
  void DeleteCurrentItem();
  void DeleteAllItems();
  void ClearCurrentItem();

 private:
  ItemValues ValuesOf(int k) const;
  // Writes a picture into item k: the stored form into the page, the full path in the cell.
  void PlacePicture(int k, const std::string& stored, const std::string& full);
  // Decoded thumbnails by picture path, kept across a reload of an unchanged page.
  using ThumbnailsByPath = std::map<std::string, Thumbnail>;
  ThumbnailsByPath CurrentThumbnails() const;
  void FillFromPage(const ThumbnailsByPath* reuse);
  void ReloadFromPage(const ThumbnailsByPath* reuse = nullptr);
  void ClampCurrentCell();

  CatalogPage& page_;
  Context& context_;
  std::vector<ProductItem> items_;
  std::vector<Thumbnail> thumbnails_;
  int currentColumn_ = 3;
  int currentRow_ = 1;
  bool thumbnailsEnabled_ = true;
};

// Paths of the entries of `folder` whose names match `mask` (files and folders, "*"
// and "?" wildcards, letter case ignored), then, with `recurse`, of every subfolder's.
// Entries come sorted by name so that imports keep a stable, familiar order.
std::vector<std::string> ListFolderFiles(const std::string& folder, const std::string& mask,
                                         bool recurse);

}  // namespace pagora
