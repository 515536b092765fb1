#include <gif_lib.h>

#include <algorithm>
#include <memory>

#include "base/ImageCodecs.h"

namespace pagora {
namespace {

[[noreturn]] void Fail(int error) {
  const char* text = GifErrorString(error);
  throw ImageDecodeError(std::string("GIF: ") + (text ? text : "unreadable file"));
}

}  // namespace

RgbImage DecodeGifFile(const std::string& path) {
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (!gif) Fail(error);
  std::unique_ptr<GifFileType, void (*)(GifFileType*)> closer(gif, [](GifFileType* g) {
    int ignored = 0;
    DGifCloseFile(g, &ignored);
  });
  if (int64_t(gif->SWidth) * gif->SHeight > kMaxDecodedPixels) {
    throw ImageDecodeError("GIF: picture too large");
  }
  // An animation cut short still has its whole first frame when a later one fails.
  const bool complete = DGifSlurp(gif) == GIF_OK;
  if (gif->ImageCount < (complete ? 1 : 2)) {
    Fail(gif->Error);
  }

  const SavedImage& frame = gif->SavedImages[0];
  const GifImageDesc& desc = frame.ImageDesc;
  const int width = std::max(gif->SWidth, desc.Left + desc.Width);
  const int height = std::max(gif->SHeight, desc.Top + desc.Height);
  if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxDecodedPixels) {
    throw ImageDecodeError("GIF: bad picture size");
  }
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!map || !frame.RasterBits) throw ImageDecodeError("GIF: no colour table");

  GraphicsControlBlock control{};
  control.TransparentColor = NO_TRANSPARENT_COLOR;
  DGifSavedExtensionToGCB(gif, 0, &control);

  RgbImage image = RgbImage::Blank(width, height);
  for (int y = 0; y < desc.Height; ++y) {
    uint8_t* out = image.Row(desc.Top + y) + size_t(desc.Left) * 3;
    const GifByteType* in = frame.RasterBits + size_t(y) * size_t(desc.Width);
    for (int x = 0; x < desc.Width; ++x, out += 3) {
      const int index = in[x];
      if (index == control.TransparentColor || index >= map->ColorCount) continue;
      const GifColorType& c = map->Colors[index];
      out[0] = c.Red;
      out[1] = c.Green;
      out[2] = c.Blue;
    }
  }
  return image;
}

}  // namespace pagora
