#include <gtest/gtest.h>

#include <filesystem>

#include "base/Paths.h"
#include "base/TextFile.h"
#include "editor/AppFlows.h"
#include "editor/BookOperations.h"
#include "editor/BookSettingsForm.h"
#include "editor/PageFlows.h"
#include "editor/SaveFlows.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

struct BookFixture {
  test::TestContext t;
  test::TempDir dir;
  EditorSession session{t.context};

  // A book in dir/books/ with the given entries and last-saved page.
  std::string Book(const Lines& entries, const std::string& lost) {
    test::MakeFolder(dir / "books/pages");
    Lines text = {"Catalog_name=鞋",
                  "catalog_index_name=B.pgt",
                  "Catalog_Lost_name=" + lost,
                  "Catalog_Output=",
                  "",
                  "{$Files}"};
    text.insert(text.end(), entries.begin(), entries.end());
    test::WriteLines(dir / "books/b.pgs", text);
    for (const char* name : {"A.pgt", "B.pgt", "C.pgt"}) {
      Lines page = CreateNewPageText(t.context.appDir, t.clock).lines;
      page[1] = std::string("{Catalog编号}=") + name;
      test::WriteLines(dir / ("books/pages/" + std::string(name)), page);
    }
    return dir / "books/b.pgs";
  }
  std::string Number() const { return session.page.GetSetting("{Catalog编号}"); }
};

TEST(Book, OpensThePageSavedLastOrTheFirst) {
  struct Case {
    std::string lost, opened;
  };
  for (const Case& c : {Case{"b.PGT", "B.pgt"}, Case{" ", "A.pgt"}, Case{"gone.pgt", "A.pgt"}}) {
    BookFixture f;
    const std::string book = f.Book({"pages\\A.pgt", f.dir / "books/pages/B.pgt"}, c.lost);
    ASSERT_TRUE(OpenBook(f.session, book, true));
    EXPECT_EQ(f.Number(), c.opened) << c.lost;
    EXPECT_EQ(f.session.pageList, (std::vector<std::string>{"A.pgt", "B.pgt"}));
    EXPECT_EQ(f.session.panelCaption, book);
    EXPECT_EQ(f.session.book.Text().size(), 7u);  // the empty line is gone
  }
}

TEST(Book, ModifiedPageIsForcedClosedOnlyOnYes) {
  BookFixture f;
  const std::string book = f.Book({"pages\\A.pgt"}, "");
  CreateNewPage(f.session.page, f.session.grid, f.t.context);
  f.t.ui.answers.push_back(Answer::No);
  EXPECT_FALSE(OpenBook(f.session, book, true));
  EXPECT_EQ(f.t.ui.messages.back(),
            "[是否强制关闭] 当前的页面没有关闭，不能载入新的目录册，是否强制关闭当前页面？");
  f.t.ui.answers.push_back(Answer::Yes);
  EXPECT_TRUE(OpenBook(f.session, book, true));
  EXPECT_EQ(f.Number(), "A.pgt");
}

TEST(Book, PageListOperationsWriteTheBookFile) {
  BookFixture f;
  const std::string book = f.Book({"pages\\A.pgt", "pages\\B.pgt", "pages\\C.pgt"}, "");
  OpenBook(f.session, book, false);
  MovePageListEntry(f.session, 2, 0);
  Lines text = ReadTextFileStrict(book);
  EXPECT_EQ(Lines(text.end() - 3, text.end()),
            (Lines{"pages\\C.pgt", "pages\\A.pgt", "pages\\B.pgt"}));
  EXPECT_EQ(f.session.pageList, (std::vector<std::string>{"C.pgt", "A.pgt", "B.pgt"}));

  EXPECT_TRUE(IsDefaultPage(f.session, 2));
  SetDefaultPage(f.session, 2, false);
  EXPECT_EQ(ReadTextFileStrict(book)[1], "catalog_index_name=nil");
  SetDefaultPage(f.session, 0, true);
  EXPECT_EQ(ReadTextFileStrict(book)[1], "catalog_index_name=C.pgt");

  OpenPage(f.session.page, f.session.grid, f.t.context, f.session.book.EntryPath(1));
  f.t.ui.answers.push_back(Answer::Yes);
  RemoveSelectedPage(f.session, 1);
  EXPECT_EQ(f.t.ui.messages.back(), "[确认文件删除] 是否从目录册内删除：A.pgt");
  EXPECT_FALSE(f.session.page.IsOpen());  // the current page was removed
  EXPECT_TRUE(FileExists(f.dir / "books/pages/A.pgt"));
  text = ReadTextFileStrict(book);
  EXPECT_EQ(Lines(text.end() - 2, text.end()), (Lines{"pages\\C.pgt", "pages\\B.pgt"}));
}

TEST(Book, FilesJoinTheBookOnlyWhenOneIsOpen) {
  BookFixture f;
  SessionBookAdder adder(f.session);
  adder.AddFileToBook("/x/a.htm");
  EXPECT_EQ(f.t.ui.messages.back(), "[添加文件] 当前没有打开目录册，不能添加文件。");
  ImportFileIntoBook(f.session);
  EXPECT_EQ(f.t.ui.messages.back(),
            "[错误] 您没有打开目录册，不能导入文件。外部文件只能导入到目录册内。");

  const std::string book = f.Book({"pages\\A.pgt"}, "");
  OpenBook(f.session, book, false);
  adder.AddFileToBook("/x/a.htm");
  f.t.ui.openFiles.push_back({"/x/b.txt"});
  ImportFileIntoBook(f.session);
  EXPECT_EQ(f.session.pageList, (std::vector<std::string>{"b.txt", "a.htm", "A.pgt"}));
  const Lines text = ReadTextFileStrict(book);
  EXPECT_EQ(Lines(text.end() - 3, text.end()), (Lines{"/x/b.txt", "/x/a.htm", "pages\\A.pgt"}));
}

TEST(Book, AddTheCurrentPageToAnotherBook) {
  BookFixture f;
  const std::string book = f.Book({"pages\\A.pgt"}, "");
  OpenBook(f.session, book, true);
  f.t.ui.openFiles.push_back({book});
  AddCurrentPageToOtherBook(f.session);
  EXPECT_EQ(f.t.ui.messages.back(), "[错误] 不能重复添加到当前目录册。");

  test::WriteLines(f.dir / "other.pgs", NewBookLines({"其他", "", true, true, false}));
  f.t.ui.openFiles.push_back({f.dir / "other.pgs"});
  AddCurrentPageToOtherBook(f.session);
  EXPECT_EQ(f.t.ui.messages.back(), "[成功] 添加成功。");
  EXPECT_EQ(ReadTextFileStrict(f.dir / "other.pgs").back(), f.dir / "books/pages/A.pgt");

  f.session.ClearPage();
  CreateNewPage(f.session.page, f.session.grid, f.t.context);
  AddCurrentPageToOtherBook(f.session);
  EXPECT_EQ(f.t.ui.messages.back(), "[请先保存] 当前页面没有保存，不能被其他目录册引用。");
}

TEST(Book, DefaultBookIsCreatedOnceAndListedInTheHistory) {
  BookFixture f;
  ASSERT_TRUE(OpenDefaultBook(f.session, true));
  const std::string path = f.t.context.appDir + "目录册/default.pgs";
  EXPECT_EQ(ReadTextFileStrict(path),
            (Lines{"Catalog_name=默认目录册", "catalog_index_name=", "Catalog_Lost_name=",
                   "Catalog_Output=", "Catalog_always_open=true", "{$Files}"}));
  EXPECT_EQ(ReadTextFileStrict(f.t.context.appDir + "cts_history.txt"), (Lines{path}));
  OpenDefaultBook(f.session, true);
  EXPECT_EQ(ReadTextFileStrict(f.t.context.appDir + "cts_history.txt").size(), 1u);
  EXPECT_FALSE(f.session.page.IsOpen());
}

TEST(BookSettings, NewBookNamedByItsNameAndOpened) {
  BookFixture f;
  BookSettingsForm form(f.session);
  form.BeginNew();
  EXPECT_EQ(form.name, "新的目录册-2026-03-09");
  EXPECT_EQ(form.path, f.t.context.appDir + "目录册/新建目录册1.pgs");
  EXPECT_EQ(form.output, f.t.context.appDir + "输出");
  form.EditName("Shoes");
  form.LeaveName();
  EXPECT_EQ(form.path, f.t.context.appDir + "目录册/Shoes.pgs");
  form.Save();
  const std::string path = f.t.context.appDir + "目录册/Shoes.pgs";
  EXPECT_EQ(ReadTextFileStrict(path),
            (Lines{"Catalog_name=Shoes", "catalog_index_name=", "Catalog_Lost_name=",
                   "Catalog_Output=" + f.t.context.appDir + "输出", "Catalog_fulltext_search=true",
                   "Catalog_always_open=true", "Catalog_move_v=false", "{$Files}"}));
  EXPECT_EQ(form.name, "");
  ASSERT_TRUE(form.OpenPendingBook());
  EXPECT_EQ(f.session.book.Path(), path);
  EXPECT_EQ(ReadTextFileStrict(f.t.context.appDir + "cts_history.txt"), (Lines{path}));
}

TEST(BookSettings, DefaultsFileFillsTheNewBookAndIsKeptOrDropped) {
  BookFixture f;
  const std::string folder = f.dir / "mybooks/";
  test::MakeFolder(folder);
  test::WriteBytes(folder + "新建目录册1.pgs", "taken");
  WriteBookDefaults(f.t.context.appDir, {{"春季", "/out", false, true, true}, folder});
  BookSettingsForm form(f.session);
  form.BeginNew();
  EXPECT_EQ(form.name, "春季");
  EXPECT_EQ(form.output, "/out");
  EXPECT_EQ(form.path, folder + "新建目录册2.pgs");
  EXPECT_TRUE(form.setAsDefault);
  EXPECT_FALSE(form.fullTextSearch);
  EXPECT_TRUE(form.removeMark);
  form.setAsDefault = false;
  form.Save();
  EXPECT_FALSE(std::filesystem::exists(f.t.context.appDir + "cts_default.dat"));
}

}  // namespace
}  // namespace pagora

namespace pagora {
namespace {

TEST(SavePage, FirstSaveNamesThePageAndJoinsTheBook) {
  BookFixture f;
  OpenDefaultBook(f.session, false);
  CreateNewPage(f.session.page, f.session.grid, f.t.context);
  f.session.page.SetDisplayName("新建页面1.pgt");
  f.session.pageList.push_back("新建页面1.pgt");
  f.t.ui.saveFiles.push_back(f.dir / "Apples");
  ASSERT_TRUE(SavePage(f.session));
  const std::string path = f.dir / "Apples.pgt";
  EXPECT_EQ(f.session.page.Path(), path);
  EXPECT_EQ(f.session.page.GetSetting("{Catalog名称}"), "Apples");
  EXPECT_EQ(ReadTextFileStrict(path)[2], "{Catalog名称}=Apples");
  EXPECT_EQ(f.session.pageList, (std::vector<std::string>{"Apples.pgt"}));
  const Lines book = ReadTextFileStrict(f.session.book.Path());
  EXPECT_EQ(book.back(), path);
  EXPECT_EQ(ValueOfKey(book, "Catalog_Lost_name"), "Apples.pgt");
  EXPECT_EQ(ReadTextFileStrict(f.t.context.appDir + "history.txt"), (Lines{path}));
  EXPECT_FALSE(f.session.page.IsModified());

  // A second save without changes writes nothing.
  std::filesystem::remove(path);
  ASSERT_TRUE(SavePage(f.session));
  EXPECT_FALSE(FileExists(path));
  // Cancelling the dialog of a new page saves nothing.
  CreateNewPage(f.session.page, f.session.grid, f.t.context);
  f.t.ui.saveFiles.push_back(std::nullopt);
  EXPECT_FALSE(SavePage(f.session));
}

TEST(PageList, DoubleClickOpensPagesAndAsksForExternalFiles) {
  BookFixture f;
  const std::string book = f.Book({"pages\\A.pgt", "pages\\B.pgt", "notes.txt"}, "");
  OpenBook(f.session, book, true);
  f.t.ui.answers.push_back(Answer::Yes);
  OpenPageListEntry(f.session, 2);
  EXPECT_EQ(f.t.ui.messages.back(),
            "[外部文件] 这是一个外部文件，Pagora不能直接编辑，是否调用关联程序打开？");
  EXPECT_EQ(f.t.shell.opened, (std::vector<std::string>{f.dir / "books/notes.txt"}));

  f.session.page.StoreSetting("{客户名称}", "changed");
  f.t.ui.answers.push_back(Answer::Cancel);
  OpenPageListEntry(f.session, 1);
  EXPECT_EQ(f.t.ui.messages.back(), "[打开新页面] 有页面资料没有保存，是否保存？");
  EXPECT_EQ(f.Number(), "A.pgt");
  f.t.ui.answers.push_back(Answer::Yes);
  OpenPageListEntry(f.session, 1);
  EXPECT_EQ(f.Number(), "B.pgt");
  EXPECT_EQ(ValueOfKey(ReadTextFileStrict(f.dir / "books/pages/A.pgt"), "{客户名称}"), "changed");

  ASSERT_TRUE(NewPage(f.session));  // save chosen, then the file dialog cancelled
  f.t.ui.answers.push_back(Answer::Yes);
  f.t.ui.saveFiles.push_back(std::nullopt);
  OpenPageListEntry(f.session, 0);
  EXPECT_TRUE(f.session.page.Path().empty());
  EXPECT_TRUE(f.session.page.IsModified());
}

}  // namespace
}  // namespace pagora
