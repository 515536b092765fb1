#include <gtest/gtest.h>

#include <zip.h>
#include <cstdlib>
#include <filesystem>

#include "base/Paths.h"
#include "base/TextFile.h"
#include "editor/PackageFlows.h"
#include "editor/SaveFlows.h"
#include "output/BookOutput.h"
#include "support/TestFiles.h"

namespace fs = std::filesystem;

namespace pagora {
namespace {

// Three pages with pictures and one web page with its companion folder, in a book.
// The files below a folder, by their paths relative to it.
std::vector<std::string> FilesBelow(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct BookOutputFixture {
  test::TestContext t;
  test::TempDir work;
  CatalogBook book;

  BookOutputFixture() {
    const std::string& app = t.context.appDir;
    test::MakeFolder(app + "html");
    test::WriteLines(app + "html/head.htm", {"<html><body>"});
    test::WriteLines(app + "html/foot.htm", {"</body></html>"});
    test::WriteLines(app + "html/默认.mob", {"2,1,2,3,3,1=0,0,0,0,1,1,0,0,1,0="});
    for (const char* shared : {"control_new.htm", "middle_1.gif", "middle_bg.gif"}) {
      test::WriteBytes(app + shared, shared);
    }
    test::MakeFolder(work / "pages");
    test::WriteJpeg(work / "pages/cup.jpg", 40, 30);
    for (int n = 1; n <= 3; ++n) {
      Lines page = CreateNewPageText(app, t.clock).lines;
      page[1] = "{Catalog编号}=P" + std::to_string(n);
      page[2] = "{Catalog名称}=第" + std::to_string(n) + "页";
      page.insert(page.end(), {"/*c", "{detail}", "", "{$1}", "{$IMG}=cup.jpg", "{$PID}=1"});
      test::WriteLines(work / ("pages/p" + std::to_string(n) + ".pgt"), page);
    }
    test::WriteBytes(work / "pages/about.us.htm", "<p>about");
    test::MakeFolder(work / "pages/about.files");
    test::WriteBytes(work / "pages/about.files/logo.gif", "GIF");
    test::MakeFolder(work / "out");
    test::WriteLines(work / "b.pgs", {"Catalog_name=样品目录册", "catalog_index_name=p2.pgt",
                                      "Catalog_Lost_name=", "Catalog_Output=" + (work / "out"),
                                      "{$Files}", "pages\\p1.pgt", "pages\\missing.pgt",
                                      "pages\\p2.pgt", "pages\\about.us.htm", "pages\\p3.pgt"});
    book.Load(work / "b.pgs");
  }
  BookOutputResult Output(BookOutputKind kind, std::string language = "中文") {
    BookOutputRequest request;
    request.kind = kind;
    request.currentLanguage = std::move(language);
    return OutputBook(book, request, t.context);
  }
  std::string BookDir() const { return work / "out/b/"; }
};

TEST(BookOutput, HtmlFramesetNavigationAndFiles) {
  BookOutputFixture f;
  const BookOutputResult result = f.Output(BookOutputKind::Html);
  ASSERT_TRUE(result.done);
  EXPECT_EQ(result.path, f.BookDir());
  const Lines left = ReadTextFileStrict(f.BookDir() + "images/left.htm");
  ASSERT_EQ(left.size(), 15u);
  EXPECT_EQ(left[3], "<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">");
  EXPECT_EQ(left[8], "<p>样品目录册</p>");
  const std::string p2 = left[10].substr(12, 42);  // <p><a href="{GUID}.htm"
  EXPECT_EQ(left[10], "<p><a href=\"" + p2 + "\" target=\"right\">第2页</a></p>");
  EXPECT_EQ(left[11], "<p><a href=\"about.us.htm\" target=\"right\">about</a></p>");
  const Lines index = ReadTextFileStrict(f.BookDir() + "index.htm");
  EXPECT_EQ(
      index,
      (Lines{
          "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Frameset//EN\">",
          "<HTML><HEAD><TITLE>样品目录册</TITLE>",
          "<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">",
          "<META content=\"MSHTML 6.00.2900.3059\" name=GENERATOR></HEAD>",
          "<FRAMESET id=bbsArea name=main frameSpacing=0 frameBorder=no cols=176,8,*>",
          "<FRAME id=_leftup name=leftup src=\"images/left.htm\" scrolling=yes>",
          "<FRAME name=control marginWidth=0 src=\"images/control_new.htm\" noResize scrolling=no>",
          "<FRAME name=right src=\"images/" + p2 + "\" scrolling=yes>", "</FRAMESET>", "</HTML>"}));
  size_t pages = 0;
  for (const auto& entry : fs::directory_iterator(f.BookDir() + "images")) {
    pages += entry.path().filename().string().front() == '{';
  }
  EXPECT_EQ(pages, 3u);
  for (const char* file :
       {"cup.jpg", "control_new.htm", "middle_1.gif", "about.us.htm", "about.files/logo.gif"}) {
    EXPECT_TRUE(FileExists(f.BookDir() + "images/" + file)) << file;
  }
  EXPECT_FALSE(f.t.ui.progressVisible);

  // Again: new names, and an English page in the editor makes the navigation iso-8859-1.
  f.Output(BookOutputKind::Html, "英文");
  const Lines again = ReadTextFileStrict(f.BookDir() + "images/left.htm");
  EXPECT_NE(again[10], left[10]);
  EXPECT_EQ(again[3], "<META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\">");
}

TEST(BookOutput, ChmHasContentsFullTextIndexAndPictures) {
  BookOutputFixture f;
  const BookOutputResult result = f.Output(BookOutputKind::Chm);
  ASSERT_EQ(result.path, f.BookDir() + "b.chm");
  const std::string list = f.work / "list.txt";
  ASSERT_EQ(std::system(("enum_chmLib '" + result.path + "' > '" + list + "'").c_str()), 0);
  const std::string listing = test::ReadBytes(list);
  for (const char* entry : {"/Contents.hhc", "/$FIftiMain", "/cup.jpg", "/about.us.htm"}) {
    EXPECT_NE(listing.find(entry), std::string::npos) << entry;
  }
  EXPECT_EQ(FilesBelow(f.BookDir()), (std::vector<std::string>{"b.chm"}));
}

TEST(BookOutput, MhtFramesAreFlat) {
  BookOutputFixture f;
  const BookOutputResult result = f.Output(BookOutputKind::Mht);
  ASSERT_EQ(result.path, f.BookDir() + "b.mht");
  const std::string mht = test::ReadBytes(result.path);
  EXPECT_NE(mht.find("Content-Location: http://catalog.pagora.local/left.htm"), std::string::npos);
  EXPECT_NE(mht.find("Content-Location: http://catalog.pagora.local/cup.jpg"), std::string::npos);
  EXPECT_EQ(FilesBelow(f.BookDir()), (std::vector<std::string>{"b.mht"}));
}

TEST(BookOutput, PackageOpensBackAsTheBook) {
  BookOutputFixture f;
  const BookOutputResult result = f.Output(BookOutputKind::Package);
  ASSERT_EQ(result.path, f.BookDir() + "b.pga");
  EXPECT_EQ(FilesBelow(f.BookDir()), (std::vector<std::string>{"b.pga"}));

  EditorSession session(f.t.context);
  ASSERT_TRUE(OpenPackage(session, result.path));
  EXPECT_TRUE(session.packageHoldsBook);
  EXPECT_EQ(session.pageList,
            (std::vector<std::string>{"p1.pgt", "p2.pgt", "about.us.htm", "p3.pgt"}));
  EXPECT_EQ(session.page.GetSetting("{Catalog编号}"), "P1");
  EXPECT_EQ(session.grid.Item(1).picture, f.t.context.appDir + "tmp/b/images/cup.jpg");

  // Saving a page of it writes the whole book back into the package it came from.
  const std::string mine = f.work / "mine.pga";
  fs::copy_file(result.path, mine);
  session.packagePath = mine;
  session.page.StoreSetting("{Catalog名称}", "改过");
  EXPECT_FALSE(SavePage(session));  // a book write-back reports it did not complete
  EditorSession again(f.t.context);
  ASSERT_TRUE(OpenPackage(again, mine));
  EXPECT_EQ(again.page.GetSetting("{Catalog名称}"), "改过");
  EXPECT_FALSE(FileExists(f.BookDir() + "b.pga"));

  // A package that cannot be replaced stays as it was, and the user is told.
  again.packageHoldsBook = false;
  again.packagePath = f.work / "no/such/folder/x.pga";
  again.page.StoreSetting("{Catalog名称}", "再改");
  f.t.ui.folders.push_back(std::nullopt);  // the page has no output folder of its own
  EXPECT_FALSE(SavePage(again));
  EXPECT_EQ(f.t.ui.messages.back(), "[错误] 保存pga文件失败，可能一个pga文件处于写保护状态。");
}

TEST(BookOutput, RefusalsWriteNothing) {
  BookOutputFixture f;
  BookOutputRequest request;
  request.currentPageModified = true;
  f.t.ui.answers.push_back(Answer::No);
  EXPECT_FALSE(OutputBook(f.book, request, f.t.context).done);
  EXPECT_EQ(f.t.ui.messages.back(),
            "[注意] 注意：在输出目录册时，没有保存的内容不会被输出，是否继续？");
  CatalogBook nameless;
  EXPECT_FALSE(OutputBook(nameless, {}, f.t.context).done);
  EXPECT_EQ(f.t.ui.messages.back(), "[错误] 当前目录册路径为空，输出不能完成。");
  EXPECT_FALSE(fs::exists(f.BookDir()));
}

}  // namespace
}  // namespace pagora
