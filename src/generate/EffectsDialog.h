#pragma once

#include <string>
#include <vector>

#include "document/CatalogPage.h"

namespace pagora {

struct Context;
class MidiPlayer;

// The logic of the dialog "网页特效": background picture, background music and visual
// effect of the open page. The window shows these fields and calls these operations.
class EffectsDialog {
 public:
  EffectsDialog(Context& context, MidiPlayer& player) : context_(context), player_(player) {}

  // Fills the dialog from the page. Throws UserError when AppDir/视觉效果.txt is missing.
  void Show(const CatalogPage& page);

  void SelectEffect(size_t index);
  void BrowsePicture();
  void BrowseMusic();
  void ClearPicture() { picture_.clear(); }
  void ClearMusic() { music_.clear(); }
  // Backspace in the music box stops the music as well.
  void EraseInMusicBox(std::string remaining);
  void Listen();
  void StopMusic();

  // Writes the three settings into the page text (at line index 5) and closes.
  void Ok(CatalogPage& page);
  void Cancel();
  // Writes AppDir/fvhtml.html showing the chosen effects and opens it; returns its path.
  std::string Preview();

  const std::string& Heading() const { return heading_; }
  const std::string& Picture() const { return picture_; }
  const std::string& Music() const { return music_; }
  const std::string& Status() const { return status_; }
  const std::string& Description() const { return description_; }
  const std::vector<std::string>& Effects() const { return effects_; }
  size_t SelectedEffect() const { return selected_; }
  bool Playing() const { return playing_; }
  bool ListenEnabled() const { return listenEnabled_; }
  bool StopEnabled() const { return stopEnabled_; }

 private:
  std::string StoredPath(const CatalogPage& page, std::string path) const;

  Context& context_;
  MidiPlayer& player_;
  std::string heading_, picture_, music_, description_;
  std::string status_ = "英文catalog不要选用中文名字的迷笛";
  std::vector<std::string> effects_;
  Lines descriptions_;
  size_t selected_ = 0;
  bool playing_ = false;
  bool listenEnabled_ = true;
  bool stopEnabled_ = false;
};

}  // namespace pagora
