#pragma once

#include <array>
#include <string>
#include <string_view>

namespace pagora {

// The eight fields of an item block, in block order after the header line.
enum class ItemField { Picture, Number, Name, Price, Unit, Weight, Spec, Desc };

constexpr int kTextFieldCount = 7;
constexpr int kBlockLines = 11;

// Index of a text field in ProductItem::fields (Number is 0).
constexpr int TextFieldIndex(ItemField field) {
  return static_cast<int>(field) - 1;
}
constexpr ItemField TextFieldAt(int index) {
  return static_cast<ItemField>(index + 1);
}

// "{$IMG}", "{$PID}", ... and the captions shown before each value.
std::string_view FieldKey(ItemField field);
std::string_view DefaultLabel(ItemField field);
// Limit in bytes of the code page for a field text read from a page (picture 256).
size_t FieldByteLimit(ItemField field);

// The block header "{$N}".
std::string BlockHeader(int n);
// N when the line's text without its first two and its last character is a decimal
// number, which is how every reader recognises a block header.
int BlockNumberOfHeader(std::string_view line);

struct FieldText {
  std::string label;
  std::string value;
};

// Splits a stored field text at its first "!:" into label and value; a text without
// the separator is a bare value and leaves `label` as it was.
void SplitFieldText(std::string_view text, FieldText& field);

struct ProductItem {
  std::string storedPicture;  // as in the page text
  std::string picture;        // resolved
  std::array<FieldText, kTextFieldCount> fields;

  ProductItem();  // empty values, default labels
  FieldText& Field(ItemField f) { return fields[size_t(TextFieldIndex(f))]; }
  const FieldText& Field(ItemField f) const { return fields[size_t(TextFieldIndex(f))]; }
};

}  // namespace pagora
