#include "document/ItemWriter.h"

#include <algorithm>

#include "base/Strings.h"
#include "document/PageRepair.h"
#include "platform/Context.h"

namespace pagora {
namespace {

bool TextHas(const Lines& text, std::string_view needle) {
  return std::any_of(text.begin(), text.end(), [&](const std::string& line) {
    return line.find(needle) != std::string::npos;
  });
}

}  // namespace

Lines NewBlockLines(int n, const ItemValues& item) {
  Lines block;
  block.reserve(kBlockLines);
  block.push_back(BlockHeader(n));
  block.push_back(std::string(FieldKey(ItemField::Picture)) + "=" + item.picture);
  for (int i = 0; i < kTextFieldCount; ++i) {
    block.push_back(std::string(FieldKey(TextFieldAt(i))) + "=" + item.fields[size_t(i)].value);
  }
  block.push_back("{$IMG_EX}= ");
  block.push_back("{$NOTE_EX}= ");
  return block;
}

bool WriteItemField(CatalogPage& page, int n, ItemField field, const ItemValues& item,
                    Context& context, const ReloadItems& reloadItems) {
  if (page.Text().size() < 25 && !TextHas(page.Text(), kDetailLine)) {
    page.InsertLines(page.Text().size(),
                     {std::string(kItemSectionComment), std::string(kDetailLine), ""});
  }
  size_t q;
  if (const auto header = page.FindBlockHeader(n)) {
    q = *header;
  } else {
    page.InsertLines(page.Text().size(), NewBlockLines(n, item));
    q = page.Text().size() - kBlockLines;
  }
  const std::string key = std::string(FieldKey(field)) + "=";
  const size_t target = q + 1 + static_cast<size_t>(field);
  // A block cut short by the end of the text gets its missing key lines back. Any other
  // line that is not the field's own means the block's structure was changed: writing
  // there would overwrite another field, so the repair is offered instead.
  for (size_t at = page.Text().size(); at <= target; ++at) {
    page.AppendLine(std::string(FieldKey(static_cast<ItemField>(at - q - 1))) + "=");
  }
  if (!StartsWith(page.Text()[target], key)) {
    const bool repair = context.ui.AskYesNo(
        "需要修正错误",
        "定位行号出错，可能您打开的pgt文件版本过老或者是文件结构被改变。是否修正此问题？",
        MessageIcon::Warning);
    if (repair) {
      RepairPass(page, context, reloadItems);
      context.ui.Inform("修复", "修复结束。");
    }
    return false;
  }
  std::string line = key;
  if (field == ItemField::Picture) {
    line += item.picture;
  } else {
    const FieldText& text = item.fields[size_t(TextFieldIndex(field))];
    line += text.label + "!:" + text.value;
  }
  page.ReplaceLine(target, std::move(line));
  return true;
}

}  // namespace pagora
