#include "document/ItemLoader.h"

#include "base/Gb18030.h"
#include "base/Paths.h"
#include "platform/Ui.h"

namespace pagora {
namespace {

constexpr ItemField kAllFields[] = {ItemField::Picture, ItemField::Number, ItemField::Name,
                                    ItemField::Price,   ItemField::Unit,   ItemField::Weight,
                                    ItemField::Spec,    ItemField::Desc};

// Bit set of the fields whose key text ("{$PID}=" ...) occurs anywhere in the line.
// Every key starts with "{$", so only those places are compared.
unsigned KeysInLine(std::string_view line) {
  unsigned found = 0;
  for (size_t at = line.find("{$"); at != std::string_view::npos; at = line.find("{$", at + 1)) {
    const std::string_view rest = line.substr(at);
    if (rest.size() < 5) break;
    for (const ItemField field : kAllFields) {
      const std::string_view key = FieldKey(field);
      // The third and fourth characters tell most keys apart before a full compare.
      if (rest[2] != key[2] || rest[3] != key[3]) continue;
      if (rest.size() > key.size() && rest.compare(0, key.size(), key) == 0 &&
          rest[key.size()] == '=') {
        found |= 1u << static_cast<unsigned>(field);
      }
    }
  }
  return found;
}

}  // namespace

std::vector<size_t> LoadItems(const CatalogPage& page, std::vector<ProductItem>& items,
                              const std::string& appDir, Ui& ui, FileExistenceCache& files) {
  const Lines& text = page.Text();
  const std::string pageFolder = page.Folder();
  const int lineCount = static_cast<int>(text.size());
  const std::string total = "总计：" + std::to_string(lineCount) + "行，正在处理：";
  std::vector<size_t> changedPictures;
  if (items.empty()) items.emplace_back();
  items.reserve(text.size() / kBlockLines + 1);

  ProgressPanel progress(ui, lineCount);
  for (int i = 1; i < lineCount; ++i) {
    if (progress.Due(i + 1)) progress.Show(total + std::to_string(i + 1) + "行。", i + 1);
    const int n = BlockNumberOfHeader(text[size_t(i)]);
    if (n <= 0) continue;
    if (items.size() < size_t(n)) items.emplace_back();
    // A header far past the items (a gap in the numbering) fills the item just added.
    const size_t target = std::min(size_t(n), items.size()) - 1;
    ProductItem& item = items[target];

    for (int j = i + 1; j <= i + 8 && j < lineCount; ++j) {
      const std::string_view line = text[size_t(j)];
      const unsigned keys = KeysInLine(line);
      if (keys == 0) continue;
      const std::string_view afterEquals = line.substr(line.find('=') + 1);
      for (const ItemField field : kAllFields) {
        if (!(keys & (1u << static_cast<unsigned>(field)))) continue;
        const std::string_view fieldText =
            afterEquals.substr(0, EncodedPrefixLength(afterEquals, FieldByteLimit(field)));
        if (field == ItemField::Picture) {
          std::string resolved = ResolveStoredPath(fieldText, pageFolder, appDir, &files);
          item.storedPicture = fieldText;
          if (resolved != item.picture) {
            item.picture = std::move(resolved);
            if (changedPictures.empty() || changedPictures.back() != target) {
              changedPictures.push_back(target);
            }
          }
        } else {
          SplitFieldText(fieldText, item.Field(field));
        }
      }
    }
  }
  return changedPictures;
}

}  // namespace pagora
