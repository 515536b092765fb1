#include <gtest/gtest.h>

#include "base/ImageCodecs.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

TEST(Jpeg, DecodesAtTheSmallestScaleThatReachesTheHeight) {
  const std::string bytes = EncodeJpeg(test::GradientImage(3000, 2000), 80);
  struct Case {
    int minHeight, width, height;
  };
  for (const Case c : {Case{0, 3000, 2000}, Case{161, 375, 250}, Case{251, 750, 500},
                       Case{2000, 3000, 2000}, Case{5000, 3000, 2000}}) {
    JpegDecodeOptions options;
    options.minHeight = c.minHeight;
    const JpegDecoded decoded = DecodeJpeg(bytes, options);
    EXPECT_EQ(decoded.image.width, c.width) << c.minHeight;
    EXPECT_EQ(decoded.image.height, c.height) << c.minHeight;
    EXPECT_EQ(decoded.fullWidth, 3000);
    EXPECT_FALSE(decoded.damaged);
  }
}

TEST(Jpeg, RoundTripKeepsColours) {
  const RgbImage image = RgbImage::Blank(16, 16, 200);
  const JpegDecoded decoded = DecodeJpeg(EncodeJpeg(image, 95));
  ASSERT_EQ(decoded.image.pixels.size(), image.pixels.size());
  for (uint8_t v : decoded.image.pixels) EXPECT_NEAR(v, 200, 2);
}

TEST(Jpeg, DamagedInputIsAnErrorOrMarkedDamaged) {
  const std::string bytes = EncodeJpeg(test::GradientImage(512, 512), 80);
  EXPECT_THROW(DecodeJpeg("not a jpeg at all"), ImageDecodeError);
  EXPECT_THROW(DecodeJpeg(bytes.substr(0, 20)), ImageDecodeError);
  EXPECT_TRUE(DecodeJpeg(bytes.substr(0, bytes.size() * 3 / 4)).damaged);
}

TEST(Gif, DecodesFirstFrameColours) {
  test::TempDir dir;
  test::WriteGif(dir / "a.gif", 8, 2);
  const RgbImage image = DecodeGifFile(dir / "a.gif");
  ASSERT_EQ(image.width, 8);
  ASSERT_EQ(image.height, 2);
  const uint8_t* row = image.Row(1);
  EXPECT_EQ((std::vector<int>{row[0], row[1], row[2]}), (std::vector<int>{255, 0, 0}));
  EXPECT_EQ((std::vector<int>{row[21], row[22], row[23]}), (std::vector<int>{255, 255, 255}));
  test::WriteBytes(dir / "b.gif", "GIF89a garbage");
  EXPECT_THROW(DecodeGifFile(dir / "b.gif"), ImageDecodeError);
}

// A 4 x 2 bitmap with a header of `infoSize` and the given pixel data.
std::string Bitmap(int bits, uint32_t compression, int height, const std::string& palette,
                   const std::string& data) {
  std::string b(54, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = char(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(10, uint32_t(54 + palette.size()));
  put32(14, 40);
  put32(18, 4);
  put32(22, uint32_t(height));
  b[26] = 1;
  b[28] = char(bits);
  put32(30, compression);
  return b + palette + data;
}

TEST(Bmp, DecodesPaletteRleAndTopDownBitmaps) {
  const std::string palette(
      "\0\0\xFF\0"
      "\xFF\0\0\0",
      8);  // 0 = red, 1 = blue (BGRA)
  // 8 bits, bottom-up: the first stored row is the bottom one.
  const RgbImage eight = DecodeBmp(
      Bitmap(8, 0, 2, palette + std::string(254 * 4, '\0'), std::string("\1\0\0\0\0\1\0\0", 8)));
  EXPECT_EQ(eight.Row(1)[2], 255);      // bottom-left blue
  EXPECT_EQ(eight.Row(0)[3 + 2], 255);  // top, second pixel blue
  EXPECT_EQ(eight.Row(0)[0], 255);      // top-left red

  // RLE8: a run of four blue pixels, end of line, two red, end of bitmap.
  const RgbImage rle = DecodeBmp(
      Bitmap(8, 1, 2, palette + std::string(254 * 4, '\0'), std::string("\4\1\0\0\2\0\0\1", 8)));
  EXPECT_EQ(rle.Row(1)[3 * 3 + 2], 255);
  EXPECT_EQ(rle.Row(0)[0], 255);
  EXPECT_EQ(rle.Row(0)[3 * 3], 255);  // past the run: left white

  // Top-down 24 bits.
  const RgbImage top =
      DecodeBmp(Bitmap(24, 0, -2, "", std::string("\x10\x20\x30", 3) + std::string(21, '\0')));
  EXPECT_EQ((std::vector<int>{top.Row(0)[0], top.Row(0)[1], top.Row(0)[2]}),
            (std::vector<int>{0x30, 0x20, 0x10}));

  for (const std::string& bad : {std::string("BM"), Bitmap(7, 0, 2, "", ""),
                                 Bitmap(24, 9, 2, "", ""), std::string(60, 'x')}) {
    EXPECT_THROW(DecodeBmp(bad), ImageDecodeError);
  }
}

TEST(Image, ResizeAveragesWhenShrinking) {
  RgbImage image = RgbImage::Blank(4, 1, 0);
  image.pixels = {0, 0, 0, 100, 100, 100, 200, 200, 200, 50, 50, 50};
  const RgbImage half = ResizeImage(image, 2, 1);
  EXPECT_EQ(half.pixels, (std::vector<uint8_t>{50, 50, 50, 125, 125, 125}));
  EXPECT_EQ(ResizeImage(image, 8, 3).pixels.size(), 8u * 3 * 3);
}

}  // namespace
}  // namespace pagora
