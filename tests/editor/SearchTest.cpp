#include <gtest/gtest.h>

#include "base/TextFile.h"
#include "editor/GridFixture.h"
#include "editor/Search.h"

namespace pagora {
namespace {

TEST(Search, SavedPagesFromTheHistoryOrTheBook) {
  test::TestContext t;
  test::TempDir dir;
  test::WriteLines(dir / "a.pgt", {"{Catalog名称}=Teapot set"});
  test::WriteLines(dir / "b.pgt", {"{$PNAME}=名称：!:茶壶 TEAPOT"});
  test::WriteLines(dir / "c.pgt", {"{$PNAME}=cup"});
  test::WriteLines(t.context.appDir + "history.txt", {dir / "a.pgt", "", dir / "gone.pgt",
                                                      dir / "b.pgt", dir / "c.pgt", dir / "b.pgt"});
  FileSearch search{"teapot", SearchScope::AllBooks, false, "", nullptr};
  FileSearchResult result = SearchFiles(search, t.context);
  EXPECT_EQ(result.pages, (std::vector<std::string>{dir / "a.pgt", dir / "b.pgt", dir / "b.pgt"}));
  EXPECT_EQ(result.searched, 4);
  EXPECT_EQ(t.ui.messages.back(), "[完毕] 搜索完毕，一共搜索了 4 个文件");

  search.matchCase = true;
  EXPECT_TRUE(SearchFiles(search, t.context).pages.empty());
  search.keyword = "茶壶";
  EXPECT_EQ(SearchFiles(search, t.context).pages.size(), 2u);

  // The current book: its setting lines name no file; entries are taken in its folder.
  test::WriteLines(dir / "b.pgs", {"Catalog_name=x", "{$Files}", "c.pgt", "a.pgt"});
  FileSearch book{"cup", SearchScope::CurrentBook, false, dir / "b.pgs", nullptr};
  EXPECT_EQ(SearchFiles(book, t.context).pages, (std::vector<std::string>{dir / "c.pgt"}));

  // "停止" is seen before the next file and before every line.
  int asked = 0;
  search.stopRequested = [&] { return ++asked > 1; };
  const FileSearchResult stopped = SearchFiles(search, t.context);
  EXPECT_EQ(stopped.searched, 1);
  EXPECT_TRUE(stopped.pages.empty());
}

TEST(Search, MissingHistoryOrBookIsSaid) {
  test::TestContext t;
  EXPECT_EQ(SearchFiles({"x", SearchScope::AllBooks, false, "", nullptr}, t.context).searched, 0);
  EXPECT_EQ(t.ui.messages, (std::vector<std::string>{"[错误] 历史记录文件不存在，搜索不能完成",
                                                     "[完毕] 搜索完毕，一共搜索了 0 个文件"}));
  SearchFiles({"x", SearchScope::CurrentBook, false, "", nullptr}, t.context);
  EXPECT_EQ(t.ui.messages[2], "[错误] 当前没有打开目录册，搜索不能完成");
}

TEST(Search, PageSearchGoesOnFromTheLastHit) {
  test::GridFixture f;
  for (int k = 1; k <= 5; ++k) {
    if (k > 1) f.grid.AppendItemRows();
    const auto [column, row] =
        ProductGrid::CellOfField(k == 2 ? ItemField::Number : ItemField::Desc, k);
    f.grid.SetCellText(column, row, (k == 2 || k == 5) ? "A-77" : "other");
  }
  PageSearch search;
  ASSERT_TRUE(search.Find(f.grid, f.t.context, "A-77", false));
  EXPECT_EQ(f.grid.CurrentRow(), ProductGrid::FirstRowOfItem(2));
  ASSERT_TRUE(search.Find(f.grid, f.t.context, "A-77", true));
  EXPECT_EQ(f.grid.CurrentRow(), ProductGrid::FirstRowOfItem(5) + 3);  // item 5's description
  ASSERT_TRUE(search.Find(f.grid, f.t.context, "A-77", true));         // its second merged row
  EXPECT_FALSE(search.Find(f.grid, f.t.context, "A-77", true));
  EXPECT_EQ(f.t.ui.messages.back(), "[完毕] 查找完毕，没有匹配的关键字。");
}

}  // namespace
}  // namespace pagora
