#pragma once

#include <string>

#include "editor/ProductGrid.h"

namespace pagora {

struct Context;

// The bulk commands of the grid's context menu: each fills one field of many items
// and writes every changed cell into the page text at once.
enum class BulkCommand {
  NumberFromPicture,  // "自动编号来自图片名"
  NumberPrefix,       // "自动编号按输入的前缀"
  FixedPrice,         // "自动输入固定价格"
  PriceFactor,        // "自动按倍数输入价格"
  NameFromPicture,    // "自动输入名称来自图片名"
  NameFromNumber,     // "自动输入名称来自  编号"
  NamePrefix,         // "自动输入名称按输入的前缀"
  FixedName,          // "自动输入名称 固定"
  FixedWeight,        // "自动输入固定重量"
  WeightFactor,       // "自动输入重量按倍数"
  Unit,               // "自动输入单位"
  Spec,               // "自动输入规格"
  CopyDescription,    // "复制描述按……"
  CopyValues,         // "复制资料按……"
};

// Runs a command from the grid's current row, asking what it needs through the Ui.
// A value that is not a number during a multiplication stops the command at that item
// with a UserError naming it.
void RunBulkCommand(ProductGrid& grid, Context& context, BulkCommand command);

// Exchanges two items: their pictures, and unless `picturesOnly` their seven values.
void SwapItems(ProductGrid& grid, Context& context, int a, int b, bool picturesOnly);
// "交换图片顺序……" and "交换资料顺序……": asks for the two item numbers.
void SwapCommand(ProductGrid& grid, Context& context, bool picturesOnly);
// Moves item `from` to position `to` by successive exchanges.
void MoveItem(ProductGrid& grid, Context& context, int from, int to);
// "移动到……": asks where the current item goes.
void MoveCommand(ProductGrid& grid, Context& context);

// The text of a number times a factor: two decimals for prices ("0.00"), up to two for
// weights ("0.##"), halves rounded away from zero.
std::string FormatProduct(double value, bool price);

}  // namespace pagora
