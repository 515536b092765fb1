#include "generate/SettingsCheck.h"

#include "base/Gb18030.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "generate/Effects.h"
#include "generate/ItemRendering.h"
#include "generate/OutputRequest.h"
#include "platform/Context.h"

namespace pagora {
namespace {

enum class Trimming { Both, Leading, None };

std::string ValueOf(std::string_view line, size_t limit, Trimming trimming) {
  std::string_view value = line.substr(line.find('=') + 1);
  value = value.substr(0, EncodedPrefixLength(value, limit));
  if (trimming == Trimming::Both) return std::string(Trim(value));
  if (trimming == Trimming::Leading) {
    while (!value.empty() && static_cast<unsigned char>(value.front()) <= ' ')
      value.remove_prefix(1);
  }
  return std::string(value);
}

bool IsValidOutputKind(std::string_view value) {
  return value == kOutputChm || value == kOutputMht || value == kOutputHtml ||
         value == kOutputZip || value == kOutputPackage;
}

// Bytes of the value in the code page that are neither digits nor ".".
int BadNumberBytes(const std::string& value) {
  int bad = 0;
  for (const char c : EncodeGb18030(value)) {
    if (!(c >= '0' && c <= '9') && c != '.') ++bad;
  }
  return bad;
}

}  // namespace

SettingsCheckResult CheckPageSettings(const CatalogPage& page, ItemNumbers& numbers,
                                      Context& context) {
  SettingsCheckResult result;
  Ui& ui = context.ui;
  const std::string& appDir = context.appDir;
  auto refuse = [&](size_t line) {
    result.accepted = false;
    result.offendingLine = line;
    return result;
  };
  auto ask = [&](const char* caption, const char* text) {
    return ui.AskYesNo(caption, text, MessageIcon::Information);
  };

  const Lines& text = page.Text();
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string_view line = text[i];
    if (line.find("{Catalog编号}=") != std::string_view::npos &&
        ValueOf(line, 128, Trimming::Leading).empty()) {
      ui.ShowMessage("错误", "无效的catalog编号，输出终止。", MessageIcon::Warning,
                     MessageButtons::Ok);
      return refuse(i);
    }
    if (line.find("{视觉效果}=") != std::string_view::npos) {
      const std::string value = ValueOf(line, 128, Trimming::Both);
      const bool valid =
          !value.empty() && IsSafeFolderName(value) && FolderExists(appDir + "css/" + value);
      if (!valid && !ask("无效", "无效的视觉效果，是否禁止视觉效果？")) return refuse(i);
    }
    if (line.find("{背景图片}=") != std::string_view::npos) {
      const std::string value = ValueOf(line, 256, Trimming::None);
      const bool valid = value.empty() || FileExists(ResolvePicturePath(page, appDir, value));
      if (!valid && !ask("无效背景图", "无效背景图，是否禁用背景图？")) return refuse(i);
    }
    if (line.find("{背景音乐}=") != std::string_view::npos) {
      const std::string value = ValueOf(line, 256, Trimming::None);
      const bool valid = value.empty() || FileExists(ResolvePicturePath(page, appDir, value));
      if (!valid && !ask("无效音乐文件", "无效背景音乐，是否禁用背景音乐？")) return refuse(i);
    }
    if (line.find("{输出风格}=") != std::string_view::npos) {
      const std::string value = ValueOf(line, 32, Trimming::Both);
      const bool valid = !value.empty() && FileExists(appDir + "html/" + value + ".mob");
      if (!valid && !ask("默认", "无效输出风格，是否使用默认风格")) return refuse(i);
    }
    if (line.find("{输出语言}=") != std::string_view::npos) {
      const std::string value = ValueOf(line, 128, Trimming::Both);
      if (value != "中文" && value != "英文") {
        if (!ask("默认", "无效输出语言，是否使用默认中文？")) return refuse(i);
        result.forceChinese = true;
      }
    }
    if (line.find("{输出方式}=") != std::string_view::npos &&
        !IsValidOutputKind(ValueOf(line, 128, Trimming::Both)) &&
        !ask("默认", "无效输出方式，是否使用zip格式输出？")) {
      return refuse(i);
    }
  }

  for (int k = 1; k <= numbers.ItemCount(); ++k) {
    for (const ItemField field : {ItemField::Price, ItemField::Weight}) {
      const std::string value = numbers.Value(k, field);
      if (value.empty()) {
        if (field == ItemField::Price) numbers.SetValue(k, field, "0");
        continue;
      }
      const std::string question = "第 " + std::to_string(k) +
                                   (field == ItemField::Price ? " 个商品资料的单价包含非数字字符"
                                                              : " 个商品资料的重量包含非数字字符") +
                                   "，这会导致Catalog的自动计算功能失效。是否忽略此问题？";
      for (int bad = BadNumberBytes(value); bad > 0; --bad) {
        if (!ui.AskYesNo("无效数字", question, MessageIcon::Information)) {
          numbers.Select(k, field);
          result.accepted = false;
          return result;
        }
      }
    }
  }
  return result;
}

}  // namespace pagora
