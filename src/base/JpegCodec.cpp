#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "base/AtomicFile.h"
#include "base/ImageCodecs.h"
#include "base/UserError.h"

namespace pagora {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  int warnings;
};

void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  // Level -1 is a warning about corrupt data; the decoder goes on with what it has.
  if (level < 0) ++reinterpret_cast<ErrorManager*>(info->err)->warnings;
}

void SilentOutput(j_common_ptr) {}

ErrorManager* InitErrors(ErrorManager& errors) {
  jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  errors.base.output_message = SilentOutput;
  errors.message[0] = 0;
  errors.warnings = 0;
  return &errors;
}

// Adobe writes CMYK inverted; libjpeg hands it over as stored.
void CmykRowToRgb(const JSAMPLE* in, uint8_t* out, int width, bool inverted) {
  for (int x = 0; x < width; ++x, in += 4, out += 3) {
    int c = in[0], m = in[1], y = in[2], k = in[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    out[0] = uint8_t(c * k / 255);
    out[1] = uint8_t(m * k / 255);
    out[2] = uint8_t(y * k / 255);
  }
}

}  // namespace

JpegDecoded DecodeJpeg(std::string_view bytes, const JpegDecodeOptions& options) {
  JpegDecoded result;
  std::vector<JSAMPLE> cmykRow;
  jpeg_decompress_struct info{};
  ErrorManager errors;
  info.err = &InitErrors(errors)->base;
  // Every object with a destructor is built before setjmp, so the jump skips none.
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    throw ImageDecodeError(std::string("JPEG: ") + errors.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  result.fullWidth = int(info.image_width);
  result.fullHeight = int(info.image_height);
  if (int64_t(info.image_width) * info.image_height > kMaxDecodedPixels) {
    jpeg_destroy_decompress(&info);
    throw ImageDecodeError("JPEG: picture too large");
  }

  info.scale_num = 8;
  info.scale_denom = 8;
  if (options.minHeight > 0) {
    for (unsigned n = 1; n <= 8; ++n) {
      const unsigned scaled = (info.image_height * n + 7) / 8;
      if (scaled >= unsigned(options.minHeight)) {
        info.scale_num = n;
        break;
      }
    }
  }
  if (options.fast) {
    info.dct_method = JDCT_IFAST;
    info.do_fancy_upsampling = FALSE;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  const bool inverted = cmyk && info.saw_Adobe_marker;

  jpeg_start_decompress(&info);
  result.image = RgbImage::Blank(int(info.output_width), int(info.output_height));
  cmykRow.resize(cmyk ? size_t(info.output_width) * 4 : 0);
  while (info.output_scanline < info.output_height) {
    uint8_t* target = result.image.Row(int(info.output_scanline));
    JSAMPROW row = cmyk ? cmykRow.data() : target;
    jpeg_read_scanlines(&info, &row, 1);
    if (cmyk) CmykRowToRgb(cmykRow.data(), target, int(info.output_width), inverted);
  }
  jpeg_finish_decompress(&info);
  result.damaged = errors.warnings > 0;
  jpeg_destroy_decompress(&info);
  return result;
}

JpegDecoded DecodeJpegFile(const std::string& path, const JpegDecodeOptions& options) {
  std::string bytes;
  try {
    bytes = ReadWholeFile(path);
  } catch (const UserError& error) {
    throw ImageDecodeError(error.what());
  }
  return DecodeJpeg(bytes, options);
}

std::string EncodeJpeg(const RgbImage& image, int quality) {
  if (image.empty()) throw std::invalid_argument("EncodeJpeg: empty picture");
  jpeg_compress_struct info{};
  ErrorManager errors;
  info.err = &InitErrors(errors)->base;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    throw std::runtime_error(std::string("JPEG: ") + errors.message);
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(image.width);
  info.image_height = JDIMENSION(image.height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(image.Row(int(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

}  // namespace pagora
