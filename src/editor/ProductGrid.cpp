#include "editor/ProductGrid.h"

#include <algorithm>

#include "base/FileExistenceCache.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "document/ItemLoader.h"
#include "platform/Context.h"

namespace pagora {
namespace {

constexpr int kColumnWidths[ProductGrid::kColumns] = {42, 382, 78, 139, 78, 135};

// Row role within an item: 1 to 5 for its first five rows, 0 for the sixth.
int RoleOfRow(int row) {
  return row % ProductGrid::kRowsPerItem;
}

}  // namespace

ProductGrid::ProductGrid(CatalogPage& page, Context& context) : page_(page), context_(context) {
  ResetGrid();
}

int ProductGrid::RowHeight(int row) {
  if (row <= 0) return 24;
  return RoleOfRow(row) == 0 ? 24 : 32;
}

int ProductGrid::DefaultColumnWidth(int column) {
  return (column >= 0 && column < kColumns) ? kColumnWidths[column] : 0;
}

CellSpan ProductGrid::SpanAt(int column, int row) {
  if (row <= 0) return {};
  const int m = RoleOfRow(row);
  if (column <= 1) {
    if (m == 1) return {1, 5};
    if (m >= 2) return {0, 0};
    return {};
  }
  if (m == 4 && column == 3) return {3, 2};
  if ((m == 4 && column >= 4) || (m == 5 && column >= 3)) return {0, 0};
  return {};
}

std::optional<ItemField> ProductGrid::FieldOfCell(int column, int row) {
  if (row < 1) return std::nullopt;
  const int m = RoleOfRow(row);
  if (column == 1 && m == 0) return ItemField::Picture;
  if (column == 3) {
    static constexpr ItemField kLeft[] = {ItemField::Number, ItemField::Price, ItemField::Weight,
                                          ItemField::Desc};
    if (m >= 1 && m <= 4) return kLeft[m - 1];
  } else if (column == 5) {
    static constexpr ItemField kRight[] = {ItemField::Name, ItemField::Unit, ItemField::Spec};
    if (m >= 1 && m <= 3) return kRight[m - 1];
  }
  return std::nullopt;
}

std::pair<int, int> ProductGrid::CellOfField(ItemField field, int k) {
  const int r = FirstRowOfItem(k);
  switch (field) {
    case ItemField::Picture:
      return {1, r + 5};
    case ItemField::Number:
      return {3, r};
    case ItemField::Name:
      return {5, r};
    case ItemField::Price:
      return {3, r + 1};
    case ItemField::Unit:
      return {5, r + 1};
    case ItemField::Weight:
      return {3, r + 2};
    case ItemField::Spec:
      return {5, r + 2};
    case ItemField::Desc:
      return {3, r + 3};
  }
  return {0, 0};
}

std::string ProductGrid::CellText(int column, int row) const {
  if (row == 0) {
    if (column == 0) return "序号";
    if (column == 1) return "图片";
    return {};
  }
  const int k = ItemOfRow(row);
  if (row < 0 || k > ItemCount()) return {};
  const ProductItem& item = items_[size_t(k - 1)];
  const int m = RoleOfRow(row);
  if (column == 0) return m == 1 ? std::to_string(k) : std::string();
  if (column == 1) {
    if (m == 0) return item.picture;
    return m == 1 ? thumbnails_[size_t(k - 1)].text : std::string();
  }
  // Each label stands to the left of its value.
  if (column == 2 || column == 4) {
    const auto field = FieldOfCell(column + 1, row);
    return field ? item.Field(*field).label : std::string();
  }
  if (const auto field = FieldOfCell(column, row)) return item.Field(*field).value;
  return {};
}

bool ProductGrid::SetCellText(int column, int row, std::string text) {
  const auto field = FieldOfCell(column, row);
  const int k = ItemOfRow(row);
  if (!field || k > ItemCount()) return false;
  ProductItem& item = items_[size_t(k - 1)];
  if (*field == ItemField::Picture) {
    item.picture = std::move(text);
  } else {
    item.Field(*field).value = std::move(text);
  }
  return true;
}

void ProductGrid::SetCurrentCell(int column, int row) {
  currentColumn_ = std::clamp(column, 0, kColumns - 1);
  currentRow_ = std::clamp(row, 1, RowCount() - 1);
}

void ProductGrid::ClampCurrentCell() {
  SetCurrentCell(currentColumn_, currentRow_);
}

std::optional<size_t> ProductGrid::PageLineOfCell(int column, int row) const {
  const auto field = FieldOfCell(column, row);
  // The picture cell itself (the thumbnail) leads to the picture line as well.
  const bool pictureCell = column == 1 && row >= 1 && RoleOfRow(row) != 0;
  if (!field && !pictureCell) return std::nullopt;
  const std::string key(FieldKey(field.value_or(ItemField::Picture)));
  const std::string header = BlockHeader(ItemOfRow(row));
  const Lines& text = page_.Text();
  for (size_t i = std::min<size_t>(5, text.size()); i < text.size(); ++i) {
    if (text[i] != header) continue;
    for (size_t j = i + 1; j < text.size() && j <= i + kBlockLines; ++j) {
      if (StartsWith(text[j], key)) return j;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

void ProductGrid::ResetGrid() {
  items_.assign(1, ProductItem());
  thumbnails_.assign(1, Thumbnail());
  ClampCurrentCell();
}

void ProductGrid::AppendItemRows() {
  items_.emplace_back();
  thumbnails_.emplace_back();
}

void ProductGrid::InsertItemBefore(int row) {
  const int k = std::clamp(ItemOfRow(row), 1, ItemCount());
  items_.insert(items_.begin() + (k - 1), ProductItem());
  thumbnails_.insert(thumbnails_.begin() + (k - 1), Thumbnail());

  const std::string header = BlockHeader(k);
  const Lines& text = page_.Text();
  size_t at = 5;
  while (at < text.size() && text[at].find(header) == std::string::npos) ++at;
  if (at >= text.size()) return;
  page_.EditText([&](Lines& lines) {
    const Lines block = NewBlockLines(k, ItemValues{});
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), block.begin(), block.end());
    // The old blocks k, k+1, ... become k+1, k+2, ...
    int m = k;
    std::string old = BlockHeader(m);
    for (size_t i = at + 1; i < lines.size(); ++i) {
      if (lines[i].find(old) == std::string::npos) continue;
      lines[i] = BlockHeader(m + 1);
      old = BlockHeader(++m);
    }
  });
}

ItemValues ProductGrid::ValuesOf(int k) const {
  const ProductItem& item = items_.at(size_t(k - 1));
  return ItemValues{item.picture, item.fields};
}

ReloadItems ProductGrid::Reloader() {
  return [this] { ReloadFromPage(); };
}

bool ProductGrid::WriteCellToPage(int column, int row) {
  const auto field = FieldOfCell(column, row);
  const int k = ItemOfRow(row);
  if (!field || k > ItemCount()) return false;
  const ItemValues values = ValuesOf(k);
  if (!WriteItemField(page_, k, *field, values, context_, Reloader())) return false;
  if (*field == ItemField::Picture) items_[size_t(k - 1)].storedPicture = values.picture;
  return true;
}

void ProductGrid::FillGridFromPage() {
  FillFromPage(nullptr);
}

void ProductGrid::FillFromPage(const ThumbnailsByPath* reuse) {
  FileExistenceCache files;
  std::vector<size_t> changed = LoadItems(page_, items_, context_.appDir, context_.ui, files);
  thumbnails_.resize(items_.size());
  std::sort(changed.begin(), changed.end());
  changed.erase(std::unique(changed.begin(), changed.end()), changed.end());

  std::vector<size_t> toDecode;
  std::vector<std::string> paths;
  for (const size_t index : changed) {
    const std::string& path = items_[index].picture;
    Thumbnail& slot = thumbnails_[index];
    slot = Thumbnail();
    if (path.empty()) continue;
    if (!files.FileExists(path)) {
      slot.text = kPictureMissing;
    } else if (const auto known = reuse ? reuse->find(path) : ThumbnailsByPath::const_iterator();
               reuse && known != reuse->end()) {
      slot = known->second;
    } else if (thumbnailsEnabled_) {
      toDecode.push_back(index);
      paths.push_back(path);
    }
  }
  if (paths.empty()) return;
  ProgressPanel progress(context_.ui, int(paths.size()));
  const std::string total = "总计图片：" + std::to_string(paths.size()) + " 已经载入：";
  LoadThumbnailsInOrder(paths, [&](size_t i, Thumbnail&& thumbnail) {
    thumbnails_[toDecode[i]] = std::move(thumbnail);
    if (progress.Due(int(i) + 1)) progress.Show(total + std::to_string(i + 1), int(i) + 1);
  });
}

void ProductGrid::ReloadFromPage(const ThumbnailsByPath* reuse) {
  ResetGrid();
  FillFromPage(reuse);
}

ProductGrid::ThumbnailsByPath ProductGrid::CurrentThumbnails() const {
  ThumbnailsByPath known;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (thumbnails_[i].image) known.emplace(items_[i].picture, thumbnails_[i]);
  }
  return known;
}

void ProductGrid::RefreshThumbnail(int k, const std::string& path) {
  thumbnails_.at(size_t(k - 1)) = LoadThumbnail(path);
}

void ProductGrid::SetItemPicture(int k, const std::string& path) {
  items_.at(size_t(k - 1)).picture = path;
  WriteCellToPage(1, kRowsPerItem * k);
}

void ProductGrid::PlacePicture(int k, const std::string& stored, const std::string& full) {
  items_.at(size_t(k - 1)).picture = stored;
  WriteCellToPage(1, kRowsPerItem * k);
  ProductItem& item = items_[size_t(k - 1)];
  item.storedPicture = stored;
  item.picture = full;
}

}  // namespace pagora
