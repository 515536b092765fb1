#include <cstdio>
#include <fstream>

#include "base/ImageCodecs.h"

namespace pagora {
namespace {

uint32_t Little(const unsigned char* p, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

// Walks the JPEG markers up to the first start-of-frame, which holds the size.
std::optional<PictureSize> JpegSize(std::ifstream& in) {
  unsigned char marker[4];
  in.seekg(2);
  while (in.read(reinterpret_cast<char*>(marker), 4)) {
    if (marker[0] != 0xFF) return std::nullopt;
    const int type = marker[1];
    const int length = marker[2] << 8 | marker[3];
    const bool frame = type >= 0xC0 && type <= 0xCF && type != 0xC4 && type != 0xC8 && type != 0xCC;
    if (frame) {
      unsigned char sof[5];
      if (!in.read(reinterpret_cast<char*>(sof), 5)) return std::nullopt;
      return PictureSize{sof[3] << 8 | sof[4], sof[1] << 8 | sof[2]};
    }
    if (length < 2) return std::nullopt;
    in.seekg(length - 2, std::ios::cur);
  }
  return std::nullopt;
}

}  // namespace

std::optional<PictureSize> ReadPictureSize(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char head[26] = {};
  if (!in.read(reinterpret_cast<char*>(head), 2)) return std::nullopt;
  if (head[0] == 0xFF && head[1] == 0xD8) return JpegSize(in);
  in.read(reinterpret_cast<char*>(head + 2), 24);
  if (in.gcount() < 8) return std::nullopt;
  if (head[0] == 'G' && head[1] == 'I' && head[2] == 'F') {
    return PictureSize{int(Little(head + 6, 2)), int(Little(head + 8, 2))};
  }
  if (head[0] == 'B' && head[1] == 'M' && in.gcount() == 24) {
    const int32_t height = int32_t(Little(head + 22, 4));
    return PictureSize{int32_t(Little(head + 18, 4)), height < 0 ? -height : height};
  }
  return std::nullopt;
}

}  // namespace pagora
