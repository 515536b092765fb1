#pragma once

#include <optional>
#include <string>

#include "document/CatalogPage.h"
#include "document/ProductItem.h"

namespace pagora {

struct Context;

// The unit prices and weights the check reads: the product grid's cells in the window,
// the page file's items elsewhere.
class ItemNumbers {
 public:
  virtual ~ItemNumbers() = default;
  virtual int ItemCount() const = 0;
  virtual std::string Value(int k, ItemField field) const = 0;  // Price or Weight
  virtual void SetValue(int k, ItemField field, const std::string& value) = 0;
  // Brings the cell of item k's field before the user after a refusal.
  virtual void Select(int k, ItemField field) {}
};

struct SettingsCheckResult {
  bool accepted = true;
  // The settings line to show the user after a refusal.
  std::optional<size_t> offendingLine;
  // An invalid output language the user accepted: the run uses "中文" throughout.
  bool forceChinese = false;
};

// Looks at the page's settings and at the price and weight of every item before an
// output; doubtful values are put to the user, fatal ones stop the output.
SettingsCheckResult CheckPageSettings(const CatalogPage& page, ItemNumbers& numbers,
                                      Context& context);

}  // namespace pagora
