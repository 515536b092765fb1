#include <gtest/gtest.h>

#include "document/CatalogPage.h"
#include "document/CompanyEntry.h"
#include "document/DefaultSettings.h"
#include "document/ItemWriter.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

using test::TestContext;

ItemValues Values(std::string number = "", std::string picture = "") {
  ItemValues values;
  values.picture = std::move(picture);
  for (int i = 0; i < kTextFieldCount; ++i) {
    values.fields[size_t(i)].label = std::string(DefaultLabel(TextFieldAt(i)));
  }
  values.fields[0].value = std::move(number);
  return values;
}

TEST(NewPage, BuiltInSettingsWithCompanyEntries) {
  TestContext t;
  test::WriteLines(t.context.appDir + "cols1.dat", {"中文内容", "公司名=华星贸易", "联系人=张三",
                                                    "138", "", "", "", "sales@example.com"});
  const NewPageText page = CreateNewPageText(t.context.appDir, t.clock);
  EXPECT_FALSE(page.fromDefaultsFile);
  EXPECT_EQ(page.lines, (Lines{"PGT FILE TYPE 3.0",
                               "{Catalog编号}=新建目录页2026-03-09",
                               "{Catalog名称}=新建页面",
                               "{业务员名}=张三",
                               "{客户编号}=",
                               "{客户名称}=",
                               "{客户公司名}=",
                               "{日期}=2026-03-09",
                               "{货币符号}=￥",
                               "{产品单位}=个",
                               "{重量单位}=克",
                               "{框线颜色}=#000000",
                               "{显示框线}=1",
                               "{输出目录}=",
                               "{输出方式}=CHM(帮助文件类型)",
                               "{输出风格}=默认",
                               "{输出语言}=中文",
                               "{订单接收email地址}=sales@example.com",
                               "{行高}=28",
                               "{备用}=75",
                               "{Catalog说明}="}));
}

TEST(NewPage, DefaultsFileIsTakenWhole) {
  TestContext t;
  DefaultSettings settings;
  settings.number = "Q-1";
  settings.rowHeight = "40";
  settings.english = true;
  settings.borderColour = "#336699";
  settings.borderMode = "0";
  WriteDefaultSettings(t.context.appDir, settings);
  const NewPageText page = CreateNewPageText(t.context.appDir, t.clock);
  EXPECT_TRUE(page.fromDefaultsFile);
  ASSERT_EQ(page.lines.size(), 21u);
  EXPECT_EQ(page.lines[1], "{Catalog编号}=Q-1");
  EXPECT_EQ(page.lines[11], "{框线颜色}=#336699");
  EXPECT_EQ(page.lines[15], "{输出风格}=默认");
  EXPECT_EQ(page.lines[16], "{输出语言}=英文");
  EXPECT_EQ(page.lines[18], "{行高}=40");
  EXPECT_EQ(page.lines[19], "{备用}=75");
}

TEST(CompanyEntry, TakesTextAfterFirstEqualsCutTo240Bytes) {
  test::TempDir dir;
  const std::string path = dir / "cols1.dat";
  test::WriteLines(path, {"中文内容", "公司名=a=b", "plain",
                          std::string(130, 'x') + "=" + std::string(130, '\xe5')});
  EXPECT_EQ(ReadCompanyEntry(path, 1), "a=b");
  EXPECT_EQ(ReadCompanyEntry(path, 2), "plain");
  EXPECT_EQ(ReadCompanyEntry(path, 9), "");
  EXPECT_EQ(ReadCompanyEntry(dir / "none.dat", 1), "");
  test::WriteLines(path, {"", "", "", "长" + std::string(300, 'y')});
  EXPECT_EQ(ReadCompanyEntry(path, 3), "长" + std::string(238, 'y'));
}

TEST(CatalogPage, FirstFieldWriteAddsItemSectionAndBlock) {
  TestContext t;
  CatalogPage page;
  page.ReplaceText(CreateNewPageText(t.context.appDir, t.clock).lines);
  ASSERT_EQ(page.Text().size(), 21u);
  ASSERT_TRUE(WriteItemField(page, 1, ItemField::Number, Values("A001"), t.context, {}));
  const Lines& text = page.Text();
  ASSERT_EQ(text.size(), 24u + 11u);
  EXPECT_EQ(text[21], "/*以下内容均由程序自动生成，一般用户无需自行修改。");
  EXPECT_EQ(text[22], "{detail}");
  EXPECT_EQ(text[23], "");
  EXPECT_EQ(Lines(text.begin() + 24, text.end()),
            (Lines{"{$1}", "{$IMG}=", "{$PID}=编号：!:A001", "{$PNAME}=", "{$PPRICE}=", "{$PUNIT}=",
                   "{$PWEIGHT}=", "{$PSERIAL}=", "{$PNOTE}=", "{$IMG_EX}= ", "{$NOTE_EX}= "}));
  // Writing the picture rewrites only its line.
  ASSERT_TRUE(
      WriteItemField(page, 1, ItemField::Picture, Values("A001", "img\\a.jpg"), t.context, {}));
  EXPECT_EQ(page.Text()[25], "{$IMG}=img\\a.jpg");
  EXPECT_EQ(page.Text().size(), 35u);
  EXPECT_TRUE(t.ui.messages.empty());
}

TEST(CatalogPage, FieldOfACutShortBlockGetsItsKeyLinesBack) {
  TestContext t;
  CatalogPage page;
  Lines text = CreateNewPageText(t.context.appDir, t.clock).lines;
  text.insert(text.end(),
              {"/*c", "{detail}", "", "{$1}", "{$IMG}=a.jpg", "{$PID}=1", "{$PNAME}=n"});
  page.ReplaceText(text);
  ASSERT_TRUE(WriteItemField(page, 1, ItemField::Desc, Values(), t.context, {}));
  EXPECT_EQ(Lines(page.Text().end() - 6, page.Text().end()),
            (Lines{"{$PNAME}=n",
                   "{$PPRICE}=", "{$PUNIT}=", "{$PWEIGHT}=", "{$PSERIAL}=", "{$PNOTE}=描述：!:"}));
}

TEST(CatalogPage, BlockCutDownToItsHeaderIsMendedNotDoubled) {
  TestContext t;
  CatalogPage page;
  Lines text = CreateNewPageText(t.context.appDir, t.clock).lines;
  text.insert(text.end(), {"/*c", "{detail}", "", "{$1}"});
  page.ReplaceText(text);
  ASSERT_TRUE(WriteItemField(page, 1, ItemField::Number, Values("A1"), t.context, {}));
  EXPECT_EQ(Lines(page.Text().begin() + 24, page.Text().end()),
            (Lines{"{$1}", "{$IMG}=", "{$PID}=编号：!:A1"}));
}

TEST(CatalogPage, ChangedBlockStructureOffersRepairInsteadOfOverwriting) {
  for (const Answer answer : {Answer::No, Answer::Yes}) {
    TestContext t;
    CatalogPage page;
    Lines text = CreateNewPageText(t.context.appDir, t.clock).lines;
    // Block 1 lost its name line, so its price would land on the unit line.
    text.insert(text.end(), {"/*c", "{detail}", "", "{$1}", "{$IMG}=", "{$PID}=1", "{$PPRICE}=5",
                             "{$PUNIT}=个", "{$2}", "{$IMG}=", "{$PID}=2"});
    page.ReplaceText(text);
    int reloads = 0;
    t.ui.answers.push_back(answer);
    ItemValues values = Values("1");
    values.fields[size_t(TextFieldIndex(ItemField::Price))].value = "6";
    EXPECT_FALSE(WriteItemField(page, 1, ItemField::Price, values, t.context, [&] { ++reloads; }));
    EXPECT_EQ(t.ui.messages.front(),
              "[需要修正错误] "
              "定位行号出错，可能您打开的pgt文件版本过老或者是文件结构被改变。是否修正此问题？");
    if (answer == Answer::No) {
      EXPECT_EQ(page.Text(), text);
      EXPECT_EQ(t.ui.messages.size(), 1u);
    } else {
      EXPECT_EQ(t.ui.messages.back(), "[修复] 修复结束。");
      EXPECT_EQ(reloads, 1);
      EXPECT_EQ(Lines(page.Text().begin() + 24, page.Text().begin() + 35),
                (Lines{"{$1}", "{$IMG}=", "{$PID}=1", "{$PNAME}=", "{$PPRICE}=5", "{$PUNIT}=个",
                       "{$PWEIGHT}=", "{$PSERIAL}=", "{$PNOTE}=", "{$IMG_EX}= ", "{$NOTE_EX}= "}));
    }
  }
}

TEST(CatalogPage, SettingsKeepTheirLineAndMissingOnesAreAppended) {
  TestContext t;
  CatalogPage page;
  page.ReplaceText(CreateNewPageText(t.context.appDir, t.clock).lines);
  WriteItemField(page, 1, ItemField::Number, Values("A001"), t.context, {});
  page.StoreSetting("{客户编号}", "");
  EXPECT_EQ(page.Text()[4], "{客户编号}= ");
  page.StoreSetting("{背景图片}", "gif/bg.gif");
  EXPECT_EQ(page.Text().back(), "{背景图片}=gif/bg.gif");
  EXPECT_EQ(page.GetSetting("{背景图片}"), "gif/bg.gif");
  EXPECT_EQ(page.GetSetting("{CATALOG编号}"), "新建目录页2026-03-09");
  page.SetSetting("{背景图片}", "");
  EXPECT_EQ(page.GetSetting("{背景图片}"), "");
  EXPECT_EQ(page.Text().back(), "{$NOTE_EX}= ");
}

TEST(CatalogPage, FindBlockInShiftedAndNineLineLayouts) {
  CatalogPage page;
  Lines text(24, "{x}=1");
  // Three effect lines push block 1 to line 27.
  text.insert(text.begin() + 5, {"{背景图片}=a", "{背景音乐}=b", "{视觉效果}=c"});
  for (int n = 1; n <= 3; ++n) {
    text.push_back(BlockHeader(n));
    for (int i = 0; i < 10; ++i) text.push_back("{$PID}=x");
  }
  page.ReplaceText(text);
  EXPECT_EQ(page.FindBlock(1), 27u);
  EXPECT_EQ(page.FindBlock(3), 49u);
  EXPECT_EQ(page.FindBlock(4), page.Text().size() - 1);
  EXPECT_FALSE(page.FindBlockHeader(4));

  Lines nine(24, "{x}=1");
  for (int n = 1; n <= 3; ++n) {
    nine.push_back(BlockHeader(n));
    for (int i = 0; i < 8; ++i) nine.push_back("{$PID}=x");
  }
  page.ReplaceText(nine);
  EXPECT_EQ(page.FindBlock(2), 33u);
  EXPECT_EQ(page.FindBlock(3), 42u);
}

TEST(CatalogPage, ChangesMarkModifiedOnlyPastThreeLines) {
  CatalogPage page;
  page.ReplaceText({"a", "b", "c"});
  EXPECT_FALSE(page.IsModified());
  page.AppendLine("d");
  EXPECT_TRUE(page.IsModified());
}

TEST(CatalogPage, SaveWritesTextUnchangedWithCrLf) {
  test::TempDir dir;
  CatalogPage page;
  page.ReplaceText({"PGT FILE TYPE 3.0", "{Catalog编号}=A", "odd line kept", ""});
  page.SaveText(dir / "p.pgt");
  EXPECT_EQ(test::ReadBytes(dir / "p.pgt"),
            "PGT FILE TYPE 3.0\r\n{Catalog\xB1\xE0\xBA\xC5}=A\r\nodd line kept\r\n\r\n");
  CatalogPage loaded;
  EXPECT_EQ(loaded.LoadText(dir / "p.pgt"), 0);
  EXPECT_EQ(loaded.Text(), page.Text());
}

}  // namespace
}  // namespace pagora
