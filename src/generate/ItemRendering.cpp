#include "generate/ItemRendering.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "base/ImageCodecs.h"
#include "base/Paths.h"
#include "base/Strings.h"

namespace pagora {
namespace {

// Placeholder (without the "$" of the label form) to field key.
const std::map<std::string_view, std::string_view>& FieldKeys() {
  static const std::map<std::string_view, std::string_view> keys = {
      {"{编号}", "{$PID}"},   {"{名称}", "{$PNAME}"},   {"{单价}", "{$PPRICE}"},
      {"{单位}", "{$PUNIT}"}, {"{重量}", "{$PWEIGHT}"}, {"{规格}", "{$PSERIAL}"},
      {"{描述}", "{$PNOTE}"}};
  return keys;
}

}  // namespace

std::string ResolvePicturePath(const CatalogPage& page, const std::string& appDir,
                               std::string_view stored) {
  return ResolveStoredPath(stored, page.Folder(), appDir);
}

ItemRenderer::ItemRenderer(const CatalogPage& page, std::string appDir, PathStyle style,
                           const ItemTable& table, CopyList& copies)
    : page_(page),
      appDir_(std::move(appDir)),
      style_(style),
      picture_(ParseAreaSpec(table.pictureArea)),
      descriptionText_(ParseAreaSpec(table.descriptionArea).text),
      copies_(copies) {}

std::string ItemRenderer::RenderItemPlaceholder(int n, std::string_view name) {
  if (name == "{序号}") return std::to_string(n);
  const auto header = page_.FindBlockHeader(n);
  if (!header) return {};
  if (name == "{PP描述}") {
    if (descriptionText_.empty() || descriptionText_ == "{PP描述}") {
      return FieldPart(*header, "{$PNOTE}", false);
    }
    name = descriptionText_;  // the placeholder that fills the description area
  }
  if (name == "{PP图片}") return PictureHtml(*header);
  const bool label = name.size() > 1 && name[1] == '$';
  std::string plain(name);
  if (label) plain.erase(1, 1);
  const auto known = FieldKeys().find(plain);
  return FieldPart(*header, known != FieldKeys().end() ? known->second : name, label);
}

std::string ItemRenderer::FieldPart(size_t header, std::string_view key, bool label) const {
  const Lines& text = page_.Text();
  for (size_t i = header + 1; i < text.size(); ++i) {
    if (!StartsWith(text[i], key)) continue;
    std::string_view field = std::string_view(text[i]).substr(key.size());
    if (!field.empty()) field.remove_prefix(Utf8SequenceLength(field[0]));  // the "="
    const size_t separator = field.find("!:");
    if (label)
      return separator == std::string_view::npos ? "" : std::string(field.substr(0, separator));
    return std::string(separator == std::string_view::npos ? field : field.substr(separator + 2));
  }
  return {};
}

// Without an explicit width or height, a picture larger than the area's limits gets the
// width that fits them; the browser keeps its proportions.
std::string ItemRenderer::LimitedWidth(const std::string& full) const {
  const uint32_t widthLimit = picture_[3], heightLimit = picture_[4];
  if (picture_[1] > 0 || picture_[2] > 0 || (widthLimit == 0 && heightLimit == 0)) return {};
  const auto size = ReadPictureSize(full);
  if (!size || size->width <= 0 || size->height <= 0) return {};
  double scale = 1.0;
  if (widthLimit > 0 && uint32_t(size->width) > widthLimit)
    scale = double(widthLimit) / size->width;
  if (heightLimit > 0 && uint32_t(size->height) > heightLimit) {
    scale = std::min(scale, double(heightLimit) / size->height);
  }
  if (scale >= 1.0) return {};
  return " width=" + std::to_string(std::max(1L, std::lround(size->width * scale)));
}

std::string ItemRenderer::PictureHtml(size_t header) {
  const Lines& text = page_.Text();
  if (header + 1 >= text.size()) return {};
  const std::string& line = text[header + 1];
  const std::string_view path = line.size() > 7 ? std::string_view(line).substr(7) : "";
  if (path.empty()) return {};
  const std::string full = ResolvePicturePath(page_, appDir_, path);
  copies_.push_back(full);

  std::string html = "<img src=\"" + SourceOf(full, style_) + "\" border=0";
  if (picture_[1] > 0) html += " width=" + std::to_string(picture_[1]);
  if (picture_[2] > 0) html += " height=" + std::to_string(picture_[2]);
  html += LimitedWidth(full);
  if (picture_[9] == 0) html += " style=\"float:left;\"";
  if (picture_[9] == 2) html += " style=\"float:right;\"";
  html += ">";
  if (!picture_.text.empty()) {
    const std::string target = picture_[10] == 0 ? " target=\"_blank\"" : "";
    html = "<a href=\"" + picture_.text + "\"" + target + ">" + html + "</a>";
  }
  return html;
}

}  // namespace pagora
