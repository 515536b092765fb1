#include "editor/MenuState.h"

#include "platform/Context.h"

namespace pagora {

namespace {
constexpr const char* kLanguageKey = "{输出语言}";
constexpr const char* kChinese = "中文";
}  // namespace

OutputMenuState ComputeOutputMenuState(const EditorSession& session,
                                       const std::optional<std::string>& selectedEntry) {
  OutputMenuState state;
  state.pageOutputs = session.page.Text().size() > 20;
  state.bookOutputs = session.book.Text().size() > 5;
  state.singlePageOutputs = !selectedEntry || *selectedEntry == session.page.DisplayName();
  state.languageCaption =
      session.page.GetSetting(kLanguageKey) != kChinese ? "切换为中文Catalog" : "切换为英文Catalog";
  return state;
}

void SwitchOutputLanguage(EditorSession& session) {
  Ui& ui = session.context.ui;
  const char* caption = "输出语言改变";
  if (session.page.Text().size() <= 9) {
    ui.Inform(caption, "当前没有打开页面，不能执行此操作。");
    return;
  }
  if (session.page.GetSetting(kLanguageKey) != kChinese) {
    session.page.SetSetting(kLanguageKey, kChinese);
    ui.Inform(caption, "输出语言已经更改为“中文”。");
    return;
  }
  if (!ui.AskYesNo(caption,
                   "输出语言如果从“中文”改为英文，不能在图片路径，文件名，描述等地方包含中文字，"
                   "否则会导致图片不能显示，或者页面内出现乱码。是否更改输出语言？",
                   MessageIcon::Warning)) {
    return;
  }
  session.page.SetSetting(kLanguageKey, "英文");
  ui.Inform(caption, "输出语言已经更改为“英文”。");
}

}  // namespace pagora
