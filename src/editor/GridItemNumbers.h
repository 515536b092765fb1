#pragma once

#include "editor/ProductGrid.h"
#include "generate/SettingsCheck.h"

namespace pagora {

// The settings check reads and sets prices and weights in the product grid's cells.
class GridItemNumbers final : public ItemNumbers {
 public:
  explicit GridItemNumbers(ProductGrid& grid) : grid_(grid) {}

  int ItemCount() const override { return grid_.ItemCount(); }
  std::string Value(int k, ItemField field) const override {
    return grid_.Item(k).Field(field).value;
  }
  void SetValue(int k, ItemField field, const std::string& value) override {
    const auto [column, row] = ProductGrid::CellOfField(field, k);
    grid_.SetCellText(column, row, value);
  }
  void Select(int k, ItemField field) override {
    const auto [column, row] = ProductGrid::CellOfField(field, k);
    grid_.SetCurrentCell(column, row);
  }

 private:
  ProductGrid& grid_;
};

}  // namespace pagora
