#include "generate/Effects.h"

#include "base/Paths.h"
#include "base/TextFile.h"
#include "generate/ItemRendering.h"

namespace pagora {
namespace {

std::string Snippet(const std::string& appDir, const std::string& name, const char* suffix) {
  // An effect is one folder of css/; a name that could lead elsewhere names none.
  if (!IsSafeFolderName(name)) return {};
  const std::string path = appDir + "css/" + name + "/" + name + suffix;
  if (!FileExists(path)) return {};
  const Lines lines = ReadTextFileStrict(path);
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace

std::string EffectHeadSnippet(const std::string& appDir, const std::string& name) {
  return Snippet(appDir, name, "head.txt");
}

std::string EffectBodySnippet(const std::string& appDir, const std::string& name) {
  return Snippet(appDir, name, "body.txt");
}

EffectValues BuildEffectValues(const CatalogPage& page, const std::string& appDir,
                               const PathStyle& style, CopyList& copies) {
  EffectValues values;
  const std::string effect = page.GetSetting(kEffectKey);
  values.head = EffectHeadSnippet(appDir, effect);
  values.bodySnippet = EffectBodySnippet(appDir, effect);
  if (const std::string picture = page.GetSetting(kBackgroundKey); !picture.empty()) {
    const std::string full = ResolvePicturePath(page, appDir, picture);
    copies.push_back(full);
    values.bodyAttribute = " background=\"" + SourceOf(full, style) + "\"";
  }
  if (const std::string music = page.GetSetting(kMusicKey); !music.empty()) {
    const std::string full = ResolvePicturePath(page, appDir, music);
    copies.push_back(full);
    values.musicTag = "<bgsound src=\"" + SourceOf(full, style) + "\" loop=\"-1\">";
  }
  return values;
}

}  // namespace pagora
