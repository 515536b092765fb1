#include <algorithm>
#include <cstring>

#include "base/AtomicFile.h"
#include "base/ImageCodecs.h"
#include "base/UserError.h"

namespace pagora {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

uint32_t U16(std::string_view b, size_t at) {
  return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8;
}
uint32_t U32(std::string_view b, size_t at) {
  return U16(b, at) | U16(b, at + 2) << 16;
}

[[noreturn]] void Fail(const char* why) {
  throw ImageDecodeError(std::string("BMP: ") + why);
}

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (!mask) return;
    while (!((mask >> shift) & 1)) ++shift;
    max = mask >> shift;
  }
  uint8_t Of(uint32_t pixel) const {
    return max ? uint8_t(((pixel & mask) >> shift) * 255u / max) : 0;
  }
};

struct Header {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kRgb;
  uint32_t masks[3] = {0, 0, 0};
  std::vector<uint8_t> palette;  // RGB triples
};

Header ReadHeader(std::string_view b) {
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') Fail("not a bitmap file");
  Header h;
  const uint32_t infoSize = U32(b, 14);
  size_t paletteAt = 14 + infoSize;
  int paletteEntrySize = 4;
  if (infoSize == 12) {  // OS/2 core header
    h.width = int(U16(b, 18));
    h.height = int(U16(b, 20));
    h.bits = int(U16(b, 24));
    paletteEntrySize = 3;
  } else if (infoSize >= 40 && b.size() >= 54) {
    h.width = int32_t(U32(b, 18));
    h.height = int32_t(U32(b, 22));
    h.bits = int(U16(b, 28));
    h.compression = U32(b, 30);
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
      // The masks follow a 40-byte header; larger headers hold them inside.
      if (b.size() < 66) Fail("file cut short");
      for (int i = 0; i < 3; ++i) h.masks[i] = U32(b, 54 + size_t(i) * 4);
      if (infoSize == 40) paletteAt += (h.compression == kAlphaBitFields) ? 16 : 12;
    }
  } else {
    Fail("unknown header");
  }
  if (h.height < 0) {
    if (h.height == INT32_MIN) Fail("bad height");
    h.height = -h.height;
    h.topDown = true;
  }
  if (h.width <= 0 || h.height <= 0 || int64_t(h.width) * h.height > kMaxDecodedPixels) {
    Fail("bad picture size");
  }
  if (h.bits <= 8) {
    if (h.bits != 1 && h.bits != 4 && h.bits != 8) Fail("unsupported bit depth");
    const size_t entries = size_t(1) << h.bits;
    h.palette.assign(entries * 3, 0);
    for (size_t i = 0; i < entries; ++i) {
      const size_t at = paletteAt + i * size_t(paletteEntrySize);
      if (at + 3 > b.size()) break;
      h.palette[i * 3] = uint8_t(b[at + 2]);
      h.palette[i * 3 + 1] = uint8_t(b[at + 1]);
      h.palette[i * 3 + 2] = uint8_t(b[at]);
    }
  } else if (h.bits != 16 && h.bits != 24 && h.bits != 32) {
    Fail("unsupported bit depth");
  }
  const bool bitFields = h.compression == kBitFields || h.compression == kAlphaBitFields;
  if (bitFields && h.bits != 16 && h.bits != 32) Fail("bit fields need 16 or 32 bits");
  if (h.compression == kRle8 && h.bits != 8) Fail("RLE8 needs 8 bits");
  if (h.compression == kRle4 && h.bits != 4) Fail("RLE4 needs 4 bits");
  if (h.compression > kBitFields && h.compression != kAlphaBitFields)
    Fail("unsupported compression");
  if (!bitFields && h.bits == 16) h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
  if (!bitFields && h.bits == 32) h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
  return h;
}

void SetIndexed(RgbImage& image, const Header& h, int x, int y, unsigned index) {
  if (x < 0 || x >= h.width || y < 0 || y >= h.height) return;
  const int row = h.topDown ? y : h.height - 1 - y;
  uint8_t* p = image.Row(row) + size_t(x) * 3;
  const size_t at = std::min<size_t>(index, h.palette.size() / 3 - 1) * 3;
  std::memcpy(p, &h.palette[at], 3);
}

void DecodeRle(std::string_view b, size_t at, const Header& h, RgbImage& image) {
  const bool four = h.compression == kRle4;
  int x = 0, y = 0;
  while (at + 1 < b.size() && y < h.height) {
    const unsigned count = uint8_t(b[at]);
    const unsigned value = uint8_t(b[at + 1]);
    at += 2;
    if (count > 0) {  // a run of `count` pixels
      for (unsigned i = 0; i < count; ++i, ++x) {
        SetIndexed(image, h, x, y, four ? ((i & 1) ? value & 15 : value >> 4) : value);
      }
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (at + 1 >= b.size()) break;
      x += uint8_t(b[at]);
      y += uint8_t(b[at + 1]);
      at += 2;
    } else {  // `value` literal pixels, padded to a 16-bit boundary
      const size_t bytes = four ? (value + 1) / 2 : value;
      for (unsigned i = 0; i < value && at + (four ? i / 2 : i) < b.size(); ++i, ++x) {
        const unsigned byte = uint8_t(b[at + (four ? i / 2 : i)]);
        SetIndexed(image, h, x, y, four ? ((i & 1) ? byte & 15 : byte >> 4) : byte);
      }
      at += bytes + (bytes & 1);
    }
  }
}

}  // namespace

RgbImage DecodeBmp(std::string_view b) {
  const Header h = ReadHeader(b);
  const size_t dataAt = U32(b, 10);
  if (dataAt >= b.size()) Fail("no pixel data");
  if (h.compression == kRle8 || h.compression == kRle4) {
    RgbImage image = RgbImage::Blank(h.width, h.height);
    DecodeRle(b, dataAt, h, image);
    return image;
  }
  const size_t stride = ((size_t(h.width) * size_t(h.bits) + 31) / 32) * 4;
  // A file cut short keeps its white rest, but one that holds hardly any of the pixels
  // it claims is no picture: refuse it before allocating for its claimed size.
  if ((b.size() - dataAt) * 8 < stride * size_t(h.height)) Fail("file cut short");
  RgbImage image = RgbImage::Blank(h.width, h.height);
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  for (int y = 0; y < h.height; ++y) {
    const size_t rowAt = dataAt + size_t(y) * stride;
    if (rowAt + stride > b.size()) break;  // a file cut short keeps its white rest
    const auto* in = reinterpret_cast<const uint8_t*>(b.data() + rowAt);
    uint8_t* out = image.Row(h.topDown ? y : h.height - 1 - y);
    for (int x = 0; x < h.width; ++x, out += 3) {
      switch (h.bits) {
        case 1:
        case 4:
        case 8: {
          const size_t bit = size_t(x) * size_t(h.bits);
          const unsigned index = (in[bit / 8] >> (8 - h.bits - bit % 8)) & ((1u << h.bits) - 1);
          std::memcpy(out, &h.palette[index * 3], 3);
          break;
        }
        case 24:
          out[0] = in[x * 3 + 2];
          out[1] = in[x * 3 + 1];
          out[2] = in[x * 3];
          break;
        default: {
          const uint8_t* p = in + size_t(x) * size_t(h.bits / 8);
          uint32_t pixel = uint32_t(p[0]) | uint32_t(p[1]) << 8;
          if (h.bits == 32) pixel |= uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
          out[0] = red.Of(pixel);
          out[1] = green.Of(pixel);
          out[2] = blue.Of(pixel);
        }
      }
    }
  }
  return image;
}

RgbImage DecodeBmpFile(const std::string& path) {
  try {
    return DecodeBmp(ReadWholeFile(path));
  } catch (const UserError& error) {
    throw ImageDecodeError(error.what());
  }
}

}  // namespace pagora
