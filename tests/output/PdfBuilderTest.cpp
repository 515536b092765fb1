#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/Paths.h"
#include "base/UserError.h"
#include "output/PdfBuilder.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

namespace pagora {
namespace {

std::string Output(const std::string& command, const std::string& output) {
  EXPECT_EQ(std::system((command + " > '" + output + "' 2>&1").c_str()), 0) << command;
  return test::ReadBytes(output);
}

TEST(Pdf, OnePagePerPictureWithTheJpegBytesEmbedded) {
  test::TempDir dir;
  const std::vector<std::pair<int, int>> sizes = {{300, 200}, {100, 400}, {500, 100}};
  std::vector<std::string> pictures, copies;
  for (size_t i = 0; i < sizes.size(); ++i) {
    pictures.push_back(dir / ("p" + std::to_string(i) + ".jpg"));
    test::WriteJpeg(pictures.back(), sizes[i].first, sizes[i].second);
    copies.push_back(test::ReadBytes(pictures.back()));
  }
  BuildPdf(dir / "out.pdf", pictures);
  for (const std::string& picture : pictures) EXPECT_FALSE(FileExists(picture));

  const std::string info = Output("pdfinfo '" + (dir / "out.pdf") + "'", dir / "info.txt");
  EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
  EXPECT_NE(info.find("Page size:       364 x 264 pts"), std::string::npos) << info;
  const std::string list = Output("pdfimages -list '" + (dir / "out.pdf") + "'", dir / "list.txt");
  EXPECT_NE(list.find("  300   200  rgb     3   8  jpeg"), std::string::npos) << list;
  EXPECT_NE(list.find("  100   400  rgb     3   8  jpeg"), std::string::npos) << list;
  Output("pdfimages -j '" + (dir / "out.pdf") + "' '" + (dir / "x") + "'", dir / "log.txt");
  for (size_t i = 0; i < copies.size(); ++i) {
    EXPECT_EQ(test::ReadBytes(dir / ("x-00" + std::to_string(i) + ".jpg")), copies[i]) << i;
  }
}

TEST(Pdf, CutShortJpegIsRefusedAndNothingIsWritten) {
  test::TempDir dir;
  test::WriteJpeg(dir / "a.jpg", 64, 64);
  const std::string whole = test::ReadBytes(dir / "a.jpg");
  test::WriteBytes(dir / "b.jpg", whole.substr(0, whole.size() - 40));
  EXPECT_THROW(BuildPdf(dir / "out.pdf", {dir / "a.jpg", dir / "b.jpg"}), UserError);
  EXPECT_FALSE(fs::exists(dir / "out.pdf"));
  EXPECT_TRUE(FileExists(dir / "a.jpg"));
  BuildPdf(dir / "none.pdf", {});
  EXPECT_FALSE(fs::exists(dir / "none.pdf"));
}

}  // namespace
}  // namespace pagora
