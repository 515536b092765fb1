#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "base/Paths.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "output/ChmProject.h"
#include "platform/ChmCompiler.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

TEST(ChmProject, SinglePageProjectText) {
  EXPECT_EQ(
      SinglePageChmProject("/out/Q,1\"/", "Q,1\"", "/app/", " 中文 ", {"/p/a.jpg", "/p/b.gif"}),
      (Lines{"[OPTIONS]", "Binary Index=No", "Compatibility=1.1 or later",
             "Compiled file=/out/Q,1\"/Q,1\".chm", "Default Window=WindowName",
             "Default topic=/app/tmp/tmpfile.htm", "Display compile progress=No", "Flat=Yes",
             "Language=0x804 中文(中国)", "", "[WINDOWS]",
             "WindowName=\"Q,1\"\",,,,,,,,,,,0x2040,[0,0,1024,739],0x1020000,,,,,,0", "", "[FILES]",
             "/p/a.jpg", "/p/b.gif"}));
  EXPECT_EQ(SinglePageChmProject("/o/", "N", "/a/", "英文", {})[8], "Language=0x409 英语(美国)");
}

// The files chmlib finds in a CHM, extracted into `folder`.
void Extract(const std::string& chm, const std::string& folder) {
  const std::string command = "extract_chmLib '" + chm + "' '" + folder + "' >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
}

TEST(ChmCompiler, PacksTopicAndEveryPictureByteForByteAndManyFiles) {
  test::TempDir dir;
  test::MakeFolder(dir / "pics");
  Lines project = SinglePageChmProject(dir / "out/", "Q1", dir.path(), "中文", {});
  test::MakeFolder(dir / "tmp");
  test::WriteLines(dir / "tmp/tmpfile.htm", {"<html><body>目录</body></html>"});
  // Hundreds of files: the directory spans several listing blocks, which chmcmd numbers
  // wrongly unless mended, and readers would then miss most of them.
  auto name = [](int i) {
    return "picture-of-product-number-" + std::to_string(1000 + i) + ".jpg";
  };
  constexpr int kPictures = 400;
  for (int i = 0; i < kPictures; ++i) {
    const std::string path = dir / ("pics/" + name(i));
    test::WriteJpeg(path, 8 + i % 50, 8);
    project.push_back(path);
  }
  project.push_back(dir / ("pics/" + name(0)));  // listed twice: packed once
  project.push_back(dir / "pics/missing.jpg");
  test::WriteLines(dir / "tmp/tmpchm.hhp", project);
  std::vector<std::string> progress;
  TChmCompiler::Instance().Compile(dir / "tmp/tmpchm.hhp",
                                   [&](const std::string& line) { progress.push_back(line); });
  ASSERT_TRUE(FileExists(dir / "out/Q1.chm"));
  EXPECT_EQ(progress.back(), "正在编译CHM文件：100%");

  Extract(dir / "out/Q1.chm", dir / "x");
  EXPECT_EQ(test::ReadBytes(dir / "x/tmpfile.htm"), test::ReadBytes(dir / "tmp/tmpfile.htm"));
  for (int i = 0; i < kPictures; ++i) {
    ASSERT_TRUE(FileExists(dir / ("x/" + name(i)))) << name(i);
    EXPECT_EQ(test::ReadBytes(dir / ("x/" + name(i))), test::ReadBytes(dir / ("pics/" + name(i))));
  }
}

TEST(ChmCompiler, RefusesNameClashesAndMissingTopics) {
  test::TempDir dir;
  test::MakeFolder(dir / "a");
  test::MakeFolder(dir / "b");
  test::WriteBytes(dir / "a/x.jpg", "1");
  test::WriteBytes(dir / "b/x.jpg", "2");
  test::WriteBytes(dir / "t.htm", "<p>");
  Lines project = SinglePageChmProject(dir / "out/", "Q", dir.path(), "中文",
                                       {dir / "a/x.jpg", dir / "b/x.jpg"});
  project[5] = "Default topic=" + (dir / "t.htm");
  test::WriteLines(dir / "p.hhp", project);
  EXPECT_THROW(TChmCompiler::Instance().Compile(dir / "p.hhp", nullptr), UserError);
  project.resize(14);
  project[5] = "Default topic=" + (dir / "none.htm");
  test::WriteLines(dir / "p.hhp", project);
  EXPECT_THROW(TChmCompiler::Instance().Compile(dir / "p.hhp", nullptr), UserError);
  EXPECT_FALSE(std::filesystem::exists(dir / "out/Q.chm"));
}

}  // namespace
}  // namespace pagora
