#include <gtest/gtest.h>

#include "base/UserError.h"
#include "document/CatalogPage.h"
#include "document/PageRepair.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

Lines Block(int n, const std::string& number) {
  return {BlockHeader(n),
          "{$IMG}=p" + number + ".jpg",
          "{$PID}=编号：!:" + number,
          "{$PNAME}=",
          "{$PPRICE}=",
          "{$PUNIT}=",
          "{$PWEIGHT}=",
          "{$PSERIAL}=",
          "{$PNOTE}=",
          "{$IMG_EX}= ",
          "{$NOTE_EX}= "};
}

// A page in the standard layout: 21 settings lines, comment, "{detail}", empty line.
Lines StandardPage(test::TestContext& t, int blocks) {
  Lines text = CreateNewPageText(t.context.appDir, t.clock).lines;
  text.insert(text.end(), {std::string(kItemSectionComment), "{detail}", ""});
  for (int n = 1; n <= blocks; ++n) {
    const Lines block = Block(n, "A" + std::to_string(n));
    text.insert(text.end(), block.begin(), block.end());
  }
  return text;
}

struct RepairFixture {
  test::TestContext t;
  CatalogPage page;
  int reloads = 0;
  ReloadItems reload = [this] { ++reloads; };

  void Command() { RepairPageCommand(page, t.context, reload); }
};

TEST(PageRepair, FirstPassMovesBlockOneDownSecondPassRebuildsBlocks) {
  RepairFixture f;
  Lines text = StandardPage(f.t, 2);
  text.erase(text.begin() + 21, text.begin() + 23);  // block 1 now on line 22
  text.insert(text.begin() + 33, "{$PID}=stray");    // an extra line inside block 1
  f.page.ReplaceText(text);

  RepairPass(f.page, f.t.context, f.reload);
  EXPECT_EQ(f.page.Text()[1], "/*修复的行");
  EXPECT_EQ(f.page.Text()[2], "/*修复的行");
  EXPECT_EQ(f.page.Text()[24], "{$1}");
  EXPECT_EQ(f.reloads, 0);

  RepairPass(f.page, f.t.context, f.reload);
  EXPECT_EQ(f.reloads, 1);
  const Lines expected1 = Block(1, "A1"), expected2 = Block(2, "A2");
  Lines blocks(f.page.Text().begin() + 24, f.page.Text().end());
  Lines want = expected1;
  want.insert(want.end(), expected2.begin(), expected2.end());
  EXPECT_EQ(blocks, want);
  EXPECT_TRUE(f.page.IsModified());
}

TEST(PageRepair, CommandCleansStrayLinesAndRenumbersBlocks) {
  RepairFixture f;
  Lines text = StandardPage(f.t, 0);
  const Lines b1 = Block(1, "A1"), b3 = Block(3, "A3"), b4 = Block(4, "A4");
  text.insert(text.end(), b1.begin(), b1.end());
  text.insert(text.end(), {"", "abc", "   ", "{$2}"});  // blank, stray, an empty block
  text.insert(text.end(), b3.begin(), b3.end());
  text.insert(text.end(), b4.begin(), b4.end());
  text[24 + 2] = "  $PID}=编号：!:A1\t";  // lost its brace, blanks around
  f.page.ReplaceText(text);

  f.Command();
  Lines want = StandardPage(f.t, 0);
  for (const auto& [n, number] : {std::pair{1, "A1"}, {2, "A3"}, {3, "A4"}}) {
    Lines block = Block(n, number);
    want.insert(want.end(), block.begin(), block.end());
  }
  EXPECT_EQ(f.page.Text(), want);
  EXPECT_EQ(f.t.ui.messages, (std::vector<std::string>{"[修复] 修复结束。"}));
  EXPECT_GE(f.reloads, 1);
}

TEST(PageRepair, SurplusHeaderLinesGoInTheDocumentedOrder) {
  RepairFixture f;
  Lines text = StandardPage(f.t, 1);
  text.insert(text.begin() + 5,
              {"{背景图片}=gif/bg.gif", "{背景音乐}=mid/a.mid", "{视觉效果}=fade"});
  f.page.ReplaceText(text);
  ASSERT_EQ(f.page.FindBlock(1), 27u);

  RepairPass(f.page, f.t.context, f.reload);
  Lines want(text.begin() + 1, text.begin() + 24);  // type line gone, settings and effects stay
  want.push_back("{detail}");
  const Lines block = Block(1, "A1");
  want.insert(want.end(), block.begin(), block.end());
  EXPECT_EQ(f.page.Text(), want);
  EXPECT_EQ(f.page.Text()[24], "{$1}");
}

TEST(PageRepair, UnmendableHeaderOffersRebuild) {
  for (const Answer answer : {Answer::Yes, Answer::No}) {
    RepairFixture f;
    Lines text(30, "{k}=v");  // every header line looks like a setting
    const Lines block = Block(1, "A1");
    text.insert(text.end(), block.begin(), block.end());
    f.page.ReplaceText(text);
    f.t.ui.answers.push_back(answer);
    RepairPass(f.page, f.t.context, f.reload);
    EXPECT_EQ(f.t.ui.messages, (std::vector<std::string>{"[重建] 文件头无法修复，是否重建？"}));
    if (answer == Answer::Yes) {
      Lines want = CreateNewPageText(f.t.context.appDir, f.t.clock).lines;
      want.insert(want.end(), {"/*以下内容均由程序自动生成，一般用户无需修改。", "{detail}", ""});
      want.insert(want.end(), block.begin(), block.end());
      EXPECT_EQ(f.page.Text(), want);
    } else {
      EXPECT_EQ(f.page.Text(), text);
    }
  }
}

TEST(PageRepair, TextWithoutBlockOneIsLeftAsItIs) {
  RepairFixture f;
  Lines text = StandardPage(f.t, 0);
  const Lines b2 = Block(2, "A2");
  text.insert(text.end(), b2.begin(), b2.end());
  f.page.ReplaceText(text);
  f.Command();
  EXPECT_EQ(f.page.Text(), text);
  EXPECT_EQ(f.t.ui.messages.back(), "[修复] 修复结束。");
}

TEST(PageRepair, ShortTextBecomesANewPage) {
  RepairFixture f;
  f.page.ReplaceText(Lines(18, "junk"));
  RepairPass(f.page, f.t.context, f.reload);
  EXPECT_EQ(f.page.Text(), CreateNewPageText(f.t.context.appDir, f.t.clock).lines);
}

TEST(PageRepair, NoBlockContentIsAnErrorAfterCleaning) {
  RepairFixture f;
  Lines text = StandardPage(f.t, 0);
  text.insert(text.end(), {"x{$1}x", "  "});
  f.page.ReplaceText(text);
  try {
    RepairPass(f.page, f.t.context, f.reload);
    FAIL() << "no error";
  } catch (const UserError& error) {
    EXPECT_STREQ(error.what(), "修复失败，没有找到catalog块内容。");
  }
  EXPECT_EQ(f.page.Text(), StandardPage(f.t, 0));  // the cleaning stays
  EXPECT_FALSE(f.t.ui.busy);
}

}  // namespace
}  // namespace pagora
