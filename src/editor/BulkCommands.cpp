#include "editor/BulkCommands.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "base/Paths.h"
#include "base/Strings.h"
#include "base/UserError.h"
#include "platform/Context.h"

namespace pagora {
namespace {

constexpr const char* kAsk = "请输入";
constexpr const char* kInvalidNumber = "必须输入有效的数字。";

// Offset of a field's row within its item (number 0 ... description 3).
int RowOffset(ItemField field) {
  switch (field) {
    case ItemField::Price:
    case ItemField::Unit:
      return 1;
    case ItemField::Weight:
    case ItemField::Spec:
      return 2;
    case ItemField::Desc:
      return 3;
    default:
      return 0;
  }
}

std::string Value(const ProductGrid& grid, int k, ItemField field) {
  const auto [column, row] = ProductGrid::CellOfField(field, k);
  return grid.CellText(column, row);
}

void Write(ProductGrid& grid, int k, ItemField field, std::string text) {
  const auto [column, row] = ProductGrid::CellOfField(field, k);
  grid.SetCellText(column, row, std::move(text));
  grid.WriteCellToPage(column, row);
}

// Items whose row of `field` lies at or below the current row.
int FirstInRange(const ProductGrid& grid, ItemField field) {
  const int k = grid.CurrentItem();
  return ProductGrid::FirstRowOfItem(k) + RowOffset(field) >= grid.CurrentRow() ? k : k + 1;
}

std::optional<std::string> Ask(Context& context, const std::string& prompt,
                               const std::string& initial = "") {
  auto answer = context.ui.InputBox(kAsk, prompt, initial);
  if (!answer || answer->empty()) return std::nullopt;
  return answer;
}

std::optional<int> WholeNumber(std::string_view text) {
  const std::string_view trimmed = Trim(text);
  const bool negative = !trimmed.empty() && trimmed[0] == '-';
  const auto value = ParseDecimal(negative ? trimmed.substr(1) : trimmed);
  if (!value) return std::nullopt;
  return negative ? -*value : *value;
}

std::optional<double> Number(std::string_view text) {
  const std::string s(Trim(text));
  if (s.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

void FromPicture(ProductGrid& grid, ItemField field) {
  for (int k = 1; k <= grid.ItemCount(); ++k) {
    const std::string& path = grid.Item(k).picture;
    if (path.empty()) continue;
    const std::string name = FileNameOf(path);
    const size_t dot = name.find('.');
    Write(grid, k, field, dot == std::string::npos ? std::string() : name.substr(0, dot));
  }
}

void ByPrefix(ProductGrid& grid, ItemField field, std::string s) {
  long counter = 0;
  std::string suffix;
  if (const size_t slash = s.find('/'); slash != std::string::npos) {
    const std::string start = s.substr(slash + 1, 8);
    const auto number = ParseDecimal(start);
    counter = number ? *number : -1;
    s.erase(slash, 8);
  }
  if (const size_t colon = s.find(':'); colon != std::string::npos) {
    suffix = s.substr(colon + 1, 12);
    s.erase(colon, 12);
  }
  for (int k = FirstInRange(grid, field); k <= grid.ItemCount(); ++k) {
    std::string number;
    if (counter >= 0) {
      number = std::to_string(++counter);
      if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
    }
    Write(grid, k, field, s + number + suffix);
  }
}

void Fixed(ProductGrid& grid, ItemField field, const std::string& value) {
  for (int k = FirstInRange(grid, field); k <= grid.ItemCount(); ++k) Write(grid, k, field, value);
}

void TimesFactor(ProductGrid& grid, Context& context, ItemField field, const std::string& answer) {
  const auto factor = Number(answer);
  if (!factor) {
    context.ui.ShowMessage("无效数字", kInvalidNumber, MessageIcon::Information,
                           MessageButtons::Ok);
    return;
  }
  const float single = float(*factor);  // the factor is kept in single precision
  for (int k = FirstInRange(grid, field); k <= grid.ItemCount(); ++k) {
    const std::string text = Value(grid, k, field);
    const auto value = Number(text.empty() ? "0" : text);
    if (!value)
      throw UserError("第" + std::to_string(k) + "个商品资料的“" + text + "”不是有效的数字。");
    Write(grid, k, field, FormatProduct(*value * double(single), field == ItemField::Price));
  }
}

std::optional<int> AskSource(ProductGrid& grid, Context& context, const std::string& prompt) {
  const auto answer = Ask(context, prompt + std::to_string(grid.CurrentItem()) + "    ");
  if (!answer) return std::nullopt;
  const auto n = WholeNumber(*answer);
  if (!n) {
    context.ui.ShowMessage("无效数字", kInvalidNumber, MessageIcon::Information,
                           MessageButtons::Ok);
    return std::nullopt;
  }
  if (*n < 1 || *n > grid.ItemCount()) return std::nullopt;
  return n;
}

void CopyDescription(ProductGrid& grid, Context& context) {
  const auto n = AskSource(grid, context, "请输入一描述来源的序号，当前选择商品的序号为 ");
  if (!n) return;
  const std::string description = Value(grid, *n, ItemField::Desc);
  for (int k = 1; k <= grid.ItemCount(); ++k) Write(grid, k, ItemField::Desc, description);
}

void CopyValues(ProductGrid& grid, Context& context) {
  if (context.ui.ShowMessage("继续", "该操作将复制指定资料，编号和名称除外，是否继续？",
                             MessageIcon::Information, MessageButtons::OkCancel) != Answer::Ok) {
    return;
  }
  const auto n = AskSource(grid, context, "请输入一要复制的来源的序号，当前选择商品的序号为 ");
  if (!n) return;
  std::map<ItemField, std::string> source;
  for (const ItemField field :
       {ItemField::Desc, ItemField::Weight, ItemField::Spec, ItemField::Price, ItemField::Unit}) {
    source[field] = Value(grid, *n, field);
  }
  for (int row = grid.CurrentRow(); row < grid.RowCount(); ++row) {
    const int k = ProductGrid::ItemOfRow(row);
    switch (row - ProductGrid::FirstRowOfItem(k)) {
      case 1:
        Write(grid, k, ItemField::Price, source[ItemField::Price]);
        Write(grid, k, ItemField::Unit, source[ItemField::Unit]);
        break;
      case 2:
        Write(grid, k, ItemField::Weight, source[ItemField::Weight]);
        Write(grid, k, ItemField::Spec, source[ItemField::Spec]);
        break;
      case 3:
        Write(grid, k, ItemField::Desc, source[ItemField::Desc]);
        break;
      default:
        break;
    }
  }
}

}  // namespace

std::string FormatProduct(double value, bool price) {
  const double cents = std::round(value * 100.0);  // std::round: halves away from zero
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", cents / 100.0);
  std::string result = text;
  if (!price) {
    while (result.back() == '0') result.pop_back();
    if (result.back() == '.') result.pop_back();
  }
  return result == "-0" ? "0" : result;
}

void RunBulkCommand(ProductGrid& grid, Context& context, BulkCommand command) {
  auto askThen = [&](const char* prompt, auto&& use) {
    if (const auto answer = Ask(context, prompt)) {
      BusyCursor busy(context.ui);
      use(*answer);
    }
  };
  BusyCursor busy(context.ui);
  switch (command) {
    case BulkCommand::NumberFromPicture:
      FromPicture(grid, ItemField::Number);
      break;
    case BulkCommand::NameFromPicture:
      FromPicture(grid, ItemField::Name);
      break;
    case BulkCommand::NameFromNumber:
      for (int k = 1; k <= grid.ItemCount(); ++k)
        Write(grid, k, ItemField::Name, Value(grid, k, ItemField::Number));
      break;
    case BulkCommand::NumberPrefix:
      askThen("输入编号类似：AT- 也可带起始参数如AT- /231 或者冒号后面带固定后缀如 ABC:DE   ",
              [&](const std::string& a) { ByPrefix(grid, ItemField::Number, a); });
      break;
    case BulkCommand::NamePrefix:
      askThen("输入类似：Name 也可带起始参数如AT- /231 或者冒号后面带固定后缀如 ABC:DE   ",
              [&](const std::string& a) { ByPrefix(grid, ItemField::Name, a); });
      break;
    case BulkCommand::FixedPrice:
      askThen("请输入一个价格，类似：0.78    ",
              [&](const std::string& a) { Fixed(grid, ItemField::Price, a); });
      break;
    case BulkCommand::FixedName:
      askThen("请输入一个名称，类似：Pet    ",
              [&](const std::string& a) { Fixed(grid, ItemField::Name, a); });
      break;
    case BulkCommand::FixedWeight:
      askThen("请输入一个重量，类似：38    ",
              [&](const std::string& a) { Fixed(grid, ItemField::Weight, a); });
      break;
    case BulkCommand::Unit:
      askThen("请输入一个单位，类似：盒      ",
              [&](const std::string& a) { Fixed(grid, ItemField::Unit, a); });
      break;
    case BulkCommand::Spec:
      askThen("请输入一个规格，类似：190MM*270MM    ",
              [&](const std::string& a) { Fixed(grid, ItemField::Spec, a); });
      break;
    case BulkCommand::PriceFactor:
      askThen("请输入一个价格的倍数，类似：1.35    ",
              [&](const std::string& a) { TimesFactor(grid, context, ItemField::Price, a); });
      break;
    case BulkCommand::WeightFactor:
      askThen("请输入一个重量的倍数，类似：1.5    ",
              [&](const std::string& a) { TimesFactor(grid, context, ItemField::Weight, a); });
      break;
    case BulkCommand::CopyDescription:
      CopyDescription(grid, context);
      break;
    case BulkCommand::CopyValues:
      CopyValues(grid, context);
      break;
  }
}

void SwapItems(ProductGrid& grid, Context& context, int a, int b, bool picturesOnly) {
  if (a == b) return;
  if (a < 1 || b < 1 || a > grid.ItemCount() || b > grid.ItemCount()) {
    context.ui.ShowMessage("交换资料", "资料序号不存在", MessageIcon::Warning, MessageButtons::Ok);
    return;
  }
  const std::string pictureA = grid.Item(a).picture, pictureB = grid.Item(b).picture;
  Write(grid, a, ItemField::Picture, pictureB);
  Write(grid, b, ItemField::Picture, pictureA);
  grid.SwapThumbnails(a, b);
  if (picturesOnly) return;
  for (const ItemField field :
       {ItemField::Number, ItemField::Name, ItemField::Price, ItemField::Unit, ItemField::Weight,
        ItemField::Spec, ItemField::Desc}) {
    const std::string valueA = Value(grid, a, field), valueB = Value(grid, b, field);
    Write(grid, a, field, valueB);
    Write(grid, b, field, valueA);
  }
}

void SwapCommand(ProductGrid& grid, Context& context, bool picturesOnly) {
  const auto answer = Ask(context, "输入要交换的资料序号用空格隔开，比如 3 5     ");
  if (!answer) return;
  const size_t blank = answer->find(' ');
  if (blank == std::string::npos) {
    context.ui.ShowMessage("交换资料", "无效的输入，格式必须为 “资料序号 空格 资料序号”例：3 7",
                           MessageIcon::Warning, MessageButtons::Ok);
    return;
  }
  const auto a = WholeNumber(answer->substr(0, blank));
  const auto b = WholeNumber(answer->substr(blank + 1, 4));
  if (!a || !b) throw UserError("“" + *answer + "”不是有效的资料序号。");
  SwapItems(grid, context, *a, *b, picturesOnly);
}

void MoveItem(ProductGrid& grid, Context& context, int from, int to) {
  if (from == to || from < 1 || to < 1 || from > grid.ItemCount() || to > grid.ItemCount()) return;
  BusyCursor busy(context.ui);
  while (from != to) {
    const int next = to < from ? from - 1 : from + 1;
    SwapItems(grid, context, from, next, false);
    from = next;
  }
}

void MoveCommand(ProductGrid& grid, Context& context) {
  const std::string current = std::to_string(grid.CurrentItem());
  const auto answer =
      Ask(context, "请输入要把当前资料移动到的目的序号，例如 5，其间的资料会自动后退或前移     ",
          current);
  if (!answer) return;
  if (const auto to = WholeNumber(*answer)) MoveItem(grid, context, grid.CurrentItem(), *to);
}

}  // namespace pagora
