#include "document/ProductItem.h"

#include "base/Strings.h"

namespace pagora {
namespace {

constexpr std::string_view kKeys[] = {"{$IMG}",   "{$PID}",     "{$PNAME}",   "{$PPRICE}",
                                      "{$PUNIT}", "{$PWEIGHT}", "{$PSERIAL}", "{$PNOTE}"};
constexpr std::string_view kLabels[] = {"",       "编号：", "名称：", "单价：",
                                        "单位：", "重量：", "规格：", "描述："};

}  // namespace

std::string_view FieldKey(ItemField field) {
  return kKeys[static_cast<int>(field)];
}
std::string_view DefaultLabel(ItemField field) {
  return kLabels[static_cast<int>(field)];
}

size_t FieldByteLimit(ItemField field) {
  switch (field) {
    case ItemField::Picture:
      return 256;
    case ItemField::Desc:
      return 512;
    default:
      return 128;
  }
}

std::string BlockHeader(int n) {
  return "{$" + std::to_string(n) + "}";
}

int BlockNumberOfHeader(std::string_view line) {
  // Skip two characters at the front and one at the back without walking the whole
  // line: this runs for every line of a page.
  size_t begin = 0;
  for (int skipped = 0; skipped < 2; ++skipped) {
    if (begin >= line.size()) return 0;
    begin += Utf8SequenceLength(line[begin]);
  }
  if (begin >= line.size()) return 0;
  size_t last = line.size() - 1;
  while (last > begin && (static_cast<unsigned char>(line[last]) & 0xC0) == 0x80) --last;
  if (last <= begin) return 0;
  return ParseDecimal(line.substr(begin, last - begin)).value_or(0);
}

void SplitFieldText(std::string_view text, FieldText& field) {
  const size_t separator = text.find("!:");
  if (separator == std::string_view::npos) {
    field.value.assign(text);
  } else {
    field.label.assign(text.substr(0, separator));
    field.value.assign(text.substr(separator + 2));
  }
}

ProductItem::ProductItem() {
  for (int i = 0; i < kTextFieldCount; ++i) {
    fields[size_t(i)].label = std::string(DefaultLabel(TextFieldAt(i)));
  }
}

}  // namespace pagora
