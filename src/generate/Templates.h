#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/KeyValueLines.h"

namespace pagora {

// Layout templates: a ".mob" file of cell texts for three grids (head, content, foot),
// pasted into the head and foot files of its language folder and expanded into the
// table that is repeated for every product item.

inline constexpr const char* kDefaultTemplate = "默认";
inline constexpr const char* kTemplateError = "错误，模板不存在。";
// Keys of the picture and description areas of the content grid.
inline constexpr std::string_view kPictureAreaKey = "2,1,2,3,3,1";
inline constexpr std::string_view kDescriptionAreaKey = "2,1,2,3,3,2";

// Names of the templates in AppDir/html (file names without ".mob"), sorted.
std::vector<std::string> ListTemplates(const std::string& appDir);
// The description of a template (AppDir/html/NAME.txt), or empty.
std::string TemplateHint(const std::string& appDir, const std::string& name);
// AppDir/html/ for "中文", AppDir/html/LANGUAGE/ for any other language value.
std::string TemplateFolder(const std::string& appDir, const std::string& language);

// The entries of a template file: comment lines (empty or starting with "/") dropped.
Lines ReadTemplateEntries(const std::string& path);
// The key of a grid cell: section, column, row (both from 1), ",1,1,0".
std::string CellKey(int section, int column, int row);

struct HeadFoot {
  std::string head;
  std::string foot;
};
// Head and foot files with their markers replaced by the head and foot grid cells.
// Throws UserError "错误，模板不存在。" when neither the template nor the default
// template exists, or the folder lacks its head or foot file.
HeadFoot BuildHeadFoot(const std::string& appDir, const std::string& name,
                       const std::string& language);

struct ItemTable {
  std::string skeleton;     // one line: the table repeated for each item
  std::string pictureArea;  // AreaSpec texts, empty when the template has none
  std::string descriptionArea;
};
ItemTable BuildItemTable(const std::string& appDir, const std::string& name,
                         const std::string& language);

// Where a picture or description sits in the content grid and how a picture is shown.
struct AreaSpec {
  // 1 width, 2 height, 3 width limit, 4 height limit (pixels, 0 = none), 5 columns,
  // 6 rows, 7 left column, 8 top row, 9 alignment (0 left, 1 centre, 2 right),
  // 10 link target (0 new window, 1 same window).
  std::array<uint32_t, 10> numbers{};
  std::string text;  // picture: link address; description: the placeholder that fills it

  uint32_t operator[](int position) const { return numbers[size_t(position - 1)]; }
};
AreaSpec ParseAreaSpec(std::string_view text);
std::string FormatAreaSpec(const AreaSpec& area);
// The area a new picture area starts with: 0,0,0,0,6,8,0,0,1,0 and no text.
AreaSpec DefaultAreaSpec();

}  // namespace pagora
