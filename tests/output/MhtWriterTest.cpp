#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "base/Base64.h"
#include "base/Gb18030.h"
#include "output/MhtWriter.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

const std::string kHeader = "From: <" + EncodeGb18030("由 Pagora 2007 保存") +
                            ">\r\n"
                            "Subject: =?gb2312?B?UTE=?=\r\n"
                            "Date: Sun, 15 Apr 2007 18:30:10 +0800\r\n"
                            "MIME-Version: 1.0\r\n"
                            "Content-Type: multipart/related;\r\n"
                            "\ttype=\"text/html\";\r\n"
                            "\tboundary=\"----=_NextPart_000_0000_01C77F8C.1961B050\"\r\n"
                            "X-MimeOLE: Produced By Pagora 2007\r\n"
                            "\r\n"
                            "This is a multi-part message in MIME format.\r\n"
                            "\r\n"
                            "------=_NextPart_000_0000_01C77F8C.1961B050\r\n"
                            "Content-Type: text/html;\r\n";

TEST(Mht, DocumentOnly) {
  test::TestContext t;
  test::TempDir dir;
  test::WriteBytes(dir / "Q1.htm", "<p>a\n<p>b");  // LF lines come back with CR LF
  MhtRequest request{dir / "Q1.htm", {}, "", "Q1", false};
  EXPECT_EQ(WriteMht(request, t.ui), dir / "Q1.htm.mht");
  EXPECT_EQ(test::ReadBytes(dir / "Q1.htm.mht"),
            kHeader +
                "\tcharset=\"iso-8859-1\"\r\nContent-Transfer-Encoding: Base64\r\n"
                "Content-Location: http://catalog.pagora.local/\r\n\r\n" +
                Base64("<p>a\r\n<p>b\r\n") +
                "\r\n------=_NextPart_000_0000_01C77F8C.1961B050--\r\n");
  EXPECT_FALSE(t.ui.busy);
}

TEST(Mht, PartsTypesLinesAndProgress) {
  test::TestContext t;
  test::TempDir dir;
  test::WriteBytes(dir / "p.htm", "x");
  test::WriteBytes(dir / "a.JPG", std::string(57, 'j'));  // exactly one 76-character line
  test::WriteBytes(dir / "b.jpeg", "bb");
  test::WriteBytes(dir / "c.htm", "");
  test::WriteBytes(dir / "d.gif", std::string(100, 'g'));
  MhtRequest request{dir / "p.htm",
                     {dir / "a.JPG", dir / "b.jpeg", dir / "c.htm", dir / "d.gif"},
                     dir / "out.mht",
                     "",
                     true};
  WriteMht(request, t.ui);
  const std::string mht = test::ReadBytes(dir / "out.mht");
  EXPECT_NE(mht.find("Subject: =?gb2312?B?" "?=\r\n"), std::string::npos);
  EXPECT_NE(mht.find("\tcharset=\"gb2312\"\r\n"), std::string::npos);
  const std::string delimiter = "------=_NextPart_000_0000_01C77F8C.1961B050\r\n";
  const std::string location = "Content-Location: http://catalog.pagora.local/";
  EXPECT_NE(
      mht.find("\r\n\r\n" + delimiter +
               "Content-Type: image/jpeg\r\nContent-Transfer-Encoding: base64\r\n" + location +
               "a.JPG\r\n\r\n" + Base64(std::string(57, 'j')) + "\r\n\r\n\r\n\r\n" + delimiter +
               "Content-Transfer-Encoding: base64\r\n" + location +
               "b.jpeg\r\n\r\nYmI=\r\n\r\n\r\n" + delimiter +
               "Content-Type: text/html;\r\nContent-Transfer-Encoding: base64\r\n" + location +
               "c.htm\r\n\r\n\r\n\r\n\r\n" + delimiter + "Content-Type: image/gif\r\n"),
      std::string::npos);
  const std::string gif = Base64(std::string(100, 'g'));
  EXPECT_NE(mht.find(gif.substr(0, 76) + "\r\n" + gif.substr(76) + "\r\n\r\n" +
                     "------=_NextPart_000_0000_01C77F8C.1961B050--\r\n"),
            std::string::npos);
  EXPECT_EQ(t.ui.progressCaptions.back(), "总计文件 4 个，当前正在处理第 4 个。");
  EXPECT_EQ(t.ui.lastProgressPosition, 100);
}

// A real MIME parser reads every part back to the original bytes.
TEST(Mht, PythonEmailPackageDecodesEveryPart) {
  test::TestContext t;
  test::TempDir dir;
  test::WriteLines(dir / "p.htm",
                   {"<html><body>", "<img src=\"images/a.jpg\">", "价格</body></html>"});
  test::WriteJpeg(dir / "a.jpg", 120, 80);
  test::WriteGif(dir / "b.gif", 16, 16);
  test::WriteBytes(dir / "c.bmp", std::string(171, '\x7f'));
  MhtRequest request{
      dir / "p.htm", {dir / "a.jpg", dir / "b.gif", dir / "c.bmp"}, "", "目录一", true};
  const std::string mht = WriteMht(request, t.ui);
  const std::string script = dir / "check.py";
  std::ofstream(script) << R"(import email, sys
from email.header import decode_header
msg = email.message_from_binary_file(open(sys.argv[1], 'rb'))
subject = decode_header(msg['Subject'])[0]
assert subject[0].decode(subject[1]) == '目录一', subject
parts = [p for p in msg.walk() if not p.is_multipart()]
html = open(sys.argv[2] + 'p.htm', 'rb').read()
assert parts[0].get_payload(decode=True) == html
for part, name in zip(parts[1:], ['a.jpg', 'b.gif', 'c.bmp']):
    assert part['Content-Location'].endswith('images/' + name), part['Content-Location']
    assert part.get_payload(decode=True) == open(sys.argv[2] + name, 'rb').read(), name
assert len(parts) == 4
)";
  const std::string command = "python3 '" + script + "' '" + mht + "' '" + dir.path() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

}  // namespace
}  // namespace pagora
