#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Image.h"

namespace pagora {

// The picture of an item's picture cell, as data; the window draws it.
struct Thumbnail {
  std::shared_ptr<const RgbImage> image;  // null: no bitmap
  // A note drawn on the bitmap at (8, 8) (for pictures that cannot be shown), or the
  // text of the picture cell when there is no bitmap ("图片文件不存在").
  std::string text;

  bool empty() const { return !image && text.empty(); }
  int Width() const { return image ? image->width : 0; }
  int Height() const { return image ? image->height : 0; }
};

// Height in pixels of the merged picture cell of an item: five rows of 32 pixels and
// the four grid lines between them.
constexpr int kPictureCellHeight = 5 * 32 + 4;
constexpr int kThumbnailHeight = kPictureCellHeight - 3;

inline constexpr const char* kPngNotSupported = "当前版本不支持PNG文件。";
inline constexpr const char* kFormatNotSupported = "不支持的图片格式。";
inline constexpr const char* kPictureBroken = "非标准图片，载入出错。";
inline constexpr const char* kPictureMissing = "图片文件不存在";

// The thumbnail of the picture at `path`, chosen by its extension: JPEG and GIF scaled
// to the thumbnail height, BMP at its own size, PNG and other formats as a 148 x 80
// note. Never throws for a bad picture.
Thumbnail LoadThumbnail(const std::string& path);

// Decodes the thumbnails of `paths` on worker threads and hands each to `ready` on the
// calling thread, in the order of `paths`.
void LoadThumbnailsInOrder(const std::vector<std::string>& paths,
                           const std::function<void(size_t, Thumbnail&&)>& ready);

}  // namespace pagora
