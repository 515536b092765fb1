#include <gtest/gtest.h>

#include "base/TextFile.h"
#include "base/UserError.h"
#include "generate/EffectsDialog.h"
#include "platform/MidiPlayer.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

struct FakePlayer final : MidiPlayer {
  std::vector<std::string> calls;
  bool Play(const std::string& path) override {
    calls.push_back("play " + path);
    return true;
  }
  void Stop() override { calls.push_back("stop"); }
};

struct DialogFixture {
  test::TestContext t;
  test::TempDir pageDir;
  FakePlayer player;
  EffectsDialog dialog{t.context, player};
  CatalogPage page;

  DialogFixture() {
    const std::string& app = t.context.appDir;
    for (const char* name : {"淡入", "图片放大"}) test::MakeFolder(app + "css/" + name);
    test::WriteLines(app + "视觉效果.txt",
                     {"淡入=柔和淡入", "图片放大=放大图片", "图片放大=第二条说明"});
    test::MakeFolder(app + "gif");
    test::WriteBytes(app + "gif/bg.gif", "x");
    test::WriteBytes(pageDir / "song.mid", "x");
    page.ReplaceText(Lines(21, "{k}=v"));
    page.EditText([](Lines& text) {
      text.insert(text.begin() + 5,
                  {"{视觉效果}=淡入", "{背景音乐}=song.mid", "{背景图片}=gif\\bg.gif"});
      text.insert(text.end(), {"/*c", "{detail}", ""});
    });
    page.SetPath(pageDir / "p.pgt");
  }
};

TEST(EffectsDialog, ShowsThePageEffectsAndOkKeepsThemInOrder) {
  DialogFixture f;
  f.dialog.Show(f.page);
  EXPECT_EQ(f.dialog.Heading(), "这里设定的网页视听特效将会应用到Catalog当中。");
  EXPECT_EQ(f.dialog.Effects(), (std::vector<std::string>{"无效果", "图片放大", "淡入"}));
  EXPECT_EQ(f.dialog.Effects()[f.dialog.SelectedEffect()], "淡入");
  EXPECT_EQ(f.dialog.Description(), "柔和淡入");
  EXPECT_EQ(f.dialog.Picture(), f.t.context.appDir + "gif/bg.gif");
  EXPECT_EQ(f.dialog.Music(), f.pageDir / "song.mid");

  const Lines before = f.page.Text();
  f.dialog.Ok(f.page);
  EXPECT_EQ(f.page.Text(), before);  // the same three lines, effect, music, picture at 5

  f.dialog.SelectEffect(1);
  EXPECT_EQ(f.dialog.Description(), "第二条说明");  // the last matching line wins
  f.dialog.ClearPicture();
  f.dialog.ClearMusic();
  f.dialog.SelectEffect(0);
  EXPECT_EQ(f.dialog.Description(), "”简介“没有找到");
  f.dialog.Ok(f.page);
  EXPECT_EQ(f.page.Text().size(), before.size() - 3);
  EXPECT_EQ(f.page.GetSetting("{背景图片}"), "");
}

TEST(EffectsDialog, PathsOutsidePageAndAppDirStayFull) {
  DialogFixture f;
  test::TempDir elsewhere;
  f.dialog.Show(f.page);
  f.t.ui.openFiles.push_back({elsewhere / "x.gif"});
  f.dialog.BrowsePicture();
  f.dialog.Ok(f.page);
  EXPECT_EQ(f.page.GetSetting("{背景图片}"), elsewhere / "x.gif");
  EXPECT_EQ(f.page.GetSetting("{背景音乐}"), "song.mid");
}

TEST(EffectsDialog, ListenAndStop) {
  DialogFixture f;
  f.dialog.Show(f.page);
  f.dialog.ClearMusic();
  f.dialog.Listen();
  EXPECT_TRUE(f.player.calls.empty());
  EXPECT_EQ(f.dialog.Status(), "英文catalog不要选用中文名字的迷笛");

  f.t.ui.openFiles.push_back({f.pageDir / "song.mid"});
  f.dialog.BrowseMusic();
  f.dialog.Listen();
  EXPECT_EQ(f.player.calls, (std::vector<std::string>{"stop", "play " + (f.pageDir / "song.mid")}));
  EXPECT_TRUE(f.dialog.Playing());
  EXPECT_FALSE(f.dialog.ListenEnabled());
  EXPECT_TRUE(f.dialog.StopEnabled());
  EXPECT_EQ(f.dialog.Status(), "播放中……");
  f.dialog.EraseInMusicBox("x");
  EXPECT_FALSE(f.dialog.Playing());
  EXPECT_EQ(f.dialog.Status(), "已停止");
}

TEST(EffectsDialog, PreviewWithNothingChosenAndMissingDescriptions) {
  DialogFixture f;
  f.page.ReplaceText(Lines(21, "{k}=v"));
  f.dialog.Show(f.page);
  const std::string path = f.dialog.Preview();
  EXPECT_EQ(f.t.shell.opened, (std::vector<std::string>{path}));
  const Lines lines = ReadTextFileStrict(path);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[2], "<!-- saved from url=(0014)about:internet -->");
  EXPECT_EQ(lines[6], "</HEAD>");
  EXPECT_EQ(lines[9], "背景图片：没有选择<br>");
  EXPECT_EQ(lines[10], "背景音乐：没有选择<br>");
  EXPECT_EQ(lines[11], "显示效果：无效果");

  test::TestContext bare;
  FakePlayer player;
  EffectsDialog dialog(bare.context, player);
  EXPECT_THROW(dialog.Show(f.page), UserError);
}

}  // namespace
}  // namespace pagora
