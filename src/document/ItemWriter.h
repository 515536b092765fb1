#pragma once

#include <array>
#include <functional>
#include <string>

#include "document/CatalogPage.h"
#include "document/ProductItem.h"

namespace pagora {

struct Context;

// What the page repair needs of its host: reset the product grid to one empty item
// and load the items from the repaired text.
using ReloadItems = std::function<void()>;

// The values of an item as the editor holds them, for writing it into the page text.
struct ItemValues {
  std::string picture;  // as it is to be stored
  std::array<FieldText, kTextFieldCount> fields;
};

// Rewrites the one line of item `n` that holds `field`: the picture as "{$IMG}=" + path,
// a text field as key + label + "!:" + value. A block that does not exist yet is
// appended with the item's bare values first. When the block header is not where it is
// looked for, the user is offered the repair; returns false when nothing was written.
bool WriteItemField(CatalogPage& page, int n, ItemField field, const ItemValues& item,
                    Context& context, const ReloadItems& reloadItems);

// The eleven lines of a block as first written: bare values.
Lines NewBlockLines(int n, const ItemValues& item);

}  // namespace pagora
