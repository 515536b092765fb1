#include <gtest/gtest.h>

#include <filesystem>

#include "base/AppDir.h"
#include "base/TextFile.h"
#include "editor/StartDialog.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

TEST(StartDialog, RecentBooksOpenOrAreTidied) {
  test::TestContext t;
  const std::string& app = t.context.appDir;
  test::MakeFolder(app + "books");
  test::WriteBytes(app + "books/a.pgs", "x");
  test::WriteLines(app + "cts_history.txt", {"books\\a.pgs", app + "gone.pgs"});
  StartDialog dialog(t.context);
  dialog.Show();
  ASSERT_EQ(dialog.Books().size(), 2u);
  EXPECT_EQ(dialog.OpenEntry(0), StartDialog::Result::Open);
  EXPECT_EQ(dialog.ChosenPath(), app + "books/a.pgs");
  EXPECT_EQ(dialog.OpenEntry(1), StartDialog::Result::Stay);
  EXPECT_EQ(t.ui.messages.back(), "[开始] 该记录已经不存在，请重新选择。");

  dialog.RemoveMissingEntries();
  EXPECT_EQ(t.ui.messages.back(), "[开始] 操作完成。");
  EXPECT_EQ(ReadTextFileStrict(app + "cts_history.txt"), (Lines{"books\\a.pgs"}));

  t.ui.answers.push_back(Answer::Yes);
  dialog.ClearHistory();
  EXPECT_TRUE(dialog.Books().empty());
  EXPECT_FALSE(std::filesystem::exists(app + "cts_history.txt"));
  dialog.RemoveMissingEntries();  // an empty list writes an empty history
  EXPECT_TRUE(ReadTextFileStrict(app + "cts_history.txt").empty());

  dialog.OpenTutorial();
  EXPECT_EQ(t.shell.opened.back(), app + "help/help2.htm");
}

TEST(StartDialog, SearchResultsOpenInANewInstance) {
  test::TestContext t;
  const std::string& app = t.context.appDir;
  test::WriteLines(app + "b.pgs", {"Catalog_name=b", "{$Files}", "D:\\x\\My Page.PGT"});
  test::WriteLines(app + "cts_history.txt", {"b.pgs"});
  t.ui.answers = {Answer::Yes, Answer::No, Answer::No};
  OpenSearchResult(t.context, "/p/my page.pgt");
  OpenSearchResult(t.context, "/p/my page.pgt");
  ASSERT_EQ(t.shell.started.size(), 2u);
  EXPECT_EQ(t.shell.started[0],
            (std::vector<std::string>{ProgramFolder() + "pagora", "/p/my page.pgt"}));
  EXPECT_EQ(t.shell.started[1],
            (std::vector<std::string>{ProgramFolder() + "pagora", app + "b.pgs"}));
  OpenSearchResult(t.context, "/p/other.pgt");
  EXPECT_EQ(t.ui.messages.back(),
            "[完毕] 没有找到匹配的目录册，也许你曾经清空了全部或者部分目录册历史记录。");
}

}  // namespace
}  // namespace pagora
