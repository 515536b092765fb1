#include <gtest/gtest.h>

#include <cmath>

#include "editor/Thumbnail.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

TEST(Thumbnail, SizesAndTextsByFormat) {
  test::TempDir dir;
  test::WriteJpeg(dir / "wide.jpg", 3000, 2000);
  test::WriteJpeg(dir / "odd.JPG", 3001, 2001);
  test::WriteJpeg(dir / "tiny.jpg", 20, 10);
  test::WriteGif(dir / "g.gif", 50, 100);
  test::WriteBmp24(dir / "b.bmp", test::GradientImage(500, 300));
  test::WriteBytes(dir / "p.png", "\x89PNG");
  test::WriteBytes(dir / "t.tif", "II*");
  test::WriteBytes(dir / "broken.jpg", "\xFF\xD8garbage");
  test::WriteBytes(dir / "broken.gif", "GIF89a");
  struct Case {
    std::string file;
    int width, height;
    std::string text;
  };
  const Case cases[] = {
      {"wide.jpg", 246, 161, ""},  // 1500 x 1000 at half scale: 1500 * 164 / 1000
      {"odd.JPG", 246, 161, ""},   // 1501 x 1001: 245.93 rounds to 246
      {"tiny.jpg", 328, 161, ""},  // grown to the cell height
      {"g.gif", 82, 161, ""},
      {"b.bmp", 500, 300, ""},  // at its own size
      {"p.png", 148, 80, "当前版本不支持PNG文件。"},
      {"t.tif", 148, 80, "不支持的图片格式。"},
      {"broken.jpg", 148, 80, "非标准图片，载入出错。"},
      {"broken.gif", 148, 80, "非标准图片，载入出错。"},
      {"missing.jpg", 148, 80, "非标准图片，载入出错。"},
  };
  for (const Case& c : cases) {
    const Thumbnail thumbnail = LoadThumbnail(dir / c.file);
    EXPECT_EQ(thumbnail.Width(), c.width) << c.file;
    EXPECT_EQ(thumbnail.Height(), c.height) << c.file;
    EXPECT_EQ(thumbnail.text, c.text) << c.file;
  }
}

TEST(Thumbnail, ScaledDecodeMatchesAFullDecodeScaledDown) {
  test::TempDir dir;
  test::WriteJpeg(dir / "a.jpg", 1600, 1200);
  const Thumbnail thumbnail = LoadThumbnail(dir / "a.jpg");
  // The gradient runs from red on the left to green at the bottom: the corners show it.
  const RgbImage& image = *thumbnail.image;
  EXPECT_LT(image.Row(0)[0], 20);
  EXPECT_GT(image.Row(0)[(image.width - 1) * 3], 235);
  EXPECT_GT(image.Row(image.height - 1)[1], 235);
}

TEST(Thumbnail, BatchDeliversInOrder) {
  test::TempDir dir;
  std::vector<std::string> paths;
  for (int i = 0; i < 12; ++i) {
    paths.push_back(dir / ("p" + std::to_string(i) + ".jpg"));
    test::WriteJpeg(paths.back(), 40 + i * 10, 40);
  }
  std::vector<size_t> order;
  std::vector<int> widths;
  LoadThumbnailsInOrder(paths, [&](size_t i, Thumbnail&& t) {
    order.push_back(i);
    widths.push_back(t.Width());
  });
  ASSERT_EQ(order.size(), paths.size());
  for (size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(order[i], i);
    EXPECT_EQ(widths[i], int(std::nearbyint((40 + int(i) * 10) / 2 * 164.0 / 20)));
  }
}

}  // namespace
}  // namespace pagora
