#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "base/UserError.h"
#include "base/ZipWriter.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

// Python's zipfile checks every entry's CRC and reads it back.
TEST(ZipWriter, ArchivesReadBackByteForByte) {
  test::TempDir dir;
  test::MakeFolder(dir / "root/images/sub");
  test::WriteJpeg(dir / "root/images/a.jpg", 300, 200);
  test::WriteBytes(dir / "root/目录.htm", std::string(5000, 'h'));
  test::WriteBytes(dir / "root/images/sub/empty.txt", "");
  test::WriteBytes(dir / "root/images/sub/noise.bin", "\x01\xff\x7f");
  const std::vector<ZipEntry> entries = ZipEntriesOfFolder(dir / "root");
  std::vector<std::string> names;
  for (const ZipEntry& e : entries) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::string>{"images/a.jpg", "images/sub/empty.txt",
                                             "images/sub/noise.bin", "目录.htm"}));
  std::vector<int> progress;
  WriteZip(dir / "out.zip", entries, [&](int p) { progress.push_back(p); });
  EXPECT_EQ(progress.back(), 100);

  std::ofstream(dir / "check.py") << R"(import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
root = sys.argv[2]
for info in z.infolist():
    assert z.read(info) == open(root + info.filename, 'rb').read(), info.filename
    stored = info.filename.endswith('.jpg') or info.file_size < 10
    assert (info.compress_type == zipfile.ZIP_STORED) == stored, info.filename
assert [i.filename for i in z.infolist()] == ['images/a.jpg', 'images/sub/empty.txt', 'images/sub/noise.bin', '目录.htm']
)";
  const std::string command =
      "python3 '" + (dir / "check.py") + "' '" + (dir / "out.zip") + "' '" + (dir / "root/") + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(ZipWriter, FailureLeavesTheOldArchive) {
  test::TempDir dir;
  test::WriteBytes(dir / "old.zip", "old");
  EXPECT_THROW(WriteZip(dir / "old.zip", {{dir / "missing.jpg", "missing.jpg"}}, nullptr),
               UserError);
  EXPECT_EQ(test::ReadBytes(dir / "old.zip"), "old");
  EXPECT_THROW(WriteZip(dir / "no/such/folder.zip", {}, nullptr), UserError);
}

}  // namespace
}  // namespace pagora
