#include "editor/ProductGrid.h"
#include "platform/Context.h"

namespace pagora {

void ProductGrid::InsertBlankItem() {
  BusyCursor busy(context_.ui);
  InsertItemBefore(currentRow_);
  const int k = CurrentItem();
  items_[size_t(k - 1)].picture.clear();
  WriteCellToPage(1, kRowsPerItem * k);
}

void ProductGrid::DeleteCurrentItem() {
  const int k = CurrentItem();
  if (!context_.ui.AskYesNo("确定删除", "是否确定删除第" + std::to_string(k) + "个商品资料？",
                            MessageIcon::Information)) {
    return;
  }
  BusyCursor busy(context_.ui);
  currentRow_ = 1;
  const std::string header = BlockHeader(k);
  const Lines& text = page_.Text();
  size_t at = 1;
  while (at < text.size() && text[at].find(header) == std::string::npos) ++at;
  if (at < text.size()) {
    page_.EditText([&](Lines& lines) {
      size_t end = at + 1;
      while (end < lines.size() && BlockNumberOfHeader(lines[end]) <= 0) ++end;
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at),
                  lines.begin() + static_cast<std::ptrdiff_t>(end));
      // The following blocks k+1, k+2, ... become k, k+1, ...
      int m = k;
      std::string next = BlockHeader(m + 1);
      for (size_t i = at; i < lines.size(); ++i) {
        if (lines[i].find(next) == std::string::npos) continue;
        lines[i] = BlockHeader(m);
        next = BlockHeader(++m + 1);
      }
    });
  }
  const ThumbnailsByPath known = CurrentThumbnails();
  ReloadFromPage(&known);
}

void ProductGrid::DeleteAllItems() {
  if (!context_.ui.AskYesNo("确定删除", "确定删除此catalog内的全部商品资料？",
                            MessageIcon::Information)) {
    return;
  }
  ResetGrid();
  const Lines& text = page_.Text();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i].find(kDetailLine) != std::string::npos) {
      if (i + 1 < text.size()) page_.EraseLines(i + 1, text.size());
      return;
    }
  }
}

void ProductGrid::ClearCurrentItem() {
  const int k = CurrentItem();
  if (!context_.ui.AskYesNo("确认清除", "是否清除第" + std::to_string(k) + "个商品资料？",
                            MessageIcon::Information)) {
    return;
  }
  BusyCursor busy(context_.ui);
  static constexpr ItemField kOrder[] = {ItemField::Number,  ItemField::Name,   ItemField::Price,
                                         ItemField::Unit,    ItemField::Weight, ItemField::Spec,
                                         ItemField::Picture, ItemField::Desc};
  for (const ItemField field : kOrder) {
    const auto [column, row] = CellOfField(field, k);
    SetCellText(column, row, "");
    WriteCellToPage(column, row);
  }
  if (k <= ItemCount()) thumbnails_[size_t(k - 1)] = Thumbnail();
}

}  // namespace pagora
