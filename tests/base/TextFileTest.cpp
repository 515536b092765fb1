#include <gtest/gtest.h>

#include "base/Gb18030.h"
#include "base/KeyValueLines.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(Gb18030, EncodesGbkCharactersAsGbkBytesAndKeepsTheRest) {
  // "编号" and "￥" are GBK; "€" and the CJK extension-B character are not.
  EXPECT_EQ(EncodeGb18030("编号￥A"),
            "\xB1\xE0\xBA\xC5\xA3\xA4"
            "A");
  for (const std::string text : {"编号：A001", "€ 𠀀 é ü", "", "plain ascii"}) {
    EXPECT_EQ(DecodeGb18030(EncodeGb18030(text)).utf8, text);
  }
}

TEST(Gb18030, EveryTwoByteCodeDecodesAsTheEncoderReadsIt) {
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string pair{char(lead), char(trail)};
      const DecodedText decoded = DecodeGb18030(pair);
      if (decoded.firstBadOffset != std::string::npos) continue;
      ++characters;
      ASSERT_EQ(EncodeGb18030(decoded.utf8), pair) << lead << " " << trail;
    }
  }
  EXPECT_GT(characters, 23000);  // GBK alone has 21,886 characters
}

TEST(Gb18030, LinesMixingAllKindsOfCharactersDecodeInOnePass) {
  // ASCII, two-byte, four-byte (U+20000 and "€" are four bytes) and a bad byte per line.
  const std::string bytes =
      EncodeGb18030("ab编号\r\n€𠀀x\n") + "q\x81" + "\r" + EncodeGb18030("末行");
  const DecodedLines decoded = DecodeGb18030Lines(bytes);
  EXPECT_EQ(decoded.lines, (std::vector<std::string>{"ab编号", "€𠀀x", "q\xEF\xBF\xBD", "末行"}));
  EXPECT_EQ(decoded.firstBadOffset, bytes.find("q\x81") + 1);
  EXPECT_EQ(DecodeGb18030(bytes).utf8, "ab编号\r\n€𠀀x\nq\xEF\xBF\xBD\r末行");
}

TEST(Gb18030, MarksUndecodableBytesInsteadOfDroppingThem) {
  const DecodedText decoded =
      DecodeGb18030(std::string("ab\xFF"
                                "cd\x81",
                                6));
  EXPECT_EQ(decoded.utf8,
            "ab\xEF\xBF\xBD"
            "cd\xEF\xBF\xBD");
  EXPECT_EQ(decoded.firstBadOffset, 2u);
  // 0xFF is no lead byte, whatever follows it.
  EXPECT_EQ(DecodeGb18030("\xFF\x41\xFF\xA1").utf8, "\xEF\xBF\xBD" "A\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Gb18030, CutsToEncodedBytesOnCharacterBoundaries) {
  struct Case {
    std::string text;
    size_t limit;
    std::string expected;
  };
  const Case cases[] = {
      {"abcdef", 4, "abcd"},
      {"编号编号", 5, "编号"},  // 2 bytes each: 5 would split the third
      {"编号编号", 8, "编号编号"},
      {"a编", 2, "a"},
      {"ab𠀀", 5, "ab"},  // a 4-byte character does not fit in 3
      {"ab𠀀", 6, "ab𠀀"},
      {std::string(300, 'x'), 256, std::string(256, 'x')},
  };
  for (const Case& c : cases) EXPECT_EQ(CutToEncodedBytes(c.text, c.limit), c.expected) << c.text;
}

TEST(TextFile, ReadsAnyLineEndAndWritesCrLf) {
  TempDir dir;
  WriteBytes(dir / "in.txt", "one\r\ntwo\nthree\rfour\r\n\r\nsix");
  const TextLines read = ReadTextLines(dir / "in.txt");
  EXPECT_EQ(read.lines, (Lines{"one", "two", "three", "four", "", "six"}));
  EXPECT_EQ(read.firstBadLine, 0);

  WriteTextLines(dir / "out.txt", {"编号", "", "x"});
  EXPECT_EQ(ReadBytes(dir / "out.txt"), "\xB1\xE0\xBA\xC5\r\n\r\nx\r\n");
}

TEST(TextFile, NamesFileAndLineOfUndecodableBytes) {
  TempDir dir;
  const std::string path = dir / "bad.txt";
  WriteBytes(path, "first\r\nsecond\r\nth\xFFird\r\n");
  const TextLines read = ReadTextLines(path);
  EXPECT_EQ(read.firstBadLine, 3);
  EXPECT_EQ(read.lines.at(2), "th\xEF\xBF\xBDird");
  try {
    ReadTextFileStrict(path);
    FAIL() << "no error";
  } catch (const UserError& error) {
    EXPECT_EQ(std::string(error.what()),
              "文件“" + path + "”第3行含有无法识别的字符（不是GBK/GB18030编码的文字）。");
  }
}

TEST(TextFile, MissingFileIsAUserError) {
  TempDir dir;
  EXPECT_THROW(ReadTextLines(dir / "none.txt"), UserError);
}

}  // namespace
}  // namespace pagora
