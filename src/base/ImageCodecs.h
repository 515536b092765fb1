#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/Image.h"

namespace pagora {

// A picture file that cannot be decoded (damaged, truncated past repair, unsupported
// variant, absurd size). The message is for logs; the user sees the thumbnail text.
class ImageDecodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct JpegDecodeOptions {
  // Decode at the smallest scale n/8 whose height still reaches this (0: full size).
  // Shrinking inside the decoder skips most of the work of a full decode.
  int minHeight = 0;
  // Fastest inverse DCT and plain upsampling, enough for thumbnails.
  bool fast = false;
};

struct JpegDecoded {
  RgbImage image;
  int fullWidth = 0;  // size stored in the file
  int fullHeight = 0;
  bool damaged = false;  // the decoder recovered from corrupt or missing data
};

JpegDecoded DecodeJpeg(std::string_view bytes, const JpegDecodeOptions& options = {});
JpegDecoded DecodeJpegFile(const std::string& path, const JpegDecodeOptions& options = {});

// Baseline JPEG, 4:2:0, at `quality` (1..100).
std::string EncodeJpeg(const RgbImage& image, int quality);

// First frame of a GIF on its logical screen; transparent pixels become white.
RgbImage DecodeGifFile(const std::string& path);

// The pixel size of a JPEG, GIF or BMP file from its header alone, or nullopt.
struct PictureSize {
  int width = 0;
  int height = 0;
};
std::optional<PictureSize> ReadPictureSize(const std::string& path);

// Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits, uncompressed, bit fields, RLE4 and RLE8,
// bottom-up and top-down.
RgbImage DecodeBmp(std::string_view bytes);
RgbImage DecodeBmpFile(const std::string& path);

}  // namespace pagora
