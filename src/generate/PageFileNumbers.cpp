#include "generate/PageFileNumbers.h"

#include "base/FileExistenceCache.h"
#include "document/ItemLoader.h"

namespace pagora {

PageFileNumbers::PageFileNumbers(const CatalogPage& page, const std::string& appDir, Ui& ui) {
  FileExistenceCache files;
  items_.emplace_back();
  LoadItems(page, items_, appDir, ui, files);
  bool anyBlock = false;
  for (const std::string& line : page.Text()) anyBlock = anyBlock || BlockNumberOfHeader(line) > 0;
  if (!anyBlock) items_.clear();
}

std::string PageFileNumbers::Value(int k, ItemField field) const {
  return items_.at(size_t(k - 1)).Field(field).value;
}

void PageFileNumbers::SetValue(int k, ItemField field, const std::string& value) {
  items_.at(size_t(k - 1)).Field(field).value = value;
}

}  // namespace pagora
