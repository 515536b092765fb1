#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pagora {

// An 8-bit RGB picture, rows top to bottom, no padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width * height * 3

  bool empty() const { return width <= 0 || height <= 0; }
  uint8_t* Row(int y) { return pixels.data() + size_t(y) * size_t(width) * 3; }
  const uint8_t* Row(int y) const { return pixels.data() + size_t(y) * size_t(width) * 3; }
  static RgbImage Blank(int width, int height, uint8_t grey = 255);
};

// Pictures larger than this are refused by the decoders: a damaged or hostile header
// must not make the program allocate gigabytes.
constexpr int64_t kMaxDecodedPixels = int64_t(1) << 27;  // 134 million pixels

// Resamples to `width` x `height` with area averaging when shrinking and linear
// interpolation when growing.
RgbImage ResizeImage(const RgbImage& source, int width, int height);

}  // namespace pagora
