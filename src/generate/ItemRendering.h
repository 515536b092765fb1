#pragma once

#include <string>
#include <string_view>

#include "document/CatalogPage.h"
#include "generate/OutputRequest.h"
#include "generate/Templates.h"

namespace pagora {

// A stored picture or sound path made absolute: beside the page file when the file is
// there, else under AppDir.
std::string ResolvePicturePath(const CatalogPage& page, const std::string& appDir,
                               std::string_view stored);

// Answers the placeholders of an item table from the item's block of the page text.
class ItemRenderer {
 public:
  ItemRenderer(const CatalogPage& page, std::string appDir, PathStyle style, const ItemTable& table,
               CopyList& copies);

  // "{序号}", "{PP图片}", "{PP描述}", a field's value ("{编号}") or label ("{$编号}"),
  // or a raw field key; empty for anything the block does not hold.
  std::string RenderItemPlaceholder(int n, std::string_view name);

 private:
  std::string PictureHtml(size_t header);
  std::string LimitedWidth(const std::string& full) const;
  std::string FieldPart(size_t header, std::string_view key, bool label) const;

  const CatalogPage& page_;
  std::string appDir_;
  PathStyle style_;
  AreaSpec picture_;
  std::string descriptionText_;
  CopyList& copies_;
};

}  // namespace pagora
