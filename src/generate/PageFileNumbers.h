#pragma once

#include <vector>

#include "document/CatalogPage.h"
#include "document/ProductItem.h"
#include "generate/SettingsCheck.h"

namespace pagora {

class Ui;

// Prices and weights of a page read from its text alone, for outputs made without the
// editor's grid (a book's pages).
class PageFileNumbers final : public ItemNumbers {
 public:
  PageFileNumbers(const CatalogPage& page, const std::string& appDir, Ui& ui);
  int ItemCount() const override { return int(items_.size()); }
  std::string Value(int k, ItemField field) const override;
  void SetValue(int k, ItemField field, const std::string& value) override;

 private:
  std::vector<ProductItem> items_;
};

}  // namespace pagora
