#include <gtest/gtest.h>

#include <filesystem>

#include "base/TextFile.h"
#include "document/DefaultSettings.h"
#include "editor/PageFlows.h"
#include "editor/PageSettingsForm.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

struct FormFixture {
  test::TestContext t;
  EditorSession session{t.context};
  PageSettingsForm form{session};

  FormFixture() {
    test::WriteLines(t.context.appDir + "cols1.dat", {"中文内容", "华星", "王丽", "", "", "", "",
                                                      "cn@x.example", "", "", "", "/out/cn"});
    test::WriteLines(t.context.appDir + "cols2.dat", {"英文内容", "Huaxing", "Li", "", "", "", "",
                                                      "en@x.example", "", "", "", "/out/en"});
  }
};

TEST(PageSettingsForm, OpensOnTheCellsAndWritesEveryRowOnOk) {
  FormFixture f;
  f.form.Open();  // no page yet: one is made
  EXPECT_EQ(f.form.rows[1], "新建目录页2026-03-09");
  EXPECT_EQ(f.form.rows[15], "cn@x.example");
  EXPECT_EQ(f.form.language, "中文");
  f.session.page.SetSetting("{客户编号}", "");  // a page without the line
  f.form.Open();
  EXPECT_EQ(f.form.rows[4], "");
  f.form.rows[11].clear();
  ASSERT_TRUE(f.form.Ok());
  EXPECT_EQ(f.session.page.Text().back(), "{客户编号}= ");
  EXPECT_EQ(f.session.page.GetSetting("{行高}"), "0");
  EXPECT_TRUE(f.session.page.IsModified());
}

TEST(PageSettingsForm, RequiredValuesInOrder) {
  FormFixture f;
  f.form.Open();
  f.form.rows[1].clear();
  f.form.rows[15].clear();
  EXPECT_FALSE(f.form.Ok());
  EXPECT_EQ(f.t.ui.messages.back(), "[页面设置] Catalog编号不能为空。");
  f.form.rows[1] = "Q1";
  EXPECT_FALSE(f.form.Ok());
  EXPECT_EQ(f.t.ui.messages.back(), "[页面设置] 订单接收email不能为空。");
}

TEST(PageSettingsForm, LanguageSwapsCompanyEntriesAndCurrency) {
  FormFixture f;
  f.form.Open();
  f.form.ChooseLanguage("英文");
  EXPECT_EQ(f.form.rows[8], "$");
  EXPECT_EQ(f.form.rows[13], "/out/en");
  EXPECT_EQ(f.form.rows[15], "en@x.example");
  EXPECT_EQ(
      f.t.ui.messages.back(),
      "[页面设置] "
      "注意，使用英文输出方式时，使用了西欧编码，图片文件名当中不能含有中文，否则会不能正常显示。");
  f.form.ChooseLanguage("中文");
  EXPECT_EQ(f.form.rows[8], "￥");
  EXPECT_EQ(f.form.rows[13], "/out/cn");
  f.form.rows[8] = "EUR";
  f.form.ChooseLanguage("英文");
  EXPECT_EQ(f.form.rows[8], "EUR");  // any other sign stays
}

TEST(PageSettingsForm, DefaultsFileIsWrittenOrDeleted) {
  FormFixture f;
  f.form.Open();
  f.form.SetSaveAsDefault(true);
  f.form.rows[11] = "40";
  ASSERT_TRUE(f.form.Ok());
  const NewPageText next = CreateNewPageText(f.t.context.appDir, f.t.clock);
  EXPECT_TRUE(next.fromDefaultsFile);
  EXPECT_EQ(ValueOfKey(next.lines, "{行高}"), "40");
  EXPECT_EQ(ValueOfKey(next.lines, "{框线颜色}"), "#000000");
  f.form.SetSaveAsDefault(false);  // unticking deletes at once, whatever follows
  EXPECT_FALSE(std::filesystem::exists(DefaultSettingsPath(f.t.context.appDir)));
}

}  // namespace
}  // namespace pagora
