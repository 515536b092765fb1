#pragma once

#include <string>

#include "document/CatalogPage.h"
#include "generate/OutputRequest.h"

namespace pagora {

// Background picture, background music and a visual effect (a folder of AppDir/css
// holding NAME + "head.txt" and NAME + "body.txt").

inline constexpr const char* kBackgroundKey = "{背景图片}";
inline constexpr const char* kMusicKey = "{背景音乐}";
inline constexpr const char* kEffectKey = "{视觉效果}";
inline constexpr const char* kNoEffect = "无效果";

// The snippets of an effect: the files' lines joined with CR LF; empty when the name is
// empty or the file missing.
std::string EffectHeadSnippet(const std::string& appDir, const std::string& name);
std::string EffectBodySnippet(const std::string& appDir, const std::string& name);

// What the effects add to a generated page.
struct EffectValues {
  std::string head;           // {head}
  std::string bodyAttribute;  // {body}: ` background="SRC"` with its leading blank
  std::string musicTag;       // appended to the head text
  std::string bodySnippet;    // appended after the music tag
};

// The page's effects as page generation uses them; the background picture and the
// music, when set, join `copies` (picture first, as generation adds them).
EffectValues BuildEffectValues(const CatalogPage& page, const std::string& appDir,
                               const PathStyle& style, CopyList& copies);

}  // namespace pagora
