// Arbitrary bytes as a template file and as text with placeholders: the area parser,
// the item table expansion and the placeholder scan must never crash or run away.

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "base/Gb18030.h"
#include "base/UserError.h"
#include "generate/Placeholders.h"
#include "generate/Templates.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pagora;
  static const std::string appDir = [] {
    const auto dir = std::filesystem::temp_directory_path() / "pagora-fuzz-templates";
    std::filesystem::create_directories(dir / "html");
    return dir.string() + "/";
  }();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = DecodeGb18030(bytes).utf8;

  ParseAreaSpec(text);
  {
    std::ofstream(appDir + "html/默认.mob", std::ios::binary)
        .write(bytes.data(), std::streamsize(size));
  }
  ItemTable table;
  try {
    table = BuildItemTable(appDir, "默认", "中文");
  } catch (const UserError&) {
    return 0;  // bytes outside the code page: the clear error a user gets
  }

  PlaceholderValues values;
  values.Add(text.substr(0, text.size() / 2));
  values.Define("{a}", "{b}x");
  values.Define("{b}", table.pictureArea);
  FillPlaceholders(text, values,
                   [](std::string_view name) { return std::string(name.size() % 3, '{'); });
  FillPlaceholders(table.skeleton.substr(0, 4096), values, nullptr);
  return 0;
}
