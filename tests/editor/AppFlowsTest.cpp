#include <gtest/gtest.h>

#include <filesystem>

#include "base/TextFile.h"
#include "document/CatalogBook.h"
#include "editor/AppFlows.h"
#include "editor/PageFlows.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

struct FlowFixture {
  test::TestContext t;
  test::TempDir dir;
  EditorSession session{t.context};

  FlowFixture() {
    for (const char* name : {"a.jpg", "b.jpg"}) test::WriteJpeg(dir / name, 16, 16);
    test::MakeFolder(dir / "empty");
    test::WriteLines(dir / "b.pgs", NewBookLines(BookSettings{.name = "b", .output = dir.path()}));
    Lines page = CreateNewPageText(t.context.appDir, t.clock).lines;
    page[1] = "{Catalog编号}=P";
    test::WriteLines(dir / "p.pgt", page);
  }
};

TEST(Dispatch, CommandLinesAsTheShellGivesThem) {
  {
    FlowFixture f;
    EXPECT_EQ(DispatchArguments(f.session, {}), StartOutcome::ShowStartDialog);
  }
  {
    FlowFixture f;  // two pictures, also given as one argument of two lines
    EXPECT_EQ(
        DispatchArguments(f.session, {(f.dir / "a.jpg") + "\r\n" + (f.dir / "b.jpg") + "\r\n"}),
        StartOutcome::Done);
    EXPECT_EQ(f.session.page.DisplayName(), "新建页面1.pgt");
    EXPECT_EQ(f.session.book.Path(), f.t.context.appDir + "目录册/default.pgs");
    EXPECT_EQ(f.session.grid.ItemCount(), 2);
  }
  {
    FlowFixture f;
    EXPECT_EQ(DispatchArguments(f.session, {f.dir / "empty"}), StartOutcome::Quit);
    EXPECT_EQ(f.t.ui.messages.back(),
              "[图片没找到] "
              "没有发现图片文件，系统右键支持jpg格式的图片。\r\n您可以同时选择多个文件夹，注意，不"
              "会搜索子文件夹。");
  }
  {
    FlowFixture f;  // a.jpg b.pgs: the book opens and a page with a.jpg joins it
    DispatchArguments(f.session, {f.dir / "a.jpg", f.dir / "b.pgs"});
    EXPECT_EQ(f.session.book.Path(), f.dir / "b.pgs");
    EXPECT_EQ(f.session.grid.Item(1).picture, f.dir / "a.jpg");
    EXPECT_EQ(f.session.pageList, (std::vector<std::string>{"新建页面1.pgt"}));
  }
  {
    FlowFixture f;  // b.pgs a.jpg: only the book
    DispatchArguments(f.session, {f.dir / "b.pgs", f.dir / "a.jpg"});
    EXPECT_EQ(f.session.book.Path(), f.dir / "b.pgs");
    EXPECT_FALSE(f.session.page.IsOpen());
  }
  {
    FlowFixture f;  // p.pgt a.jpg: only the page
    DispatchArguments(f.session, {f.dir / "p.pgt", f.dir / "a.jpg"});
    EXPECT_EQ(f.session.page.GetSetting("{Catalog编号}"), "P");
    EXPECT_FALSE(f.session.book.HasBook());
  }
}

TEST(Flows, CloseQuestionsSaveAsAndCleanUp) {
  FlowFixture f;
  ASSERT_TRUE(NewPage(f.session));
  EXPECT_FALSE(NewPage(f.session));  // an unsaved new page is not given up silently
  f.t.ui.answers = {Answer::No};
  EXPECT_FALSE(ClosePage(f.session));
  EXPECT_EQ(f.t.ui.messages.back(),
            "[关闭页面] 该Catalog页面还没保存，没有保存的信息将丢失，是否关闭当前页面？");
  f.t.ui.answers = {Answer::Cancel};
  EXPECT_FALSE(CloseQuery(f.session));
  EXPECT_EQ(f.t.ui.messages.back(), "[确认存盘] 有资料修改后尚未保存，是否存盘？");
  f.t.ui.answers = {Answer::Yes};  // save, then the file dialog is cancelled: nothing is lost
  f.t.ui.saveFiles = {std::nullopt};
  EXPECT_FALSE(CloseQuery(f.session));
  EXPECT_TRUE(f.session.page.IsModified());

  test::WriteBytes(f.dir / "taken.pgt", "old");
  f.t.ui.saveFiles = {f.dir / "taken"};
  f.t.ui.answers = {Answer::No};
  EXPECT_FALSE(SavePageAs(f.session));
  EXPECT_EQ(test::ReadBytes(f.dir / "taken.pgt"), "old");
  f.t.ui.saveFiles = {f.dir / "taken.PGT"};
  f.t.ui.answers = {Answer::Yes};
  ASSERT_TRUE(SavePageAs(f.session));
  EXPECT_EQ(f.session.page.Path(), f.dir / "taken.PGT");
  EXPECT_EQ(f.session.panelCaption,
            f.t.context.appDir + "目录册/default.pgs");  // the book keeps the panel
  EXPECT_TRUE(CloseQuery(f.session));
  ASSERT_TRUE(CloseEverything(f.session));
  EXPECT_TRUE(f.session.pageList.empty());
  EXPECT_FALSE(f.session.book.HasBook());

  test::MakeFolder(f.t.context.appDir + "tmp/sub");
  test::WriteBytes(f.t.context.appDir + "tmp/sub/x.htm", "x");
  CleanUpOnClose(f.t.context);
  EXPECT_FALSE(std::filesystem::exists(f.t.context.appDir + "tmp/sub/x.htm"));
  EXPECT_TRUE(std::filesystem::exists(f.t.context.appDir + "tmp/sub"));
}

}  // namespace
}  // namespace pagora
