#include <gtest/gtest.h>

#include "base/TextFile.h"
#include "generate/CompanyInfoForm.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

TEST(CompanyInfo, SavingWritesTwelveLinesPerFile) {
  test::TestContext t;
  CompanyInfoForm form(t.context);
  form.Show();
  EXPECT_EQ(form.cells.chinese[0], "中文内容");
  form.cells.chinese[1] = "华星";
  form.cells.custom[1] = "{公司名}=自定义";
  form.Save();
  for (const char* file : {"cols1.dat", "cols2.dat", "cols3.dat"}) {
    EXPECT_EQ(ReadTextFileStrict(t.context.appDir + file).size(), 12u) << file;
  }
  EXPECT_EQ(ReadTextFileStrict(t.context.appDir + "cols3.dat")[0], "自定义内容，格式：{name}=text");
  EXPECT_EQ(CompanyPlaceholderLines(t.context.appDir, true)[0], "{公司名}=华星");

  form.cells.chinese[1] = "改了";
  form.cells.custom[2] = "{口号}=好";
  form.SaveCustomOnly();
  EXPECT_EQ(ReadTextFileStrict(t.context.appDir + "cols1.dat")[1], "华星");
  EXPECT_EQ(ReadTextFileStrict(t.context.appDir + "cols3.dat")[2], "{口号}=好");

  t.ui.folders = {std::string("/data/projects"), std::nullopt};
  form.BrowseFolder(1, 10);
  form.BrowseFolder(2, 11);
  EXPECT_EQ(form.cells.chinese[10], "/data/projects");
  EXPECT_EQ(form.cells.english[11], "");
}

TEST(CompanyInfo, ShortFilesFillTheirFirstRows) {
  test::TestContext t;
  test::WriteLines(t.context.appDir + "cols1.dat", {"中文内容", "华星", "王丽"});
  CompanyInfoForm form(t.context);
  form.Show();
  EXPECT_EQ(form.cells.chinese[2], "王丽");
  EXPECT_EQ(form.cells.chinese[3], "");
  EXPECT_EQ(CompanyPlaceholderLines(t.context.appDir, true),
            (Lines{"{公司名}=华星", "{联系人}=王丽"}));
  EXPECT_TRUE(CompanyPlaceholderLines(t.context.appDir, false).empty());
}

}  // namespace
}  // namespace pagora
