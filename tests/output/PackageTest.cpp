#include <gtest/gtest.h>

#include <zip.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "base/Gb18030.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "base/ZipReader.h"
#include "base/ZipWriter.h"
#include "editor/GridItemNumbers.h"
#include "editor/PackageFlows.h"
#include "editor/PageFlows.h"
#include "generate/GeneratePage.h"
#include "output/Package.h"
#include "output/PageOutputBranches.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

namespace pagora {
namespace {

std::vector<std::string> ZipNames(const std::string& path) {
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
  std::vector<std::string> names;
  if (!zip) return names;
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
    names.push_back(zip_get_name(zip, zip_uint64_t(i), 0));
  }
  zip_close(zip);
  return names;
}

TEST(Package, PortableSourcePointsIntoImages) {
  CatalogPage page;
  page.ReplaceText({"{背景音乐}=D:\\music\\a.mid", "{背景图片}=/home/u/bg.gif", "{$1}",
                    "{$IMG}=D:\\pics\\a\\x.jpg", "{$2}", "{$IMG}=", "{$PID}=keep {$IMG}=? no"});
  EXPECT_EQ(PortablePageSource(page),
            (Lines{"{背景音乐}=images\\a.mid", "{背景图片}=images\\bg.gif", "{$1}",
                   "{$IMG}=images\\x.jpg", "{$2}", "{$IMG}=", "{$IMG}=images\\? no"}));
}

struct PackageFixture {
  test::TestContext t;
  test::TempDir work;
  EditorSession session{t.context};

  PackageFixture() {
    const std::string& app = t.context.appDir;
    test::MakeFolder(app + "html");
    test::WriteLines(app + "html/head.htm", {"<html><body>"});
    test::WriteLines(app + "html/foot.htm", {"</body></html>"});
    test::WriteLines(app + "html/默认.mob", {"2,1,2,3,3,1=0,0,0,0,1,1,0,0,1,0="});
    test::MakeFolder(work / "a");
    test::MakeFolder(work / "b");
    test::WriteJpeg(work / "a/x.jpg", 30, 20);
    test::WriteJpeg(work / "b/x.jpg", 40, 20);  // the same name in another folder
    test::WriteJpeg(work / "b/y.jpg", 50, 20);
    CreateNewPage(session.page, session.grid, t.context);
    session.grid.ImportPaths({work / "a/x.jpg", work / "b/x.jpg", work / "b/y.jpg"}, nullptr);
    session.page.StoreSetting("{Catalog编号}", "P1");
    session.page.StoreSetting("{输出目录}", work / "out");
    test::MakeFolder(work / "out/P1");
    test::WriteBytes(work / "out/P1/P1.htm.mht", "earlier output");
  }
  std::string Pack() {
    t.ui.answers.push_back(Answer::Yes);  // b/x.jpg replaces a/x.jpg in images/
    GridItemNumbers numbers(session.grid);
    PageOutputBranches branches;
    PageGenerationRequest request;
    request.request = PageOutputRequest::Package;
    return GeneratePage(session.page, numbers, t.context, request, &branches);
  }
};

TEST(Package, PagePackageHoldsSourcePicturesAndWhatLayInTheFolder) {
  PackageFixture f;
  const std::string package = f.Pack();
  EXPECT_EQ(package, f.work / "out/P1/catalog.pga");
  EXPECT_EQ(ZipNames(package),
            (std::vector<std::string>{"P1.htm.mht", "catalog.pgt", "images/x.jpg", "images/y.jpg",
                                      "index.dat"}));
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(f.work / "out/P1"))
    left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"P1.htm.mht", "catalog.pga"}));
}

TEST(Package, OpensBackIntoTmpWithItsPictures) {
  PackageFixture f;
  const std::string package = f.Pack();
  fs::copy_file(package, f.work / "my.book.pga");

  EditorSession other(f.t.context);
  ASSERT_TRUE(OpenPackage(other, f.work / "my.book.pga"));
  const std::string folder = f.t.context.appDir + "tmp/my/";
  EXPECT_EQ(other.page.Path(), folder + "catalog.pgt");
  EXPECT_TRUE(other.fromPackage);
  EXPECT_FALSE(other.packageHoldsBook);
  EXPECT_EQ(other.panelCaption, f.work / "my.book.pga");
  ASSERT_EQ(other.grid.ItemCount(), 3);
  EXPECT_EQ(other.grid.Item(1).picture, folder + "images/x.jpg");
  EXPECT_EQ(other.grid.Item(3).picture, folder + "images/y.jpg");
  EXPECT_EQ(ReadTextFileStrict(folder + "index.dat"), (Lines{"index=catalog.pgt", "type=PGT"}));

  // Saving writes the package back in place of the one it came from.
  other.page.StoreSetting("{Catalog名称}", "改过的");
  other.page.SaveText(other.page.Path());
  ASSERT_TRUE(WritePackageBack(other));
  EditorSession again(f.t.context);
  ASSERT_TRUE(OpenPackage(again, f.work / "my.book.pga"));
  EXPECT_EQ(again.page.GetSetting("{Catalog名称}"), "改过的");
}

TEST(Package, BrokenPackagesAreRefusedWithTheirMessages) {
  test::TestContext t;
  test::TempDir dir;
  EditorSession session(t.context);
  test::WriteBytes(dir / "junk.pga", "not a zip at all");
  EXPECT_FALSE(OpenPackage(session, dir / "junk.pga"));
  EXPECT_EQ(t.ui.messages.back().rfind("[出错] 不是有效的pga文件，读取出现错误。", 0), 0u);

  test::WriteBytes(dir / "one.txt", "1");
  WriteZip(dir / "one.pga", {{dir / "one.txt", "one.txt"}}, nullptr);
  EXPECT_FALSE(OpenPackage(session, dir / "one.pga"));
  EXPECT_EQ(t.ui.messages.back(), "[出错] 不是有效的pga文件，读取出现错误。");

  WriteZip(dir / "two.pga", {{dir / "one.txt", "a.txt"}, {dir / "one.txt", "b.txt"}}, nullptr);
  EXPECT_FALSE(OpenPackage(session, dir / "two.pga"));
  EXPECT_EQ(t.ui.messages.back(), "[出错] 信息描述文件不存在，文件载入失败。");
  EXPECT_FALSE(session.fromPackage);
}

TEST(ZipReader, RefusesEntriesLeavingTheFolderAndReadsChineseNames) {
  test::TempDir dir;
  test::WriteBytes(dir / "f.txt", "data");
  for (const char* bad :
       {"../evil.txt", "/abs.txt", "a/../../evil.txt", "c:\\evil.txt", "..\\evil.txt"}) {
    WriteZip(dir / "bad.zip", {{dir / "f.txt", "ok.txt"}, {dir / "f.txt", bad}}, nullptr);
    EXPECT_THROW(ExtractZip(dir / "bad.zip", dir / "out/"), UserError) << bad;
    EXPECT_FALSE(fs::exists(dir / "evil.txt"));
    EXPECT_FALSE(fs::exists(dir / "out/ok.txt")) << "nothing is extracted from a refused archive";
  }
  // An archive from Chinese Windows: the name in the code page, no UTF-8 flag.
  WriteZip(dir / "gb.zip", {{dir / "f.txt", "images\\XXXX.jpg"}}, nullptr);
  std::string bytes = test::ReadBytes(dir / "gb.zip");
  const std::string gb = EncodeGb18030("图片");
  for (size_t at = bytes.find("XXXX"); at != std::string::npos; at = bytes.find("XXXX", at + 1)) {
    bytes.replace(at, 4, gb);
  }
  bytes[6] = bytes[7] = 0;  // local header flags
  const size_t central = bytes.find("PK\x01\x02");
  bytes[central + 8] = bytes[central + 9] = 0;
  test::WriteBytes(dir / "gb.zip", bytes);
  EXPECT_EQ(ExtractZip(dir / "gb.zip", dir / "gb/"), 1);
  EXPECT_EQ(test::ReadBytes(dir / "gb/images/图片.jpg"), "data");
}

}  // namespace
}  // namespace pagora
