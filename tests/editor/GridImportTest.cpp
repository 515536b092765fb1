#include <gtest/gtest.h>

#include "editor/GridFixture.h"

namespace pagora {
namespace {

using test::GridFixture;

struct RecordingBook final : BookFileAdder {
  std::vector<std::string> added;
  void AddFileToBook(const std::string& path) override { added.push_back(path); }
};

TEST(GridImport, FillsItemOneThenAppendsAndThumbnailsFollowTheirItems) {
  GridFixture f;
  test::WriteJpeg(f.files / "a.jpg", 300, 200);
  test::WriteGif(f.files / "b.GIF", 100, 100);
  test::WriteJpeg(f.files / "c.jpg", 200, 300);
  test::WriteBytes(f.files / "notes.txt", "x");
  test::WriteBytes(f.files / "skip.doc", "x");
  RecordingBook book;
  f.grid.ImportPaths({f.files / "a.jpg", "", f.files / "notes.txt", f.files / "b.GIF",
                      f.files / "skip.doc", f.files / "c.jpg"},
                     &book);
  ASSERT_EQ(f.grid.ItemCount(), 3);
  EXPECT_EQ(book.added, (std::vector<std::string>{f.files / "notes.txt"}));
  EXPECT_EQ(f.grid.CellText(1, 6), f.files / "a.jpg");
  EXPECT_EQ(f.grid.CellText(1, 12), f.files / "b.GIF");
  EXPECT_EQ(f.BlockLines(3)[1], "{$IMG}=" + (f.files / "c.jpg"));
  EXPECT_EQ(f.grid.ThumbnailOf(1).Width(), 246);
  EXPECT_EQ(f.grid.ThumbnailOf(1).Height(), 161);
  EXPECT_EQ(f.grid.ThumbnailOf(2).Width(), 164);
  EXPECT_EQ(f.grid.ThumbnailOf(3).Width(), 109);
  EXPECT_EQ(f.t.ui.progressCaptions.back(), "总计文件：3 已经导入：3");
  EXPECT_FALSE(f.t.ui.progressVisible);
  EXPECT_FALSE(f.t.ui.busy);
}

TEST(GridImport, EmptyItemOneReceivesThePictureWhileLaterItemsExist) {
  GridFixture f;
  f.grid.AppendItemRows();
  f.grid.SetCellText(3, 7, "N2");
  f.grid.WriteCellToPage(3, 7);
  test::WriteJpeg(f.files / "a.jpg", 30, 20);
  f.grid.ImportPaths({f.files / "a.jpg"}, nullptr);
  EXPECT_EQ(f.grid.ItemCount(), 2);
  EXPECT_EQ(f.grid.Item(1).picture, f.files / "a.jpg");
  EXPECT_TRUE(f.grid.ThumbnailOf(1).image);
  EXPECT_FALSE(f.grid.ThumbnailOf(2).image);
}

TEST(GridImport, PicturesInsideThePageFolderAreStoredRelative) {
  GridFixture f;
  test::MakeFolder(f.files / "img");
  test::WriteJpeg(f.files / "img/a.jpg", 30, 20);
  f.page.SetPath(f.files / "cat.pgt");
  f.grid.ImportPaths({f.files / "img/a.jpg"}, nullptr);
  EXPECT_EQ(f.BlockLines(1)[1], "{$IMG}=img\\a.jpg");
  EXPECT_EQ(f.grid.CellText(1, 6), f.files / "img/a.jpg");
  // Reloading resolves the stored path in the page folder again.
  f.page.SaveText(f.page.Path());
  f.grid.ResetGrid();
  f.grid.FillGridFromPage();
  EXPECT_EQ(f.grid.CellText(1, 6), f.files / "img/a.jpg");

  GridFixture unsaved;
  unsaved.grid.ImportPaths({f.files / "img/a.jpg"}, nullptr);
  EXPECT_EQ(unsaved.BlockLines(1)[1], "{$IMG}=" + (f.files / "img/a.jpg"));
}

TEST(GridImport, InsertPicturesGoInReverseOrderBeforeTheCurrentItem) {
  GridFixture f;
  for (int k = 1; k <= 3; ++k) {
    if (k > 1) f.grid.AppendItemRows();
    f.grid.SetCellText(3, ProductGrid::FirstRowOfItem(k), "N" + std::to_string(k));
    f.grid.WriteCellToPage(3, ProductGrid::FirstRowOfItem(k));
  }
  test::WriteJpeg(f.files / "a.jpg", 30, 20);
  test::WriteJpeg(f.files / "b.jpg", 30, 20);
  f.grid.SetCurrentCell(3, ProductGrid::FirstRowOfItem(3));
  f.grid.InsertPictures({f.files / "a.jpg", f.files / "b.jpg"});
  ASSERT_EQ(f.grid.ItemCount(), 5);
  EXPECT_EQ(f.grid.Item(3).picture, f.files / "b.jpg");
  EXPECT_EQ(f.grid.Item(4).picture, f.files / "a.jpg");
  EXPECT_EQ(f.Number(5), "N3");
  EXPECT_EQ(f.BlockLines(3)[1], "{$IMG}=" + (f.files / "b.jpg"));
  EXPECT_EQ(f.BlockLines(4)[1], "{$IMG}=" + (f.files / "a.jpg"));
  EXPECT_EQ(f.BlockLines(5)[2], "{$PID}=编号：!:N3");
  EXPECT_TRUE(f.grid.ThumbnailOf(3).image);
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(f.grid.CellText(0, ProductGrid::FirstRowOfItem(k)), std::to_string(k));
  }
}

TEST(GridImport, FolderImportsItsOwnJpegsAndRecursionIsAskedFor) {
  GridFixture f;
  test::MakeFolder(f.files / "shots/sub");
  for (const char* name : {"shots/B.JPG", "shots/a.jpg", "shots/sub/c.jpg"}) {
    test::WriteJpeg(f.files / name, 16, 16);
  }
  test::WriteBytes(f.files / "shots/d.gif", "x");
  EXPECT_EQ(ListFolderFiles(f.files / "shots", "*.jpg", false),
            (std::vector<std::string>{f.files / "shots/a.jpg", f.files / "shots/B.JPG"}));
  EXPECT_EQ(ListFolderFiles(f.files / "shots/", "*.jpg", true),
            (std::vector<std::string>{f.files / "shots/a.jpg", f.files / "shots/B.JPG",
                                      f.files / "shots/sub/c.jpg"}));
  f.grid.ImportPaths({f.files / "shots"}, nullptr);
  EXPECT_EQ(f.grid.ItemCount(), 2);

  GridFixture empty;
  test::MakeFolder(f.files / "none");
  empty.grid.ImportPaths({f.files / "none"}, nullptr);
  EXPECT_EQ(empty.page.Text().size(), 21u);
  EXPECT_TRUE(empty.t.ui.messages.empty());
}

}  // namespace
}  // namespace pagora
