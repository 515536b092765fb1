#include <gtest/gtest.h>

#include "base/UserError.h"
#include "editor/BulkCommands.h"
#include "editor/GridFixture.h"

namespace pagora {
namespace {

using test::GridFixture;

// A page of `count` items numbered N1, N2, ... with pictures named pK.x.jpg.
void Items(GridFixture& f, int count) {
  for (int k = 1; k <= count; ++k) {
    if (k > 1) f.grid.AppendItemRows();
    const auto [column, row] = ProductGrid::CellOfField(ItemField::Number, k);
    f.grid.SetCellText(column, row, "N" + std::to_string(k));
    f.grid.WriteCellToPage(column, row);
    f.grid.SetItemPicture(k, "/pics/p" + std::to_string(k) + ".x.jpg");
  }
}

std::string Field(const GridFixture& f, int k, ItemField field) {
  return f.grid.Item(k).Field(field).value;
}

TEST(BulkCommands, PrefixAndCounterParsing) {
  struct Case {
    std::string answer, first, second;
  };
  const Case cases[] = {{"P-", "P-001", "P-002"},
                        {"A/7", "A008", "A009"},
                        {"A/x", "A", "A"},
                        {"AT- /231", "AT- 232", "AT- 233"},
                        {"ABC:DE", "ABC001DE", "ABC002DE"},
                        {"AB:X/5", "AB006X", "AB007X"}};
  for (const Case& c : cases) {
    GridFixture f;
    Items(f, 3);
    f.grid.SetCurrentCell(3, ProductGrid::FirstRowOfItem(2));
    f.t.ui.inputs.push_back(c.answer);
    RunBulkCommand(f.grid, f.t.context, BulkCommand::NumberPrefix);
    EXPECT_EQ(Field(f, 1, ItemField::Number), "N1") << c.answer;
    EXPECT_EQ(Field(f, 2, ItemField::Number), c.first) << c.answer;
    EXPECT_EQ(Field(f, 3, ItemField::Number), c.second) << c.answer;
    EXPECT_EQ(f.BlockLines(3)[2], "{$PID}=编号：!:" + c.second);
  }
}

TEST(BulkCommands, RangeStartsAtTheFieldRowOfTheCurrentItem) {
  GridFixture f;
  Items(f, 5);
  f.grid.SetCurrentCell(3, ProductGrid::FirstRowOfItem(4) + 1);  // item 4's price
  f.t.ui.inputs = {"Q", "9.90"};
  RunBulkCommand(f.grid, f.t.context, BulkCommand::FixedName);
  RunBulkCommand(f.grid, f.t.context, BulkCommand::FixedPrice);
  EXPECT_EQ(Field(f, 4, ItemField::Name), "");  // the name row lies above the current row
  EXPECT_EQ(Field(f, 5, ItemField::Name), "Q");
  EXPECT_EQ(Field(f, 4, ItemField::Price), "9.90");
  EXPECT_EQ(Field(f, 3, ItemField::Price), "");
  EXPECT_EQ(f.t.ui.messages.front(), "[请输入] 请输入一个名称，类似：Pet    ");
  // An empty answer changes nothing.
  f.t.ui.inputs = {std::string()};
  RunBulkCommand(f.grid, f.t.context, BulkCommand::FixedPrice);
  EXPECT_EQ(Field(f, 5, ItemField::Price), "9.90");
}

TEST(BulkCommands, FactorsRoundHalvesAwayFromZero) {
  EXPECT_EQ(FormatProduct(0, true), "0.00");
  EXPECT_EQ(FormatProduct(10 * double(1.35f), true), "13.50");
  EXPECT_EQ(FormatProduct(2 * 1.5, false), "3");
  EXPECT_EQ(FormatProduct(0.25 * 1.5, false), "0.38");
  EXPECT_EQ(FormatProduct(-0.125, true), "-0.13");

  GridFixture f;
  Items(f, 3);
  for (const auto& [k, price] : {std::pair{2, "10"}, {3, "x"}}) {
    const auto [column, row] = ProductGrid::CellOfField(ItemField::Price, k);
    f.grid.SetCellText(column, row, price);
    f.grid.WriteCellToPage(column, row);
  }
  f.t.ui.inputs = {"abc"};
  RunBulkCommand(f.grid, f.t.context, BulkCommand::PriceFactor);
  EXPECT_EQ(f.t.ui.messages.back(), "[无效数字] 必须输入有效的数字。");
  f.t.ui.inputs = {"1.35"};
  EXPECT_THROW(RunBulkCommand(f.grid, f.t.context, BulkCommand::PriceFactor), UserError);
  EXPECT_EQ(Field(f, 1, ItemField::Price), "0.00");  // items before the bad one keep their values
  EXPECT_EQ(Field(f, 2, ItemField::Price), "13.50");
  EXPECT_EQ(Field(f, 3, ItemField::Price), "x");
  EXPECT_FALSE(f.t.ui.busy);
}

TEST(BulkCommands, FromPicturesNumbersAndCopies) {
  GridFixture f;
  Items(f, 3);
  f.grid.SetItemPicture(2, "");
  RunBulkCommand(f.grid, f.t.context, BulkCommand::NumberFromPicture);
  EXPECT_EQ(Field(f, 1, ItemField::Number), "p1");
  EXPECT_EQ(Field(f, 2, ItemField::Number), "N2");  // no picture: kept
  RunBulkCommand(f.grid, f.t.context, BulkCommand::NameFromNumber);
  EXPECT_EQ(Field(f, 2, ItemField::Name), "N2");

  const auto write = [&](int k, ItemField field, const char* text) {
    const auto [column, row] = ProductGrid::CellOfField(field, k);
    f.grid.SetCellText(column, row, text);
    f.grid.WriteCellToPage(column, row);
  };
  write(2, ItemField::Desc, "白瓷");
  write(2, ItemField::Price, "5");
  write(2, ItemField::Spec, "大");
  f.grid.SetCurrentCell(3, 1);
  f.t.ui.answers.push_back(Answer::Ok);
  f.t.ui.inputs.push_back("2");
  RunBulkCommand(f.grid, f.t.context, BulkCommand::CopyValues);
  EXPECT_EQ(f.t.ui.messages.back(),
            "[请输入] 请输入一要复制的来源的序号，当前选择商品的序号为 1    ");
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(Field(f, k, ItemField::Price), "5");
    EXPECT_EQ(Field(f, k, ItemField::Spec), "大");
    EXPECT_EQ(Field(f, k, ItemField::Desc), "白瓷");
  }
  EXPECT_EQ(Field(f, 1, ItemField::Number), "p1");
  f.t.ui.inputs.push_back("9");
  RunBulkCommand(f.grid, f.t.context, BulkCommand::CopyDescription);  // out of range: no change
  EXPECT_EQ(Field(f, 1, ItemField::Desc), "白瓷");
}

TEST(BulkCommands, SwapAndMove) {
  GridFixture f;
  Items(f, 5);
  f.t.ui.inputs = {"3 3", "2 9", "27"};
  SwapCommand(f.grid, f.t.context, false);
  EXPECT_TRUE(f.t.ui.messages.size() == 1);  // only the prompt
  SwapCommand(f.grid, f.t.context, false);
  EXPECT_EQ(f.t.ui.messages.back(), "[交换资料] 资料序号不存在");
  SwapCommand(f.grid, f.t.context, true);
  EXPECT_EQ(f.t.ui.messages.back(),
            "[交换资料] 无效的输入，格式必须为 “资料序号 空格 资料序号”例：3 7");

  f.t.ui.inputs = {"1 2"};
  SwapCommand(f.grid, f.t.context, true);
  EXPECT_EQ(f.grid.Item(1).picture, "/pics/p2.x.jpg");
  EXPECT_EQ(Field(f, 1, ItemField::Number), "N1");  // pictures only

  f.grid.SetCurrentCell(3, ProductGrid::FirstRowOfItem(5));
  f.t.ui.inputs = {"2"};
  MoveCommand(f.grid, f.t.context);
  const std::vector<std::string> order = {"N1", "N5", "N2", "N3", "N4"};
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(Field(f, k, ItemField::Number), order[size_t(k - 1)]);
    EXPECT_EQ(f.BlockLines(k)[2], "{$PID}=编号：!:" + order[size_t(k - 1)]);
  }
  EXPECT_EQ(f.grid.CurrentItem(), 5);  // the current row does not follow
}

}  // namespace
}  // namespace pagora
