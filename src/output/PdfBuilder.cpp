#include "output/PdfBuilder.h"

#include <hpdf.h>
#include <filesystem>

#include "base/AtomicFile.h"
#include "base/ImageCodecs.h"
#include "base/Paths.h"
#include "base/UserError.h"

namespace pagora {
namespace {

constexpr float kMargin = 32;

// libharu accepts a JPEG cut short without a word, so the whole file is checked first:
// the start-of-image marker, a frame header with a size, and the end-of-image marker
// (zero padding after it is allowed).
PictureSize WholeJpeg(const std::string& path) {
  const std::string bytes = ReadWholeFile(path);
  size_t end = bytes.size();
  while (end > 0 && bytes[end - 1] == '\0') --end;
  const auto size = ReadPictureSize(path);
  const bool whole = bytes.size() > 4 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xD8 &&
                     end >= 2 && uint8_t(bytes[end - 2]) == 0xFF && uint8_t(bytes[end - 1]) == 0xD9;
  if (!whole || !size || size->width <= 0 || size->height <= 0) {
    throw UserError("不是完整的JPEG图片，无法写入PDF：" + path);
  }
  return *size;
}

void OnError(HPDF_STATUS error, HPDF_STATUS detail, void* data) {
  *static_cast<HPDF_STATUS*>(data) = error ? error : detail;
}

}  // namespace

void BuildPdf(const std::string& pdfPath, const std::vector<std::string>& pictures) {
  if (pictures.empty()) return;
  std::vector<PictureSize> sizes;
  for (const std::string& picture : pictures) sizes.push_back(WholeJpeg(picture));
  const float width = float(sizes.front().width), height = float(sizes.front().height);

  HPDF_STATUS failure = 0;
  HPDF_Doc pdf = HPDF_New(OnError, &failure);
  if (!pdf) throw UserError("无法建立PDF文件：" + pdfPath);
  struct Free {
    HPDF_Doc pdf;
    ~Free() { HPDF_Free(pdf); }
  } free{pdf};
  for (size_t i = 0; i < pictures.size() && !failure; ++i) {
    HPDF_Image image = HPDF_LoadJpegImageFromFile(pdf, pictures[i].c_str());
    HPDF_Page page = HPDF_AddPage(pdf);
    if (!image || !page) break;
    HPDF_Page_SetWidth(page, width + 2 * kMargin);
    HPDF_Page_SetHeight(page, height + 2 * kMargin);
    const float w = float(sizes[i].width), h = float(sizes[i].height);
    // PDF counts from the bottom: the picture's top edge lies 32 units below the top.
    HPDF_Page_GSave(page);
    HPDF_Page_Rectangle(page, kMargin, kMargin, width, height);
    HPDF_Page_Clip(page);
    HPDF_Page_EndPath(page);
    HPDF_Page_DrawImage(page, image, kMargin, kMargin + height - h, w, h);
    HPDF_Page_GRestore(page);
  }
  // Written beside the target and renamed, so a failure leaves no half PDF.
  const std::string temp = FolderOf(pdfPath) + "." + FileNameOf(pdfPath) + ".tmp";
  if (!failure) HPDF_SaveToFile(pdf, temp.c_str());
  std::error_code error;
  if (failure) {
    std::filesystem::remove(temp, error);
    throw UserError("无法写入PDF文件“" + pdfPath + "”（错误 " + std::to_string(failure) + "）。");
  }
  std::filesystem::rename(temp, pdfPath, error);
  if (error) throw UserError("无法写入PDF文件“" + pdfPath + "”：" + error.message());
  for (auto it = pictures.rbegin(); it != pictures.rend(); ++it)
    std::filesystem::remove(*it, error);
}

}  // namespace pagora
