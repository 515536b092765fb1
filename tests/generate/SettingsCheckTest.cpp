#include <gtest/gtest.h>

#include "generate/SettingsCheck.h"
#include "support/TestFiles.h"

namespace pagora {
namespace {

struct FakeNumbers final : ItemNumbers {
  std::vector<std::pair<std::string, std::string>> items;  // price, weight
  std::vector<std::pair<int, ItemField>> selected;
  int ItemCount() const override { return int(items.size()); }
  std::string Value(int k, ItemField field) const override {
    const auto& item = items.at(size_t(k - 1));
    return field == ItemField::Price ? item.first : item.second;
  }
  void SetValue(int k, ItemField field, const std::string& value) override {
    auto& item = items.at(size_t(k - 1));
    (field == ItemField::Price ? item.first : item.second) = value;
  }
  void Select(int k, ItemField field) override { selected.emplace_back(k, field); }
};

struct CheckFixture {
  test::TestContext t;
  CatalogPage page;
  FakeNumbers numbers;
  CheckFixture() {
    test::MakeFolder(t.context.appDir + "css/fade");
    test::MakeFolder(t.context.appDir + "html");
    test::WriteLines(t.context.appDir + "html/默认.mob", {""});
    page.ReplaceText({"PGT FILE TYPE 3.0", "{Catalog编号}=A1", "{输出风格}=默认", "{输出语言}=中文",
                      "{输出方式}=ZIP(压缩文件类型)", "{视觉效果}=fade", "{背景图片}="});
  }
  SettingsCheckResult Check() { return CheckPageSettings(page, numbers, t.context); }
};

TEST(SettingsCheck, ValidPageWithoutItemsPasses) {
  CheckFixture f;
  EXPECT_TRUE(f.Check().accepted);
  EXPECT_TRUE(f.t.ui.messages.empty());
  f.page.ReplaceText({"no number line at all"});
  EXPECT_TRUE(f.Check().accepted);
}

TEST(SettingsCheck, EmptyNumberStopsWithTheErrorBox) {
  CheckFixture f;
  f.page.ReplaceLine(1, "{Catalog编号}=   ");
  const SettingsCheckResult result = f.Check();
  EXPECT_FALSE(result.accepted);
  EXPECT_EQ(result.offendingLine, 1u);
  EXPECT_EQ(f.t.ui.messages, (std::vector<std::string>{"[错误] 无效的catalog编号，输出终止。"}));
}

TEST(SettingsCheck, DoubtfulSettingsAreQuestions) {
  struct Case {
    size_t line;
    std::string text, question;
  };
  const Case cases[] = {
      {5, "{视觉效果}=nothing", "[无效] 无效的视觉效果，是否禁止视觉效果？"},
      {6, "{背景图片}=gif\\none.gif", "[无效背景图] 无效背景图，是否禁用背景图？"},
      {6, "{背景音乐}=a.mid", "[无效音乐文件] 无效背景音乐，是否禁用背景音乐？"},
      {2, "{输出风格}=其他", "[默认] 无效输出风格，是否使用默认风格"},
      {3, "{输出语言}=法文", "[默认] 无效输出语言，是否使用默认中文？"},
      {4, "{输出方式}=RAR", "[默认] 无效输出方式，是否使用zip格式输出？"},
  };
  for (const Case& c : cases) {
    for (const Answer answer : {Answer::Yes, Answer::No}) {
      CheckFixture f;
      f.page.ReplaceLine(c.line, c.text);
      f.t.ui.answers.push_back(answer);
      const SettingsCheckResult result = f.Check();
      EXPECT_EQ(f.t.ui.messages, (std::vector<std::string>{c.question})) << c.text;
      EXPECT_EQ(f.t.ui.icons.back(), MessageIcon::Information);
      EXPECT_EQ(result.accepted, answer == Answer::Yes) << c.text;
      if (answer == Answer::No) {
        EXPECT_EQ(result.offendingLine, c.line);
      }
      EXPECT_EQ(result.forceChinese, answer == Answer::Yes && c.line == 3) << c.text;
    }
  }
}

TEST(SettingsCheck, PricesAndWeightsByteByByte) {
  CheckFixture f;
  f.numbers.items = {{"12.50", ""}, {"", "3"}, {"¥12", "1,200"}};
  f.t.ui.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
  EXPECT_TRUE(f.Check().accepted);
  const std::string price =
      "[无效数字] 第 3 "
      "个商品资料的单价包含非数字字符，这会导致Catalog的自动计算功能失效。是否忽略此问题？";
  const std::string weight =
      "[无效数字] 第 3 "
      "个商品资料的重量包含非数字字符，这会导致Catalog的自动计算功能失效。是否忽略此问题？";
  EXPECT_EQ(f.t.ui.messages, (std::vector<std::string>{price, price, weight}));
  EXPECT_EQ(f.numbers.items[1].first, "0");  // an empty price shows 0
  EXPECT_EQ(f.numbers.items[0].second, "");  // an empty weight stays

  CheckFixture no;
  no.numbers.items = {{"1,200", ""}};
  no.t.ui.answers = {Answer::No};
  EXPECT_FALSE(no.Check().accepted);
  EXPECT_EQ(no.numbers.selected, (std::vector<std::pair<int, ItemField>>{{1, ItemField::Price}}));
}

}  // namespace
}  // namespace pagora
