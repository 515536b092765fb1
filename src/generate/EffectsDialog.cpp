#include "generate/EffectsDialog.h"

#include <dirent.h>
#include <algorithm>

#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "generate/Effects.h"
#include "platform/Context.h"
#include "platform/MidiPlayer.h"

namespace pagora {
namespace {

constexpr std::string_view kSavedFrom = "about:internet";
constexpr const char* kCompanySite = "https://www.hollin.example/";
constexpr const char* kProductSite = "https://pagora.example/";

std::vector<std::string> EffectFolders(const std::string& appDir) {
  std::vector<std::string> names;
  DIR* dir = opendir((appDir + "css").c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != ".." && FolderExists(appDir + "css/" + name)) names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string FirstChars(std::string_view text, size_t count) {
  return std::string(text.substr(0, Utf8Offset(text, count)));
}

}  // namespace

void EffectsDialog::Show(const CatalogPage& page) {
  heading_ = "这里设定的网页视听特效将会应用到Catalog当中。";
  picture_.clear();
  music_.clear();
  if (playing_) StopMusic();
  effects_ = {kNoEffect};
  for (std::string& name : EffectFolders(context_.appDir)) effects_.push_back(std::move(name));
  descriptions_ = ReadTextFileStrict(context_.appDir + "视觉效果.txt");

  std::optional<size_t> chosen;
  for (const std::string& line : page.Text()) {
    const std::string_view value = ValueOfLine(line);
    if (line.find("{背景图片}=") != std::string::npos) {
      picture_ = ResolveStoredPath(FirstChars(value, 256), page.Folder(), context_.appDir);
    }
    if (line.find("{背景音乐}=") != std::string::npos) {
      music_ = ResolveStoredPath(FirstChars(value, 256), page.Folder(), context_.appDir);
    }
    if (line.find("{视觉效果}=") != std::string::npos) {
      const auto found = std::find(effects_.begin(), effects_.end(), FirstChars(value, 256));
      if (found != effects_.end()) chosen = size_t(found - effects_.begin());
    }
    if (line.find(kDetailLine) != std::string::npos) break;
  }
  SelectEffect(chosen.value_or(0));
}

void EffectsDialog::SelectEffect(size_t index) {
  selected_ = std::min(index, effects_.size() - 1);
  description_ = "”简介“没有找到";
  const std::string needle = effects_[selected_] + "=";
  for (const std::string& line : descriptions_) {
    if (line.find(needle) != std::string::npos) description_ = FirstChars(ValueOfLine(line), 128);
  }
}

void EffectsDialog::BrowsePicture() {
  FileDialogRequest request;
  request.title = "选择背景图片";
  request.filter = "图片文件(*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp|任意文件(*.*)|*.*";
  request.folder = context_.appDir + "gif";
  const std::vector<std::string> chosen = context_.ui.ChooseOpenFiles(request);
  if (!chosen.empty()) picture_ = chosen.front();
}

void EffectsDialog::BrowseMusic() {
  if (playing_) StopMusic();
  FileDialogRequest request;
  request.title = "选择背景音乐";
  request.filter = "MIDI音乐 *.mid|*.mid";
  request.folder = context_.appDir + "mid";
  const std::vector<std::string> chosen = context_.ui.ChooseOpenFiles(request);
  BusyCursor busy(context_.ui);
  if (!chosen.empty()) music_ = chosen.front();
}

void EffectsDialog::EraseInMusicBox(std::string remaining) {
  music_ = std::move(remaining);
  if (playing_) StopMusic();
}

void EffectsDialog::Listen() {
  if (music_.empty()) return;
  listenEnabled_ = false;
  player_.Stop();
  player_.Play(music_);  // as with the system's media commands, a failure is not reported
  status_ = "播放中……";
  stopEnabled_ = true;
  playing_ = true;
}

void EffectsDialog::StopMusic() {
  listenEnabled_ = true;
  player_.Stop();
  status_ = "已停止";
  stopEnabled_ = false;
  playing_ = false;
}

std::string EffectsDialog::StoredPath(const CatalogPage& page, std::string path) const {
  bool relative = false;
  const std::string folder = page.Folder();
  if (!folder.empty() && StartsWith(path, folder)) {
    path.erase(0, folder.size());
    relative = true;
  }
  if (StartsWith(path, context_.appDir)) {
    path.erase(0, context_.appDir.size());
    relative = true;
  }
  return relative ? StoredRelativePath(path) : path;
}

void EffectsDialog::Ok(CatalogPage& page) {
  if (playing_) StopMusic();
  page.EditText([&](Lines& text) {
    for (size_t i = text.size(); i-- > 0;) {
      const std::string& line = text[i];
      if (line.find("{背景图片}=") != std::string::npos ||
          line.find("{背景音乐}=") != std::string::npos ||
          line.find("{视觉效果}=") != std::string::npos) {
        text.erase(text.begin() + static_cast<std::ptrdiff_t>(i));
      }
    }
    const size_t at = std::min<size_t>(5, text.size());
    auto insert = [&](std::string line) {
      text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    };
    if (!picture_.empty()) insert(std::string(kBackgroundKey) + "=" + StoredPath(page, picture_));
    if (!music_.empty()) insert(std::string(kMusicKey) + "=" + StoredPath(page, music_));
    if (selected_ != 0) insert(std::string(kEffectKey) + "=" + effects_[selected_]);
  });
}

void EffectsDialog::Cancel() {
  if (playing_) StopMusic();
}

std::string EffectsDialog::Preview() {
  const bool effect = selected_ != 0;
  const std::string& name = effects_.at(selected_);
  char length[8];
  std::snprintf(length, sizeof length, "%04zu", kSavedFrom.size());
  Lines lines = {
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">",
      "<HTML><HEAD><TITLE>Hollin Pagora 背景特效预览</TITLE>",
      "<!-- saved from url=(" + std::string(length) + ")" + std::string(kSavedFrom) + " -->",
      "<meta http-equiv=Content-Type content=\"text/html; charset=gb2312\">",
      "<meta http-equiv=\"Page-Enter\" content=\"revealTrans(Duration=1.0,Transition=23)\">",
      "<meta http-equiv=\"Page-Exit\" content=\"revealTrans(Duration=1.0,Transition=23)\">",
  };
  if (effect) lines.push_back(EffectHeadSnippet(context_.appDir, name));
  lines.push_back("</HEAD>");
  if (!picture_.empty()) lines.push_back("<BODY background=\"" + picture_ + "\">");
  if (!music_.empty()) lines.push_back("<bgsound src=\"" + music_ + "\" loop=\"-1\">");
  if (effect) lines.push_back(EffectBodySnippet(context_.appDir, name));
  lines.push_back(
      "<p>"
      "背景和特效预览，预览模式仅包括背景图（若选择），背景音乐（若选择），显示效果（若选择），不包"
      "括商品资料。");
  lines.push_back("<p>当前设置：<br>");
  lines.push_back(picture_.empty() ? "背景图片：没有选择<br>" : "背景图片：" + picture_ + "<br>");
  lines.push_back(music_.empty() ? "背景音乐：没有选择<br>" : "背景音乐：" + music_ + "<br>");
  lines.push_back("显示效果：" + name);
  lines.push_back(std::string("<p><b><a href=\"") + kCompanySite +
                  "\">访问Hollin公司网站 www.hollin.example</a></b>");
  lines.push_back(std::string("<p><b><a href=\"") + kProductSite + "\">访问Pagora网站</a></b>");
  lines.push_back("</body>");
  lines.push_back("</html>");
  const std::string path = context_.appDir + "fvhtml.html";
  WriteTextLines(path, lines);
  context_.shell.OpenPath(path);
  return path;
}

}  // namespace pagora
