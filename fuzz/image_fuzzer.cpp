// Arbitrary bytes as a picture: the BMP and JPEG decoders must refuse what they
// cannot read with ImageDecodeError, never crash or allocate without bound.

#include <cstdint>

#include "base/ImageCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pagora;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    DecodeBmp(bytes);
  } catch (const ImageDecodeError&) {
  }
  try {
    JpegDecodeOptions options;
    options.minHeight = 161;
    options.fast = true;
    DecodeJpeg(bytes, options);
  } catch (const ImageDecodeError&) {
  }
  return 0;
}
