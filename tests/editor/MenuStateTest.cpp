#include <gtest/gtest.h>

#include "document/CatalogBook.h"
#include "editor/AppFlows.h"
#include "editor/MenuState.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

TEST(MenuState, FollowsPageBookAndSelection) {
  test::TestContext t;
  EditorSession session{t.context};
  OutputMenuState none = ComputeOutputMenuState(session, std::nullopt);
  EXPECT_FALSE(none.pageOutputs);
  EXPECT_FALSE(none.bookOutputs);

  ASSERT_TRUE(NewPage(session));
  session.book.Clear();  // a new page of its own, no book
  ASSERT_EQ(session.page.Text().size(), 21u);
  OutputMenuState page = ComputeOutputMenuState(session, std::nullopt);
  EXPECT_TRUE(page.pageOutputs);
  EXPECT_FALSE(page.bookOutputs);
  EXPECT_TRUE(page.singlePageOutputs);
  EXPECT_EQ(page.languageCaption, "切换为英文Catalog");

  session.book.ReplaceText(NewBookLines(BookSettings{.name = "b", .output = "/tmp/"}));
  EXPECT_TRUE(ComputeOutputMenuState(session, std::nullopt).bookOutputs);
  EXPECT_TRUE(ComputeOutputMenuState(session, session.page.DisplayName()).singlePageOutputs);
  EXPECT_FALSE(ComputeOutputMenuState(session, std::string("other.pgt")).singlePageOutputs);

  session.page.SetSetting("{输出语言}", "英文");
  EXPECT_EQ(ComputeOutputMenuState(session, std::nullopt).languageCaption, "切换为中文Catalog");
}

TEST(MenuState, LanguageSwitch) {
  test::TestContext t;
  EditorSession session{t.context};
  session.page.ReplaceText(Lines(5, "x"));
  SwitchOutputLanguage(session);
  EXPECT_EQ(t.ui.messages.back(), "[输出语言改变] 当前没有打开页面，不能执行此操作。");

  session.ClearPage();
  ASSERT_TRUE(NewPage(session));
  session.page.SetSetting("{输出语言}", "英文");
  session.page.SetModified(false);
  SwitchOutputLanguage(session);  // to Chinese without a question
  EXPECT_EQ(session.page.GetSetting("{输出语言}"), "中文");
  EXPECT_TRUE(session.page.IsModified());
  EXPECT_EQ(t.ui.messages.back(), "[输出语言改变] 输出语言已经更改为“中文”。");

  t.ui.answers = {Answer::No};
  SwitchOutputLanguage(session);
  EXPECT_EQ(session.page.GetSetting("{输出语言}"), "中文");
  EXPECT_NE(t.ui.messages.back().find("是否更改输出语言？"), std::string::npos);

  t.ui.answers = {Answer::Yes};
  SwitchOutputLanguage(session);
  EXPECT_EQ(session.page.GetSetting("{输出语言}"), "英文");
  EXPECT_EQ(t.ui.messages.back(), "[输出语言改变] 输出语言已经更改为“英文”。");
}

}  // namespace
}  // namespace pagora
