#include <gtest/gtest.h>

#include "editor/GridFixture.h"

namespace pagora {
namespace {

using test::GridFixture;

TEST(ProductGrid, NewPageShowsOneEmptyItemLaidOut) {
  GridFixture f;
  const ProductGrid& g = f.grid;
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_EQ(g.CellText(0, 0), "序号");
  EXPECT_EQ(g.CellText(1, 0), "图片");
  EXPECT_EQ(g.CellText(0, 1), "1");
  const std::pair<std::pair<int, int>, const char*> labels[] = {
      {{2, 1}, "编号："}, {{4, 1}, "名称："}, {{2, 2}, "单价："}, {{4, 2}, "单位："},
      {{2, 3}, "重量："}, {{4, 3}, "规格："}, {{2, 4}, "描述："}, {{2, 5}, ""}};
  for (const auto& [cell, text] : labels) EXPECT_EQ(g.CellText(cell.first, cell.second), text);
  EXPECT_EQ(ProductGrid::RowHeight(0), 24);
  for (int row = 1; row <= 5; ++row) EXPECT_EQ(ProductGrid::RowHeight(row), 32);
  EXPECT_EQ(ProductGrid::RowHeight(6), 24);
  EXPECT_EQ(ProductGrid::SpanAt(0, 1).rows, 5);
  EXPECT_EQ(ProductGrid::SpanAt(1, 1).rows, 5);
  EXPECT_EQ(ProductGrid::SpanAt(1, 3).rows, 0);
  EXPECT_EQ(ProductGrid::SpanAt(3, 4).columns, 3);
  EXPECT_EQ(ProductGrid::SpanAt(3, 4).rows, 2);
  EXPECT_EQ(ProductGrid::SpanAt(5, 5).columns, 0);
  EXPECT_EQ(g.CurrentColumn(), 3);
  EXPECT_EQ(g.CurrentRow(), 1);
}

TEST(ProductGrid, CellWritesAreLineWritesAndReloadGivesTheSameLine) {
  GridFixture f;
  f.grid.SetCellText(3, 1, "A001");
  ASSERT_TRUE(f.grid.WriteCellToPage(3, 1));
  EXPECT_EQ(f.BlockLines(1)[2], "{$PID}=编号：!:A001");
  // Loading it gives the label and the value; writing again gives the same line.
  f.grid.ResetGrid();
  f.grid.FillGridFromPage();
  EXPECT_EQ(f.grid.CellText(2, 1), "编号：");
  EXPECT_EQ(f.grid.CellText(3, 1), "A001");
  f.grid.WriteCellToPage(3, 1);
  EXPECT_EQ(f.BlockLines(1)[2], "{$PID}=编号：!:A001");
  EXPECT_EQ(f.grid.PageLineOfCell(3, 1), f.page.FindBlock(1) + 2);
  EXPECT_EQ(f.grid.PageLineOfCell(5, 3), f.page.FindBlock(1) + 7);
}

TEST(ProductGrid, BareValueKeepsTheLabelAndMissingPictureIsNoted) {
  GridFixture f;
  f.page.EditText([](Lines& text) {
    text.insert(text.end(),
                {"/*c", "{detail}", "", "{$1}", "{$IMG}=/no/such/pic.jpg", "{$PID}=A001",
                 "{$PNAME}=自定义：!:茶杯", "{$PPRICE}=", "{$PUNIT}=", "{$PWEIGHT}=", "{$PSERIAL}=",
                 "{$PNOTE}=a<br>b", "{$IMG_EX}= ", "{$NOTE_EX}= "});
  });
  f.grid.ResetGrid();
  f.grid.FillGridFromPage();
  EXPECT_EQ(f.grid.CellText(2, 1), "编号：");
  EXPECT_EQ(f.grid.CellText(3, 1), "A001");
  EXPECT_EQ(f.grid.CellText(4, 1), "自定义：");
  EXPECT_EQ(f.grid.CellText(5, 1), "茶杯");
  EXPECT_EQ(f.grid.CellText(3, 4), "a<br>b");
  EXPECT_EQ(f.grid.CellText(1, 6), "/no/such/pic.jpg");
  EXPECT_EQ(f.grid.CellText(1, 1), "图片文件不存在");
  EXPECT_FALSE(f.grid.ThumbnailOf(1).image);
}

// Three items numbered 1, 2, 3 written into the page.
void ThreeItems(GridFixture& f) {
  for (int k = 1; k <= 3; ++k) {
    if (k > 1) f.grid.AppendItemRows();
    const auto [column, row] = ProductGrid::CellOfField(ItemField::Number, k);
    f.grid.SetCellText(column, row, "N" + std::to_string(k));
    f.grid.WriteCellToPage(column, row);
  }
}

TEST(ProductGrid, InsertBlankItemRenumbersBlocksAndOrdinals) {
  GridFixture f;
  ThreeItems(f);
  f.grid.SetCurrentCell(3, ProductGrid::FirstRowOfItem(2) + 2);
  f.grid.InsertBlankItem();
  ASSERT_EQ(f.grid.ItemCount(), 4);
  EXPECT_EQ(f.grid.CurrentItem(), 2);
  EXPECT_EQ(f.Number(2), "");
  EXPECT_EQ(f.Number(3), "N2");
  EXPECT_EQ(f.grid.CellText(0, ProductGrid::FirstRowOfItem(4)), "4");
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(f.BlockLines(k).size(), 11u) << k;
  EXPECT_EQ(f.BlockLines(2)[2], "{$PID}=");
  EXPECT_EQ(f.BlockLines(3)[2], "{$PID}=编号：!:N2");
  EXPECT_EQ(f.BlockLines(4)[2], "{$PID}=编号：!:N3");
  EXPECT_EQ(f.page.Text().size(), 24u + 44u);
}

TEST(ProductGrid, DeleteItemRemovesItsWholeBlock) {
  GridFixture f;
  ThreeItems(f);
  f.grid.SetCurrentCell(5, ProductGrid::FirstRowOfItem(2));
  f.t.ui.answers.push_back(Answer::Yes);
  f.grid.DeleteCurrentItem();
  EXPECT_EQ(f.t.ui.messages.back(), "[确定删除] 是否确定删除第2个商品资料？");
  EXPECT_EQ(f.t.ui.icons.back(), MessageIcon::Information);
  ASSERT_EQ(f.grid.ItemCount(), 2);
  EXPECT_EQ(f.Number(2), "N3");
  EXPECT_EQ(f.grid.CurrentRow(), 1);
  EXPECT_EQ(f.page.Text().size(), 24u + 22u);
  EXPECT_EQ(f.BlockLines(2)[0], "{$2}");
  EXPECT_EQ(f.BlockLines(2)[2], "{$PID}=编号：!:N3");
  for (const std::string& line : f.page.Text()) EXPECT_EQ(line.find("N2"), std::string::npos);

  // No keeps everything.
  f.t.ui.answers.push_back(Answer::No);
  f.grid.DeleteCurrentItem();
  EXPECT_EQ(f.grid.ItemCount(), 2);
}

TEST(ProductGrid, DeleteAllKeepsTheHeadAndNeedsDetailLine) {
  GridFixture f;
  ThreeItems(f);
  f.t.ui.answers.push_back(Answer::Yes);
  f.grid.DeleteAllItems();
  EXPECT_EQ(f.t.ui.messages.back(), "[确定删除] 确定删除此catalog内的全部商品资料？");
  EXPECT_EQ(f.page.Text().size(), 23u);
  EXPECT_EQ(f.page.Text().back(), "{detail}");
  EXPECT_EQ(f.grid.ItemCount(), 1);

  GridFixture noDetail;
  noDetail.page.EditText([](Lines& text) {
    text.insert(text.end(), {"{$1}", "{$IMG}=", "{$PID}=x"});
  });
  const Lines before = noDetail.page.Text();
  noDetail.t.ui.answers.push_back(Answer::Yes);
  noDetail.grid.DeleteAllItems();
  EXPECT_EQ(noDetail.page.Text(), before);
}

TEST(ProductGrid, ClearItemEmptiesValuesKeepsLabels) {
  GridFixture f;
  ThreeItems(f);
  f.grid.SetCurrentCell(3, ProductGrid::FirstRowOfItem(2));
  f.t.ui.answers.push_back(Answer::Yes);
  f.grid.ClearCurrentItem();
  EXPECT_EQ(f.t.ui.messages.back(), "[确认清除] 是否清除第2个商品资料？");
  EXPECT_EQ(f.grid.ItemCount(), 3);
  EXPECT_EQ(f.BlockLines(2),
            (Lines{"{$2}", "{$IMG}=", "{$PID}=编号：!:", "{$PNAME}=名称：!:", "{$PPRICE}=单价：!:",
                   "{$PUNIT}=单位：!:", "{$PWEIGHT}=重量：!:", "{$PSERIAL}=规格：!:",
                   "{$PNOTE}=描述：!:", "{$IMG_EX}= ", "{$NOTE_EX}= "}));
  EXPECT_EQ(f.Number(3), "N3");
}

}  // namespace
}  // namespace pagora
